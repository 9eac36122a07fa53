// The current line's cell rules: the kind each item takes, the hidden flag, widths and gaps, the
// staff's colour worked out from its own field and the view, and the drawing of a line with its
// lyrics aligned by syllable. The earlier line has its own file of the same name.
#include <algorithm>
#include <climits>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ItemDrawing.h"
#include "QVKNTN/MusicPrimitives.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnGeneralExpression.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/SongNote.h"
#include "QVKNTN/StaffDrawInfo.h"
#include "QVKNTN/StaffLyrics.h"

TCellKind TStaffDrawInfo::CellKindOf(const TNotatedItem* item) {
  if (const TCellKind fixed = SignatureOrBarKind(item); fixed != TCellKind::Unset) return fixed;
  if (item->GetType() == ntSpecialEnding) return TCellKind::Ending;
  if (const TSongNote* note = NtnAsSongNote(item)) {
    return note->IsGrace() ? TCellKind::Grace : TCellKind::Note;
  }
  if (item->IsExpression()) {
    switch (static_cast<const TNtnGeneralExpression*>(item)->GetPlacement()) {
      case TNtnGeneralExpression::plBeforeSignatures: return TCellKind::ExpressionBefore;
      case TNtnGeneralExpression::plAfterSignatures: return TCellKind::ExpressionAfter;
      default: break;
    }
  }
  return TCellKind::Other;
}

int TStaffDrawInfo::GetColor() const {
  const int own = staff_ ? staff_->GetColor() : 0;
  if (own >= 1 && own <= 3) return own + 4;
  if (!IsEditView()) return 0;
  return IsActiveStaff() ? 1 : 2;
}

bool TStaffDrawInfo::FillCell(int index, const TNotatedItem* item, int barCount, int syllables,
                              bool songBefore) {
  TItemDrawInfo c;
  c.itemIndex = static_cast<uint16_t>(index);
  c.SetKind(CellKindOf(item));
  if (const TSongNote* note = NtnAsSongNote(item)) {
    c.duration = note->GetDuration();
    c.accidentalColumns = static_cast<uint8_t>(std::clamp(note->GetAccidentalSpace(), 0, 255));
    c.extraHeads = static_cast<uint8_t>(std::clamp(note->GetExtraHeadColumns(), 0, 255));
    if (NtnTakesSyllable(note)) c.ordinal = static_cast<uint16_t>(syllables + 1);
  } else if (item->GetType() == ntBarLine && !NtnIsEmptyBar(item)) {
    c.ordinal = static_cast<uint16_t>(std::max(0, songBefore ? barCount : barCount + 1));
  }
  c.SetHidden(!NtnItemIsVisible(item, shownIndex_));
  if (!AppendCell(c)) return false;
  const int n = GetCellCount() - 1;
  TItemDrawInfo& cell = Cell(n);
  if (IsEditView() || !cell.IsHidden()) {
    cell.width = ClampCellWidth(long(item->GetWidth(*this, n)) + item->GetTrailingSpace(*this, n));
  } else {
    cell.width = 0;
    cell.accidentalColumns = 0;
    cell.extraHeads = 0;
  }
  AddGap(n);
  return true;
}

int TStaffDrawInfo::PreviousShownCell(int cell) const {
  for (int c = cell - 1; c >= 0; --c) {
    if (IsEditView() || !Cell(c).IsHidden()) return c;
  }
  return -1;
}

void TStaffDrawInfo::AddGap(int cell) {
  if (!IsEditView() && Cell(cell).IsHidden()) return;
  const int prev = PreviousShownCell(cell);
  if (prev < 0) return;
  const int h = HeadWidth();
  const TCellKind before = Cell(prev).Kind();
  const TCellKind now = Cell(cell).Kind();
  int gap = 0;
  if (IsSignatureCell(before)) {
    gap = now == TCellKind::Note ? 3 * h / 2 : 2 * h / 3;
  } else if (before == TCellKind::Bar) {
    if (now == TCellKind::Ending) {
      gap = IsEditView() ? h / 2 : 0;
    } else if (IsSignatureCell(now)) {
      gap = h / 2;
    } else if (now == TCellKind::Bar) {
      const TNotatedItem* a = CellItem(prev);
      const TNotatedItem* b = CellItem(cell);
      const bool same = a && b && NtnBarStyle(a) == NtnBarStyle(b);
      gap = IsEditView() && !same ? 2 * h : 0;
    } else {
      gap = 3 * h / 2;
    }
  }
  Cell(prev).width = ClampCellWidth(long(Cell(prev).width) + gap);
}

int TStaffDrawInfo::ItemColor(const TNotatedItem* item) const {
  const int own = item->GetColor();
  return own >= 1 && own <= 3 ? own + 4 : GetColor();
}

int TStaffDrawInfo::SyllableLeft(int c, int cx, int w, bool centred, int headWidth) const {
  if (!centred) return cx;
  const auto* note = NtnAsSongNote(CellItem(c));
  return cx + (note ? note->GetHeadOffset(*this, c) : 0) + headWidth / 2 - w / 2;
}

void TStaffDrawInfo::DrawCellSyllables(int c, int cx) {
  const TStaffLyrics* lyrics = staff_ ? staff_->GetLyrics() : nullptr;
  const TItemDrawInfo& cell = Cell(c);
  if (!lyrics || cell.ordinal <= 0 || (cell.Kind() != TCellKind::Note && cell.Kind() != TCellKind::Grace)) return;
  TMusicPrimitives& fonts = GetFonts();
  const bool centred = lyrics->GetFirstSetting() == 1;
  const int lines = std::min(lyrics->GetLineCount(), kLyricCursors);
  for (int n = 0; n < lines; ++n) {
    TLyric& lyric = lyrics_[n];
    lyric.Assign(lyrics->GetLine(n), 0);
    lyric.SeekSyllable(cell.ordinal - 1);
    if (lyric.Index() != cell.ordinal - 1 || !lyric.HasSyllable()) continue;
    const char* text = lyric.Syllable();
    fonts.DrawLyricText(SyllableLeft(c, cx, fonts.GetLyricTextWidth(text), centred, HeadWidth()), GetLyricLinePos(n), text);
  }
}

void TStaffDrawInfo::DrawLyrics(int x, int right) {
  const TStaffLyrics* lyrics = staff_ ? staff_->GetLyrics() : nullptr;
  if (!lyrics) return;
  TMusicPrimitives& fonts = GetFonts();
  const bool centred = lyrics->GetFirstSetting() == 1;
  const int h = HeadWidth();
  const int lines = std::min(lyrics->GetLineCount(), kLyricCursors);
  for (int n = lines - 1; n >= 0; --n) {
    TLyric& lyric = lyrics_[n];
    lyric.Assign(lyrics->GetLine(n), 0);
    const int position = GetLyricLinePos(n);
    int cx = x;
    int prevEnd = INT_MIN;
    int lastOrdinal = 0;
    for (int c = 0; c < GetCellCount() && cx <= right; ++c) {
      const TItemDrawInfo& cell = Cell(c);
      if (cell.ordinal > 0 && (cell.Kind() == TCellKind::Note || cell.Kind() == TCellKind::Grace)) {
        lyric.SeekSyllable(cell.ordinal - 1);
        if (lyric.Index() == cell.ordinal - 1 && lyric.HasSyllable()) {
          const char* text = lyric.Syllable();
          const int w = fonts.GetLyricTextWidth(text);
          const int left = SyllableLeft(c, cx, w, centred, h);
          if (lyric.Separator() == '-' && prevEnd != INT_MIN) {
            const int dash = fonts.GetLyricTextWidth("-");
            fonts.DrawLyricText((prevEnd + left - dash) / 2, position, "-");
          }
          fonts.DrawLyricText(left, position, text);
          prevEnd = left + w;
          lastOrdinal = cell.ordinal;
        }
      }
      cx += cell.width;
    }
    // A word that goes on into the next line ends this one with its hyphen.
    if (!IsEditView() && lastOrdinal > 0) {
      lyric.SeekSyllable(lastOrdinal);
      if (lyric.Index() == lastOrdinal && lyric.HasSyllable() && lyric.Separator() == '-') {
        fonts.DrawLyricText(prevEnd + fonts.GetLyricTextWidth(" "), position, "-");
      }
    }
  }
}

void TStaffDrawInfo::Draw(int x, int y, int targetLeft, int targetRight) {
  if (!staff_) return;
  TMusicPrimitives& fonts = GetFonts();
  fonts.SetYOrigin(y + y_);
  const int staffColor = GetColor();
  fonts.SelectColor(staffColor);
  int end = x;
  for (int c = 0, cx = x; c < GetCellCount(); ++c) {
    cx += Cell(c).width;
    if (cx > targetRight) break;
    end = cx;
  }
  if (staff_->GetLineCount() > 0 && end > x) fonts.DrawStaffLines(x, end, staff_->GetLineCount(), false);
  DrawLyrics(x, targetRight);

  slurDrawnTo_ = -1;
  int cx = x;
  for (int c = 0; c < GetCellCount(); ++c) {
    const TItemDrawInfo& cell = Cell(c);
    const int w = cell.width;
    if (cell.Kind() == TCellKind::LineLead) {
      // A printed line opens with the leading bar at its left edge.
      if (!IsEditView() && cx >= targetLeft) DrawCellItem(c, cx, staffColor);
      cx += w;
      continue;
    }
    if (cx > targetRight) break;
    const TNotatedItem* item = CellItem(c);
    if (!item) {
      cx += w;
      continue;
    }
    const auto* note = NtnAsSongNote(item);
    bool draw = cx + w >= targetLeft;
    if (item->IsExpression() &&
        static_cast<const TNtnGeneralExpression*>(item)->GetPlacement() != TNtnGeneralExpression::plAtNextNote) {
      draw = true;
    }
    if (note && note->HasAttribute(naTieOut)) draw = true;
    if (cell.IsHidden() && !IsEditView()) draw = false;
    if (draw) {
      if (note && (note->HasAttribute(naSlurOut) || note->HasAttribute(naSlurIn)) &&
          cell.itemIndex > slurDrawnTo_) {
        slurDrawnTo_ = DrawSlur(c, x);
      }
      if (note && note->GetBeamState() == kNtnGroupFirst) DrawGroup(kNtnGroupBeam, c, x, targetLeft, targetRight);
      if (note && note->GetTripletState() == kNtnGroupFirst) DrawGroup(kNtnGroupTriplet, c, x, targetLeft, targetRight);
      DrawCellItem(c, cx, cell.IsHidden() ? 3 : ItemColor(item));
    }
    cx += w;
  }
  fonts.SelectColor(staffColor);
}

void TStaffDrawInfo::DrawItem(int i, int x, int y, int color) {
  const int c = FindCell(i);
  if (c < 0 || !staff_) return;
  GetFonts().SetYOrigin(y + y_);
  const TNotatedItem* item = CellItem(c);
  const int own = color ? color : ItemColor(item);
  DrawCellItem(c, x + GetCellX(c), own);
  // The syllable under the item goes with it, in the same colour (a highlight or play cursor).
  GetFonts().SelectColor(own);
  DrawCellSyllables(c, x + GetCellX(c));
}
