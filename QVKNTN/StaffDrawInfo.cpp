#include "QVKNTN/StaffDrawInfo.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/ItemDrawing.h"
#include "QVKNTN/MusicDrawingMath.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicPrimitives.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnGeneralExpression.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/SongNote.h"
#include "QVKNTN/StaffLyrics.h"

TStaffDrawInfo::TStaffDrawInfo(TScoreDrawInfo* owner, int shownIndex)
    : owner_(owner), shownIndex_(shownIndex) {
  cells_.reserve(kFirstCapacity);
}

void TStaffDrawInfo::SetStaff(int scoreStaffIndex) {
  const TMusicScore* score = owner_ ? owner_->GetScore() : nullptr;
  TMusicStaff* staff = score ? score->GetStaff(scoreStaffIndex) : nullptr;
  SetStaffPtr(staff, staff ? scoreStaffIndex : -1);
}

void TStaffDrawInfo::SetStaffPtr(TMusicStaff* staff, int scoreStaffIndex) {
  staff_ = staff;
  scoreIndex_ = scoreStaffIndex;
  cursor_.Attach(staff);
  cursor_.Reset();
  cursorTouches_ = staff ? staff->TouchCount() : 0;
  ClearCells();
  SyncLyricCursors();
}

void TStaffDrawInfo::SyncLyricCursors() {
  const TStaffLyrics* lyrics = staff_ ? staff_->GetLyrics() : nullptr;
  for (int n = 0; n < kLyricCursors; ++n) {
    const TLyricText* line = lyrics && n < lyrics->GetLineCount() ? lyrics->GetLine(n) : nullptr;
    lyrics_[n].Assign(line, 0);
  }
}

// --- queries --------------------------------------------------------------------------------

TMusicPrimitives& TStaffDrawInfo::GetFonts() const { return *owner_->GetFonts(); }
const TMusicScore* TStaffDrawInfo::GetScore() const { return owner_->GetScore(); }
bool TStaffDrawInfo::IsEditView() const { return owner_->IsEditView(); }
bool TStaffDrawInfo::IsActiveStaff() const {
  return IsEditView() && owner_->GetActiveStaff() == shownIndex_;
}

TStaffDrawInfo* TStaffDrawInfo::GetNeighbourStaff(int delta) const {
  const int i = shownIndex_ + delta;
  return i >= 0 && i < owner_->GetCount() ? owner_->GetStaffInfo(i) : nullptr;
}

int TStaffDrawInfo::HeadWidth() const { return GetFonts().GetGlyphWidth(MusicGlyphs::kFilledHead); }

TStaffBounds TStaffDrawInfo::GetBounds() const {
  const int half = GetFonts().GetSpacing() / 2;
  const int upper = staff_ ? std::abs(staff_->GetUpperSize()) : 0;
  const int lower = staff_ ? std::abs(staff_->GetLowerSize()) : 0;
  return {0, y_ - upper * half, INT_MAX, y_ + lower * half};
}

int TStaffDrawInfo::PositionToY(int position) const {
  return MusicDrawingMath::PositionToY(y_, position, GetFonts().GetSpacing());
}

int TStaffDrawInfo::YToPosition(int y) const {
  return 2 * (y - y_) / GetFonts().GetSpacing();
}

int TStaffDrawInfo::GetFirstItemIndex() const {
  for (const TItemDrawInfo& c : cells_) {
    if (c.IsItem() && !c.IsSubstitute()) return c.itemIndex;
  }
  return -1;
}

int TStaffDrawInfo::GetLastItemIndex() const {
  for (auto it = cells_.rbegin(); it != cells_.rend(); ++it) {
    if (!it->IsItem()) continue;
    // A line-end bar shown as the end bar still stands where its own item is.
    if (!it->IsSubstitute() || it->Kind() == TCellKind::Bar) return it->itemIndex;
  }
  return staff_ ? staff_->LastIndex() : -1;
}

bool TStaffDrawInfo::IsAtStaffEnd() const {
  if (!staff_ || cells_.empty()) return false;
  const int last = GetLastItemIndex();
  if (last >= staff_->LastIndex()) return true;
  // A line that ends on the staff's last bar line leaves only the end bar, which no line shows
  // alone.
  return last == staff_->LastIndex() - 1 && NtnType(staff_->GetItem(last)) == ntBarLine;
}

int TStaffDrawInfo::SumWidths(int cell, int n) const {
  long sum = 0;
  const int end = std::min(cell + n, GetCellCount());
  for (int i = std::max(cell, 0); i < end; ++i) sum += Cell(i).width;
  return static_cast<int>(std::min<long>(sum, INT_MAX / 2));
}

int TStaffDrawInfo::FindCell(int i) const {
  for (int c = 0; c < GetCellCount(); ++c) {
    if (Cell(c).IsItem() && !Cell(c).IsSubstitute() && Cell(c).itemIndex == i) return c;
  }
  return -1;
}

int TStaffDrawInfo::XToItemIndex(int x) const {
  int cx = 0;
  for (int c = 0; c < GetCellCount(); ++c) {
    if (Cell(c).IsItem() && !Cell(c).IsSubstitute() && cx >= x) return Cell(c).itemIndex;
    cx += Cell(c).width;
  }
  return GetLastItemIndex();
}

int TStaffDrawInfo::GetItemX(int i) const {
  const int first = GetFirstItemIndex();
  if (first < 0 || i > GetLastItemIndex()) return INT_MAX;
  if (i < first) return INT_MIN + 2;
  int cx = 0;
  for (int c = 0; c < GetCellCount(); ++c) {
    const TItemDrawInfo& cell = Cell(c);
    if (cell.IsItem() && !cell.IsSubstitute() && cell.itemIndex >= i) return cx;
    cx += cell.width;
  }
  return INT_MAX;
}

int TStaffDrawInfo::GetItemAnchorX(int i) const {
  const int x = GetItemX(i);
  if (x == INT_MAX || x == INT_MIN + 2) return x;
  const int c = FindCell(i);
  const TNotatedItem* item = staff_->GetItem(i);
  return c >= 0 && item ? x + item->GetWidth(*this, c) : x;
}

void TStaffDrawInfo::SyncCursor() {
  if (!staff_) return;
  const int lowest = staff_->LowestTouchSince(cursorTouches_);
  cursorTouches_ = staff_->TouchCount();
  if (lowest == TMusicStaff::kNothingTouched) return;
  // The counts sum the items before the cursor: they hold while nothing before it changed.
  if (lowest < cursor_.GetIndex() || cursor_.GetIndex() > staff_->LastIndex()) cursor_.Reset();
  else cursor_.RereadCurrent();
}

long TStaffDrawInfo::TickToIndex(long tick) {
  SyncCursor();
  TRelNtnIdx walk = cursor_;
  walk.SeekTick(tick);
  return walk.GetIndex();
}

long TStaffDrawInfo::IndexToTick(int i) {
  SyncCursor();
  TRelNtnIdx walk = cursor_;
  walk.SetIndex(i);
  return walk.GetTick();
}

TNotatedItem* TStaffDrawInfo::CellItem(int cell) const {
  if (!staff_ || cell < 0 || cell >= GetCellCount()) return nullptr;
  const TItemDrawInfo& c = Cell(cell);
  if (c.Kind() == TCellKind::LineLead) return staff_->GetItem(0);
  if (c.IsSubstitute() && c.Kind() == TCellKind::Bar) return staff_->GetItem(staff_->LastIndex());
  return staff_->GetItem(c.itemIndex);
}

int TStaffDrawInfo::GetNoteX(int cell, Justify justification) const {
  int cx = GetCellX(std::max(cell, 0));
  for (int c = std::max(cell, 0); c < GetCellCount(); ++c) {
    const TCellKind k = Cell(c).Kind();
    if (k == TCellKind::Bar) return cx;
    if (k == TCellKind::Note || k == TCellKind::Grace) {
      const auto* note = NtnAsSongNote(CellItem(c));
      const int head = cx + (note ? note->GetHeadOffset(*this, c) : 0);
      switch (justification) {
        case Justify::Left: return head;
        case Justify::Center: return head + HeadWidth() / 2;
        case Justify::Right: return head + HeadWidth();
      }
    }
    cx += Cell(c).width;
  }
  return cx;
}

int TStaffDrawInfo::GetLyricLinePos(int n) const {
  const TStaffLyrics* lyrics = staff_ ? staff_->GetLyrics() : nullptr;
  if (!lyrics) return 0;
  const int step = std::max(1, GetFonts().GetLyricLineHeight());
  const int count = std::min(lyrics->GetLineCount(), kLyricCursors);
  int position;
  if (lyrics->GetSecondSetting() == 1) {
    position = staff_->GetUpperSize() + step / 2 + n * step;
  } else {
    position = staff_->GetLowerSize() - step / 2 - (count - 1 - n) * step;
  }
  return position + lyrics->GetOffset();
}

int TStaffDrawInfo::CellClef(int cell) const {
  const TNotatedItem* item = CellItem(cell);
  if (item && item->GetType() == ntKey && !Cell(cell).IsSubstitute()) {
    return static_cast<const TKeyData*>(item)->GetAuditClef();
  }
  // A courtesy key follows the courtesy clef before it in the line.
  for (int c = cell - 1; c >= 0; --c) {
    const TNotatedItem* other = CellItem(c);
    if (other && other->GetType() == ntClef) return static_cast<const TClefData*>(other)->GetClef();
  }
  return item && item->GetType() == ntKey ? static_cast<const TKeyData*>(item)->GetAuditClef() : clTreble;
}

int TStaffDrawInfo::FirstContentX() const {
  int cx = 0;
  for (int c = 0; c < GetCellCount(); ++c) {
    const TCellKind k = Cell(c).Kind();
    if (k != TCellKind::LineLead && k != TCellKind::Bar && !IsSignatureCell(k)) break;
    cx += Cell(c).width;
  }
  return cx + HeadWidth() / 2;
}

TCellKind TStaffDrawInfo::SignatureOrBarKind(const TNotatedItem* item) {
  switch (item->GetType()) {
    case ntClef: return TCellKind::Clef;
    case ntKey: return TCellKind::Key;
    case ntTimeSignature: return TCellKind::TimeSignature;
    case ntBarLine: return TCellKind::Bar;
    default: return TCellKind::Unset;
  }
}

// --- cells ----------------------------------------------------------------------------------

void TStaffDrawInfo::ClearCells() {
  cells_.clear();
  capacity_ = kFirstCapacity;
}

bool TStaffDrawInfo::AppendCell(const TItemDrawInfo& cell) {
  if (GetCellCount() >= capacity_) {
    if (capacity_ >= kMaxCells) return false;
    capacity_ = std::min(kMaxCells, capacity_ + (IsEditView() ? kViewGrowth : kPrintGrowth));
    cells_.reserve(static_cast<std::size_t>(capacity_));
  }
  cells_.push_back(cell);
  return true;
}

void TStaffDrawInfo::CutAtTick(long tick) {
  long sum = 0;
  int keep = 0;
  for (; keep < GetCellCount(); ++keep) {
    sum += Cell(keep).duration;
    if (sum > tick) break;
  }
  CutToCells(keep);
}

void TStaffDrawInfo::TrimToLastBar() {
  for (int c = GetCellCount() - 1; c >= 0; --c) {
    if (Cell(c).Kind() == TCellKind::Bar) {
      CutToCells(c + 1);
      return;
    }
  }
}

void TStaffDrawInfo::CutToCells(int n) {
  if (n >= 0 && n < GetCellCount()) cells_.resize(static_cast<std::size_t>(n));
}

// --- layout ---------------------------------------------------------------------------------

void TStaffDrawInfo::LayoutView(long tick, int width) {
  ClearCells();
  if (!staff_) return;
  SyncCursor();
  cursor_.SeekTick(tick);
  const int atTick = cursor_.GetIndex();
  for (int songs = 0; songs < 2 && cursor_.CanStep(-1);) {
    cursor_.Prev();
    if (NtnAsSongNote(cursor_.Current())) ++songs;
  }
  while (cursor_.CanStep(-1) && NtnType(cursor_.Current()) != ntBarLine) cursor_.Prev();

  TItemDrawInfo lead;
  lead.SetKind(TCellKind::LineLead);
  lead.SetSubstitute(true);
  lead.duration = cursor_.GetTick();
  AppendCell(lead);

  TRelNtnIdx walk = cursor_;
  long counted = 0;
  int barsAfterFull = -1;
  for (;;) {
    const TNotatedItem* item = walk.Current();
    if (!item) break;
    const bool songBefore = walk.CanStep(-1) && NtnAsSongNote(staff_->GetItem(walk.GetIndex() - 1));
    if (!FillCell(walk.GetIndex(), item, walk.GetBarCount(), walk.GetSyllableCount(), songBefore)) break;
    if (walk.GetIndex() >= atTick) counted += Cell(GetCellCount() - 1).width;
    if (barsAfterFull < 0 && counted > width) barsAfterFull = 0;
    if (barsAfterFull >= 0 && item->GetType() == ntBarLine && ++barsAfterFull >= 3) break;
    if (!walk.CanStep(1)) {
      // The staff's end: its last cell takes only its lead width.
      const int last = GetCellCount() - 1;
      Cell(last).width = ClampCellWidth(item->GetWidth(*this, last));
      break;
    }
    walk.Next();
  }
  if (staff_->GetLyrics()) WidenForLyrics();
}

int TStaffDrawInfo::AddCourtesyCells(int start) {
  // The clef and key in force, found backwards from the line's start.
  int clef = -1, key = -1;
  for (int i = start - 1; i > 0 && (clef < 0 || key < 0); --i) {
    const int type = NtnType(staff_->GetItem(i));
    if (type == ntClef && clef < 0) clef = i;
    if (type == ntKey && key < 0 && clef < 0) key = i;
  }
  // One standing at the line's first bar is drawn in its own cell, not repeated.
  bool ownClef = false, ownKey = false;
  for (int i = start; i <= staff_->LastIndex(); ++i) {
    const TNotatedItem* item = staff_->GetItem(i);
    if (NtnAsSongNote(item)) break;
    if (item->GetType() == ntBarLine && i > start) break;
    if (item->GetType() == ntClef) ownClef = true;
    if (item->GetType() == ntKey) ownKey = true;
  }
  if (!ownClef) AddCourtesyCell(clef);
  // After a clef change of its own, the key in force follows that clef.
  if (ownClef && !ownKey) return key;
  if (!ownKey) AddCourtesyCell(key);
  return -1;
}

void TStaffDrawInfo::AddCourtesyCell(int i) {
  if (i < 0) return;
  {
    const TNotatedItem* item = staff_->GetItem(i);
    TItemDrawInfo c;
    c.itemIndex = static_cast<uint16_t>(i);
    c.SetKind(CellKindOf(item));
    c.SetSubstitute(true);
    c.SetHidden(!NtnItemIsVisible(item, shownIndex_));
    if (!AppendCell(c)) return;
    const int n = GetCellCount() - 1;
    if (IsEditView() || !Cell(n).IsHidden()) Cell(n).width = ClampCellWidth(item->GetWidth(*this, n));
    AddGap(n);
  }
}

void TStaffDrawInfo::LayoutLine(int start, int width) {
  ClearCells();
  if (!staff_) return;
  start = std::clamp(start, 0, staff_->LastIndex());
  SyncCursor();
  cursor_.SetIndex(start);
  int deferredKey = -1;
  if (start != 0) {
    TItemDrawInfo lead;
    lead.SetKind(TCellKind::LineLead);
    lead.SetSubstitute(true);
    lead.duration = cursor_.GetTick();
    AppendCell(lead);
    deferredKey = AddCourtesyCells(start);
  }
  TRelNtnIdx walk = cursor_;
  long x = SumWidths(0, GetCellCount());
  int barsWithContent = 0;
  bool content = false;
  for (;;) {
    const TNotatedItem* item = walk.Current();
    if (!item) break;
    if (barsWithContent > 0 && x + item->GetWidth(*this, GetCellCount()) > width) {
      TrimToLastBar();
      break;
    }
    const bool songBefore = walk.CanStep(-1) && NtnAsSongNote(staff_->GetItem(walk.GetIndex() - 1));
    if (!FillCell(walk.GetIndex(), item, walk.GetBarCount(), walk.GetSyllableCount(), songBefore)) break;
    if (deferredKey >= 0 && item->GetType() == ntClef) {
      AddCourtesyCell(deferredKey);
      deferredKey = -1;
    }
    x = SumWidths(0, GetCellCount());
    if (item->GetDuration() > 0) content = true;
    if (item->GetType() == ntBarLine && content && walk.GetIndex() != start) {
      ++barsWithContent;
      content = false;
    }
    if (!walk.CanStep(1)) break;
    walk.Next();
  }
  const int last = GetCellCount() - 1;
  if (last >= 0 && Cell(last).Kind() == TCellKind::Bar) {
    Cell(last).width = ClampCellWidth(CellItem(last)->GetWidth(*this, last));
  }
  if (staff_->GetLyrics()) WidenForLyrics();
}

void TStaffDrawInfo::WidenForLyrics() {
  const TStaffLyrics* lyrics = staff_ ? staff_->GetLyrics() : nullptr;
  if (!lyrics) return;
  TMusicPrimitives& fonts = GetFonts();
  const int separator = fonts.GetLyricTextWidth(" ");
  const bool centred = lyrics->GetFirstSetting() == 1;
  const int h = HeadWidth();
  const int lines = std::min(lyrics->GetLineCount(), kLyricCursors);
  for (int n = 0; n < lines; ++n) {
    TLyric& lyric = lyrics_[n];
    lyric.Assign(lyrics->GetLine(n), 0);
    long x = 0;
    long freeFrom = LONG_MIN;
    for (int c = 0; c < GetCellCount(); ++c) {
      TItemDrawInfo& cell = Cell(c);
      if (cell.ordinal == 0 || (cell.Kind() != TCellKind::Note && cell.Kind() != TCellKind::Grace)) {
        x += cell.width;
        continue;
      }
      lyric.SeekSyllable(cell.ordinal - 1);
      if (lyric.Index() != cell.ordinal - 1 || !lyric.HasSyllable()) {
        x += cell.width;
        continue;
      }
      const int w = fonts.GetLyricTextWidth(lyric.Syllable()) + separator;
      const auto* note = NtnAsSongNote(CellItem(c));
      long left = centred ? x + (note ? note->GetHeadOffset(*this, c) : 0) + h / 2 - w / 2 : x;
      if (left < freeFrom && c > 0) {
        // The overhang widens the cell before, which moves this one right.
        const long more = freeFrom - left;
        Cell(c - 1).width = ClampCellWidth(Cell(c - 1).width + more);
        x += more;
        left += more;
      }
      if (!centred && w > cell.width) cell.width = ClampCellWidth(w);
      freeFrom = left + w;
      x += cell.width;
    }
  }
}

// --- drawing --------------------------------------------------------------------------------

void TStaffDrawInfo::DrawCellItem(int cell, int x, int color) {
  TNotatedItem* item = CellItem(cell);
  if (!item) return;
  GetFonts().SelectColor(color);
  drawingCell_ = cell;
  item->Draw(*this, cell, x);
  drawingCell_ = -1;
}

