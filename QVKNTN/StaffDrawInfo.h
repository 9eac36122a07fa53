// One staff of a system laid out as a line of cells, one per item the line shows: answers the
// editing view's position queries (item and x, tick and item, y and staff position) and draws the
// line with its staff lines, lyrics, items, slurs, ties, beams and triplet brackets.
#pragma once
#include <climits>
#include <cstdint>
#include <vector>

#include "QVKNTN/ItemDrawInfo.h"
#include "QVKNTN/LyricText.h"
#include "QVKNTN/RelNtnIdx.h"
#include "QVKNTN/StaffLyrics.h"

class TMusicPrimitives;
class TMusicScore;
class TMusicStaff;
class TNotatedItem;
class TScoreDrawInfo;
class TSongNote;

struct TStaffBounds {
  int left, top, right, bottom;
};

class TStaffDrawInfo {
public:
  // A line never holds more cells than this; it stops where it cannot grow.
  static constexpr int kMaxCells = 2048;
  static constexpr int kFirstCapacity = 128;
  static constexpr int kViewGrowth = 128;
  static constexpr int kPrintGrowth = 256;
  // One cursor for every lyric line a staff can hold.
  static constexpr int kLyricCursors = TStaffLyrics::kMaxLines;
  enum class Justify { Left = 0, Center = 1, Right = 2 };

  TStaffDrawInfo(TScoreDrawInfo* owner, int shownIndex);
  TStaffDrawInfo(const TStaffDrawInfo&) = delete;
  TStaffDrawInfo& operator=(const TStaffDrawInfo&) = delete;

  // Attaches a score staff (-1: none) or a staff outside the score.
  void SetStaff(int scoreStaffIndex);
  void SetStaffPtr(TMusicStaff* staff, int scoreStaffIndex = -1);
  void SetY(int y) { y_ = y; }
  void SetShownIndex(int i) { shownIndex_ = i; }

  // --- queries ---
  TMusicStaff* GetStaff() const { return staff_; }
  int GetScoreStaffIndex() const { return scoreIndex_; }
  int GetShownIndex() const { return shownIndex_; }
  TScoreDrawInfo* GetOwner() const { return owner_; }
  TMusicPrimitives& GetFonts() const;
  const TMusicScore* GetScore() const;
  int GetY() const { return y_; }
  bool IsEditView() const;
  bool IsActiveStaff() const;
  bool IsTopStaff() const { return shownIndex_ == 0; }
  TStaffDrawInfo* GetNeighbourStaff(int delta) const;
  TStaffBounds GetBounds() const;
  int PositionToY(int position) const;
  int YToPosition(int y) const;
  // The colour index the whole line is drawn in: the current line works it out from the staff's
  // own colour and the view; the earlier line's view sets it (SetColorIndex).
  int GetColor() const;
  void SetColorIndex(int color) { colorIndex_ = color; }

  int GetCellCount() const { return static_cast<int>(cells_.size()); }
  const TItemDrawInfo& Cell(int i) const { return cells_[static_cast<std::size_t>(i)]; }
  TItemDrawInfo& Cell(int i) { return cells_[static_cast<std::size_t>(i)]; }
  int GetCapacity() const { return capacity_; }
  int GetFirstItemIndex() const;
  int GetLastItemIndex() const;
  bool IsAtStaffEnd() const;
  bool IsItemLaidOut(int i) const { return FindCell(i) >= 0; }
  int SumWidths(int cell, int n) const;
  int GetCellX(int cell) const { return SumWidths(0, cell); }
  int FindCell(int i) const;
  int XToItemIndex(int x) const;
  int GetItemX(int i) const;
  int GetItemAnchorX(int i) const;
  long TickToIndex(long tick);
  long IndexToTick(int i);
  int GetNoteX(int cell, Justify justification) const;
  int GetLyricLinePos(int n) const;
  // The item a cell stands for: the staff's trailing sentinel for a line-end bar shown as the end
  // bar, item 0 for a lead cell.
  TNotatedItem* CellItem(int cell) const;
  // The head widths and the accidental column, as items measure themselves.
  int HeadWidth() const;
  // The clef in force for a key cell (the courtesy clef for a courtesy cell).
  int CellClef(int cell) const;
  // The first cell after the line's opening signatures: where a carried slur or tie starts.
  int FirstContentX() const;
  // The cell kind an item takes, by this line's numbering.
  static TCellKind CellKindOf(const TNotatedItem* item);
  // The kind both lines give clefs, keys, time signatures and bar lines; Unset for other items.
  static TCellKind SignatureOrBarKind(const TNotatedItem* item);

  // --- layout ---
  void LayoutView(long tick, int width);
  void LayoutLine(int start, int width);
  void WidenForLyrics();
  void CutAtTick(long tick);
  void TrimToLastBar();
  void CutToCells(int n);
  // The line cursor, kept between layouts so that a refresh walks only from where it stood.
  const TRelNtnIdx& Cursor() const { return cursor_; }

  // --- drawing ---
  // Draws into a target of the given width (device units) from x; y is the system's top.
  void Draw(int x, int y, int targetLeft, int targetRight);
  void DrawItem(int i, int x, int y, int color);
  // The earlier line's form: the syllable of the given lyric line (1-based) goes with the item.
  void DrawItem(int i, int lyricLine, int x, int y, int color);
  // Answers the slur's last note index so that the notes inside do not start it again.
  int DrawSlur(int cell, int lineX);
  void DrawTie(int cell, int lineX, int headPosition, bool out, int headX);
  void DrawGroup(int kind, int cell, int lineX, int targetLeft, int targetRight);
  // The cell being drawn and whether its stem belongs to a beam (drawn by DrawGroup).
  int DrawingCell() const { return drawingCell_; }

private:
  bool AppendCell(const TItemDrawInfo& cell);
  bool FillCell(int index, const TNotatedItem* item, int barCount, int syllables, bool songBefore);
  void AddGap(int cell);
  int PreviousShownCell(int cell) const;
  void ClearCells();
  // Answers a courtesy key to add after the line's own clef, or -1.
  int AddCourtesyCells(int start);
  void AddCourtesyCell(int i);
  void DrawLyrics(int x, int right);
  // The syllables of note cell c on every lyric line, the cell starting at cx.
  void DrawCellSyllables(int c, int cx);
  int SyllableLeft(int c, int cx, int w, bool centred, int headWidth) const;
  void DrawCellItem(int cell, int x, int color);
  int ItemColor(const TNotatedItem* item) const;
  void SyncLyricCursors();
  // Brings the line cursor up to the edits made since the last layout: counted again from the
  // top when items before it changed, its item read again when items from it on did.
  void SyncCursor();

  TScoreDrawInfo* owner_;
  int shownIndex_;
  int scoreIndex_ = -1;
  TMusicStaff* staff_ = nullptr;
  int y_ = 0;
  std::vector<TItemDrawInfo> cells_;
  int capacity_ = kFirstCapacity;
  TRelNtnIdx cursor_;
  unsigned cursorTouches_ = 0;
  TLyric lyrics_[kLyricCursors];
  int slurDrawnTo_ = -1;
  int drawingCell_ = -1;
  int colorIndex_ = 0;
};
