// The drawing primitives on a recording device: every glyph, line, curve and text they hand out,
// with its place worked out here from the drawing rules, at the spacing of a screen staff size of
// 16 (pen 2), of a 600 dpi printer (34, pen 3) and of a large zoom (48, pen 5). The device's
// glyph and text measures are made up, distinct per glyph, digit and font, so that a wrong glyph or
// font shows in the numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "QVKNTN/MusicDrawingMath.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicPrimitives.h"
#include "tests/drawing/BarLineCases.h"
#include "tests/drawing/RecordingPrimitives.h"

namespace {

using namespace MusicGlyphs;
namespace M = MusicDrawingMath;

constexpr int kOrigin = kRecordingOrigin;

class MusicPrimitivesTest : public ::testing::TestWithParam<int> {
protected:
  MusicPrimitivesTest() : f_(GetParam()), s_(GetParam()), p_(f_.GetPenThickness()) {}
  int Y(int position) const { return kOrigin + position * s_ / 2; }
  int W(int glyph) const { return f_.GetGlyphWidth(glyph); }
  static std::string Ch(int glyph) { return std::string(1, GlyphChar(glyph)); }

  RecordingPrimitives f_;
  int s_, p_;
};

TEST_P(MusicPrimitivesTest, SizesFollowTheSpacing) {
  EXPECT_EQ(p_, s_ / 12 + 1);
  EXPECT_EQ(f_.GetAccidentalWidth(), W(kDoubleSharp) * 5 / 4);
  EXPECT_EQ(W(0), RecordingPrimitives::GlyphWidthAt(s_, 0));
  EXPECT_EQ(W(42), RecordingPrimitives::GlyphWidthAt(s_, 42));
  EXPECT_EQ(W(kNoGlyph), 0);
  EXPECT_EQ(W(-1), 0);
  EXPECT_EQ(f_.PositionToY(-3), kOrigin - 3 * s_ / 2);
}

TEST_P(MusicPrimitivesTest, GlyphsStandOnTheirPositionsWithTheirNudges) {
  struct Case {
    int glyph, position, nudge;
  } cases[] = {
      {kFilledHead, 3, 0},           {kFlagUpStem, -4, 2 * s_},     {kDot, 1, -(s_ / 4)},
      {kWholeRest, -2, p_ / 3 + 1},  {kTempoQuarter, -9, 2 * s_ / 3}, {kSegno, -8, s_},
      {kGraceFlagUpStem, -3, s_},    {kAccent + 1, 5, -(s_ / 4)},   {kTenuto, -6, -(s_ / 4)},
      {kGraceHead, -1, 0},           {kFlagDownStem, 7, 0},         {0, 0, 0},
  };
  int x = 20;
  for (const Case& c : cases) EXPECT_EQ(f_.DrawGlyph(c.glyph, x += 40, c.position), W(c.glyph));
  EXPECT_EQ(f_.DrawGlyph(kNoGlyph, 0, 0), 0) << "no glyph draws nothing";
  EXPECT_EQ(f_.DrawGlyph(-1, 0, 0), 0);
  ASSERT_EQ(f_.drawn.size(), std::size(cases));
  x = 20;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE("glyph " + std::to_string(c.glyph));
    const Drawn& d = f_.drawn[i];
    EXPECT_EQ(d.kind, Drawn::kMusic);
    EXPECT_EQ(d.text, std::string(1, GlyphChar(c.glyph)));  // glyph 0 is the byte 0
    EXPECT_EQ(d.x, x += 40);
    EXPECT_EQ(d.y, Y(c.position) + c.nudge);
  }
}

TEST_P(MusicPrimitivesTest, ClefsAndOctaveSigns) {
  struct Case {
    int clef, glyph, position, up, down;
  } cases[] = {{0, kTrebleClef, 4, -8, 9}, {1, kBassClef, 4, -6, 4}, {2, kCClef, 4, -6, 6}, {3, kCClef, 2, -8, 4}};
  for (const Case& c : cases) {
    for (int shift : {0, 1, 2}) {
      SCOPED_TRACE("clef " + std::to_string(c.clef) + " shift " + std::to_string(shift));
      f_.drawn.clear();
      EXPECT_EQ(f_.DrawClef(100, c.clef, shift), W(c.glyph));
      ASSERT_EQ(f_.drawn.size(), shift ? 2u : 1u);
      EXPECT_EQ(f_.drawn[0].text, Ch(c.glyph));
      EXPECT_EQ(f_.drawn[0].x, 100);
      EXPECT_EQ(f_.drawn[0].y, Y(c.position));
      if (!shift) continue;
      EXPECT_EQ(f_.drawn[1].text, Ch(kClefOctave));
      EXPECT_EQ(f_.drawn[1].x, 100 + (W(c.glyph) - W(kClefOctave)) / 2) << "centred over the clef";
      EXPECT_EQ(f_.drawn[1].y, Y(shift == 1 ? c.up : c.down));
    }
  }
}

TEST_P(MusicPrimitivesTest, TimeSignatures) {
  auto digits = [&](const char* n) {
    int w = 0;
    for (const char* p = n; *p; ++p) w += RecordingPrimitives::DigitWidth(s_, *p);
    return w;
  };
  EXPECT_EQ(f_.GetTimeSigWidth(1, 4, 4), W(kCommonTime));
  EXPECT_EQ(f_.GetTimeSigWidth(2, 2, 2), W(kCommonTime));
  EXPECT_EQ(f_.GetTimeSigWidth(0, 12, 8), digits("12"));
  EXPECT_EQ(f_.GetTimeSigWidth(0, 3, 16), digits("16")) << "the wider of the two numbers";
  f_.DrawTimeSig(0, 12, 8, 50);
  f_.DrawTimeSig(0, 3, 16, 100);
  f_.DrawTimeSig(1, 4, 4, 150);
  f_.DrawTimeSig(2, 2, 2, 250);
  const auto& d = f_.drawn;
  ASSERT_EQ(d.size(), 6u);
  EXPECT_EQ(d[0].text, "12");
  EXPECT_EQ(d[0].x, 50);
  EXPECT_EQ(d[0].y, kOrigin);
  EXPECT_EQ(d[1].text, "8");
  EXPECT_EQ(d[1].x, 50 + (digits("12") - digits("8")) / 2);
  EXPECT_EQ(d[1].y, kOrigin + 2 * s_);
  EXPECT_EQ(d[2].x, 100 + (digits("16") - digits("3")) / 2);
  EXPECT_EQ(d[3].x, 100);
  EXPECT_EQ(d[4].text, Ch(kCommonTime));
  EXPECT_EQ(d[4].y, Y(2));
  EXPECT_EQ(d[5].text, Ch(kCutTime));
  EXPECT_EQ(d[5].y, Y(2));
}

TEST_P(MusicPrimitivesTest, LegerLinesFromThreeSpacingsOut) {
  struct {
    int position;
    std::vector<int> lines;
  } cases[] = {{5, {}}, {-5, {}}, {7, {6}}, {10, {6, 8, 10}}, {-7, {-6}}, {-9, {-6, -8}}};
  for (const auto& c : cases) {
    SCOPED_TRACE("position " + std::to_string(c.position));
    f_.drawn.clear();
    f_.DrawLegerLines(50, c.position, 20);
    ASSERT_EQ(f_.drawn.size(), c.lines.size());
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      const Drawn& l = f_.drawn[i];
      EXPECT_EQ(l.kind, Drawn::kLine);
      EXPECT_EQ(l.x, 50);
      EXPECT_EQ(l.x2, 70);
      EXPECT_EQ(l.y, Y(c.lines[i]));
      EXPECT_EQ(l.y2, Y(c.lines[i]));
    }
  }
}

TEST_P(MusicPrimitivesTest, StemsAndFlags) {
  const int h = W(kFilledHead), g = W(kGraceHead);
  const int offset = p_ > 3 ? (p_ - 2) / 2 : 0;  // a thick pen stands inside the head's edge
  struct Case {
    bool up, grace;
    int position, flags;
    int end;         // the stem's end position
    int flagGlyph;   // for the flags drawn
    int flagStep;    // positions between stacked flags, toward the head
  } cases[] = {
      {true, false, 4, 0, -3, kFlagUpStem, 2},        // 7 long
      {true, false, 4, 2, -5, kFlagUpStem, 2},        // 2 x 2 + 5
      {true, false, 12, 0, 0, kFlagUpStem, 2},        // a low note's stem reaches the middle line
      {false, false, -4, 3, 7, kFlagDownStem, -2},    // 2 x 3 + 5
      {false, false, -12, 1, 0, kFlagDownStem, -2},
      {true, true, 2, 0, -2, kGraceFlagUpStem, 1},    // grace: 4 long
      {false, true, -4, 2, 1, kGraceFlagDownStem, -1},  // grace: flags + 3
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.up ? "up" : "down") + (c.grace ? " grace" : "") + " at " +
                 std::to_string(c.position) + " with " + std::to_string(c.flags) + " flags");
    f_.drawn.clear();
    const int head = c.grace ? g : h;
    int answer = c.up ? f_.DrawStemUp(100, c.position, c.grace, c.flags, nullptr)
                      : f_.DrawStemDown(100, c.position, c.grace, c.flags, nullptr);
    EXPECT_EQ(answer, c.up && c.flags ? head + W(c.flagGlyph) : head);
    const int stemX = c.up ? 100 + head - 1 - offset : 100 + offset;
    auto lines = f_.Of(Drawn::kLine);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(p_));
    for (int k = 0; k < p_; ++k) {
      EXPECT_EQ(lines[k].x, stemX + k - p_ / 2) << "pen-thick, centred on the stem's x";
      EXPECT_EQ(lines[k].x2, lines[k].x);
      EXPECT_EQ(lines[k].y, Y(c.position));
      EXPECT_EQ(lines[k].y2, Y(c.end));
    }
    auto flags = f_.Of(Drawn::kMusic);
    ASSERT_EQ(flags.size(), static_cast<std::size_t>(c.flags));
    for (int k = 0; k < c.flags; ++k) {
      EXPECT_EQ(flags[k].text, Ch(c.flagGlyph));
      EXPECT_EQ(flags[k].x, stemX - p_ / 2);
      EXPECT_EQ(flags[k].y, Y(c.end + k * c.flagStep) + GlyphNudge(c.flagGlyph, s_, p_));
    }
  }
}

TEST_P(MusicPrimitivesTest, ASharedStemEndIsTakenOrHandedBack) {
  int shared = INT_MIN;
  f_.DrawStemUp(100, 2, false, 0, &shared);
  EXPECT_EQ(shared, Y(-5)) << "its own end handed back";
  shared = Y(-12);
  f_.DrawStemDown(200, 2, false, 1, &shared);
  EXPECT_EQ(shared, Y(-12));
  auto lines = f_.Of(Drawn::kLine);
  EXPECT_EQ(lines.back().y2, Y(-12)) << "the stem runs to the given end";
  auto flags = f_.Of(Drawn::kMusic);
  ASSERT_EQ(flags.size(), 1u);
  EXPECT_EQ(flags[0].y, Y(-12)) << "the flag hangs from the given end";
}

TEST_P(MusicPrimitivesTest, StaffLinesCentredOnTheOrigin) {
  struct {
    int lines;
    bool endBars;
  } cases[] = {{5, true}, {4, false}, {1, false}, {0, true}};
  for (auto c : cases) {
    SCOPED_TRACE(std::to_string(c.lines) + " lines");
    f_.drawn.clear();
    f_.DrawStaffLines(10, 500, c.lines, c.endBars);
    ASSERT_EQ(f_.drawn.size(), static_cast<std::size_t>(c.lines + (c.endBars ? 2 : 0)));
    for (int k = 0; k < c.lines; ++k) {
      EXPECT_EQ(f_.drawn[k].y, kOrigin + (2 * k - (c.lines - 1)) * s_ / 2);
      EXPECT_EQ(f_.drawn[k].y2, f_.drawn[k].y);
      EXPECT_EQ(f_.drawn[k].x, 10);
      EXPECT_EQ(f_.drawn[k].x2, 500);
    }
    if (!c.endBars) continue;
    for (int side = 0; side < 2; ++side) {
      const Drawn& bar = f_.drawn[c.lines + side];
      EXPECT_EQ(bar.x, side ? 500 : 10);
      EXPECT_EQ(bar.x2, bar.x);
      EXPECT_EQ(bar.y, kOrigin - 2 * s_);
      EXPECT_EQ(bar.y2, kOrigin + 2 * s_);
    }
  }
}

TEST_P(MusicPrimitivesTest, BeamsAreBandsOfOneUnitLines) {
  struct {
    int direction;
    bool grace;
    int pitch, thickness;
  } cases[] = {{-1, false, s_, s_ / 2}, {1, false, s_, s_ / 2}, {1, true, s_ / 2, s_ / 4}};
  for (auto c : cases) {
    SCOPED_TRACE(std::string(c.grace ? "grace " : "") + std::to_string(c.direction));
    f_.drawn.clear();
    f_.DrawBeamLines(100, 200, 180, 210, c.direction, c.grace, 3);
    ASSERT_EQ(f_.drawn.size(), static_cast<std::size_t>(3 * c.thickness));
    for (int beam = 0; beam < 3; ++beam) {
      for (int k = 0; k < c.thickness; ++k) {
        const Drawn& l = f_.drawn[beam * c.thickness + k];
        int offset = c.direction * (beam * c.pitch + 1 + k);
        EXPECT_EQ(l.x, 100);
        EXPECT_EQ(l.y, 200 + offset);
        EXPECT_EQ(l.x2, 180);
        EXPECT_EQ(l.y2, 210 + offset);
      }
    }
  }
}

TEST_P(MusicPrimitivesTest, ThickLinesLieAcrossTheirDirection) {
  f_.DrawThickLine(10, 50, 200, 60);  // mostly across: the copies stack vertically
  f_.DrawThickLine(10, 50, 12, 200);  // mostly down: side by side
  ASSERT_EQ(f_.drawn.size(), static_cast<std::size_t>(2 * p_));
  for (int k = 0; k < p_; ++k) {
    int d = k - p_ / 2;
    EXPECT_EQ(f_.drawn[k].y, 50 + d);
    EXPECT_EQ(f_.drawn[k].x, 10);
    EXPECT_EQ(f_.drawn[p_ + k].x, 10 + d);
    EXPECT_EQ(f_.drawn[p_ + k].y, 50);
  }
  f_.drawn.clear();
  f_.DrawBar(3, 40, 0, 90);
  ASSERT_EQ(f_.drawn.size(), 3u);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(f_.drawn[k].x, 40 + k);
}

TEST_P(MusicPrimitivesTest, TextIsCentredOnItsPosition) {
  auto size = [&](int font, const char* t) { return RecordingPrimitives::TextSize(s_, font, t); };
  EXPECT_EQ(f_.GetBoldTextWidth("Allegro"), size(1, "Allegro").cx);
  EXPECT_EQ(f_.GetItalicTextWidth("cresc."), size(0, "cresc.").cx);
  EXPECT_EQ(f_.GetLyricTextWidth("la"), size(2, "la").cx);
  EXPECT_EQ(f_.GetTextWidth(5, ""), 0);
  EXPECT_EQ(f_.GetTextWidth(5, nullptr), 0);
  EXPECT_EQ(f_.DrawItalicText(40, -6, "dim."), size(0, "dim.").cx);
  EXPECT_EQ(f_.DrawLyricText(40, 9, "la"), size(2, "la").cx);
  EXPECT_EQ(f_.DrawText(7, 40, 0, "User"), size(7, "User").cx);
  EXPECT_EQ(f_.DrawBoldText(40, 0, ""), 0);
  ASSERT_EQ(f_.drawn.size(), 3u) << "empty text draws nothing";
  const int fonts[] = {0, 2, 7}, positions[] = {-6, 9, 0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(f_.drawn[i].kind, Drawn::kText);
    EXPECT_EQ(f_.drawn[i].font, fonts[i]);
    EXPECT_EQ(f_.drawn[i].x, 40);
    EXPECT_EQ(f_.drawn[i].y, Y(positions[i]) - size(fonts[i], f_.drawn[i].text.c_str()).cy / 2);
  }
}

TEST_P(MusicPrimitivesTest, TempoLabels) {
  auto width = [&](const char* t) { return RecordingPrimitives::TextSize(s_, 1, t).cx; };
  struct Case {
    const char* text;
    int base, tempo;
    const char* before;
    int glyph;
    const char* after;
  } cases[] = {
      {"Allegro", 3, 120, "Allegro (", kTempoQuarter, ".=120)"},
      {nullptr, 4, 60, "", kTempoHalf, "=60"},
      {"", 0, 96, "", kTempoEighth, "=96"},
      {"Lento", 5, 40, "Lento (", kTempoHalf, ".=40)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.after);
    f_.drawn.clear();
    const int expected = width(c.before) + W(c.glyph) + width(c.after);
    EXPECT_EQ(f_.GetTempoLabelWidth(c.text, c.base, c.tempo), expected);
    EXPECT_EQ(f_.DrawTempoLabel(c.text, c.base, c.tempo, 40, -10), expected);
    std::vector<Drawn> parts = f_.drawn;
    ASSERT_EQ(parts.size(), *c.before ? 3u : 2u);
    std::size_t i = 0;
    if (*c.before) {
      EXPECT_EQ(parts[i].text, c.before);
      EXPECT_EQ(parts[i].font, 1);
      EXPECT_EQ(parts[i++].x, 40);
    }
    EXPECT_EQ(parts[i].text, Ch(c.glyph));
    EXPECT_EQ(parts[i].x, 40 + width(c.before));
    EXPECT_EQ(parts[i++].y, Y(-10) + 2 * s_ / 3);
    EXPECT_EQ(parts[i].text, c.after);
    EXPECT_EQ(parts[i].x, 40 + width(c.before) + W(c.glyph));
  }
}

TEST_P(MusicPrimitivesTest, BoxedNumbersPlainCircledAndBoxed) {
  const MusicTextSize n = RecordingPrimitives::TextSize(s_, 1, "12");
  const int margin = s_ / 3 + p_;
  EXPECT_EQ(f_.DrawBoxedNumber(10, -9, 1, 12), n.cx);
  EXPECT_EQ(f_.DrawBoxedNumber(60, -9, 2, 12), n.cx + 2 * margin);
  EXPECT_EQ(f_.DrawBoxedNumber(110, -9, 3, 12), n.cx + 2 * margin);
  const auto& d = f_.drawn;
  ASSERT_EQ(d.size(), 5u);
  EXPECT_EQ(d[0].text, "12");
  EXPECT_EQ(d[0].font, 1);
  EXPECT_EQ(d[0].x, 10);
  EXPECT_EQ(d[0].y, Y(-9) - n.cy / 2);
  EXPECT_EQ(d[1].x, 60 + margin) << "the number inside its frame";
  EXPECT_EQ(d[2].kind, Drawn::kEllipse);
  EXPECT_EQ(d[4].kind, Drawn::kRectangle);
  for (const Drawn& frame : {d[2], d[4]}) {
    EXPECT_EQ(frame.x2 - frame.x, n.cx + 2 * margin + 1);
    EXPECT_LT(frame.y, Y(-9) - n.cy / 2) << "the frame clears the text";
    EXPECT_GT(frame.y2, Y(-9) + n.cy / 2);
  }
}

TEST_P(MusicPrimitivesTest, BarLinesStayWithinTheirWidths) {
  const int dots = W(kRepeatDots);
  for (const BarLineCase& c : BarLineCases(s_, p_, dots)) {
    SCOPED_TRACE("type " + std::to_string(c.type));
    f_.drawn.clear();
    EXPECT_EQ(f_.GetBarLineWidth(c.type), c.width);
    f_.DrawBarLine(100, c.type, Y(-4), Y(4));
    auto lines = f_.Of(Drawn::kLine);
    auto glyphs = f_.Of(Drawn::kMusic);
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(c.lines));
    ASSERT_EQ(glyphs.size(), static_cast<std::size_t>(c.dots));
    std::vector<int> xs;
    for (const Drawn& l : lines) {
      EXPECT_GE(std::min(l.x, l.x2), 100);
      // A line's end point is not drawn: the wedge's lines may end on the width itself.
      EXPECT_LE(std::max(l.x, l.x2), 100 + c.width - (c.type == 10 ? 0 : 1));
      if (c.type != 10) {
        EXPECT_EQ(l.y, Y(-4));
        EXPECT_EQ(l.y2, Y(4));
        xs.push_back(l.x);
      }
    }
    std::sort(xs.begin(), xs.end());
    EXPECT_EQ(std::adjacent_find(xs.begin(), xs.end()), xs.end()) << "no line drawn twice";
    for (const Drawn& d : glyphs) {
      EXPECT_EQ(d.text, Ch(kRepeatDots));
      EXPECT_EQ(d.y, Y(0)) << "repeat dots in the two middle spaces";
      EXPECT_GE(d.x, 100);
      EXPECT_LE(d.x + dots, 100 + c.width);
      for (int x : xs) EXPECT_TRUE(x < d.x || x >= d.x + dots) << "a line through the dots at " << x;
    }
  }
}

TEST_P(MusicPrimitivesTest, ArcsRiseWithTheirSpanAndThickenInTheMiddle) {
  const int h = W(kFilledHead);
  f_.DrawTieArc(100, 100 + 3 * h, 200, -1);
  f_.DrawTieArc(100, 100 + 12 * h, 200, 1);
  f_.DrawSlurArc(100, 100 + 3 * h, 250, -1);
  f_.DrawTieArc(100, 100, 200, 1);  // no span: nothing
  auto arcs = f_.Of(Drawn::kPolyline);
  ASSERT_EQ(arcs.size(), static_cast<std::size_t>(6 * p_));
  auto peak = [](const Drawn& a) { return a.points[a.points.size() / 2].y; };
  const int shortHeight = M::ArcHeight(3 * h, h, s_), longHeight = M::ArcHeight(12 * h, h, s_);
  EXPECT_GT(longHeight, shortHeight);
  for (int k = 0; k < 2 * p_; ++k) {
    SCOPED_TRACE("pass " + std::to_string(k));
    const Drawn& up = arcs[k];
    EXPECT_EQ(up.points.front().x, 100);
    EXPECT_EQ(up.points.back().x, 100 + 3 * h);
    EXPECT_EQ(up.points.front().y, 200);
    EXPECT_EQ(up.points.back().y, 200);
    EXPECT_EQ(peak(up), 200 - (shortHeight - k)) << "above the notes, each pass one unit lower";
    EXPECT_EQ(peak(arcs[2 * p_ + k]), 200 + (longHeight - k)) << "below, and higher for a longer span";
    EXPECT_EQ(peak(arcs[4 * p_ + k]), 250 - (shortHeight + s_ / 3 - k)) << "a slur stands clear of ties";
  }
}

TEST_P(MusicPrimitivesTest, TripletBracketWithItsNumber) {
  const MusicTextSize three = RecordingPrimitives::TextSize(s_, 0, "3");
  f_.DrawTripletBracket(100, 300, 150, -1, false);
  f_.DrawTripletBracket(100, 300, 150, 1, false);
  f_.DrawTripletBracket(400, 500, 150, 1, true);
  auto texts = f_.Of(Drawn::kText);
  ASSERT_EQ(texts.size(), 3u);
  for (const Drawn& t : texts) {
    EXPECT_EQ(t.text, "3");
    EXPECT_EQ(t.font, 0);
    EXPECT_EQ(t.y, 150 - three.cy / 2);
  }
  EXPECT_EQ(texts[0].x, 200 - three.cx / 2);
  EXPECT_EQ(texts[2].x, 450 - three.cx / 2);
  auto lines = f_.Of(Drawn::kLine);
  ASSERT_EQ(lines.size(), 8u) << "the number alone has no bracket";
  for (int side = 0; side < 2; ++side) {
    const Drawn* b = &lines[4 * side];
    int hookEnd = 150 + (side == 0 ? 1 : -1) * (s_ / 2);  // hooks point toward the notes
    EXPECT_EQ(b[0].y, hookEnd);
    EXPECT_EQ(b[3].y2, hookEnd);
    EXPECT_EQ(b[1].x, 100);
    EXPECT_EQ(b[2].x2, 300);
    EXPECT_LT(b[1].x2, texts[0].x) << "a gap for the number";
    EXPECT_GT(b[2].x, texts[0].x + three.cx);
  }
}

TEST_P(MusicPrimitivesTest, BraceIsTwoSpacingsAndOneWide) {
  f_.DrawBrace(10, 100, 400);
  f_.DrawBrace(10, 400, 400);  // nothing to span
  auto curves = f_.Of(Drawn::kBezier);
  ASSERT_FALSE(curves.empty());
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  for (const Drawn& c : curves) {
    ASSERT_EQ(c.points.size(), 4u);
    for (const MusicPoint& pt : c.points) {
      left = std::min(left, pt.x);
      right = std::max(right, pt.x);
      top = std::min(top, pt.y);
      bottom = std::max(bottom, pt.y);
    }
  }
  // A Bezier stays within its control points.
  EXPECT_EQ(left, 10);
  EXPECT_EQ(right, 10 + 2 * s_);
  EXPECT_EQ(top, 100);
  EXPECT_EQ(bottom, 400);
}

INSTANTIATE_TEST_SUITE_P(Spacings, MusicPrimitivesTest,
                         ::testing::Values(M::ScreenSpacing(16), M::DeviceSpacing(600, 16), 48),
                         [](const auto& info) { return "spacing" + std::to_string(info.param); });

}  // namespace
