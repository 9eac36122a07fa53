// How clefs, key and time signatures, bar lines and special endings measure and draw themselves.
#include <algorithm>
#include <cstdio>
#include <string>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicPrimitives.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/StaffDrawInfo.h"
#include "QVKNTN/TimeSignatureData.h"

using namespace MusicGlyphs;

namespace {

// Staff positions of each letter's sharp and flat by clef (treble, bass, alto, tenor), A to G.
constexpr int kSharpPositions[4][7] = {
    {1, 0, -1, -2, -3, -4, -5},
    {3, 2, 1, 0, -1, -2, -3},
    {2, 1, 0, -1, -2, -3, -4},
    {0, -1, -2, -3, -4, 2, 1},
};
constexpr int kFlatPositions[4][7] = {
    {1, 0, -1, -2, -3, 3, 2},
    {3, 2, 1, 0, -1, 5, 4},
    {2, 1, 0, -1, -2, 4, 3},
    {0, -1, -2, -3, -4, 2, 1},
};
constexpr int kSharpOrder[7] = {ltF, ltC, ltG, ltD, ltA, ltE, ltB};
constexpr int kFlatOrder[7] = {ltB, ltE, ltA, ltD, ltG, ltC, ltF};

// Walks the glyphs of a key signature in drawing order; draw is null when only measuring.
// Answers the width.
int WalkKey(const TKeyData& key, int clef, bool courtesy, bool editView, TMusicPrimitives& fonts,
            int x, bool draw) {
  clef = std::clamp(clef, 0, 3);
  const int halfFlat = fonts.GetGlyphWidth(kFlat) / 2;
  int at = x;
  auto put = [&](int glyph, int position) {
    if (draw) fonts.DrawGlyph(glyph, at, position);
    at += fonts.GetGlyphWidth(glyph);
  };
  const int flats = key.GetFlatMask(), sharps = key.GetSharpMask();
  const int cancelFlats = courtesy ? 0 : key.GetCancelledFlats();
  const int cancelSharps = courtesy ? 0 : key.GetCancelledSharps();
  if (cancelSharps || cancelFlats) {
    for (int letter : kSharpOrder) {
      if (cancelSharps & (1 << letter)) put(kNatural, kSharpPositions[clef][letter]);
    }
    for (int letter : kFlatOrder) {
      if (cancelFlats & (1 << letter)) put(kNatural, kFlatPositions[clef][letter]);
    }
    at += halfFlat;
  }
  for (int letter : kFlatOrder) {
    if (flats & (1 << letter)) put(kFlat, kFlatPositions[clef][letter]);
  }
  if (flats && sharps) at += halfFlat;
  for (int letter : kSharpOrder) {
    if (sharps & (1 << letter)) put(kSharp, kSharpPositions[clef][letter]);
  }
  if (at == x && editView) {
    // An empty key shows where it stands, in the editing view only.
    const int old = fonts.GetColorIndex();
    if (draw) fonts.SelectColor(3);
    put(kNatural, kSharpPositions[clef][ltF]);
    if (draw) fonts.SelectColor(old);
  }
  return at - x;
}

bool IsBarCell(const TStaffDrawInfo& line, int cell) {
  return cell >= 0 && cell < line.GetCellCount() && line.Cell(cell).Kind() == TCellKind::Bar;
}

std::string EndingText(uint32_t mask) {
  std::string text = " ";
  char piece[16];
  for (int n = 0; n < 7; ++n) {
    if (!(mask & (1u << n))) continue;
    std::snprintf(piece, sizeof piece, "%u%c", n + 1u, '.');
    text += piece;
  }
  if (mask & 0x80) text += "D.";
  return text;
}

}  // namespace

// --- clef and time signature ----------------------------------------------------------------

int TClefData::GetWidth(const TStaffDrawInfo& line, int cell) const {
  return line.GetFonts().GetGlyphWidth(kTrebleClef);
}

void TClefData::Draw(TStaffDrawInfo& line, int cell, int x) const {
  line.GetFonts().DrawClef(x, GetClef(), GetOctaveShift());
}

int TTimeSignatureData::GetWidth(const TStaffDrawInfo& line, int cell) const {
  return line.GetFonts().GetTimeSigWidth(GetStyle(), GetBeats(), 1 << GetBeatCode());
}

void TTimeSignatureData::Draw(TStaffDrawInfo& line, int cell, int x) const {
  line.GetFonts().DrawTimeSig(GetStyle(), GetBeats(), 1 << GetBeatCode(), x);
}

// --- key signature --------------------------------------------------------------------------

int TKeyData::GetWidth(const TStaffDrawInfo& line, int cell) const {
  const bool courtesy = cell >= 0 && cell < line.GetCellCount() && line.Cell(cell).IsSubstitute();
  return WalkKey(*this, line.CellClef(cell), courtesy, line.IsEditView(), line.GetFonts(), 0, false);
}

void TKeyData::Draw(TStaffDrawInfo& line, int cell, int x) const {
  const bool courtesy = cell >= 0 && cell < line.GetCellCount() && line.Cell(cell).IsSubstitute();
  WalkKey(*this, line.CellClef(cell), courtesy, line.IsEditView(), line.GetFonts(), x, true);
}

// --- bar line -------------------------------------------------------------------------------

int TBarLineData::GetDrawType(const TStaffDrawInfo& line, int cell) const {
  const bool leading = cell >= 0 && cell < line.GetCellCount() && line.Cell(cell).itemIndex == 0 &&
                       (line.Cell(cell).Kind() == TCellKind::LineLead || !line.Cell(cell).IsSubstitute());
  if (leading) return line.GetOwner()->AnyOrchestral() ? blSectionOpen : blSingle;
  const int style = GetStyle();
  if (line.IsEditView() || !IsBarCell(line, cell - 1) || line.Cell(cell - 1).IsHidden()) return style;
  const auto* prev = static_cast<const TBarLineData*>(line.CellItem(cell - 1));
  const int before = prev ? prev->GetStyle() : blSingle;
  if (style == blSectionOpen && before == blSectionClose) return blDouble;
  if (style == blLocalRepeatOpen && before == blLocalRepeatClose) return kDotsOnly;
  if (style == blMasterRepeatOpen && before == blMasterRepeatClose) return blLocalRepeatOpen;
  return style;
}

int TBarLineData::GetWidth(const TStaffDrawInfo& line, int cell) const {
  return line.GetFonts().GetBarLineWidth(GetDrawType(line, cell));
}

void TBarLineData::Draw(TStaffDrawInfo& line, int cell, int x) const {
  TMusicPrimitives& fonts = line.GetFonts();
  const TMusicStaff* staff = line.GetStaff();
  const int n = staff->GetLineCount();
  const int reach = n < 2 ? 2 : n - 1;
  int y1 = fonts.PositionToY(-reach), y2 = fonts.PositionToY(reach);
  const int half = fonts.GetSpacing() / 2;
  const int style = staff->GetStyle();
  const bool lineStart = cell <= 1;
  auto orchestral = [](const TStaffDrawInfo* s) {
    return s && s->GetStaff() && s->GetStaff()->GetStyle() == TMusicStaff::kStyleOrchestral;
  };
  // A line's opening bar joins the whole system: it spans each staff's band.
  if (style == TMusicStaff::kStyleUpperGrand || lineStart ||
      (style == TMusicStaff::kStyleOrchestral && orchestral(line.GetNeighbourStaff(1)))) {
    y2 = fonts.GetYOrigin() + std::abs(staff->GetLowerSize()) * half;
  }
  if (style == TMusicStaff::kStyleLowerGrand || lineStart ||
      (style == TMusicStaff::kStyleOrchestral && orchestral(line.GetNeighbourStaff(-1)))) {
    y1 = fonts.GetYOrigin() - std::abs(staff->GetUpperSize()) * half;
  }
  const int type = GetDrawType(line, cell);
  fonts.DrawBarLine(x, type, y1, y2);
  const int width = fonts.GetBarLineWidth(type);
  // An orchestral group's line-start bracket ends in hooks at the outer lines of its top and
  // bottom staves, turned outwards.
  if (lineStart && style == TMusicStaff::kStyleOrchestral) {
    const int top = fonts.PositionToY(-reach), bottom = fonts.PositionToY(reach);
    const int s = fonts.GetSpacing();
    if (!orchestral(line.GetNeighbourStaff(-1))) fonts.DrawThickLine(x, top, x + s, top - s / 2);
    if (!orchestral(line.GetNeighbourStaff(1))) fonts.DrawThickLine(x, bottom, x + s, bottom + s / 2);
  }

  const TMusicScore* score = line.GetScore();
  const int ordinal = IsBarCell(line, cell) ? line.Cell(cell).ordinal : 0;
  if (line.IsTopStaff() && score && score->GetMeasureNumberStyle() > 0 && ordinal > 0 &&
      (lineStart || (line.IsEditView() && GetStyle() != blLocalRepeatClose))) {
    int position = n < 2 ? -7 : (n == 5 ? -9 : -(n - 1) - 5);
    if (lineStart && orchestral(&line)) position -= 2;
    fonts.DrawBoxedNumber(x, position, score->GetMeasureNumberStyle(), ordinal + score->GetMeasureStart() - 1);
  }
  if (GetStyle() == blLocalRepeatClose && (line.IsTopStaff() || line.IsEditView())) {
    char text[16];
    std::snprintf(text, sizeof text, "(%u)", static_cast<unsigned>(GetRepeatCount()));
    const int old = fonts.GetColorIndex();
    if (!line.IsTopStaff()) fonts.SelectColor(3);
    const int w = fonts.GetBoldTextWidth(text);
    const bool right = style == TMusicStaff::kStyleLowerGrand || (style == TMusicStaff::kStyleOrchestral && !line.IsTopStaff());
    fonts.DrawBoldText(right ? x + width - w : x + (width - w) / 2, -8, text);
    fonts.SelectColor(old);
  }
  if (HasSystemBreak() && line.IsEditView() && line.IsTopStaff()) {
    const int old = fonts.GetColorIndex();
    fonts.SelectColor(3);
    fonts.DrawBoldText(x + width, -6, "\xB6");
    fonts.SelectColor(old);
  }
}

// --- special ending -------------------------------------------------------------------------

std::string TSpecialEnding::GetText() const { return EndingText(fMask); }

int TSpecialEnding::GetWidth(const TStaffDrawInfo& line, int cell) const {
  return line.GetFonts().GetBoldTextWidth(line.IsEditView() ? GetText().c_str() : "1");
}

void TSpecialEnding::Draw(TStaffDrawInfo& line, int cell, int x) const {
  TMusicPrimitives& fonts = line.GetFonts();
  const int upper = line.GetStaff()->GetUpperSize();
  fonts.DrawBoldText(x, upper + 3, GetText().c_str());
  int end = x + fonts.GetBoldTextWidth(GetText().c_str());
  for (int c = cell + 1, cx = x + line.Cell(cell).width; c < line.GetCellCount(); ++c) {
    if (line.Cell(c).Kind() == TCellKind::Bar) {
      end = std::max(end, cx);
      break;
    }
    cx += line.Cell(c).width;
  }
  const int top = fonts.PositionToY(upper + 1);
  fonts.DrawLine(x, top, end, top);
  fonts.DrawLine(x, top, x, fonts.PositionToY(upper + 5));
}
