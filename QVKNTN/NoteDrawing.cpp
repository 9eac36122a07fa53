// How notes, chords and rests measure and draw themselves in a staff line.
#include <algorithm>
#include "QVKNTN/EditorLine.h"
#include <climits>
#include <cstdlib>

#include "QVKNTN/ChordData.h"
#include "QVKNTN/MusicDrawingMath.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicPrimitives.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/StaffDrawInfo.h"

namespace M = MusicDrawingMath;
using namespace MusicGlyphs;

namespace {

int HeadGlyph(const TSongNote& note) {
  if (note.IsGrace()) return kGraceHead;
  switch (note.GetDrawClass()) {
    case 0: return kWholeHead;
    case 1: return kHalfHead;
    default: return kFilledHead;
  }
}

// The accidental columns of the cell (aligned across the staves), or the item's own.
int AccidentalColumns(const TSongNote& note, const TStaffDrawInfo& line, int cell) {
  if (cell >= 0 && cell < line.GetCellCount()) return line.Cell(cell).accidentalColumns;
  return note.GetAccidentalSpace();
}

bool IsFlagged(const TMusicNote& note) { return note.HasStem() && note.GetFlagCount() > 0; }

// A dot sits in a space: a head on a line puts it one position up.
int DotPosition(int position) { return (position & 1) ? position : position - 1; }

}  // namespace

// --- measuring ------------------------------------------------------------------------------

int TSongNote::GetWidth(const TStaffDrawInfo& line, int cell) const {
  return 2 * line.HeadWidth();
}

int TSongNote::GetHeadOffset(const TStaffDrawInfo& line, int cell) const {
  return AccidentalColumns(*this, line, cell) * line.GetFonts().GetAccidentalWidth() +
         GetExtraNoteSpace() * line.HeadWidth();
}

int TSongNote::GetTrailingSpace(const TStaffDrawInfo& line, int cell) const {
  const int h = line.HeadWidth();
  const int d = line.GetFonts().GetGlyphWidth(kDot);
  int u = IsGrace() ? 0 : h;
  int dots = 0;
  if (HasAttribute(naDotted)) {
    u = 3 * u / 2;
    dots += 3 * d / 2;
  }
  if (HasAttribute(naDoubleDotted)) dots += 3 * d;
  const TMusicScore* score = line.GetScore();
  if (!score || !score->GetDurationSpacing()) return u + dots;
  if (GetTripletState() != 0) u = 2 * u / 3;
  int durationClass = GetDrawClass();
  if (const auto* rest = const_cast<TSongNote*>(this)->AsRest(); rest && rest->HasExplicitLength()) {
    const long quarters = rest->GetExplicitLength() / kTicksPerQuarter;
    durationClass = quarters >= 4 ? 0 : quarters >= 2 ? 1 : quarters >= 1 ? 2 : 3;
  }
  static constexpr int kUnits[] = {8, 4, 1};
  const int more = durationClass < 3 ? kUnits[durationClass] * u : 0;
  return u + dots + more;
}

int TMusicNote::GetWidth(const TStaffDrawInfo& line, int cell) const {
  if (!line.IsEditView() && cell >= 0 && cell < line.GetCellCount() && line.Cell(cell).IsHidden()) return 0;
  const int h = line.HeadWidth();
  const int head = GetHeadOffset(line, cell);
  if (GetStemSign() > 0) return head + h - 1;
  return GetExtraHeadColumns() == 0 ? head : head + h;
}

int TMusicNote::GetTrailingSpace(const TStaffDrawInfo& line, int cell) const {
  int space = line.HeadWidth() + TSongNote::GetTrailingSpace(line, cell);
  if (GetStemSign() > 0 && IsFlagged(*this)) {
    space += line.GetFonts().GetGlyphWidth(IsGrace() ? kGraceFlagUpStem : kFlagUpStem);
  }
  return space;
}

int TChordData::GetExtraHeadColumns() const {
  for (const TMusicNote* head : fNotes) {
    if (head->IsHeadFlipped()) return 1;
  }
  return 0;
}

int TChordData::GetWidth(const TStaffDrawInfo& line, int cell) const {
  return GetHeadOffset(line, cell) + line.HeadWidth() * (GetExtraHeadColumns() + 1);
}

int TRestNote::GetWidth(const TStaffDrawInfo& line, int cell) const {
  return GetHeadOffset(line, cell) + line.GetFonts().GetGlyphWidth(kWholeRest + GetDrawClass());
}

int TRestNote::GetTrailingSpace(const TStaffDrawInfo& line, int cell) const {
  const int spacing = TSongNote::GetTrailingSpace(line, cell);
  return IsGrace() ? spacing : spacing + line.HeadWidth();
}

// --- drawing --------------------------------------------------------------------------------

void TMusicNote::DrawHead(TStaffDrawInfo& line, int cell, int lineX, int accX, int headX, bool dotShift) const {
  TMusicPrimitives& fonts = line.GetFonts();
  const int h = line.HeadWidth();
  const int p = GetPosition();
  if (GetAccidental() != acNone) {
    // The music font's sharp is wider than an accidental column: an accidental never reaches
    // into its head.
    accX = std::min(accX, headX - fonts.GetGlyphWidth(AccidentalGlyph(GetAccidental())) - 1);
    if (!HasAttribute(naTieIn)) {
      fonts.DrawGlyph(AccidentalGlyph(GetAccidental()), accX, p);
    } else if (!kEarlierLine && line.IsEditView()) {
      // The earlier line shows no accidental on a tied-in note, not even a grey one.
      const int old = fonts.GetColorIndex();
      fonts.SelectColor(3);
      fonts.DrawGlyph(AccidentalGlyph(GetAccidental()), accX, p);
      fonts.SelectColor(old);
    }
  }
  if (HasAttribute(naTieIn)) line.DrawTie(cell, lineX, p, false, headX);
  if (!HasNoLegerLines()) fonts.DrawLegerLines(headX - h / 4 - 1, p, h + 2 * (h / 4) + 2);
  fonts.DrawGlyph(HeadGlyph(*this), headX, p);
  if (HasAttribute(naTieOut)) line.DrawTie(cell, lineX, p, true, headX);
  if (HasAttribute(naDotted) || HasAttribute(naDoubleDotted)) {
    const int d = fonts.GetGlyphWidth(kDot);
    const int dotX = headX + h + 6 * d / 10 + 1 + (dotShift ? h : 0);
    fonts.DrawGlyph(kDot, dotX, DotPosition(p));
    if (HasAttribute(naDoubleDotted)) fonts.DrawGlyph(kDot, dotX + 2 * d + 1, DotPosition(p));
  }
}

void TMusicNote::DrawArticulations(TStaffDrawInfo& line, int headX, int position, int stemSign) const {
  TMusicPrimitives& fonts = line.GetFonts();
  const int h = line.HeadWidth();
  const int away = stemSign > 0 ? 1 : -1;  // an up stem leaves the space below the head
  int p = position + away * (stemSign > 0 ? 3 : 2);
  auto centred = [&](int glyph) { return headX + (h - fonts.GetGlyphWidth(glyph)) / 2; };
  if (HasAttribute(naStaccato)) {
    fonts.DrawGlyph(kDot, centred(kDot), p);
    p += 2 * away;
  } else if (HasAttribute(naTenuto)) {
    fonts.DrawGlyph(kTenuto, centred(kTenuto), p);
    p += 2 * away;
  }
  if (HasAttribute(naAccent)) fonts.DrawGlyph(kAccent, centred(kAccent), p);
}

void TMusicNote::Draw(TStaffDrawInfo& line, int cell, int x) const {
  TMusicPrimitives& fonts = line.GetFonts();
  const int headX = x + GetHeadOffset(line, cell);
  DrawHead(line, cell, x - line.GetCellX(cell), x, headX, false);
  if (HasStem()) {
    if (GetStemSign() > 0) {
      fonts.DrawStemUp(headX, GetPosition(), IsGrace(), GetFlagCount(), nullptr);
    } else {
      fonts.DrawStemDown(headX, GetPosition(), IsGrace(), GetFlagCount(), nullptr);
    }
  }
  if (!HasAttribute(naChordMember)) DrawArticulations(line, headX, GetPosition(), GetStemSign());
}

void TChordData::Draw(TStaffDrawInfo& line, int cell, int x) const {
  if (fNotes.empty()) return;
  TMusicPrimitives& fonts = line.GetFonts();
  const int h = line.HeadWidth();
  const int a = fonts.GetAccidentalWidth();
  const int headX = x + GetHeadOffset(line, cell);
  const int sign = GetStemSign();

  // Accidentals close together step leftward, column by column.
  int prevPosition = INT_MIN, column = 0;
  for (std::size_t i = 0; i < fNotes.size(); ++i) {
    const TMusicNote* head = fNotes[i];
    const int p = head->GetPosition();
    if (head->GetAccidental() != acNone) {
      if (prevPosition != INT_MIN && p != prevPosition) {
        column = std::abs(p - prevPosition) >= 6 ? 0 : column + 1;
      }
      prevPosition = p;
    }
    const int step = std::max(a, fonts.GetGlyphWidth(kSharp) + 1);
    const int accX = headX - (column + 1) * step;
    const bool flipped = head->IsHeadFlipped();
    const bool neighbour = (i > 0 && std::abs(fNotes[i - 1]->GetPosition() - p) == 1) ||
                           (i + 1 < fNotes.size() && std::abs(fNotes[i + 1]->GetPosition() - p) == 1);
    head->DrawHead(line, cell, x - line.GetCellX(cell), accX, headX + (flipped ? h : 0), neighbour && !flipped && GetExtraHeadColumns());
  }

  const bool beamed = GetBeamState() != 0;
  if (!beamed && GetDrawClass() != 0) {
    const bool grace = IsGrace();
    const int low = fNotes.front()->GetPosition();   // the lowest head
    const int high = fNotes.back()->GetPosition();   // the highest head
    if (HasSplitStems()) {
      // The heads from the first with a down stem code form the down part.
      std::size_t split = 0;
      while (split < fNotes.size() && fNotes[split]->GetStemCode() != stDown) ++split;
      if (split > 0) {
        int end = fonts.PositionToY(M::UpStemEnd(fNotes[split - 1]->GetPosition(),
                                                 M::StemLength(grace, fNotes[0]->GetFlagCount())));
        fonts.DrawStemUp(headX, low, grace, fNotes[0]->GetFlagCount(), &end);
      }
      if (split < fNotes.size()) {
        int end = fonts.PositionToY(M::DownStemEnd(fNotes[split]->GetPosition(),
                                                   M::StemLength(grace, fNotes.back()->GetFlagCount())));
        fonts.DrawStemDown(headX, high, grace, fNotes.back()->GetFlagCount(), &end);
      }
    } else if (sign > 0) {
      int end = fonts.PositionToY(M::UpStemEnd(high, M::StemLength(grace, GetFlagCount())));
      fonts.DrawStemUp(headX, low, grace, GetFlagCount(), &end);
    } else {
      int end = fonts.PositionToY(M::DownStemEnd(low, M::StemLength(grace, GetFlagCount())));
      fonts.DrawStemDown(headX + (GetExtraHeadColumns() ? h : 0), high, grace, GetFlagCount(), &end);
    }
  }
  DrawArticulations(line, headX, sign > 0 ? fNotes.front()->GetPosition() : fNotes.back()->GetPosition(), sign);
}

void TRestNote::DrawRest(TStaffDrawInfo& line, int cell, int x, const TMusicNote* part) const {
  TMusicPrimitives& fonts = line.GetFonts();
  static constexpr int kRestPositions[] = {-2, 0, 0, -1, 1, 1, 3};
  const int cls = GetDrawClass();
  int p = kRestPositions[cls] + GetVerticalOffset();
  if (part) {
    if (GetStemSign() < 0) {
      TMusicNote* first = const_cast<TMusicNote*>(part)->GetFirstNote();
      const int head = first ? first->GetPosition() : 0;
      if (head >= -4) p = head + (cls == 1 ? 1 : 0) + (cls >= 5 ? 2 : 0) + 5;
    } else {
      TMusicNote* last = const_cast<TMusicNote*>(part)->GetLastNote();
      const int head = last ? last->GetPosition() : 0;
      if (head - p <= 4) p = head - 5;
    }
  }
  int restX = x + GetHeadOffset(line, cell);
  const int glyph = kWholeRest + cls;
  if (HasExplicitLength() && !line.IsEditView()) {
    // A whole-bar rest stands in the middle of its bar.
    int open = cell, close = cell;
    while (open > 0 && line.Cell(open).Kind() != TCellKind::Bar) --open;
    while (close + 1 < line.GetCellCount() && line.Cell(close).Kind() != TCellKind::Bar) ++close;
    const int from = x - line.GetCellX(cell) + line.GetCellX(open);
    const int to = x - line.GetCellX(cell) + line.GetCellX(close);
    restX = (from + to) / 2 - fonts.GetGlyphWidth(kWholeRest) / 2;
  }
  const int w = fonts.DrawGlyph(glyph, restX, p);
  if (HasAttribute(naDotted) || HasAttribute(naDoubleDotted)) {
    const int d = fonts.GetGlyphWidth(kDot);
    const int first = restX + w + 35 * d / 100;
    fonts.DrawGlyph(kDot, first, DotPosition(p));
    if (HasAttribute(naDoubleDotted)) fonts.DrawGlyph(kDot, first + 125 * d / 100 + 1, DotPosition(p));
  }
}

void TRestNote::Draw(TStaffDrawInfo& line, int cell, int x) const { DrawRest(line, cell, x, nullptr); }

void TRestChord::Draw(TStaffDrawInfo& line, int cell, int x) const {
  DrawRest(line, cell, x, fPart);
  if (fPart) fPart->Draw(line, cell, x);
}
