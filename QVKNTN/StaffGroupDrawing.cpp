// The marks of a staff line that join several items: slurs and ties. Beams and triplet brackets
// are drawn by each line's own group rules (StaffBeamGroup.cpp).
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#include "QVKNTN/MusicDrawingMath.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicPrimitives.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffDrawInfo.h"
#include "QVKNTN/StaffRange.h"

namespace M = MusicDrawingMath;

namespace {

// The x at which a cell's head stands, or the line's end when the item lies past the line.
struct HeadAt {
  int x;
  bool inLine;
};

}  // namespace

int TStaffDrawInfo::DrawSlur(int cell, int lineX) {
  const int index = Cell(cell).itemIndex;
  TSimpleNtnIdx first(staff_, index), last(staff_, index);
  if (!first.FindSlurEnd(-1)) first.SetIndex(index);
  if (!last.FindSlurEnd(1)) return index;
  const auto* start = NtnAsSongNote(first.Current());
  if (!start) return last.GetIndex();
  const int direction = start->IsSlurDown() ? 1 : -1;
  const TStaffRange range(staff_, first.GetIndex(), last.GetIndex());
  const int extent = range.GetStemExtent(-direction);
  TMusicPrimitives& fonts = GetFonts();
  const int h = HeadWidth();

  const int firstCell = FindCell(first.GetIndex());
  int x1;
  if (firstCell >= 0) {
    const auto* note = NtnAsSongNote(CellItem(firstCell));
    x1 = lineX + GetCellX(firstCell) + (note ? note->GetHeadOffset(*this, firstCell) : 0) + h / 2;
  } else {
    x1 = lineX + FirstContentX();
  }
  const int lastCell = FindCell(last.GetIndex());
  int x2;
  if (lastCell >= 0) {
    const auto* note = NtnAsSongNote(CellItem(lastCell));
    x2 = lineX + GetCellX(lastCell) + (note ? note->GetHeadOffset(*this, lastCell) : 0) + h / 2;
  } else {
    x2 = lineX + SumWidths(0, GetCellCount());
  }
  const bool hiddenStart = firstCell >= 0 && Cell(firstCell).IsHidden();
  if (hiddenStart && !IsEditView()) return last.GetIndex();
  const int old = fonts.GetColorIndex();
  if (hiddenStart) fonts.SelectColor(3);
  fonts.DrawSlurArc(x1, std::max(x2, x1 + h), fonts.PositionToY(extent), direction);
  fonts.SelectColor(old);
  return last.GetIndex();
}

void TStaffDrawInfo::DrawTie(int cell, int lineX, int headPosition, bool out, int headX) {
  TMusicPrimitives& fonts = GetFonts();
  const int h = HeadWidth();
  const int index = Cell(cell).itemIndex;
  const TMusicNote* head = NtnAsNoteOrChord(CellItem(cell)) ? CellItem(cell)->FindNoteAtPosition(headPosition) : nullptr;
  const int direction = head && head->IsTieDown() ? 1 : -1;
  const int y = fonts.PositionToY(headPosition + direction);
  TSimpleNtnIdx walk(staff_, index);
  if (out) {
    int x2 = lineX + SumWidths(0, GetCellCount());
    if (walk.FindTieTarget(headPosition, 1)) {
      const int target = FindCell(walk.GetIndex());
      if (target >= 0) {
        const auto* note = NtnAsSongNote(CellItem(target));
        x2 = lineX + GetCellX(target) + (note ? note->GetHeadOffset(*this, target) : 0);
      }
    }
    fonts.DrawTieArc(headX + h, std::max(x2, headX + h + 1), y, direction);
    return;
  }
  // A tie coming in: the source draws it when it lies in this line.
  if (walk.FindTieTarget(headPosition, -1) && FindCell(walk.GetIndex()) >= 0) return;
  const int x1 = lineX + FirstContentX();
  fonts.DrawTieArc(std::min(x1, headX - 2 * h), headX, y, direction);
}
