// The earlier line's staff laid out and drawn through GDI into an enhanced metafile, read back
// record by record: its own cell kinds and whole-head gaps where the heads stand, everything in
// the colour the view gave the staff, and its triplet brackets and beams.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/EditorLine.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/win32/MusicFonts.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "framework/DC.h"
#include "framework/ScreenDC.h"
#include "tests/drawing/EmfRecords.h"
#include "tests/ntnidx/NtnStaffFixture.h"

static_assert(kEarlierLine, "these tests run against the earlier line's libraries");

namespace {

using namespace MusicGlyphs;
constexpr int kRight = 6000;
constexpr int kStaffColor = 2;

class EarlierScoreDrawingTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(TMusicFonts::IsMusicFontInstalled()) << "run tools/setup";
    colors_.SetColor(kStaffColor, RGB(0, 0, 160));
    fonts_ = std::make_unique<TMusicFonts>(score_.GetFonts(), &colors_, 16);
    system_ = std::make_unique<TScoreDrawInfo>(&score_, fonts_.get(), 1);
    score_.SetDurationSpacing(false);
    s_ = fonts_->GetSpacing();
    h_ = fonts_->GetGlyphWidth(kFilledHead);
  }

  // Lays out the staff for printing, gives it the view's colour and records the drawing.
  EmfRecords Record(TStaffFixture& a) {
    system_->ClearStaves();
    system_->AddStaffByPtr(&a.staff);
    system_->SetEditView(false);
    fonts_->BeginMeasure();
    system_->LayoutLine(kRight);
    system_->AlignStaves();
    fonts_->EndMeasure();
    system_->SetStaffColors(kStaffColor);
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
  TStaffDrawInfo& Line() { return *system_->GetStaffInfo(0); }
  int Y(int position) { return Line().GetY() + position * s_ / 2; }
  int CellX(int item) { return Line().GetCellX(Line().FindCell(item)); }
  std::string Kinds() {
    std::string out;
    for (int c = 0; c < Line().GetCellCount(); ++c) out += (c ? " " : "") + std::to_string(int(Line().Cell(c).Kind()));
    return out;
  }
  static std::vector<EmfText> Glyphs(const EmfRecords& r, int glyph) {
    std::vector<EmfText> out;
    for (const EmfText& t : r.texts) {
      if (FaceOf(t.font) == kFaceName && t.text == std::string(1, GlyphChar(glyph))) out.push_back(t);
    }
    return out;
  }

  TMusicScore score_;
  TStaffColorHandles colors_;
  TScreenDC screen_;
  std::unique_ptr<TMusicFonts> fonts_;
  std::unique_ptr<TScoreDrawInfo> system_;
  int s_ = 0, h_ = 0;
};

TEST_F(EarlierScoreDrawingTest, HeadsStandWhereTheEarlierKindsAndGapsPutThem) {
  TStaffFixture a;
  const int clef = a.Clef(clTreble);
  const int first = a.Note(0);
  const int bar = a.Bar();
  a.Key(1);
  const int tempo = a.Tempo(120);
  const int second = a.Note(0);
  a.Bar();
  const EmfRecords r = Record(a);
  EXPECT_EQ(Kinds(), "8 3 7 8 4 2 7 8 8");
  const auto heads = Glyphs(r, kFilledHead);
  ASSERT_EQ(heads.size(), 2u);
  // Each head at its cell; the clef's cell holds the glyph and two head widths before the note.
  const int trebleWidth = fonts_->GetGlyphWidth(kTrebleClef);
  const auto trebles = Glyphs(r, kTrebleClef);
  ASSERT_EQ(trebles.size(), 1u);
  EXPECT_EQ(trebles[0].x, CellX(clef));
  EXPECT_EQ(heads[0].x, CellX(first));
  EXPECT_EQ(CellX(first) - CellX(clef), trebleWidth + 2 * h_);
  // The tempo takes the same kind as any other item and no gap before the note.
  EXPECT_EQ(heads[1].x, CellX(second));
  const int tc = Line().FindCell(tempo);
  EXPECT_EQ(Line().Cell(tc).width, a.At(tempo)->GetWidth(Line(), tc) + a.At(tempo)->GetTrailingSpace(Line(), tc));
  EXPECT_EQ(Line().Cell(Line().FindCell(bar)).ordinal, 1);
  // Everything is drawn in the colour the view gave the staff.
  for (const EmfText& t : r.texts) EXPECT_EQ(t.color, RGB(0, 0, 160)) << t.text;
  for (const EmfLine& l : r.lines) EXPECT_EQ(l.pen, RGB(0, 0, 160));
}

TEST_F(EarlierScoreDrawingTest, TripletBracketsAndTheNumberOverABeamedTriplet) {
  TStaffFixture a;
  // An unbeamed triplet high above the staff with stems down: its bracket is level (outside the
  // staff) and kept 2.5 spacings below the middle line.
  std::vector<int> t;
  for (int i = 0; i < 3; ++i) {
    t.push_back(a.Note(-8, 2));
    a.SongAt(t.back())->SetStemDirection(stDown);
  }
  a.Group(1, {t[0], t[1], t[2]});
  // A beamed triplet of eighths: only the number, 1.5 spacings beyond the beam.
  std::vector<int> b;
  for (int i = 0; i < 3; ++i) b.push_back(a.Note(2, 3));
  a.Group(0, {b[0], b[1], b[2]});
  a.Group(1, {b[0], b[1], b[2]});
  a.Bar();
  const EmfRecords r = Record(a);
  std::vector<EmfText> threes;
  for (const EmfText& text : r.texts) {
    if (text.text == "3") threes.push_back(text);
  }
  ASSERT_EQ(threes.size(), 2u);

  const int bracketY = Y(0) + 5 * s_ / 2;
  int hooks = 0, parts = 0;
  for (const EmfLine& l : r.lines) {
    if (l.x1 < CellX(t[0]) || l.x1 > CellX(b[0])) continue;
    if (l.x1 == l.x2 && std::abs(l.y2 - l.y1) == s_ / 2 && std::max(l.y1, l.y2) == bracketY) ++hooks;
    if (l.y1 == bracketY && l.y2 == bracketY && l.x1 != l.x2) ++parts;
  }
  EXPECT_EQ(hooks, 2);
  EXPECT_EQ(parts, 2);
  EXPECT_GT(threes[0].x, CellX(t[0]));
  EXPECT_LT(threes[0].x, CellX(t[2]));

  // The beam: level, 4 spacings above the heads, its stems reaching it; the number above it.
  const int beamY = Y(2) - 4 * s_;
  int stems = 0, beamLines = 0;
  for (const EmfLine& l : r.lines) {
    if (l.x1 < CellX(b[0]) || l.x1 > CellX(b[2]) + h_) continue;
    if (l.x1 == l.x2 && std::max(l.y1, l.y2) == Y(2) && std::min(l.y1, l.y2) == beamY) ++stems;
    if (l.x1 != l.x2 && l.y1 == l.y2 && l.y1 >= beamY && l.y1 < beamY + s_) ++beamLines;
  }
  EXPECT_EQ(stems, 3);
  EXPECT_EQ(beamLines, 2 * (s_ / 2));  // one beam, between each pair of stems
  EXPECT_GT(threes[1].x, CellX(b[0]));
  EXPECT_LT(threes[1].y, beamY);
}

}  // namespace
