// Staves laid out and drawn through GDI into an enhanced metafile, read back record by record: the
// music-font characters at the reference points the layout gives them, leger lines, accidentals
// left of their heads, key signatures on each clef, every bar line type, stems, beams, ties, slurs,
// triplet brackets, lyrics and the texts of expressions.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/win32/MusicFonts.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "framework/DC.h"
#include "framework/ScreenDC.h"
#include "tests/drawing/EmfRecords.h"
#include "tests/ntnidx/NtnStaffFixture.h"

namespace {

using namespace MusicGlyphs;
constexpr int kRight = 6000;

class ScoreDrawingTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(TMusicFonts::IsMusicFontInstalled()) << "run tools/setup";
    fonts_ = std::make_unique<TMusicFonts>(score_.GetFonts(), &colors_, 16);
    system_ = std::make_unique<TScoreDrawInfo>(&score_, fonts_.get(), 1);
    score_.SetDurationSpacing(false);
    s_ = fonts_->GetSpacing();
    h_ = fonts_->GetGlyphWidth(kFilledHead);
  }

  void Show(std::initializer_list<TStaffFixture*> staves) {
    system_->ClearStaves();
    for (TStaffFixture* f : staves) system_->AddStaffByPtr(&f->staff);
  }
  // Lays out (view or print) and records the drawing.
  EmfRecords Record(bool editView) {
    fonts_->BeginMeasure();
    if (editView) {
      system_->LayoutView(0, kRight);
    } else {
      system_->LayoutLine(kRight);
    }
    system_->AlignStaves();
    fonts_->EndMeasure();
    HDC emf = CreateEnhMetaFileA(screen_, nullptr, nullptr, nullptr);
    {
      TDC out(emf);
      fonts_->BeginDraw(out, &screen_);
      system_->Draw(0, 0, 0, kRight);
      fonts_->EndDraw();
    }
    HENHMETAFILE file = CloseEnhMetaFile(emf);
    EmfRecords records = ReadEmf(file);
    DeleteEnhMetaFile(file);
    return records;
  }
  TStaffDrawInfo& Line(int i = 0) { return *system_->GetStaffInfo(i); }
  int Y(int position, int i = 0) { return Line(i).GetY() + position * s_ / 2; }
  int CellX(int item, int i = 0) { return Line(i).GetCellX(Line(i).FindCell(item)); }
  static std::vector<EmfText> Glyphs(const EmfRecords& r, int glyph) {
    std::vector<EmfText> out;
    for (const EmfText& t : r.texts) {
      if (FaceOf(t.font) == kFaceName && t.text == std::string(1, GlyphChar(glyph))) out.push_back(t);
    }
    return out;
  }
  static bool HasText(const EmfRecords& r, const std::string& text) {
    return std::any_of(r.texts.begin(), r.texts.end(), [&](const EmfText& t) { return t.text == text; });
  }

  TMusicScore score_;
  TStaffColorHandles colors_;
  TScreenDC screen_;
  std::unique_ptr<TMusicFonts> fonts_;
  std::unique_ptr<TScoreDrawInfo> system_;
  int s_ = 0, h_ = 0;
};

TEST_F(ScoreDrawingTest, HeadsAccidentalsAndLegerLinesStandWhereTheLayoutPutsThem) {
  TStaffFixture a;
  const int low = a.Note(7, 2, acFlat);    // below the staff: stem up, leger lines at 6
  const int high = a.Note(-8, 1, acSharp); // above: a half note, stem down, leger lines at -6 and -8
  Show({&a});
  const EmfRecords r = Record(false);
  const auto heads = Glyphs(r, kFilledHead);
  const auto halves = Glyphs(r, kHalfHead);
  ASSERT_EQ(heads.size(), 1u);
  ASSERT_EQ(halves.size(), 1u);
  const int a1 = Line().Cell(Line().FindCell(low)).accidentalColumns * fonts_->GetAccidentalWidth();
  EXPECT_EQ(heads[0].x, CellX(low) + a1);
  EXPECT_EQ(heads[0].y, Y(7));
  EXPECT_EQ(halves[0].y, Y(-8));
  EXPECT_GT(halves[0].x, CellX(high));
  const auto flats = Glyphs(r, kFlat), sharps = Glyphs(r, kSharp);
  ASSERT_EQ(flats.size(), 1u);
  ASSERT_EQ(sharps.size(), 1u);
  EXPECT_EQ(flats[0].x, CellX(low));
  EXPECT_LE(flats[0].x + fonts_->GetGlyphWidth(kFlat), heads[0].x);
  EXPECT_LE(sharps[0].x + fonts_->GetGlyphWidth(kSharp), halves[0].x);
  // Leger lines: one at 6 for the low note, at -6 and -8 for the high one.
  auto legersAt = [&](int position, int headX) {
    int n = 0;
    for (const EmfLine& l : r.lines) n += l.y1 == Y(position) && l.y2 == l.y1 && l.x1 == headX - h_ / 4 - 1;
    return n;
  };
  EXPECT_EQ(legersAt(6, heads[0].x), 1);
  EXPECT_EQ(legersAt(-6, halves[0].x), 1);
  EXPECT_EQ(legersAt(-8, halves[0].x), 1);
  // The up stem stands at the head's right and rises; the down stem at its left and falls.
  bool up = false, down = false;
  for (const EmfLine& l : r.lines) {
    if (l.x1 != l.x2) continue;
    up = up || (l.x1 > heads[0].x + h_ / 2 && l.x1 < heads[0].x + h_ && std::min(l.y1, l.y2) < Y(7) - 2 * s_);
    down = down || (l.x1 >= halves[0].x && l.x1 < halves[0].x + h_ / 2 && std::max(l.y1, l.y2) > Y(-8) + 2 * s_);
  }
  EXPECT_TRUE(up);
  EXPECT_TRUE(down);
}

TEST_F(ScoreDrawingTest, KeySignaturesOnEachClef) {
  struct Case {
    int clef, size;
    std::vector<int> positions;
  } cases[] = {
      {clTreble, 3, {-4, -1, -5}},
      {clBass, 3, {-2, 1, -3}},
      {clAlto, -3, {1, -2, 2}},
      {clTenor, -2, {-1, -4}},
  };
  for (const Case& c : cases) {
    TStaffFixture f;
    f.Clef(c.clef);
    const int k = f.Key(c.size);
    static_cast<TKeyData*>(f.At(k))->SetAuditClef(c.clef);
    Show({&f});
    const EmfRecords r = Record(false);
    const auto marks = Glyphs(r, c.size > 0 ? kSharp : kFlat);
    ASSERT_EQ(marks.size(), c.positions.size()) << "clef " << c.clef;
    for (std::size_t n = 0; n < marks.size(); ++n) {
      EXPECT_EQ(marks[n].y, Y(c.positions[n])) << "clef " << c.clef << " mark " << n;
      if (n > 0) {
        EXPECT_GT(marks[n].x, marks[n - 1].x);
      }
    }
  }
}

TEST_F(ScoreDrawingTest, EveryBarLineTypeDrawsAsThePrimitiveDoes) {
  for (int style = 0; style <= 7; ++style) {
    TStaffFixture f;
    f.Note(0);
    const int bar = f.Bar(style);
    f.Note(0);
    Show({&f});
    const EmfRecords r = Record(true);
    const int x = CellX(bar);
    const int w = Line().Cell(Line().FindCell(bar)).width;
    int verticals = 0;
    for (const EmfLine& l : r.lines) {
      verticals += l.x1 == l.x2 && l.x1 >= x && l.x1 < x + w && l.y1 == Y(-4) && l.y2 == Y(4);
    }
    // The same bar drawn alone through the primitive.
    HDC emf = CreateEnhMetaFileA(screen_, nullptr, nullptr, nullptr);
    {
      TDC out(emf);
      fonts_->BeginDraw(out, &screen_);
      fonts_->DrawBarLine(0, style, 100, 200);
      fonts_->EndDraw();
    }
    HENHMETAFILE file = CloseEnhMetaFile(emf);
    const EmfRecords alone = ReadEmf(file);
    DeleteEnhMetaFile(file);
    int expected = 0;
    for (const EmfLine& l : alone.lines) expected += l.x1 == l.x2 && l.y1 == 100 && l.y2 == 200;
    EXPECT_EQ(verticals, expected) << "style " << style;
    EXPECT_GT(verticals, 0) << "style " << style;
    const bool dots = style == 4 || style == 5 || style == 6 || style == 7;
    EXPECT_EQ(Glyphs(r, kRepeatDots).size(), dots ? 1u : 0u) << "style " << style;
  }
}

TEST_F(ScoreDrawingTest, BeamsStemsTiesSlursAndTriplets) {
  TStaffFixture a;
  const int b1 = a.Note(2, 4), b2 = a.Note(3, 4), b3 = a.Note(4, 4);
  a.Group(0, {b1, b2, b3});
  a.Group(1, {b1, b2, b3});
  const int t1 = a.Note(-1, 2), t2 = a.Note(-1, 2);
  a.SongAt(t1)->SetAttribute(naTieOut);
  a.SongAt(t2)->SetAttribute(naTieIn);
  const int s1 = a.Note(1, 2), s2 = a.Note(-2, 2);
  a.SongAt(s1)->SetAttribute(naSlurOut);
  a.SongAt(s2)->SetAttribute(naSlurIn);
  a.Bar();
  Show({&a});
  const EmfRecords r = Record(false);
  // Two beams (sixteenths) as bands of parallel lines from the first stem to the last, above the
  // heads: no flags.
  const int first = CellX(b1), last = CellX(b3) + h_;
  int beamLines = 0;
  for (const EmfLine& l : r.lines) {
    if (l.x1 == l.x2 || l.x1 < first || l.x2 > last) continue;
    ++beamLines;
    EXPECT_LT(std::max(l.y1, l.y2), Y(2));
  }
  EXPECT_GE(beamLines, 2);
  EXPECT_TRUE(Glyphs(r, kFlagUpStem).empty());
  // The triplet's number only, over a beamed group.
  EXPECT_TRUE(HasText(r, "3"));
  // A tie from the first head's right to the second head, and a slur: curves drawn as polylines.
  std::vector<int> starts;
  for (const EmfPolyline& p : r.polylines) starts.push_back(p.points.front().x);
  EXPECT_NE(std::find(starts.begin(), starts.end(), CellX(t1) + h_), starts.end());
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  EXPECT_EQ(starts.size(), 2u);
}

TEST_F(ScoreDrawingTest, LyricsAndExpressionTextsAreDrawn) {
  TStaffFixture a;
  auto* lyrics = new TStaffLyrics;
  auto* line = new TLyricText;
  line->ParseTextLine("hel-lo world", false, false);
  lyrics->AddLine(line);
  a.staff.SetLyrics(lyrics);
  a.Ending(0x3);
  auto* patch = new TPatchData;
  TStaffInstrument instrument;
  instrument.patch = 5;
  patch->SetPatch(instrument);
  patch->SetVisibility(TNotatedItem::visAlways);
  a.Add(patch);
  a.Flow(TFlowDirection::fdDCAlCoda);
  a.Flow(TFlowDirection::fdToCoda);
  a.Dynamic(TDynamicLevelData::dynMF);
  const int n1 = a.Note(0);
  a.Note(0);
  a.Note(0);
  Show({&a});
  const EmfRecords r = Record(false);
  for (const char* text : {" 1.2.", "{#005}", "D.C. al Coda", "To Coda ", "mf", "hel", "lo", "world"}) {
    EXPECT_TRUE(HasText(r, text)) << text;
  }
  EXPECT_EQ(Glyphs(r, kCoda).size(), 1u);
  // The first syllable starts at its note's cell, in the lyric font, on the lyric line.
  for (const EmfText& t : r.texts) {
    if (t.text != "hel") continue;
    EXPECT_EQ(t.x, CellX(n1));
    EXPECT_NE(FaceOf(t.font), kFaceName);
  }
  // A hyphen between the syllables of a word.
  EXPECT_TRUE(HasText(r, "-"));
}

TEST_F(ScoreDrawingTest, AHiddenDynamicIsGreyInTheViewAndAbsentInPrint) {
  TStaffFixture a;
  a.Note(0);
  const int dyn = a.Dynamic(TDynamicLevelData::dynFF);
  a.At(dyn)->SetVisibility(TNotatedItem::visNever);
  a.Note(0);
  Show({&a});
  const EmfRecords print = Record(false);
  EXPECT_TRUE(Glyphs(print, kEditTag).empty());
  EXPECT_FALSE(HasText(print, "ff"));
  const EmfRecords view = Record(true);
  const auto tags = Glyphs(view, kEditTag);
  ASSERT_EQ(tags.size(), 1u);
  EXPECT_EQ(tags[0].color, colors_.GetColor(3));
}

}  // namespace
