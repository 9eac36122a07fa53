// Staff and score layout on a recording device with made-up glyph measures: cell kinds, widths and
// gaps, note spacing, view and print lines, lyrics, alignment across staves and justification, and
// what the line draws (heads, stems, beams, ties, slurs, brackets, texts), all worked out here
// from the layout rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <set>
#include <string>

#include "QVKNTN/ItemDrawing.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/TextExpression.h"
#include "tests/drawing/LayoutFixture.h"
#include "tests/drawing/RecordingPrimitives.h"
#include "tests/ntnidx/NtnStaffFixture.h"

namespace {

using namespace MusicGlyphs;
constexpr int kSpacing = 16;
constexpr int kWide = 100000;

int W(int glyph) { return RecordingPrimitives::GlyphWidthAt(kSpacing, glyph); }
const int h = W(kFilledHead);
const int d = W(kDot);

class LayoutTest : public TLayoutFixture<kSpacing> {
protected:
  // The device y of a staff position on shown staff i.
  int Y(int position, int i = 0) { return Line(i).GetY() + position * kSpacing / 2; }
  int Width(int i, int cell) { return Line(i).Cell(cell).width; }
  std::vector<Drawn> Glyphs(int glyph) {
    std::vector<Drawn> out;
    for (const Drawn& g : fonts.Of(Drawn::kMusic)) {
      if (g.text == std::string(1, GlyphChar(glyph))) out.push_back(g);
    }
    return out;
  }
};

TEST_F(LayoutTest, CellsTakeTheirKindsWidthsAndGaps) {
  a.Clef(clTreble);
  a.Key(2);
  a.TimeSig(4, 2);
  a.Note(0);        // stem down: the head is the anchor
  a.Bar();
  a.Ending(1);
  a.Note(0);
  a.Bar();
  a.Bar(TBarLineData::blDouble);
  Show({&a});
  system.SetEditView(false);
  Line().LayoutLine(0, kWide);
  // Leading sentinel bar, clef, key, time, note, bar, ending, note, bar, bar, trailing sentinel.
  EXPECT_EQ(Kinds(), "10 4 5 6 9 10 3 9 10 10 10");
  const int timeWidth = fonts.GetTimeSigWidth(0, 4, 4);
  const int endingWidth = RecordingPrimitives::TextSize(kSpacing, 1, "1").cx;
  const int note = 2 * h;  // h + a spacing unit of h
  const int expected[] = {
      fonts.GetBarLineWidth(0) + h / 2,      // bar before a clef
      W(kTrebleClef) + 2 * h / 3,            // clef before a key
      2 * W(kSharp) + 2 * h / 3,             // key before a time signature
      timeWidth + 3 * h / 2,                 // time signature before a note
      note,
      fonts.GetBarLineWidth(0) + 0,          // bar before an ending, printing
      endingWidth,
      note,
      fonts.GetBarLineWidth(0) + 0,          // bar before a bar, printing
      fonts.GetBarLineWidth(1) + 3 * h / 2,  // bar before the closing sentinel (not a bar gap)
  };
  for (int c = 0; c < 9; ++c) EXPECT_EQ(Width(0, c), expected[c]) << "cell " << c;
  EXPECT_EQ(Line().Cell(5).ordinal, 1);
  EXPECT_EQ(Line().Cell(8).ordinal, 2);
}

TEST_F(LayoutTest, EditViewGapsBetweenBarsAndBeforeEndings) {
  a.Note(0);
  const int bar = a.Bar();
  a.Ending(3);
  a.Bar(TBarLineData::blDouble);
  a.Bar(TBarLineData::blDouble);
  Show({&a});
  Line().LayoutView(0, kWide);
  const int c = Line().FindCell(bar);
  ASSERT_GE(c, 0);
  EXPECT_EQ(Width(0, c), fonts.GetBarLineWidth(0) + h / 2);
  EXPECT_EQ(Width(0, c + 1), RecordingPrimitives::TextSize(kSpacing, 1, " 1.2.").cx);
  // Two bars of one style sit together; of different styles 2h apart.
  EXPECT_EQ(Width(0, c + 2), fonts.GetBarLineWidth(1));
  EXPECT_EQ(Width(0, c + 3), fonts.GetBarLineWidth(1) + 2 * h);
}

TEST_F(LayoutTest, HiddenDynamicTakesNoRoomWhenPrintingAndShowsGreyInTheView) {
  a.Note(0);
  const int bar = a.Bar();
  const int dyn = a.Dynamic(TDynamicLevelData::dynMF);
  a.At(dyn)->SetVisibility(TNotatedItem::visNever);
  a.Note(0);
  Show({&a});
  system.SetEditView(false);
  Line().LayoutLine(0, kWide);
  const int c = Line().FindCell(dyn);
  EXPECT_TRUE(Line().Cell(c).IsHidden());
  EXPECT_EQ(Width(0, c), 0);
  // The bar's gap goes to the note that follows, as if the dynamic were not there.
  EXPECT_EQ(Width(0, Line().FindCell(bar)), fonts.GetBarLineWidth(0) + 3 * h / 2);
  fonts.drawn.clear();
  system.Draw(0, 0, 0, kWide);
  for (const Drawn& t : fonts.Of(Drawn::kText)) EXPECT_NE(t.text, "mf");

  system.LayoutView(0, kWide);
  const int v = Line().FindCell(dyn);
  EXPECT_EQ(Width(0, v), 2 * W(kEditTag));
  fonts.drawn.clear();
  system.Draw(0, 0, 0, kWide);
  const auto tags = Glyphs(kEditTag);
  ASSERT_EQ(tags.size(), 1u);
  EXPECT_EQ(tags[0].color, 3);
}

TEST_F(LayoutTest, NoteSpacingFollowsDurationDotsAndTriplets) {
  score.SetDurationSpacing(true);
  struct Case {
    int code;
    bool dotted, doubleDotted, triplet, grace;
    int spacing;  // the trailing space less the head width
  } cases[] = {
      {2, false, false, false, false, h + h},
      {2, true, false, false, false, 3 * h / 2 + 3 * d / 2 + 3 * h / 2},
      {2, false, false, true, false, 2 * h / 3 + 2 * h / 3},
      {0, false, false, false, false, h + 8 * h},
      {1, false, true, false, false, h + 3 * d + 4 * h},
      {4, false, false, false, false, h},
      {2, false, false, false, true, 0},
  };
  for (const Case& c : cases) {
    TStaffFixture f;
    auto* note = new TMusicNote(0, c.code);  // stem down: no flag width
    if (c.dotted) note->SetAttribute(naDotted);
    if (c.doubleDotted) note->SetAttribute(naDoubleDotted);
    if (c.triplet) note->SetTripletState(2);
    if (c.grace) note->SetAttribute(naGrace);
    const int i = f.Add(note);
    Show({&f});
    Line().LayoutView(0, kWide);
    EXPECT_EQ(note->GetTrailingSpace(Line(), Line().FindCell(i)), h + c.spacing) << "code " << c.code;
  }
  score.SetDurationSpacing(false);
  TStaffFixture f;
  const int i = f.Note(0, 0);
  Show({&f});
  Line().LayoutView(0, kWide);
  EXPECT_EQ(f.At(i)->GetTrailingSpace(Line(), Line().FindCell(i)), 2 * h);
}

TEST_F(LayoutTest, AnUpStemmedFlaggedNoteLeavesRoomForItsFlag) {
  const int i = a.Note(3, 3);  // an eighth below the middle line: stem up
  Show({&a});
  Line().LayoutView(0, kWide);
  const int c = Line().FindCell(i);
  EXPECT_EQ(a.At(i)->GetWidth(Line(), c), h - 1);
  EXPECT_EQ(a.At(i)->GetTrailingSpace(Line(), c), h + h + W(kFlagUpStem));
}

TEST_F(LayoutTest, ViewLineStartsTwoNotesBeforeTheTickAtABarAndKeepsItsCursor) {
  for (int bar = 0; bar < 40; ++bar) {
    for (int n = 0; n < 4; ++n) a.Note(0);
    a.Bar();
  }
  Show({&a});
  // Tick of bar 10's second note (item 52): two song notes back (51, then 49 across the bar
  // line), then back to bar 9's opening bar line (item 45).
  const long tick = 10 * 4 * 192 + 192;
  Line().LayoutView(tick, 300);
  EXPECT_EQ(Line().Cell(0).Kind(), TCellKind::LineLead);
  EXPECT_EQ(Line().Cell(0).duration, 9 * 4 * 192);
  EXPECT_EQ(Line().Cell(1).Kind(), TCellKind::Bar);
  EXPECT_EQ(Line().Cell(1).itemIndex, 9 * 5);
  // Widths count from the item at the tick; the line ends at the third bar line after they pass
  // the width.
  int bars = 0, counted = 0, lastBar = -1;
  for (int c = 1; c < Line().GetCellCount(); ++c) {
    if (Line().Cell(c).itemIndex >= 52) counted += Line().Cell(c).width;
    if (Line().Cell(c).Kind() == TCellKind::Bar && counted > 300) {
      ++bars;
      lastBar = c;
    }
  }
  EXPECT_EQ(lastBar, Line().GetCellCount() - 1);
  EXPECT_EQ(bars, 3);
  EXPECT_EQ(Line().TickToIndex(tick), 10 * 5 + 2);
  EXPECT_EQ(Line().IndexToTick(10 * 5 + 2), tick);
  // Queries about items before and after the line.
  EXPECT_EQ(Line().GetItemX(3), INT_MIN + 2);
  EXPECT_EQ(Line().GetItemX(a.staff.LastIndex()), INT_MAX);
  EXPECT_EQ(Line().GetItemX(10 * 5 + 1), Line().GetCellX(Line().FindCell(10 * 5 + 1)));
}

TEST_F(LayoutTest, PrintLinesCarryCourtesyClefAndKeyButNotTwice) {
  a.Clef(clBass);
  a.Key(-3);
  for (int bar = 0; bar < 12; ++bar) {
    a.Note(0);
    a.Note(0);
    a.Bar();
  }
  const int clefAt = a.Clef(clTreble);  // a clef change at the start of a later line
  for (int bar = 0; bar < 4; ++bar) {
    a.Note(0);
    a.Bar();
  }
  Show({&a});
  system.SetEditView(false);
  Line().LayoutLine(9, kWide);
  EXPECT_EQ(Kinds().substr(0, 9), "1 4 5 9 9");
  EXPECT_TRUE(Line().Cell(1).IsSubstitute());
  EXPECT_EQ(Line().Cell(1).itemIndex, 1);
  EXPECT_EQ(Line().Cell(2).itemIndex, 2);
  // Three flats as the courtesy key, no naturals.
  EXPECT_EQ(Line().Cell(2).width, 3 * W(kFlat) + 3 * h / 2);
  // A line opening on the clef change shows that clef once, in its own cell, and the key after it.
  Line().LayoutLine(clefAt, kWide);
  EXPECT_EQ(Kinds().substr(0, 5), "1 4 5");
  EXPECT_TRUE(Line().Cell(2).IsSubstitute());
  int clefs = 0;
  for (int c = 0; c < Line().GetCellCount(); ++c) clefs += Line().Cell(c).Kind() == TCellKind::Clef;
  EXPECT_EQ(clefs, 1);
  EXPECT_FALSE(Line().Cell(1).IsSubstitute());
  EXPECT_EQ(Line().Cell(1).itemIndex, clefAt);
}

TEST_F(LayoutTest, PrintLineStopsAtABarOnceABarHasContent) {
  for (int bar = 0; bar < 30; ++bar) {
    a.Note(0);
    a.Note(0);
    a.Bar();
  }
  Show({&a});
  system.SetEditView(false);
  const int width = 20 * h;
  Line().LayoutLine(0, width);
  const int last = Line().GetCellCount() - 1;
  EXPECT_EQ(Line().Cell(last).Kind(), TCellKind::Bar);
  EXPECT_LE(Line().SumWidths(0, last), width);
  EXPECT_EQ(Line().Cell(last).width, fonts.GetBarLineWidth(0));
  EXPECT_FALSE(Line().IsAtStaffEnd());
}

TEST_F(LayoutTest, ALineNeverHoldsMoreThan2048Cells) {
  for (int i = 0; i < 2500; ++i) a.Add(new TDynamicLevelData(3));
  Show({&a});
  system.SetEditView(false);
  Line().LayoutLine(0, INT_MAX / 4);
  EXPECT_EQ(Line().GetCellCount(), TStaffDrawInfo::kMaxCells);
  system.LayoutView(0, INT_MAX / 4);
  EXPECT_EQ(Line().GetCellCount(), TStaffDrawInfo::kMaxCells);
}

TEST_F(LayoutTest, LyricsWidenCellsAndEveryLineAFileHoldsIsDrawn) {
  auto* lyrics = new TStaffLyrics;
  for (int n = 0; n < TStaffLyrics::kMaxLines; ++n) {
    auto* line = new TLyricText;
    line->Append(n == 8 ? "ninth" : "la", ' ', false);
    line->Append("wordwordwordword", ' ', false);
    lyrics->AddLine(line);
  }
  a.staff.SetLyrics(lyrics);
  const int first = a.Note(0, 4);
  const int second = a.Note(0, 4);
  a.Bar();
  Show({&a});
  Line().LayoutView(0, kWide);
  const int c1 = Line().FindCell(first);
  EXPECT_EQ(Line().Cell(c1).ordinal, 1);
  EXPECT_EQ(Line().Cell(Line().FindCell(second)).ordinal, 2);
  // Left-aligned syllables: the cell is as wide as its longest syllable and separator.
  const int longest = RecordingPrimitives::TextSize(kSpacing, 2, "ninth ").cx;
  EXPECT_EQ(Line().Cell(c1).width, std::max(2 * h, longest));
  fonts.drawn.clear();
  system.Draw(0, 0, 0, kWide);
  int ninth = 0;
  for (const Drawn& t : fonts.Of(Drawn::kText)) ninth += t.text == "ninth";
  EXPECT_EQ(ninth, 1);

  // Redrawing one note (a highlight) redraws its syllables too, in the note's new colour.
  fonts.drawn.clear();
  Line().DrawItem(second, 0, 0, 4);
  std::vector<std::string> redrawn;
  for (const Drawn& t : fonts.Of(Drawn::kText)) {
    EXPECT_EQ(t.color, 4) << t.text;
    redrawn.push_back(t.text);
  }
  EXPECT_EQ(redrawn, std::vector<std::string>(TStaffLyrics::kMaxLines, "wordwordwordword"));
}

// --- drawing --------------------------------------------------------------------------------

TEST_F(LayoutTest, NotesDrawHeadsStemsAccidentalsAndLegerLines) {
  const int i = a.Note(6, 2, acSharp);  // below the staff, stem up, one leger line
  Show({&a});
  system.LayoutView(0, kWide);
  fonts.drawn.clear();
  system.Draw(0, 0, 0, kWide);
  const int x = Line().GetCellX(Line().FindCell(i));
  const auto sharps = Glyphs(kSharp);
  const auto heads = Glyphs(kFilledHead);
  ASSERT_EQ(sharps.size(), 1u);
  ASSERT_EQ(heads.size(), 1u);
  EXPECT_EQ(sharps[0].x, x);
  const int headX = x + Line().Cell(Line().FindCell(i)).accidentalColumns * fonts.GetAccidentalWidth();
  EXPECT_EQ(heads[0].x, headX);
  EXPECT_LT(sharps[0].x + W(kSharp), heads[0].x + 1);
  // The leger line at position 6 and the up stem at the head's right.
  const int legerY = Y(6);
  int legers = 0, stems = 0;
  for (const Drawn& l : fonts.Of(Drawn::kLine)) {
    if (l.y == legerY && l.y2 == legerY && l.x == headX - h / 4 - 1) ++legers;
    if (l.x == l.x2 && l.x >= headX + h - 3 && l.y2 < l.y) ++stems;
  }
  EXPECT_EQ(legers, 1);
  EXPECT_GE(stems, 1);
}

TEST_F(LayoutTest, BarLinesSpanTheStaffLinesForEveryLineCount) {
  // Even line counts put the lines on odd positions: the bar reaches the outer lines.
  struct Case {
    int lines, top;
  } cases[] = {{5, -4}, {4, -3}, {2, -1}, {1, -2}, {6, -5}};
  for (const Case& c : cases) {
    TStaffFixture f;
    f.staff.SetLineCount(c.lines);
    f.Note(0);
    const int bar = f.Bar();
    f.Note(0);
    Show({&f});
    system.LayoutView(0, kWide);
    fonts.drawn.clear();
    system.Draw(0, 0, 0, kWide);
    const int x = Line().GetCellX(Line().FindCell(bar));
    int found = 0;
    for (const Drawn& l : fonts.Of(Drawn::kLine)) found += l.x == x && l.x2 == x && l.y == Y(c.top) && l.y2 == Y(-c.top);
    EXPECT_GT(found, 0) << c.lines << " lines";
  }
}

TEST_F(LayoutTest, AnOrchestralGroupsLineStartEndsInHooksAtItsOuterStaves) {
  // Three orchestral staves: hooks at the top line of the first and the bottom line of the last
  // only; the same staves in another style get none.
  TStaffFixture c;
  for (TStaffFixture* f : {&a, &b, &c}) {
    f->Note(0);
    f->Bar();
  }
  auto hooks = [&](int style) {
    for (TStaffFixture* f : {&a, &b, &c}) f->staff.SetStyle(style);
    Show({&a, &b, &c});
    system.LayoutView(0, kWide);
    fonts.drawn.clear();
    system.Draw(0, 0, 0, kWide);
    std::vector<std::pair<int, int>> found;  // staff, +1 down / -1 up
    for (int i = 0; i < 3; ++i) {
      const int x = Line(i).GetCellX(0);
      for (const Drawn& l : fonts.Of(Drawn::kLine)) {
        if (l.x == x && l.x2 == x + kSpacing && l.y == Y(-4, i) && l.y2 == Y(-5, i)) found.push_back({i, -1});
        if (l.x == x && l.x2 == x + kSpacing && l.y == Y(4, i) && l.y2 == Y(5, i)) found.push_back({i, 1});
      }
    }
    return found;
  };
  const std::vector<std::pair<int, int>> orchestral = hooks(TMusicStaff::kStyleOrchestral);
  EXPECT_EQ(orchestral, (std::vector<std::pair<int, int>>{{0, -1}, {2, 1}}));
  EXPECT_TRUE(hooks(TMusicStaff::kStyleStandard).empty());
}

TEST_F(LayoutTest, StoredDurationClassesPastTheShortestDrawAsTheShortest) {
  auto* rest = new TRestNote(2);
  rest->SetDurationByte(uint8_t((rest->GetDurationByte() & 0xF0) | 12));
  a.Add(rest);
  auto* note = new TMusicNote(3, 2);
  note->SetDurationByte(uint8_t((note->GetDurationByte() & 0xF0) | 15));
  a.Add(note);
  Show({&a});
  system.LayoutView(0, kWide);
  system.Draw(0, 0, 0, kWide);
  EXPECT_EQ(Glyphs(kWholeRest + 6).size(), 1u);
  EXPECT_EQ(Glyphs(kFilledHead).size(), 1u);
  EXPECT_EQ(rest->GetDurationCode(), 12);
  EXPECT_EQ(note->GetDurationCode(), 15);
}

TEST_F(LayoutTest, KeySignaturesStandOnTheirClefsPositions) {
  struct Case {
    int clef, size;
    std::vector<int> positions;
  } cases[] = {
      {clTreble, 2, {-4, -1}},
      {clBass, 3, {-2, 1, -3}},  // A major in the bass: F, C, G
      {clAlto, -2, {1, -2}},
      {clTenor, 1, {2}},
  };
  for (const Case& c : cases) {
    TStaffFixture f;
    f.Clef(c.clef);
    const int k = f.Key(c.size);
    static_cast<TKeyData*>(f.At(k))->SetAuditClef(c.clef);
    Show({&f});
    system.LayoutView(0, kWide);
    fonts.drawn.clear();
    system.Draw(0, 0, 0, kWide);
    const auto glyphs = Glyphs(c.size > 0 ? kSharp : kFlat);
    ASSERT_EQ(glyphs.size(), c.positions.size());
    for (std::size_t n = 0; n < glyphs.size(); ++n) {
      EXPECT_EQ(glyphs[n].y, Y(c.positions[n])) << "clef " << c.clef;
    }
  }
}

TEST_F(LayoutTest, BeamsJoinTheirNotesAndARisingThenFallingBeamIsLevel) {
  const int n1 = a.Note(2, 3), n2 = a.Note(-2, 3), n3 = a.Note(1, 3);
  a.Group(0, {n1, n2, n3});
  for (int i : {n1, n2, n3}) a.SongAt(i)->SetStemDirection(stDown);
  a.Bar();
  Show({&a});
  system.LayoutView(0, kWide);
  system.SetEditView(false);
  fonts.drawn.clear();
  system.Draw(0, 0, 0, kWide);
  // Beams are bands of lines between stem ends (the staff lines run the whole line): all level
  // here, from the first stem to the last.
  const int firstHead = Line().GetCellX(Line().FindCell(n1));
  const int lastHead = Line().GetCellX(Line().FindCell(n3));
  int beams = 0, stems = 0;
  for (const Drawn& l : fonts.Of(Drawn::kLine)) {
    if (l.x == l.x2) {
      stems += l.x >= firstHead && l.x <= lastHead + h;
      continue;
    }
    if (l.x < firstHead) continue;
    ++beams;
    EXPECT_EQ(l.y, l.y2);
    EXPECT_GT(l.y, Y(2) + kSpacing);  // below the lowest head, on the stems' side
  }
  EXPECT_GT(beams, 0);
  EXPECT_GE(stems, 3);
  // No flags on beamed notes.
  EXPECT_TRUE(Glyphs(kFlagDownStem).empty());
  EXPECT_TRUE(Glyphs(kFlagUpStem).empty());
}

TEST_F(LayoutTest, ABeamWhoseStemsShareXIsLevel) {
  // Two beamed notes in one cell position: widths forced to 0 put both stems at one x.
  const int n1 = a.Note(2, 3), n2 = a.Note(-4, 3);
  a.Group(0, {n1, n2});
  Show({&a});
  system.LayoutView(0, kWide);
  Line().Cell(Line().FindCell(n1)).width = 0;
  fonts.drawn.clear();
  system.Draw(0, 0, 0, kWide);
  // The beam shrinks to a level stroke at the shared x (no slope out of a zero run).
  int beams = 0;
  for (const Drawn& l : fonts.Of(Drawn::kLine)) beams += l.x == l.x2 && l.y == l.y2;
  EXPECT_GT(beams, 0);
}

TEST_F(LayoutTest, TiesSlursAndTripletBracketsAreDrawn) {
  const int t1 = a.Note(0, 2), t2 = a.Note(0, 2);
  a.SongAt(t1)->SetAttribute(naTieOut);
  a.SongAt(t2)->SetAttribute(naTieIn);
  const int s1 = a.Note(-1, 2), s2 = a.Note(1, 2);
  a.SongAt(s1)->SetAttribute(naSlurOut);
  a.SongAt(s2)->SetAttribute(naSlurIn);
  const int r1 = a.Note(0, 3), r2 = a.Note(0, 3), r3 = a.Note(0, 3);
  a.Group(1, {r1, r2, r3});
  a.Bar();
  Show({&a});
  system.LayoutView(0, kWide);
  fonts.drawn.clear();
  system.Draw(0, 0, 0, kWide);
  // One tie and one slur (each an arc of several strokes from one start), and the bracket's "3".
  std::set<int> arcStarts;
  for (const Drawn& p : fonts.Of(Drawn::kPolyline)) arcStarts.insert(p.points.front().x);
  EXPECT_EQ(arcStarts.size(), 2u);
  const int tieFrom = Line().GetCellX(Line().FindCell(t1)) + h;
  EXPECT_EQ(arcStarts.count(tieFrom), 1u);
  int threes = 0;
  for (const Drawn& t : fonts.Of(Drawn::kText)) threes += t.text == "3";
  EXPECT_EQ(threes, 1);
}

TEST_F(LayoutTest, ExpressionsShowTheirTexts) {
  a.Ending(0x3);
  a.Ending(0x80);
  auto* patch = new TPatchData;
  TStaffInstrument instrument;
  instrument.patch = 5;
  patch->SetPatch(instrument);
  patch->SetVisibility(TNotatedItem::visAlways);
  a.Add(patch);
  a.Flow(TFlowDirection::fdDSAlFine);
  auto* text = new TTextExpression;
  text->SetText("dolce");
  text->SetFont(200);  // a font past the twelve shows in the first
  a.Add(text);
  a.Note(0);
  Show({&a});
  system.LayoutView(0, kWide);
  fonts.drawn.clear();
  system.Draw(0, 0, 0, kWide);
  std::vector<std::string> texts;
  for (const Drawn& t : fonts.Of(Drawn::kText)) {
    texts.push_back(t.text);
    EXPECT_GE(t.font, 0);
    EXPECT_LT(t.font, 12);
  }
  for (const char* expected : {" 1.2.", " D.", "{#005}", "D.S.", " al Fine", "dolce"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
  }
  EXPECT_EQ(Glyphs(kSegno).size(), 1u);
}

// --- the system -----------------------------------------------------------------------------

TEST_F(LayoutTest, StavesStackByTheirSizesAndA65thIsRefused) {
  a.staff.SetVerticalSize(10, -8);
  b.staff.SetVerticalSize(12, -6);
  Show({&a, &b});
  EXPECT_EQ(Line(0).GetY(), 8 * kSpacing / 2);
  EXPECT_EQ(Line(1).GetY(), (8 + 10 + 6) * kSpacing / 2);
  EXPECT_EQ(system.GetTotalHeight(), (8 + 10 + 6 + 12) * kSpacing / 2);
  EXPECT_EQ(system.YToPosition(1, Line(1).GetY() + kSpacing), 2);
  TStaffFixture many[70];
  system.ClearStaves();
  for (TStaffFixture& f : many) system.AddStaffByPtr(&f.staff);
  EXPECT_EQ(system.GetCount(), TScoreDrawInfo::kMaxStaves);
}

TEST_F(LayoutTest, AlignmentPutsSimultaneousItemsAtOneXAndEqualisesAccidentalColumns) {
  // Staff a: a half note; staff b: two quarters, the first with a sharp.
  a.Clef(clTreble);
  a.Note(0, 1);
  a.Bar();
  b.Clef(clBass);
  b.Key(4);
  b.Note(0, 2, acSharp);
  b.Note(0, 2);
  b.Bar();
  Show({&a, &b});
  system.SetEditView(false);
  system.LayoutLine(kWide);
  system.AlignStaves();
  auto xOfTick = [&](int s, long tick, TCellKind kind) {
    long t = 0;
    int x = 0;
    for (int c = 0; c < Line(s).GetCellCount(); ++c) {
      if (t == tick && Line(s).Cell(c).Kind() == kind) return x;
      t += Line(s).Cell(c).duration;
      x += Line(s).Cell(c).width;
    }
    return -1;
  };
  EXPECT_EQ(xOfTick(0, 0, TCellKind::Note), xOfTick(1, 0, TCellKind::Note));
  EXPECT_EQ(xOfTick(0, 384, TCellKind::Bar), xOfTick(1, 384, TCellKind::Bar));
  EXPECT_EQ(Line(0).Cell(Line(0).FindCell(2)).accidentalColumns, Line(1).Cell(Line(1).FindCell(3)).accidentalColumns);
  EXPECT_GT(Line(0).Cell(Line(0).FindCell(2)).accidentalColumns, 0);
}

TEST_F(LayoutTest, JustificationStretchesSqueezesOrKeepsTheNaturalWidth) {
  for (int bar = 0; bar < 8; ++bar) {
    for (int n = 0; n < 4; ++n) {
      a.Note(0);
      b.Note(0, 3);
      b.Note(0, 3);
    }
    a.Bar();
    b.Bar();
  }
  Show({&a, &b});
  auto widths = [&] {
    return std::make_pair(Line(0).SumWidths(0, Line(0).GetCellCount()),
                          Line(1).SumWidths(0, Line(1).GetCellCount()));
  };
  // A middle system is stretched to the width; both staves end at one edge.
  system.LayoutLine(2000);
  system.JustifyLine(1500);
  auto [w0, w1] = widths();
  EXPECT_EQ(w0, w1);
  EXPECT_FALSE(Line(0).IsAtStaffEnd());
  EXPECT_GE(w0, 1500 - 2 * h);
  EXPECT_LE(w0, 1500);
  // Stretching keeps simultaneous bars at one x.
  auto barXs = [&](int s) {
    std::vector<int> xs;
    for (int c = 1, x = 0; c < Line(s).GetCellCount(); ++c) {
      x += Line(s).Cell(c - 1).width;
      if (Line(s).Cell(c).Kind() == TCellKind::Bar) xs.push_back(x);
    }
    return xs;
  };
  EXPECT_EQ(barXs(0), barXs(1));
  EXPECT_GT(barXs(0).size(), 2u);
  // The last system keeps its natural width unless it is to be extended.
  system.LayoutLine(kWide);
  system.AlignStaves();
  const int content = std::max(widths().first, widths().second);
  system.LayoutLine(kWide);
  system.JustifyLine(content * 2);
  EXPECT_EQ(widths().first, content);
  score.SetExtendLastSystem(true);
  system.LayoutLine(kWide);
  system.JustifyLine(content * 2);
  EXPECT_EQ(widths().first, content * 2);
  // 110 % of the width is squeezed to it.
  score.SetExtendLastSystem(false);
  system.LayoutLine(kWide);
  const int squeezedTo = content * 10 / 11;
  system.JustifyLine(squeezedTo);
  EXPECT_LE(widths().first, squeezedTo);
  EXPECT_EQ(widths().first, widths().second);
}

TEST_F(LayoutTest, JustificationRoundsStayFewForAWidthFarFromTheContent) {
  for (int bar = 0; bar < 6; ++bar) {
    a.Note(0);
    a.Note(0);
    b.Note(0, 1);
    a.Bar();
    b.Bar();
  }
  score.SetExtendLastSystem(true);
  Show({&a, &b});
  system.LayoutLine(kWide);
  system.JustifyLine(200000);
  EXPECT_EQ(Line(0).SumWidths(0, Line(0).GetCellCount()), 200000);
  EXPECT_EQ(Line(1).SumWidths(0, Line(1).GetCellCount()), 200000);
  EXPECT_LE(system.LastJustifyRounds(), 6);
  // Past what the cells can hold (each at most 32767 units) the rounds stop where nothing moves.
  system.LayoutLine(kWide);
  system.JustifyLine(INT_MAX / 2);
  EXPECT_LT(system.LastJustifyRounds(), 10);
}

TEST_F(LayoutTest, ASystemBreakOnTheFirstStaffBreaksEveryStaff) {
  for (int bar = 0; bar < 8; ++bar) {
    a.Note(0);
    b.Note(0);
    const int ba = a.Bar();
    b.Bar();
    if (bar == 2) a.BarAt(ba)->SetSystemBreak(true);
  }
  Show({&a, &b});
  system.LayoutLine(kWide);
  system.JustifyLine(kWide / 2);
  for (int s = 0; s < 2; ++s) {
    int bars = 0;
    for (int c = 1; c < Line(s).GetCellCount(); ++c) bars += Line(s).Cell(c).Kind() == TCellKind::Bar;
    EXPECT_EQ(bars, 3) << "staff " << s;
  }
  int resume[2];
  system.GetResumeIndexes(resume);
  EXPECT_EQ(resume[0], 7);
  EXPECT_EQ(resume[1], 7);
}

TEST_F(LayoutTest, ALineEndingOnARepeatOpenShowsTheEndBar) {
  a.Note(0);
  a.Bar();
  a.Note(0);
  a.Bar(TBarLineData::blLocalRepeatOpen);
  a.Note(0);
  a.Bar();
  a.staff.SetEndBarStyle(TMusicStaff::kEndSectionClose);
  Show({&a});
  system.LayoutLine(kWide);
  const int w = 6 * h + fonts.GetBarLineWidth(0) * 2;
  system.JustifyLine(w);
  const int last = Line().GetCellCount() - 1;
  EXPECT_TRUE(Line().Cell(last).IsSubstitute());
  EXPECT_EQ(Line().CellItem(last), a.staff.GetItem(a.staff.LastIndex()));
}

}  // namespace

namespace {
// The kind, item and width of every cell of a line, and its lead's duration: what a layout shows.
std::string LineCells(const TStaffDrawInfo& line) {
  std::string out;
  for (int c = 0; c < line.GetCellCount(); ++c) {
    const TItemDrawInfo& cell = line.Cell(c);
    out += std::to_string(int(cell.Kind())) + ":" + std::to_string(cell.itemIndex) + ":" +
           std::to_string(cell.width) + ":" + std::to_string(cell.duration) + " ";
  }
  return out;
}
}  // namespace

// The view lays out from a cursor it keeps between refreshes. Edits before that cursor (the item
// it stands on deleted, items inserted ahead of it, a whole-staff undo) must not leave it counting
// ticks or reading items that are no longer there: each refresh shows what a new layout shows.
TEST_F(LayoutTest, RefreshAfterEditsBeforeTheViewShowsWhatANewLayoutShows) {
  for (int bar = 0; bar < 60; ++bar) {
    for (int n = 0; n < 4; ++n) a.Note(n - 2, bar % 3 == 0 ? 3 : 2);
    a.Bar();
  }
  Show({&a});
  const long tick = 30 * 4 * 192;
  Line().LayoutView(tick, 4000);
  const int cursor = Line().Cursor().GetIndex();
  ASSERT_GT(cursor, 20);
  struct Edit {
    const char* what;
    void (*apply)(TMusicStaff&, int cursor);
  };
  const Edit edits[] = {
      {"delete the items around the cursor", [](TMusicStaff& s, int c) { s.DeleteItems(c - 12, c + 3); }},
      {"insert a half note well before it", [](TMusicStaff& s, int c) { s.InsertItem(new TMusicNote(0, 1), c / 2); }},
      {"delete one quarter before it", [](TMusicStaff& s, int c) { s.DeleteItem(c - 8); }},
      {"replace every item", [](TMusicStaff& s, int) {
         s.DeleteItems(1, s.LastIndex() - 1);
         for (int n = 0; n < 300; ++n) s.AppendItem(n % 5 == 4 ? static_cast<TNotatedItem*>(new TBarLineData) : new TMusicNote(1, 3));
       }},
  };
  for (const Edit& e : edits) {
    SCOPED_TRACE(e.what);
    e.apply(a.staff, Line().Cursor().GetIndex());
    Line().LayoutView(tick, 4000);
    TScoreDrawInfo fresh(&score, &fonts, 1);
    fresh.AddStaffByPtr(&a.staff);
    fresh.GetStaffInfo(0)->LayoutView(tick, 4000);
    EXPECT_EQ(LineCells(Line()), LineCells(*fresh.GetStaffInfo(0)));
    EXPECT_EQ(Line().Cursor().GetTick(), fresh.GetStaffInfo(0)->Cursor().GetTick());
    // The view scrolls to a caret by the tick the line counts from its cursor.
    for (int i : {1, 7, Line().Cursor().GetIndex(), a.staff.LastIndex() - 2, a.staff.LastIndex()})
      EXPECT_EQ(Line().IndexToTick(i), a.staff.GetTicksBetween(1, i)) << i;
  }
}
