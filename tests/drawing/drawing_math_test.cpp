// The drawing arithmetic on its own: spacing, derived sizes, stems, leger lines, beams, arcs, bar
// widths and tempo-label text, with the numbers a screen and a 600 dpi printer give.
#include <gtest/gtest.h>

#include <vector>

#include "QVKNTN/MusicDrawingMath.h"
#include "QVKNTN/MusicGlyphs.h"

namespace M = MusicDrawingMath;

TEST(DrawingMath, MulDivRoundsHalfAwayFromZeroAndRefusesNothingToDivideBy) {
  EXPECT_EQ(M::MulDiv(600, 16, 288), 33);
  EXPECT_EQ(M::MulDiv(5, 3, 2), 8);     // 7.5
  EXPECT_EQ(M::MulDiv(-5, 3, 2), -8);
  EXPECT_EQ(M::MulDiv(5, 3, -2), -8);
  EXPECT_EQ(M::MulDiv(1, 1, 0), -1);
  EXPECT_EQ(M::MulDiv(0x7FFFFFFF, 4, 1), -1);
}

TEST(DrawingMath, SpacingIsEvenAndAtLeastTwo) {
  struct {
    int size, spacing;
  } screen[] = {{7, 8}, {1, 2}, {0, 2}, {-5, 2}, {16, 16}, {17, 18}};
  for (auto c : screen) EXPECT_EQ(M::ScreenSpacing(c.size), c.spacing) << c.size;
  EXPECT_EQ(M::DeviceSpacing(600, 16), 34);  // 33 made even
  EXPECT_EQ(M::DeviceSpacing(96, 16), 6);    // 5.33 -> 5 -> 6
  EXPECT_EQ(M::DeviceSpacing(300, 16), 18);  // 16.67 rounds to 17, made even
}

TEST(DrawingMath, DerivedSizes) {
  for (int s = 2; s <= 11; ++s) EXPECT_EQ(M::PenThickness(s), 1) << s;
  for (int s = 12; s <= 23; ++s) EXPECT_EQ(M::PenThickness(s), 2) << s;
  EXPECT_EQ(M::PenThickness(34), 3);
  EXPECT_EQ(M::MusicFontHeight(34), -170);
  // Staff Italic at base 16 is 10 points: 10/16 of four spacings.
  EXPECT_EQ(M::TextFontHeight(10, 34, 16), -85);
  EXPECT_EQ(M::TextFontHeight(-10, 34, 16), -85);
  EXPECT_EQ(M::LyricLineHeight(7, 16), 4);  // 3.5 rounds away from zero
}

TEST(DrawingMath, PositionsTruncateTowardZero) {
  EXPECT_EQ(M::PositionToY(100, 4, 8), 116);
  EXPECT_EQ(M::PositionToY(100, -3, 8), 88);
  EXPECT_EQ(M::PositionToY(0, -3, 3), -4);  // -4.5 truncates to -4
  EXPECT_EQ(M::PositionToY(0, 3, 3), 4);
}

TEST(DrawingMath, StemsReachTheMiddleLineAndStandAtTheHeadEdges) {
  EXPECT_EQ(M::StemLength(false, 0), 7);
  EXPECT_EQ(M::StemLength(false, 3), 11);
  EXPECT_EQ(M::StemLength(true, 0), 4);
  EXPECT_EQ(M::StemLength(true, 2), 5);
  EXPECT_EQ(M::UpStemEnd(4, 7), -3);
  EXPECT_EQ(M::UpStemEnd(12, 7), 0) << "a low note's up stem reaches the middle line";
  EXPECT_EQ(M::DownStemEnd(-4, 7), 3);
  EXPECT_EQ(M::DownStemEnd(-12, 7), 0);
  EXPECT_EQ(M::UpStemX(100, 12, 1), 111);
  EXPECT_EQ(M::UpStemX(100, 40, 3), 139);
  EXPECT_EQ(M::UpStemX(100, 40, 4), 138);
  EXPECT_EQ(M::DownStemX(100, 3), 100);
  EXPECT_EQ(M::DownStemX(100, 4), 101);
}

TEST(DrawingMath, LegerLines) {
  struct {
    int position;
    std::vector<int> lines;
  } cases[] = {
      {5, {}}, {-5, {}}, {6, {6}}, {7, {6}}, {10, {6, 8, 10}}, {-9, {-6, -8}}, {0, {}},
  };
  for (const auto& c : cases) {
    int out[16];
    int n = M::LegerLinePositions(c.position, out, 16);
    EXPECT_EQ(std::vector<int>(out, out + n), c.lines) << c.position;
  }
  int small[2];
  EXPECT_EQ(M::LegerLinePositions(40, small, 2), 2) << "never more lines than there is room for";
}

TEST(DrawingMath, BeamBands) {
  auto b = M::BeamOffsets(0, 1, false, 12);
  EXPECT_EQ(b.from, 1);
  EXPECT_EQ(b.to, 6);
  b = M::BeamOffsets(1, -1, false, 12);
  EXPECT_EQ(b.from, -13);
  EXPECT_EQ(b.to, -18);
  b = M::BeamOffsets(1, 1, true, 12);  // grace: pitch 6, thickness 3
  EXPECT_EQ(b.from, 7);
  EXPECT_EQ(b.to, 9);
  b = M::BeamOffsets(0, 1, true, 2);  // thickness at least 1
  EXPECT_EQ(b.from, 1);
  EXPECT_EQ(b.to, 1);
}

TEST(DrawingMath, ArcsRiseWithTheirSpan) {
  const int h = 12, s = 12;
  int base = M::ArcHeight(4 * h, h, s);
  EXPECT_EQ(M::ArcHeight(5 * h, h, s), base * 4 / 3);
  EXPECT_EQ(M::ArcHeight(10 * h, h, s), base * 3 / 2);
  EXPECT_EQ(M::ArcHeight(15 * h, h, s), base * 11 / 6);
  EXPECT_EQ(M::ArcHeight(15 * h, 0, s), base) << "no head width: the plain height";
}

TEST(DrawingMath, BarLineWidths) {
  const int s = 12, p = 2, dots = 6;
  struct {
    int type, width;
  } cases[] = {{0, 2}, {1, 8}, {2, 14}, {3, 14}, {4, 18}, {5, 18},
               {6, 24}, {7, 24}, {9, 10}, {10, 24}, {8, 2}, {-1, 2}};
  for (auto c : cases) EXPECT_EQ(M::BarLineWidth(c.type, s, p, dots), c.width) << c.type;
}

TEST(DrawingMath, TempoLabelText) {
  auto t = M::MakeTempoLabelText("Allegro", 3, 120);
  EXPECT_EQ(t.before, "Allegro (");
  EXPECT_EQ(t.glyph, MusicGlyphs::kTempoQuarter);
  EXPECT_EQ(t.after, ".=120)");
  t = M::MakeTempoLabelText("", 4, 60);
  EXPECT_EQ(t.before, "");
  EXPECT_EQ(t.glyph, MusicGlyphs::kTempoHalf);
  EXPECT_EQ(t.after, "=60");
  t = M::MakeTempoLabelText(nullptr, 0, 96);
  EXPECT_EQ(t.glyph, MusicGlyphs::kTempoEighth);
  EXPECT_EQ(t.after, "=96");
  t = M::MakeTempoLabelText(nullptr, 9, 96);
  EXPECT_EQ(t.glyph, MusicGlyphs::kTempoQuarter) << "an unknown base draws a quarter";
}

TEST(DrawingMath, GlyphTable) {
  EXPECT_EQ(MusicGlyphs::GlyphChar(1), 'a');
  EXPECT_EQ(MusicGlyphs::GlyphChar(6), 'k');
  EXPECT_EQ(MusicGlyphs::GlyphChar(42), 'P');
  EXPECT_EQ(MusicGlyphs::GlyphChar(0), '\0');
  EXPECT_EQ(MusicGlyphs::GlyphChar(43), '\0');
  const int s = 12, p = 2;
  struct {
    int glyph, nudge;
  } nudges[] = {{11, 24}, {12, -3}, {35, -3}, {36, -3}, {37, -3}, {13, 1}, {20, 8},
                {22, 8},  {26, 12}, {42, 12}, {10, 0},  {6, 0},   {41, 0}};
  for (auto n : nudges) EXPECT_EQ(MusicGlyphs::GlyphNudge(n.glyph, s, p), n.nudge) << n.glyph;
  int accidentals[] = {8, 7, 9, 33, 34, 43, 43, 43};
  for (int code = 0; code < 7; ++code)
    EXPECT_EQ(MusicGlyphs::AccidentalGlyph(code), accidentals[code]) << code;
  EXPECT_EQ(MusicGlyphs::AccidentalGlyph(-1), MusicGlyphs::kNoGlyph);
}
