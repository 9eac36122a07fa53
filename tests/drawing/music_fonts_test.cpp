// The drawing kit recorded into an enhanced metafile: the fonts it makes, where each primitive
// puts its glyphs and lines, and in which colours, on the screen (staff size 16) and on a 600 dpi
// device (spacing 34). Expected coordinates are worked out here from the drawing rules.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <ostream>
#include <string>

#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/win32/MusicFonts.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "framework/DC.h"
#include "framework/ScreenDC.h"
#include "tests/drawing/BarLineCases.h"
#include "tests/drawing/EmfRecords.h"
#include "tests/drawing/TextFontCases.h"

namespace {

using namespace MusicGlyphs;

constexpr int kOrigin = 300;

struct Resolution {
  const char* name;
  int dpi;        // 0: the screen constructor at staff size 16
  int spacing;    // what it must come to
  int pen;
};

void PrintTo(const Resolution& r, std::ostream* os) { *os << r.name; }

class MusicFontsTest : public ::testing::TestWithParam<Resolution> {
protected:
  void SetUp() override {
    ASSERT_TRUE(TMusicFonts::IsMusicFontInstalled()) << "run tools/setup";
    const Resolution& r = GetParam();
    fonts_ = r.dpi ? TMusicFonts::ForResolution(r.dpi, &data_, &colors_)
                   : std::make_unique<TMusicFonts>(&data_, &colors_, 16);
    s_ = fonts_->GetSpacing();
    p_ = fonts_->GetPenThickness();
  }

  // Records what `draw` does between BeginDraw and EndDraw, with the y origin at kOrigin.
  template <class Draw>
  EmfRecords Record(Draw draw) {
    HDC emf = CreateEnhMetaFileA(screen_, nullptr, nullptr, nullptr);
    {
      TDC out(emf);
      fonts_->BeginDraw(out, &screen_);
      fonts_->SetYOrigin(kOrigin);
      draw(*fonts_);
      fonts_->EndDraw();
    }
    HENHMETAFILE file = CloseEnhMetaFile(emf);
    EmfRecords records = ReadEmf(file);
    DeleteEnhMetaFile(file);
    return records;
  }

  int Y(int position) const { return kOrigin + position * s_ / 2; }
  int W(int glyph) const { return fonts_->GetGlyphWidth(glyph); }
  static std::string Ch(int glyph) { return std::string(1, GlyphChar(glyph)); }

  TMusicFontsData data_;
  TStaffColorHandles colors_;
  TScreenDC screen_;
  std::unique_ptr<TMusicFonts> fonts_;
  int s_ = 0, p_ = 0;
};

TEST_P(MusicFontsTest, SizesFollowTheSpacing) {
  EXPECT_EQ(s_, GetParam().spacing);
  EXPECT_EQ(p_, GetParam().pen);
  // Lyric line height: the lyric font's size (16 x 9 / 20 = 7 points) x 8 / 16, rounded.
  EXPECT_EQ(fonts_->GetLyricLineHeight(), 4);
  EXPECT_EQ(fonts_->GetAccidentalWidth(), W(kDoubleSharp) * 5 / 4);

  // The widths are the music font's black boxes at five spacings.
  HFONT f = CreateFontA(-5 * s_, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS, 0, 0, 0, "DIRU15");
  HGDIOBJ old = SelectObject(screen_, f);
  for (int glyph = 0; glyph < kMeasuredGlyphs; ++glyph) {
    UINT ch = static_cast<unsigned char>(GlyphChar(glyph));
    ABC abc;
    ASSERT_TRUE(GetCharABCWidthsA(screen_, ch, ch, &abc));
    EXPECT_EQ(W(glyph), static_cast<int>(abc.abcB)) << "glyph " << glyph;
  }
  SelectObject(screen_, old);
  DeleteObject(f);
  EXPECT_EQ(W(kNoGlyph), 0);
  EXPECT_EQ(W(-1), 0);
}

TEST_P(MusicFontsTest, FontsAreMadeAsTheScoreAsks) {
  // Every text font from its record: face, style and character set as stored, the size (its
  // magnitude: a stored negative size is still points) scaled by four spacings over the base size.
  ChangeSomeTextFonts(data_);
  // The records are read when the fonts are made.
  fonts_ = GetParam().dpi ? TMusicFonts::ForResolution(GetParam().dpi, &data_, &colors_)
                          : std::make_unique<TMusicFonts>(&data_, &colors_, 16);
  EmfRecords r = Record([](TMusicFonts& f) {
    f.DrawGlyph(kFilledHead, 10, 0);
    for (int i = 0; i < TMusicFonts::kTextFonts; ++i) f.DrawText(i, 10, 0, "x");
  });
  ASSERT_EQ(r.texts.size(), 13u);
  const LOGFONTW& music = r.texts[0].font;
  EXPECT_EQ(FaceOf(music), "DIRU15");
  EXPECT_EQ(music.lfHeight, -5 * s_);
  EXPECT_EQ(music.lfOutPrecision, OUT_TT_PRECIS);
  for (int i = 0; i < TMusicFonts::kTextFonts; ++i) {
    SCOPED_TRACE("text font " + std::to_string(i));
    const LOGFONTW& t = r.texts[1 + i].font;
    const ExpectedTextFont& e = kChangedTextFonts[i];
    EXPECT_EQ(FaceOf(t), e.face);
    EXPECT_EQ(t.lfHeight, ExpectedTextHeight(e.points, s_));
    EXPECT_EQ(t.lfWeight, e.bold ? FW_BOLD : FW_NORMAL);
    EXPECT_EQ(t.lfItalic != 0, e.italic);
    EXPECT_EQ(t.lfCharSet, e.charset);
  }
}

TEST_P(MusicFontsTest, GlyphsStandOnTheirPositionsWithTheirNudges) {
  // Glyph, position, and the nudge worked out by hand for spacing 16 (pen 2) and 34 (pen 3).
  struct Case {
    int glyph, position, nudge16, nudge34;
  } cases[] = {
      {kFilledHead, 3, 0, 0},      {kFlagUpStem, -4, 32, 68},   {kDot, 1, -4, -8},
      {kWholeRest, -2, 1, 2},      {kTempoQuarter, -9, 10, 22}, {kSegno, -8, 16, 34},
      {kGraceFlagUpStem, -3, 16, 34}, {kAccent + 1, 5, -4, -8},  {kGraceHead, -1, 0, 0},
      {kFlagDownStem, 7, 0, 0},    {kTenuto, -6, -4, -8},       {0, 0, 0, 0},
  };
  EmfRecords r = Record([&](TMusicFonts& f) {
    int x = 20;
    for (const Case& c : cases) EXPECT_EQ(f.DrawGlyph(c.glyph, x += 40, c.position), W(c.glyph));
    EXPECT_EQ(f.DrawGlyph(kNoGlyph, 0, 0), 0);
  });
  ASSERT_EQ(r.texts.size(), std::size(cases));
  int x = 20;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE("glyph " + std::to_string(c.glyph));
    EXPECT_EQ(r.texts[i].text, std::string(1, GlyphChar(c.glyph)));
    EXPECT_EQ(r.texts[i].x, x += 40);
    EXPECT_EQ(r.texts[i].y, Y(c.position) + (s_ == 16 ? c.nudge16 : c.nudge34));
    EXPECT_EQ(r.texts[i].align, static_cast<UINT>(TA_BASELINE | TA_LEFT));
  }
}

TEST_P(MusicFontsTest, ClefsAndOctaveSigns) {
  EmfRecords r = Record([&](TMusicFonts& f) {
    EXPECT_EQ(f.DrawClef(100, 0, 1), W(kTrebleClef));
    EXPECT_EQ(f.DrawClef(200, 3, 2), W(kCClef));
    f.DrawClef(300, 1, 0);
    f.DrawClef(400, 2, 0);
  });
  ASSERT_EQ(r.texts.size(), 6u);
  EXPECT_EQ(r.texts[0].text, "a");
  EXPECT_EQ(r.texts[0].y, Y(4));
  EXPECT_EQ(r.texts[1].text, "M");
  EXPECT_EQ(r.texts[1].x, 100 + (W(kTrebleClef) - W(kClefOctave)) / 2);
  EXPECT_EQ(r.texts[1].y, Y(-8));
  EXPECT_EQ(r.texts[2].text, "c");  // tenor: the C clef two positions higher
  EXPECT_EQ(r.texts[2].y, Y(2));
  EXPECT_EQ(r.texts[3].y, Y(4));    // octave down under the tenor clef
  EXPECT_EQ(r.texts[4].text, "b");
  EXPECT_EQ(r.texts[4].y, Y(4));
  EXPECT_EQ(r.texts[5].text, "c");  // alto
  EXPECT_EQ(r.texts[5].y, Y(4));
}

TEST_P(MusicFontsTest, TimeSignatures) {
  int width = fonts_->GetTimeSigWidth(0, 12, 8);
  EXPECT_EQ(fonts_->GetTimeSigWidth(1, 4, 4), W(kCommonTime));
  EXPECT_EQ(fonts_->GetTimeSigWidth(2, 2, 2), W(kCommonTime));
  EmfRecords r = Record([&](TMusicFonts& f) {
    f.DrawTimeSig(0, 12, 8, 50);
    f.DrawTimeSig(1, 4, 4, 150);
    f.DrawTimeSig(2, 2, 2, 250);
  });
  ASSERT_EQ(r.texts.size(), 4u);
  HFONT font = CreateFontA(-5 * s_, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS, 0, 0, 0, "DIRU15");
  HGDIOBJ old = SelectObject(screen_, font);
  SIZE twelve, eight;
  GetTextExtentPoint32A(screen_, "12", 2, &twelve);
  GetTextExtentPoint32A(screen_, "8", 1, &eight);
  SelectObject(screen_, old);
  DeleteObject(font);
  EXPECT_EQ(width, twelve.cx);
  EXPECT_EQ(r.texts[0].text, "12");
  EXPECT_EQ(r.texts[0].x, 50);
  EXPECT_EQ(r.texts[0].y, kOrigin);
  EXPECT_EQ(r.texts[1].text, "8");
  EXPECT_EQ(r.texts[1].x, 50 + (twelve.cx - eight.cx) / 2);
  EXPECT_EQ(r.texts[1].y, kOrigin + 2 * s_);
  EXPECT_EQ(r.texts[2].text, "D");
  EXPECT_EQ(r.texts[2].y, Y(2));
  EXPECT_EQ(r.texts[3].text, "E");
}

TEST_P(MusicFontsTest, StemsAndFlags) {
  const int h = W(kFilledHead), g = W(kGraceHead);
  int shared = INT_MIN;
  int upReturn = 0, downReturn = 0, beamed = 0;
  EmfRecords r = Record([&](TMusicFonts& f) {
    upReturn = f.DrawStemUp(100, 4, false, 2, nullptr);      // two flags, length 9
    downReturn = f.DrawStemDown(200, -4, true, 1, nullptr);  // grace, one flag, length 4
    f.DrawStemUp(300, 12, false, 0, &shared);               // reaches the middle line
    beamed = shared;
    shared = Y(-10);
    f.DrawStemUp(400, 2, false, 0, &shared);                // runs to the given end
  });
  EXPECT_EQ(upReturn, h + W(kFlagUpStem));
  EXPECT_EQ(downReturn, g);
  EXPECT_EQ(beamed, Y(0));
  EXPECT_EQ(shared, Y(-10));

  const int upX = 100 + h - 1 - (p_ > 3 ? (p_ - 2) / 2 : 0);
  const int downX = 200 + (p_ >= 4 ? (p_ - 2) / 2 : 0);
  ASSERT_EQ(r.lines.size(), static_cast<std::size_t>(4 * p_));
  for (int k = 0; k < p_; ++k) {
    const EmfLine& up = r.lines[k];
    EXPECT_EQ(up.x1, upX + k - p_ / 2);
    EXPECT_EQ(up.x2, up.x1);
    EXPECT_EQ(up.y1, Y(4));
    EXPECT_EQ(up.y2, Y(-5));
    const EmfLine& down = r.lines[p_ + k];
    EXPECT_EQ(down.x1, downX + k - p_ / 2);
    EXPECT_EQ(down.y1, Y(-4));
    EXPECT_EQ(down.y2, Y(0));
    EXPECT_EQ(r.lines[3 * p_ + k].y2, Y(-10));
  }
  ASSERT_EQ(r.texts.size(), 3u);
  EXPECT_EQ(r.texts[0].text, "s");
  EXPECT_EQ(r.texts[0].x, upX - p_ / 2);
  EXPECT_EQ(r.texts[0].y, Y(-5) + 2 * s_);
  EXPECT_EQ(r.texts[1].y, Y(-3) + 2 * s_) << "the second flag one space nearer the head";
  EXPECT_EQ(r.texts[2].text, "O");
  EXPECT_EQ(r.texts[2].x, downX - p_ / 2);
  EXPECT_EQ(r.texts[2].y, Y(0));
}

TEST_P(MusicFontsTest, LegerAndStaffLines) {
  EmfRecords r = Record([](TMusicFonts& f) {
    f.DrawLegerLines(50, 10, 20);
    f.DrawLegerLines(50, 5, 20);
    f.DrawLegerLines(50, -7, 20);
    f.DrawStaffLines(0, 500, 5, true);
  });
  const int legerYs[] = {Y(6), Y(8), Y(10), Y(-6)};
  ASSERT_EQ(r.lines.size(), 4u + 5u + 2u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(r.lines[i].x1, 50);
    EXPECT_EQ(r.lines[i].x2, 70);
    EXPECT_EQ(r.lines[i].y1, legerYs[i]);
    EXPECT_EQ(r.lines[i].y2, legerYs[i]);
  }
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(r.lines[4 + k].y1, kOrigin + (k - 2) * s_);
    EXPECT_EQ(r.lines[4 + k].x2, 500);
  }
  EXPECT_EQ(r.lines[9].x1, 0);
  EXPECT_EQ(r.lines[9].y1, kOrigin - 2 * s_);
  EXPECT_EQ(r.lines[9].y2, kOrigin + 2 * s_);
  EXPECT_EQ(r.lines[10].x1, 500);
}

TEST_P(MusicFontsTest, ColoursAndPens) {
  colors_.SetColor(4, RGB(10, 20, 30));
  EmfRecords r = Record([](TMusicFonts& f) {
    f.DrawLine(0, 0, 10, 0);
    f.DrawGlyph(kFilledHead, 0, 0);
    f.SelectColor(4);
    EXPECT_EQ(f.GetColorIndex(), 4);
    f.DrawLine(0, 1, 10, 1);
    f.DrawGlyph(kFilledHead, 0, 0);
    f.SelectColor(1);
    f.DrawLine(0, 2, 10, 2);
  });
  ASSERT_EQ(r.lines.size(), 3u);
  EXPECT_EQ(r.lines[0].pen, RGB(0, 0, 0));
  EXPECT_EQ(r.lines[1].pen, RGB(10, 20, 30));
  EXPECT_EQ(r.lines[2].pen, RGB(0, 0, 192));
  ASSERT_EQ(r.texts.size(), 2u);
  EXPECT_EQ(r.texts[0].color, RGB(0, 0, 0));
  EXPECT_EQ(r.texts[1].color, RGB(10, 20, 30));
}

TEST_P(MusicFontsTest, BeamsAreBandsOfOneUnitLines) {
  EmfRecords r = Record([](TMusicFonts& f) { f.DrawBeamLines(100, 200, 180, 210, -1, false, 2); });
  const int thickness = s_ / 2;
  ASSERT_EQ(r.lines.size(), static_cast<std::size_t>(2 * thickness));
  for (int beam = 0; beam < 2; ++beam) {
    for (int k = 0; k < thickness; ++k) {
      const EmfLine& l = r.lines[beam * thickness + k];
      int f = -(beam * s_ + 1 + k);
      EXPECT_EQ(l.x1, 100);
      EXPECT_EQ(l.y1, 200 + f);
      EXPECT_EQ(l.x2, 180);
      EXPECT_EQ(l.y2, 210 + f);
    }
  }
}

TEST_P(MusicFontsTest, TextIsCentredOnItsPosition) {
  HFONT bold = CreateFontA(-((8 * 4 * s_ + 8) / 16), 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0,
                           "Times New Roman");
  HGDIOBJ old = SelectObject(screen_, bold);
  SIZE allegro, paren, tail;
  GetTextExtentPoint32A(screen_, "Allegro", 7, &allegro);
  GetTextExtentPoint32A(screen_, "Allegro (", 9, &paren);
  GetTextExtentPoint32A(screen_, ".=120)", 6, &tail);
  SelectObject(screen_, old);
  DeleteObject(bold);

  int label = 0;
  EXPECT_EQ(fonts_->GetBoldTextWidth("Allegro"), allegro.cx);
  EXPECT_EQ(fonts_->GetTempoLabelWidth("Allegro", 3, 120), paren.cx + W(kTempoQuarter) + tail.cx);
  EmfRecords r = Record([&](TMusicFonts& f) {
    EXPECT_EQ(f.DrawBoldText(40, -6, "Allegro"), allegro.cx);
    label = f.DrawTempoLabel("Allegro", 3, 120, 40, -10);
    EXPECT_EQ(f.DrawBoldText(40, 0, ""), 0);
  });
  EXPECT_EQ(label, paren.cx + W(kTempoQuarter) + tail.cx);
  ASSERT_EQ(r.texts.size(), 4u);
  EXPECT_EQ(r.texts[0].text, "Allegro");
  EXPECT_EQ(r.texts[0].x, 40);
  EXPECT_EQ(r.texts[0].y, Y(-6) - allegro.cy / 2);
  EXPECT_EQ(r.texts[0].align, static_cast<UINT>(TA_TOP | TA_LEFT));
  EXPECT_EQ(r.texts[1].text, "Allegro (");
  EXPECT_EQ(r.texts[2].text, "G");
  EXPECT_EQ(r.texts[2].x, 40 + paren.cx);
  EXPECT_EQ(r.texts[2].y, Y(-10) + 2 * s_ / 3);
  EXPECT_EQ(r.texts[3].text, ".=120)");
  EXPECT_EQ(r.texts[3].x, 40 + paren.cx + W(kTempoQuarter));
}

TEST_P(MusicFontsTest, BarLinesAreAsWideAsTheirTypeSays) {
  const int dots = W(kRepeatDots);
  for (const BarLineCase& c : BarLineCases(s_, p_, dots)) {
    SCOPED_TRACE("type " + std::to_string(c.type));
    EXPECT_EQ(fonts_->GetBarLineWidth(c.type), c.width);
    EmfRecords r = Record([&](TMusicFonts& f) { f.DrawBarLine(100, c.type, Y(-4), Y(4)); });
    EXPECT_EQ(r.lines.size(), static_cast<std::size_t>(c.lines));
    EXPECT_EQ(r.texts.size(), static_cast<std::size_t>(c.dots));
    for (const EmfLine& l : r.lines) {
      EXPECT_GE(std::min(l.x1, l.x2), 100);
      EXPECT_LT(std::max(l.x1, l.x2), 100 + c.width + 1);
    }
    for (const EmfText& t : r.texts) {
      EXPECT_EQ(t.text, "J");
      EXPECT_EQ(t.y, Y(0)) << "repeat dots in the two middle spaces";
      EXPECT_GE(t.x, 100);
      EXPECT_LE(t.x + dots, 100 + c.width);
    }
  }
}

TEST_P(MusicFontsTest, ArcsBracketsBoxesAndBrace) {
  EmfRecords r = Record([](TMusicFonts& f) {
    f.DrawTieArc(100, 160, 200, -1);
    f.DrawSlurArc(100, 400, 250, 1);
    f.DrawTripletBracket(100, 200, 150, -1, false);
    f.DrawTripletBracket(300, 400, 150, 1, true);
    f.DrawBoxedNumber(10, -9, 1, 12);
    f.DrawBoxedNumber(60, -9, 2, 13);
    f.DrawBoxedNumber(110, -9, 3, 14);
    f.DrawBrace(10, 100, 400);
  });
  // Arcs: 2 x pen polylines each, from x1 to x2, bulging the asked way.
  ASSERT_EQ(r.polylines.size(), static_cast<std::size_t>(4 * p_));
  const EmfPolyline& tie = r.polylines[0];
  EXPECT_EQ(tie.points.front().x, 100);
  EXPECT_EQ(tie.points.back().x, 160);
  EXPECT_EQ(tie.points.front().y, 200);
  EXPECT_LT(tie.points[tie.points.size() / 2].y, 200) << "a tie above bulges up";
  for (int k = 1; k < 2 * p_; ++k) {
    const EmfPolyline& pass = r.polylines[k];
    EXPECT_EQ(pass.points[pass.points.size() / 2].y, tie.points[tie.points.size() / 2].y + k)
        << "each pass one unit nearer the notes";
  }
  const EmfPolyline& slur = r.polylines[2 * p_];
  EXPECT_GT(slur.points[slur.points.size() / 2].y - 250,
            tie.points.front().y - tie.points[tie.points.size() / 2].y)
      << "a longer arc rises higher";
  // Triplets: the number each time, the bracket only when asked.
  std::vector<std::string> texts;
  for (const EmfText& t : r.texts) texts.push_back(t.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"3", "3", "12", "13", "14"}));
  EXPECT_EQ(r.lines.size(), 4u);
  EXPECT_EQ(r.ellipseCount, 1);
  EXPECT_EQ(r.rectangleCount, 1);
  // The brace: curves from its point at x to its ends at x + 2 spacings, within y1..y2 (a Bezier
  // stays inside its control points), so it is 2 spacings + 1 wide.
  ASSERT_FALSE(r.beziers.empty());
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  for (const EmfPolyline& curve : r.beziers) {
    for (const POINT& pt : curve.points) {
      left = std::min<int>(left, pt.x);
      right = std::max<int>(right, pt.x);
      top = std::min<int>(top, pt.y);
      bottom = std::max<int>(bottom, pt.y);
    }
  }
  EXPECT_EQ(left, 10);
  EXPECT_EQ(right, 10 + 2 * s_);
  EXPECT_EQ(top, 100);
  EXPECT_EQ(bottom, 400);
}

INSTANTIATE_TEST_SUITE_P(Resolutions, MusicFontsTest,
                         ::testing::Values(Resolution{"screen", 0, 16, 2}, Resolution{"dpi600", 600, 34, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MusicFontsSetup, ScreenSizesAreMadeEvenAndAtLeastTwo) {
  TMusicFontsData data;
  TStaffColorHandles colors;
  TMusicFonts fonts(&data, &colors, 7);
  EXPECT_EQ(fonts.GetSpacing(), 8);
  fonts.SetStaffSize(1);
  EXPECT_EQ(fonts.GetSpacing(), 2);
  EXPECT_EQ(fonts.GetPenThickness(), 1);
  fonts.SetStaffSize(12);
  EXPECT_EQ(fonts.GetPenThickness(), 2);
  TScreenDC screen;
  ASSERT_EQ(screen.GetDeviceCaps(LOGPIXELSY), 96);
  fonts.Rebuild(screen);
  EXPECT_EQ(fonts.GetSpacing(), 6) << "the screen as a device: 96 x 16 / 288 = 5.3, made even";
}

TEST(MusicFontsSetup, MeasuringContextIsCountedAndDrawingEndsCleanly) {
  TMusicFontsData data;
  TStaffColorHandles colors;
  TMusicFonts fonts(&data, &colors, 16);
  fonts.BeginMeasure();
  fonts.BeginMeasure();
  int w = fonts.GetItalicTextWidth("cresc.");
  fonts.EndMeasure();
  EXPECT_EQ(fonts.GetItalicTextWidth("cresc."), w);
  fonts.EndMeasure();
  fonts.EndMeasure();  // one too many is harmless
  EXPECT_GT(w, 0);

  TScreenDC screen;
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  HGDIOBJ originalFont = GetCurrentObject(memory, OBJ_FONT);
  HGDIOBJ originalPen = GetCurrentObject(memory, OBJ_PEN);
  {
    TDC out(memory);
    fonts.BeginDraw(out, nullptr);
    EXPECT_TRUE(fonts.IsDrawing());
    EXPECT_EQ(GetBkMode(memory), TRANSPARENT);
    fonts.DrawGlyph(kFilledHead, 10, 0);
    fonts.DrawLine(0, 0, 5, 5);
    fonts.EndDraw();
    EXPECT_FALSE(fonts.IsDrawing());
  }
  EXPECT_EQ(GetCurrentObject(memory, OBJ_FONT), originalFont) << "EndDraw puts the originals back";
  EXPECT_EQ(GetCurrentObject(memory, OBJ_PEN), originalPen);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

}  // namespace
