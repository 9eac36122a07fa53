// The earlier line's staff layout on a recording device with made-up glyph measures: its cell
// kinds and fixed gaps, nothing hidden or coloured per item, the line colour the view sets, lyrics
// from the note's left edge, one item redrawn with a chosen lyric line, and its beam lines, stems,
// partial beams and triplet brackets, all worked out here from the layout rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <climits>
#include <map>
#include <string>
#include <vector>

#include "QVKNTN/EditorLine.h"
#include "QVKNTN/ItemDrawing.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/StaffLyrics.h"
#include "tests/drawing/LayoutFixture.h"
#include "tests/drawing/RecordingPrimitives.h"
#include "tests/ntnidx/NtnStaffFixture.h"

static_assert(kEarlierLine, "these tests run against the earlier line's libraries");

namespace {

using namespace MusicGlyphs;
constexpr int kSpacing = 16;
constexpr int kWide = 100000;
constexpr int kBeamLines = kSpacing / 2;  // one-unit lines in one beam

int W(int glyph) { return RecordingPrimitives::GlyphWidthAt(kSpacing, glyph); }
const int h = W(kFilledHead);

class EarlierLayoutTest : public TLayoutFixture<kSpacing> {
protected:
  // What a cell holds beyond its item's own lead width and trailing space.
  int Gap(int c) {
    const TNotatedItem* item = Line().CellItem(c);
    return Line().Cell(c).width - item->GetWidth(Line(), c) - item->GetTrailingSpace(Line(), c);
  }
  int Middle() { return Line().GetY(); }
  // Vertical lines inside the x range: stems (and bar lines, which the group tests keep apart).
  std::vector<Drawn> Verticals(int from, int to) {
    std::vector<Drawn> out;
    for (const Drawn& l : fonts.Of(Drawn::kLine)) {
      if (l.x == l.x2 && l.y != l.y2 && l.x >= from && l.x < to) out.push_back(l);
    }
    std::sort(out.begin(), out.end(), [](const Drawn& a, const Drawn& b) { return a.x < b.x; });
    return out;
  }
  // Beams drawn from x1 to x2 exactly (each beam is a band of one-unit lines).
  int Beams(int x1, int x2) {
    int lines = 0;
    for (const Drawn& l : fonts.Of(Drawn::kLine)) lines += l.x == x1 && l.x2 == x2;
    return lines / kBeamLines;
  }
  int Texts(const std::string& text) {
    int n = 0;
    for (const Drawn& t : fonts.Of(Drawn::kText)) n += t.text == text;
    return n;
  }
  void Clear() { a.staff.DeleteItems(1, a.staff.LastIndex() - 1); }
  void DrawAll() {
    fonts.drawn.clear();
    system.Draw(0, 0, 0, kWide);
  }
};

// --- cells ----------------------------------------------------------------------------------

TEST_F(EarlierLayoutTest, CellKindsFollowTheEarlierNumberingWithWholeHeadGaps) {
  a.Clef(clTreble);
  a.Grace(0);
  a.Note(0);
  a.Bar();
  a.Key(2);
  a.TimeSig(3, 2);
  a.Dynamic(TDynamicLevelData::dynMF);
  a.Note(0);
  a.Bar();
  a.Ending(1);
  a.Flow(0);
  a.Note(0);
  a.Bar();
  a.Grace(0);
  a.Note(0);
  a.Bar(TBarLineData::blDouble);
  a.Bar(TBarLineData::blDouble);
  Show({&a});
  for (bool view : {false, true}) {
    SCOPED_TRACE(view ? "editing view" : "printing");
    system.SetEditView(view);
    if (view) Line().LayoutView(0, kWide); else Line().LayoutLine(0, kWide);
    const int lead = view ? 1 : 0;  // the view opens with its lead cell
    // sentinel, clef, grace, note, bar, key, time, dynamic, note, bar, ending, flow, note, bar,
    // grace, note, bar, bar, sentinel.
    EXPECT_EQ(Kinds(), std::string(view ? "1 " : "") + "8 3 6 7 8 4 5 2 7 8 2 2 7 8 6 7 8 8 8");
    struct Case {
      int cell;
      int gap;  // in head widths
    } cases[] = {
        {0, 0},  // bar before a clef
        {1, 1},  // clef before a grace note
        {2, 0},  // grace note before a note
        {3, 0},  // note before a bar
        {4, 0},  // bar before a key
        {5, 1},  // key before a time signature
        {6, 1},  // time signature before an expression
        {7, 0},  // expression before a note
        {9, 1},  // bar before an ending
        {10, 0}, // ending before a flow direction
        {13, 1}, // bar before a grace note
        {16, 1}, // bar before a bar
    };
    for (const Case& c : cases) EXPECT_EQ(Gap(lead + c.cell), c.gap * h) << "cell " << c.cell;
    // A signature or bar before a note leaves two head widths.
    a.Clef(clBass);
    a.Note(0);
    if (view) Line().LayoutView(0, kWide); else Line().LayoutLine(0, kWide);
    const int clef = Line().FindCell(a.staff.LastIndex() - 2);
    EXPECT_EQ(Gap(clef), 2 * h);
    EXPECT_EQ(Gap(clef - 1), 0) << "bar before a clef";
    a.staff.DeleteItems(a.staff.LastIndex() - 2, a.staff.LastIndex() - 1);
  }
}

TEST_F(EarlierLayoutTest, EveryBarLineTakesTheCursorsBarCount) {
  a.Note(0);
  const int first = a.Bar();
  const int empty = a.Bar(TBarLineData::blDouble);  // a bar without content is numbered too
  a.Note(0);
  const int third = a.Bar();
  Show({&a});
  system.SetEditView(false);
  Line().LayoutLine(0, kWide);
  TRelNtnIdx walk(&a.staff, 0);
  for (int i : {first, empty, third}) {
    walk.SetIndex(i);
    EXPECT_EQ(Line().Cell(Line().FindCell(i)).ordinal, walk.GetBarCount()) << "item " << i;
  }
  EXPECT_NE(Line().Cell(Line().FindCell(first)).ordinal, Line().Cell(Line().FindCell(third)).ordinal);
}

TEST_F(EarlierLayoutTest, NothingIsHiddenAndItemsTakeTheLinesColour) {
  a.Note(0);
  const int dyn = a.Dynamic(TDynamicLevelData::dynMF);
  a.At(dyn)->SetVisibility(TNotatedItem::visNever);  // kept in memory, never honoured
  const int note = a.Note(0);
  a.At(note)->SetColor(2);
  Show({&a});
  for (bool view : {false, true}) {
    system.SetEditView(view);
    if (view) system.LayoutView(0, kWide); else Line().LayoutLine(0, kWide);
    const int c = Line().FindCell(dyn);
    EXPECT_FALSE(Line().Cell(c).IsHidden());
    EXPECT_GT(Line().Cell(c).width, 0);
    EXPECT_TRUE(NtnItemIsVisible(a.At(dyn), 1));
    system.SetStaffColors(6);
    DrawAll();
    ASSERT_FALSE(fonts.drawn.empty());
    for (const Drawn& d : fonts.drawn) EXPECT_EQ(d.color, 6) << d.text;
  }
}

TEST_F(EarlierLayoutTest, TheViewSetsEachStaffsColour) {
  a.Note(0);
  b.Note(2);
  Show({&a, &b});
  system.LayoutView(0, kWide);
  system.SetStaffColors(2);
  EXPECT_EQ(system.GetColorIndex(), 2);
  EXPECT_EQ(Line(0).GetColor(), 2);
  Line(1).SetColorIndex(1);  // the active staff
  EXPECT_EQ(Line(1).GetColor(), 1);
  // The staff's own colour field is not the earlier line's business.
  a.staff.SetColor(3);
  EXPECT_EQ(Line(0).GetColor(), 2);
  DrawAll();
  std::map<int, int> byColour;
  for (const Drawn& d : fonts.drawn) ++byColour[d.color];
  EXPECT_EQ(byColour.size(), 2u);
  EXPECT_GT(byColour[1], 0);
  EXPECT_GT(byColour[2], 0);
  int staffLines = 0;
  for (const Drawn& l : fonts.Of(Drawn::kLine)) {
    if (l.y != l.y2 || l.x != 0) continue;
    ++staffLines;
    EXPECT_EQ(l.color, l.y >= Line(1).GetY() - 2 * kSpacing ? 1 : 2) << l.y;
  }
  EXPECT_EQ(staffLines, 10);
}

TEST_F(EarlierLayoutTest, StaffLinesReachTheEndOfTheFirstCellPastTheRightEdge) {
  for (int i = 0; i < 6; ++i) a.Note(0);
  Show({&a});
  system.LayoutView(0, kWide);
  const int c = Line().FindCell(3);
  const int right = Line().GetCellX(c) + Line().Cell(c).width / 2;
  fonts.drawn.clear();
  system.Draw(0, 0, 0, right);
  const int end = Line().GetCellX(c) + Line().Cell(c).width;
  int staffLines = 0;
  for (const Drawn& l : fonts.Of(Drawn::kLine)) {
    if (l.y != l.y2 || l.x != 0) continue;
    EXPECT_EQ(l.x2, end);
    ++staffLines;
  }
  EXPECT_EQ(staffLines, 5);
  // Cell 3 starts inside the target and is drawn; cell 4 starts past it and is not.
  int heads = 0;
  for (const Drawn& g : fonts.Of(Drawn::kMusic)) heads += g.text == std::string(1, GlyphChar(kFilledHead));
  EXPECT_EQ(heads, 3);
}

// --- lyrics ---------------------------------------------------------------------------------

class EarlierLyricsTest : public EarlierLayoutTest {
protected:
  // Three lyric lines over four notes; line n's syllables are "<word>n" with the separators given.
  void Build(bool alignedBySyllable) {
    auto* lyrics = new TStaffLyrics;
    lyrics->SetFirstSetting(alignedBySyllable);
    for (int n = 1; n <= 3; ++n) {
      auto* line = new TLyricText;
      const std::string digit = std::to_string(n);
      line->Append(("la" + digit).c_str(), ' ', false);
      line->Append(("hal" + digit).c_str(), ' ', false);
      line->Append(("le" + digit).c_str(), '-', false);
      line->Append(("lu" + digit).c_str(), '-', false);
      line->Append(("jah" + digit).c_str(), '-', false);
      lyrics->AddLine(line);
    }
    a.staff.SetLyrics(lyrics);
    for (int i = 0; i < 4; ++i) notes.push_back(a.Note(0, 2));
    a.Bar();
    Show({&a});
    system.LayoutView(0, kWide);
    system.SetStaffColors(2);
  }
  int NoteX(int k) { return Line().GetCellX(Line().FindCell(notes[static_cast<std::size_t>(k)])); }
  std::vector<Drawn> TextsOn(int position) {
    std::vector<Drawn> out;
    for (const Drawn& t : fonts.Of(Drawn::kText)) {
      if (t.y + RecordingPrimitives::TextSize(kSpacing, 2, t.text.c_str()).cy / 2 == Middle() + position * kSpacing / 2) {
        out.push_back(t);
      }
    }
    return out;
  }
  std::vector<int> notes;
};

TEST_F(EarlierLyricsTest, SyllablesStartAtTheNoteAndHyphensSitBetweenTheWords) {
  Build(true);  // aligned by syllable: the earlier line still starts at the note
  for (bool view : {true, false}) {
    system.SetEditView(view);
    // The target ends inside the third note: the walk stops after the fourth, whose x lies past it.
    const int right = NoteX(2) + 1;
    fonts.drawn.clear();
    system.Draw(0, 0, 0, right);
    for (int n = 0; n < 3; ++n) {
      SCOPED_TRACE(n);
      const std::string d = std::to_string(n + 1);
      const auto texts = TextsOn(Line().GetLyricLinePos(n));
      std::vector<std::string> words;
      for (const Drawn& t : texts) words.push_back(t.text);
      // la, hal, "-" le, "-" lu, and the word goes on: the line ends with a hyphen after "lu".
      EXPECT_EQ(words, (std::vector<std::string>{"la" + d, "hal" + d, "-", "le" + d, "-", "lu" + d, "-"}));
      if (texts.size() != 7) continue;
      for (int k = 0; k < 4; ++k) EXPECT_EQ(texts[std::size_t(k < 2 ? k : 2 * k - 1)].x, NoteX(k));
      const int hyphen = RecordingPrimitives::TextSize(kSpacing, 2, "-").cx;
      const int halEnd = NoteX(1) + RecordingPrimitives::TextSize(kSpacing, 2, ("hal" + d).c_str()).cx;
      EXPECT_EQ(texts[2].x, halEnd + (NoteX(2) - halEnd - hyphen) / 2);
      const int luEnd = NoteX(3) + RecordingPrimitives::TextSize(kSpacing, 2, ("lu" + d).c_str()).cx;
      EXPECT_EQ(texts[6].x, luEnd);
    }
  }
}

TEST_F(EarlierLyricsTest, OneItemRedrawsWithTheSyllableOfTheChosenLine) {
  Build(false);
  struct Case {
    int asked;
    int line;  // 1-based line drawn
  } cases[] = {{-3, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 3}, {4, 3}, {99, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.asked);
    fonts.drawn.clear();
    Line().DrawItem(notes[2], c.asked, 0, 0, 4);
    const auto texts = fonts.Of(Drawn::kText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "le" + std::to_string(c.line));  // no separator, no hyphen
    EXPECT_EQ(texts[0].x, NoteX(2));
    EXPECT_EQ(TextsOn(Line().GetLyricLinePos(c.line - 1)).size(), 1u);
    EXPECT_EQ(texts[0].color, 4);
    for (const Drawn& g : fonts.Of(Drawn::kMusic)) EXPECT_EQ(g.color, 4);
    // Afterwards the staff's own colour is selected again.
    EXPECT_EQ(fonts.GetColorIndex(), 2);
  }
  // An item the line does not hold draws nothing.
  fonts.drawn.clear();
  Line().DrawItem(a.staff.LastIndex() + 5, 1, 0, 0, 4);
  EXPECT_TRUE(fonts.drawn.empty());
}

// --- beams and triplets ---------------------------------------------------------------------

class EarlierGroupTest : public EarlierLayoutTest {
protected:
  // Notes of the given duration codes at the given positions, beamed (and also made a triplet).
  std::vector<int> Beamed(std::initializer_list<int> positions, std::initializer_list<int> codes,
                          bool triplet = false, int stem = stAuto) {
    std::vector<int> items;
    auto code = codes.begin();
    for (int p : positions) {
      items.push_back(a.Note(p, *code));
      a.SongAt(items.back())->SetStemDirection(stem);
      if (std::next(code) != codes.end()) ++code;
    }
    for (std::size_t n = 0; n < items.size(); ++n) {
      const int state = n == 0 ? 1 : (n + 1 == items.size() ? 3 : 2);
      a.SongAt(items[n])->SetBeamState(state);
      if (triplet) a.SongAt(items[n])->SetTripletState(state);
    }
    return items;
  }
  void Lay() {
    Show({&a});
    system.LayoutView(0, kWide);
    DrawAll();
  }
  int CellX(int item) { return Line().GetCellX(Line().FindCell(item)); }
  int RightOf(int item) { return CellX(item) + Line().Cell(Line().FindCell(item)).width; }
  std::vector<Drawn> Stems(const std::vector<int>& items) { return Verticals(CellX(items.front()), RightOf(items.back())); }
};

TEST_F(EarlierGroupTest, BeamLinesFollowTheStepsBetweenTheirNotes) {
  // Positions grow downwards; y = middle + 8 x position. Ends relative to the middle line.
  struct Case {
    const char* what;
    std::initializer_list<int> positions;
    int stem;
    int firstEnd, lastEnd;  // INT_MIN: the line's rise equals its run
  } cases[] = {
      {"one step up, stems up", {4, 2}, stAuto, -32, -48},
      {"a wider step", {4, 0}, stAuto, -32, -64},
      {"equal pitches then a step: level by the 4/3 rule", {4, 4, 2}, stAuto, -48, -48},
      {"up then down: level", {4, 2, 4}, stAuto, -48, -48},
      // A level step among falling ones counts as falling: the steps keep one sign and the
      // 4/3 rule lets five notes slope.
      {"equal pitches then falling", {2, 2, 5, 8, 11}, stAuto, -48, 24},
      {"stems down, rising", {-4, -2}, stAuto, 32, 48},
      {"low notes: the middle moves to the middle line", {12, 12}, stAuto, 0, 0},
      {"a leap: the rise is cut to the run", {12, -8}, stAuto, INT_MIN, -128},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    const auto items = Beamed(c.positions, {3}, false, c.stem);
    Lay();
    const auto stems = Stems(items);
    ASSERT_EQ(stems.size(), items.size());
    // Each stem runs from its note to the line.
    std::size_t k = 0;
    for (int p : c.positions) EXPECT_EQ(stems[k++].y, Middle() + p * kSpacing / 2);
    const int run = stems.back().x - stems.front().x;
    EXPECT_EQ(stems.back().y2 - Middle(), c.lastEnd);
    if (c.firstEnd == INT_MIN) {
      EXPECT_EQ(stems.front().y2 - stems.back().y2, run);
    } else {
      EXPECT_EQ(stems.front().y2 - Middle(), c.firstEnd);
    }
    for (std::size_t i = 1; i < stems.size(); ++i) EXPECT_EQ(Beams(stems[i - 1].x, stems[i].x), 1);
  }
}

TEST_F(EarlierGroupTest, PartialBeamsBecomeStubsOfOneHeadWidth) {
  struct Case {
    const char* what;
    std::initializer_list<int> codes;
    // Beam counts over the segments between stems s0..s2 and stubs: {from, to, beams}, where
    // 10 + i is stem i + h and 20 + i stem i - h.
    std::vector<std::array<int, 3>> segments;
  } cases[] = {
      {"eighth, sixteenth, eighth", {3, 4, 3}, {{0, 21, 1}, {21, 1, 2}, {1, 2, 1}}},
      {"sixteenth, eighth, eighth", {4, 3, 3}, {{0, 10, 2}, {10, 1, 1}, {1, 2, 1}}},
      {"sixteenths", {4, 4, 4}, {{0, 1, 2}, {1, 2, 2}}},
      {"eighth, two sixteenths", {3, 4, 4}, {{0, 1, 1}, {1, 2, 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    const auto items = Beamed({2, 2, 2}, c.codes);
    Lay();
    const auto stems = Stems(items);
    ASSERT_EQ(stems.size(), 3u);
    auto at = [&](int code) {
      if (code >= 20) return stems[std::size_t(code - 20)].x - h;
      if (code >= 10) return stems[std::size_t(code - 10)].x + h;
      return stems[std::size_t(code)].x;
    };
    int total = 0;
    for (const auto& s : c.segments) {
      EXPECT_EQ(Beams(at(s[0]), at(s[1])), s[2]) << s[0] << " to " << s[1];
      total += s[2] * kBeamLines;
    }
    // Nothing else is beamed: every non-vertical line of the group is one of the segments.
    int lines = 0;
    for (const Drawn& l : fonts.Of(Drawn::kLine)) lines += l.x != l.x2 && l.x >= stems.front().x && l.x2 <= stems.back().x;
    EXPECT_EQ(lines, total);
  }
}

TEST_F(EarlierGroupTest, GroupsOfOneOrMoreThanTwentyDrawNothing) {
  struct Case {
    int members;
    bool drawn;
  } cases[] = {{2, true}, {20, true}, {21, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.members);
    Clear();
    std::vector<int> items;
    for (int i = 0; i < c.members; ++i) items.push_back(a.Note(2, 3));
    for (int i = 0; i < c.members; ++i) a.SongAt(items[std::size_t(i)])->SetBeamState(i == 0 ? 1 : (i + 1 == c.members ? 3 : 2));
    Lay();
    EXPECT_EQ(Stems(items).size(), c.drawn ? std::size_t(c.members) : 0u);
  }
  // A first member followed by a note outside the group.
  Clear();
  const int lone = a.Note(2, 3);
  a.SongAt(lone)->SetBeamState(1);
  const int next = a.Note(2, 3);
  Lay();
  EXPECT_TRUE(Verticals(CellX(lone), RightOf(lone)).empty());
  EXPECT_FALSE(Verticals(CellX(next), RightOf(next)).empty()) << "the note outside draws its own stem";
}

TEST_F(EarlierGroupTest, AGroupEndsAtACellOfAnotherKind) {
  // A grace note between beamed notes ends the group after one member: nothing is drawn.
  const int first = a.Note(2, 3);
  a.Grace(2);
  const int last = a.Note(2, 3);
  a.SongAt(first)->SetBeamState(1);
  a.SongAt(last)->SetBeamState(3);
  Lay();
  EXPECT_TRUE(Verticals(CellX(first), RightOf(first)).empty());
  EXPECT_TRUE(Verticals(CellX(last), RightOf(last)).empty());
  // Grace notes beam among themselves, half as far from their heads.
  Clear();
  const int g1 = a.Grace(2, 3);
  const int g2 = a.Grace(2, 3);
  a.SongAt(g1)->SetBeamState(1);
  a.SongAt(g2)->SetBeamState(3);
  Lay();
  const auto stems = Stems({g1, g2});
  ASSERT_EQ(stems.size(), 2u);
  EXPECT_EQ(stems[0].y2, Middle() + 16 - 2 * kSpacing);  // (3 + 1) spacings halved
}

TEST_F(EarlierGroupTest, ATripletThatIsItsBeamGroupShowsOnlyTheNumberBeyondTheBeam) {
  const auto items = Beamed({2, 2, 2}, {3}, true);
  Lay();
  const auto stems = Stems(items);
  ASSERT_EQ(stems.size(), 3u);
  const auto texts = fonts.Of(Drawn::kText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "3");
  // Stems up: the number lies 1.5 spacings above the level beam.
  const int cy = RecordingPrimitives::TextSize(kSpacing, 0, "3").cy;
  EXPECT_EQ(texts[0].y + cy / 2, stems[0].y2 - 3 * kSpacing / 2);
  // No bracket: the only non-vertical lines are the beam and the staff lines.
  EXPECT_EQ(Beams(stems[0].x, stems[1].x), 1);
  EXPECT_EQ(Beams(stems[1].x, stems[2].x), 1);
}

TEST_F(EarlierGroupTest, TripletBracketsKeepClearOfTheMiddleLineAndLevelOutsideTheStaff) {
  struct Case {
    const char* what;
    std::initializer_list<int> positions;
    int stem;
    int firstY, lastY;  // of the bracket, relative to the middle line
  } cases[] = {
      // High notes with stems down: 5 spacings below them would be 16 below the middle line.
      {"kept 2.5 spacings from the middle", {-8, -8, -8}, stDown, 40, 40},
      {"on the middle line", {0, 0, 0}, stAuto, 80, 80},
      {"rising inside the staff", {4, 3, 2}, stAuto, -48, -64},
      {"rising out of the staff: level", {8, 6, 4}, stAuto, -48, -48},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    std::vector<int> items;
    for (int p : c.positions) {
      items.push_back(a.Note(p, 2));
      a.SongAt(items.back())->SetStemDirection(c.stem);
    }
    a.Group(1, {items[0], items[1], items[2]});
    Lay();
    ASSERT_EQ(Texts("3"), 1);
    // The bracket: a hook at each end and the line in two parts around the number.
    std::vector<Drawn> hooks;
    for (const Drawn& l : fonts.Of(Drawn::kLine)) {
      if (l.x < CellX(items[0]) || l.x > RightOf(items[2])) continue;
      if (l.x == l.x2 && std::abs(l.y - l.y2) == kSpacing / 2) hooks.push_back(l);
    }
    ASSERT_EQ(hooks.size(), 2u);
    EXPECT_EQ(hooks[0].y2 - Middle(), c.firstY);
    EXPECT_EQ(hooks[1].y - Middle(), c.lastY);
    // The first end stands at the first head, the last at the end of the last note's lead width.
    const int head = CellX(items[0]) + a.SongAt(items[0])->GetHeadOffset(Line(), Line().FindCell(items[0]));
    EXPECT_EQ(hooks[0].x, head);
    const int c2 = Line().FindCell(items[2]);
    EXPECT_EQ(hooks[1].x, Line().GetCellX(c2) + a.At(items[2])->GetWidth(Line(), c2));
  }
}

}  // namespace
