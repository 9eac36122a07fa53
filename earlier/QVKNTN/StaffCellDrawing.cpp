// The earlier line's cell rules: one kind for every expression, ending and other item, nothing
// hidden, fixed gaps of whole head widths, a line colour the view sets, lyrics always from the
// note's left edge, and one item redrawn with the syllable of a chosen lyric line.
#include <algorithm>
#include <climits>

#include "QVKNTN/ItemDrawing.h"
#include "QVKNTN/MusicPrimitives.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/SongNote.h"
#include "QVKNTN/StaffDrawInfo.h"
#include "QVKNTN/StaffLyrics.h"

namespace {

bool IsSyllableCell(const TItemDrawInfo& cell) {
  return cell.ordinal > 0 && (cell.Kind() == TCellKind::Note || cell.Kind() == TCellKind::Grace);
}

// Gap after a cell of kind `before` when one of kind `now` follows, in head widths h.
int EarlierGap(TCellKind before, TCellKind now, int h) {
  if (IsSignatureCell(before)) return now == TCellKind::Note ? 2 * h : h;
  if (before != TCellKind::Bar || IsSignatureCell(now)) return 0;
  return now == TCellKind::Note ? 2 * h : h;
}

}  // namespace

TCellKind TStaffDrawInfo::CellKindOf(const TNotatedItem* item) {
  if (const TCellKind fixed = SignatureOrBarKind(item); fixed != TCellKind::Unset) return fixed;
  const TSongNote* note = NtnAsSongNote(item);
  if (!note) return TCellKind::Other;
  return note->IsGrace() ? TCellKind::Grace : TCellKind::Note;
}

int TStaffDrawInfo::GetColor() const { return colorIndex_; }

void TScoreDrawInfo::SetStaffColors(int color) {
  colorIndex_ = color;
  for (int i = 0; i < shown_; ++i) staves_[static_cast<std::size_t>(i)]->SetColorIndex(color);
}

bool TStaffDrawInfo::FillCell(int index, const TNotatedItem* item, int barCount, int syllables,
                              bool /*songBefore: the earlier line numbers every bar line alike*/) {
  TItemDrawInfo c;
  c.itemIndex = static_cast<uint16_t>(index);
  c.SetKind(CellKindOf(item));
  if (item->GetType() == ntBarLine) {
    c.ordinal = static_cast<uint16_t>(std::clamp(barCount, 0, 0xFFFF));
  } else if (const TSongNote* note = NtnAsSongNote(item)) {
    c.duration = note->GetDuration();
    c.accidentalColumns = static_cast<uint8_t>(std::clamp(note->GetAccidentalSpace(), 0, 255));
    c.extraHeads = static_cast<uint8_t>(std::clamp(note->GetExtraHeadColumns(), 0, 255));
    if (NtnTakesSyllable(note)) c.ordinal = static_cast<uint16_t>(std::clamp(syllables + 1, 0, 0xFFFF));
  }
  if (!AppendCell(c)) return false;
  const int n = GetCellCount() - 1;
  Cell(n).width = ClampCellWidth(long(item->GetWidth(*this, n)) + item->GetTrailingSpace(*this, n));
  AddGap(n);
  return true;
}

void TStaffDrawInfo::AddGap(int cell) {
  if (cell <= 0) return;
  TItemDrawInfo& before = Cell(cell - 1);
  before.width = ClampCellWidth(long(before.width) + EarlierGap(before.Kind(), Cell(cell).Kind(), HeadWidth()));
}

// --- drawing --------------------------------------------------------------------------------

void TStaffDrawInfo::DrawLyrics(int x, int right) {
  const TStaffLyrics* lyrics = staff_ ? staff_->GetLyrics() : nullptr;
  const int lines = lyrics ? std::min(lyrics->GetLineCount(), kLyricCursors) : 0;
  if (lines <= 0) return;
  TMusicPrimitives& fonts = GetFonts();
  const int step = std::max(1, fonts.GetLyricLineHeight());
  const int hyphen = fonts.GetLyricTextWidth("-");
  int position = GetLyricLinePos(lines - 1);
  for (int n = lines - 1; n >= 0; --n, position -= step) {
    TLyric& lyric = lyrics_[n];
    lyric.Assign(lyrics->GetLine(n), 0);
    int end = x;
    int taken = 0;  // syllables drawn on this line, and the ordinal of the last
    int lastOrdinal = 0;
    int cx = x;
    for (int c = 0; c < GetCellCount(); cx += Cell(c).width, ++c) {
      const TItemDrawInfo& cell = Cell(c);
      if (IsSyllableCell(cell)) {
        lyric.SeekSyllable(cell.ordinal - 1);
        if (lyric.Index() != cell.ordinal - 1 || !lyric.HasSyllable()) break;
        if (lyric.Separator() == '-') fonts.DrawLyricText(end + (cx - end - hyphen) / 2, position, "-");
        const char* text = lyric.Syllable();
        fonts.DrawLyricText(cx, position, text);
        end = cx + fonts.GetLyricTextWidth(text);
        ++taken;
        lastOrdinal = cell.ordinal;
      }
      if (cx > right) break;
    }
    // A word that goes on past the line ends it with its hyphen, on the screen as on paper.
    if (taken == 0) continue;
    lyric.SeekSyllable(lastOrdinal);
    if (lyric.Index() == lastOrdinal && lyric.HasSyllable() && lyric.Separator() == '-') {
      fonts.DrawLyricText(end, position, "-");
    }
  }
}

void TStaffDrawInfo::Draw(int x, int y, int targetLeft, int targetRight) {
  if (!staff_) return;
  TMusicPrimitives& fonts = GetFonts();
  fonts.SetYOrigin(y + y_);
  fonts.SelectColor(colorIndex_);
  // The staff lines reach to the end of the first cell past the right edge.
  int end = x;
  for (int c = 0; c < GetCellCount() && end <= targetRight; ++c) end += Cell(c).width;
  if (staff_->GetLineCount() > 0 && end > x) fonts.DrawStaffLines(x, end, staff_->GetLineCount(), false);
  DrawLyrics(x, targetRight);

  slurDrawnTo_ = -1;
  for (int c = 0, cx = x; c < GetCellCount() && cx <= targetRight; cx += Cell(c).width, ++c) {
    if (Cell(c).Kind() == TCellKind::LineLead) continue;
    const TNotatedItem* item = CellItem(c);
    if (!item) continue;
    const auto* note = NtnAsSongNote(item);
    const bool tiesOut = note && note->HasAttribute(naTieOut) && cx < targetRight;
    if (cx + Cell(c).width < targetLeft && !item->IsExpression() && !tiesOut) continue;
    if (note) {
      if ((note->HasAttribute(naSlurOut) || note->HasAttribute(naSlurIn)) && Cell(c).itemIndex > slurDrawnTo_) {
        slurDrawnTo_ = DrawSlur(c, x);
      }
      if (note->GetBeamState() == kNtnGroupFirst) DrawGroup(kNtnGroupBeam, c, x, targetLeft, targetRight);
      if (note->GetTripletState() == kNtnGroupFirst) DrawGroup(kNtnGroupTriplet, c, x, targetLeft, targetRight);
    }
    DrawCellItem(c, cx, colorIndex_);
  }
  fonts.SelectColor(colorIndex_);
}

void TStaffDrawInfo::DrawItem(int i, int x, int y, int color) { DrawItem(i, 1, x, y, color); }

void TStaffDrawInfo::DrawItem(int i, int lyricLine, int x, int y, int color) {
  const int c = FindCell(i);
  if (c < 0 || !staff_) return;
  TMusicPrimitives& fonts = GetFonts();
  fonts.SetYOrigin(y + y_);
  const int itemX = x + GetCellX(c);
  DrawCellItem(c, itemX, color);
  const TStaffLyrics* lyrics = staff_->GetLyrics();
  const int lines = lyrics ? std::min(lyrics->GetLineCount(), kLyricCursors) : 0;
  if (lines > 0 && IsSyllableCell(Cell(c))) {
    const int n = std::clamp(lyricLine, 1, lines) - 1;
    TLyric& lyric = lyrics_[n];
    lyric.Assign(lyrics->GetLine(n), 0);
    lyric.SeekSyllable(Cell(c).ordinal - 1);
    if (lyric.Index() == Cell(c).ordinal - 1 && lyric.HasSyllable()) {
      fonts.SelectColor(color);
      fonts.DrawLyricText(itemX, GetLyricLinePos(n), lyric.Syllable());
    }
  }
  fonts.SelectColor(colorIndex_);
}
