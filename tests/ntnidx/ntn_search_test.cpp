// The searches of the plain cursor: ties, slurs, passages, groups and forced stems.
#include <gtest/gtest.h>
#include "QVKNTN/SimpleNtnIdx.h"
#include "tests/ntnidx/NtnStaffFixture.h"

TEST(NtnSearch, TypeNoteAndHeadSearchesStopAtTheEnds) {
  TStaffFixture s;
  const int clef = s.Clef(clBass);
  const int rest = s.Rest();
  const int note = s.Note(3);
  TSimpleNtnIdx idx(&s.staff);
  EXPECT_TRUE(idx.FindType(ntClef, 1));
  EXPECT_EQ(idx.GetIndex(), clef);
  EXPECT_TRUE(idx.StepToNote(1));
  EXPECT_EQ(idx.GetIndex(), rest);
  EXPECT_TRUE(idx.StepToHeads(1));
  EXPECT_EQ(idx.GetIndex(), note);
  EXPECT_FALSE(idx.StepToNote(1));
  EXPECT_EQ(idx.GetIndex(), s.staff.LastIndex());
  EXPECT_TRUE(idx.FindNoteAt(3, -1));
  EXPECT_EQ(idx.GetIndex(), note);
  EXPECT_FALSE(idx.FindType(ntTempo, -1));
  EXPECT_EQ(idx.GetIndex(), 0);
}

TEST(NtnSearch, TieTargetStopsWhereATieCannotReach) {
  struct Case { const char* what; int expectFound; };
  // Each staff: note at 2, a breaker, note at 2. Found only through plain bar lines.
  auto run = [](auto addBreaker) {
    TStaffFixture s;
    const int from = s.Note(2);
    addBreaker(s);
    s.Note(2);
    TSimpleNtnIdx idx(&s.staff, from);
    return idx.FindTieTarget(2, 1);
  };
  EXPECT_TRUE(run([](TStaffFixture& s) { s.Bar(); }));
  EXPECT_TRUE(run([](TStaffFixture& s) { s.Note(4); }));
  EXPECT_FALSE(run([](TStaffFixture& s) { s.Clef(clBass); }));
  EXPECT_FALSE(run([](TStaffFixture& s) { s.Bar(TBarLineData::blLocalRepeatClose); }));
  EXPECT_FALSE(run([](TStaffFixture& s) { s.Bar(TBarLineData::blMasterRepeatClose); }));
  EXPECT_FALSE(run([](TStaffFixture& s) { s.Ending(2); }));
  EXPECT_TRUE(run([](TStaffFixture& s) { s.Ending(1); }));

  TStaffFixture coda;
  const int from = coda.Note(2);
  const int before = coda.Rest();
  coda.Flow(TFlowDirection::fdCoda);
  coda.Note(2);
  TSimpleNtnIdx idx(&coda.staff, from);
  EXPECT_TRUE(idx.FindTieTarget(2, 1));
  EXPECT_EQ(idx.GetIndex(), before);  // the tie ends just before the coda sign

  TStaffFixture jump;
  const int start = jump.Note(2);
  const int sign = jump.Flow(TFlowDirection::fdDSAlCoda);
  jump.Rest();
  jump.Note(2);
  TSimpleNtnIdx out(&jump.staff, start);
  EXPECT_TRUE(out.FindTieTarget(2, 1));
  EXPECT_EQ(out.GetIndex(), sign + 1);  // past the jump sign, not to a head beyond
}

TEST(NtnSearch, SlurEndForwardAndBack) {
  TStaffFixture s;
  const int a = s.Note(0), b = s.Note(1), c = s.Note(2), d = s.Note(3);
  s.SongAt(a)->SetAttribute(naSlurOut);
  s.SongAt(b)->SetAttribute(naSlurOut);
  s.SongAt(b)->SetAttribute(naSlurIn);
  s.SongAt(c)->SetAttribute(naSlurIn);
  TSimpleNtnIdx idx(&s.staff, a);
  EXPECT_TRUE(idx.FindSlurEnd(1));
  EXPECT_EQ(idx.GetIndex(), c);
  idx.SetIndex(c);
  EXPECT_TRUE(idx.FindSlurEnd(-1));
  EXPECT_EQ(idx.GetIndex(), a);
  (void)d;

  TStaffFixture barred;
  const int x = barred.Note(0);
  const int bar = barred.Bar();
  const int y = barred.Note(0);
  barred.SongAt(x)->SetAttribute(naSlurOut);
  barred.SongAt(y)->SetAttribute(naSlurIn);
  TSimpleNtnIdx back(&barred.staff, y);
  EXPECT_FALSE(back.FindSlurEnd(-1));  // going back a bar line ends the search
  EXPECT_EQ(back.GetIndex(), bar);
}

TEST(NtnSearch, PassageStepsStopAtEndingsFlowsAndNonSingleBarsGoingBack) {
  TStaffFixture s;
  const int a = s.Note(0);
  s.Bar(TBarLineData::blDouble);
  const int rest = s.Rest();
  const int b = s.Note(1);
  TSimpleNtnIdx idx(&s.staff, a);
  EXPECT_TRUE(idx.StepInPassage(1));  // forward over the double bar
  EXPECT_EQ(idx.GetIndex(), rest);
  EXPECT_TRUE(idx.StepToHeadsInPassage(1));
  EXPECT_EQ(idx.GetIndex(), b);
  EXPECT_TRUE(idx.StepInPassage(-1));
  EXPECT_EQ(idx.GetIndex(), rest);
  EXPECT_FALSE(idx.StepInPassage(-1));  // back over the double bar: the passage ends
}

TEST(NtnSearch, GroupableItemsTable) {
  TStaffFixture s;
  const int clef = s.Clef(clTreble);
  const int dyn = s.Dynamic(TDynamicLevelData::dynP);
  const int eighth = s.Note(0, 3);
  const int quarter = s.Note(0, 2);
  const int rest = s.Rest(2);
  const int grace = s.Grace(0);
  struct Case { int index, grace; bool anyNote, expected; } cases[] = {
      {clef, 0, true, false},       // clefs break groups
      {dyn, 0, false, true},        // expressions are transparent
      {eighth, 0, false, true},     // a flagged note joins a beam
      {quarter, 0, false, false},   // a quarter has no flag to beam
      {quarter, 0, true, true},     // but joins a triplet
      {rest, 0, false, true},       // rests join
      {grace, 0, false, true},      // grace notes are passed over by normal groups
      {quarter, 1, false, false},   // a grace group may not cross a normal note
      {grace, 1, false, true},
  };
  for (const Case& c : cases) {
    TSimpleNtnIdx idx(&s.staff, c.index);
    EXPECT_EQ(idx.IsGroupable(c.grace, c.anyNote), c.expected) << "index " << c.index << " grace " << c.grace;
  }
}

TEST(NtnSearch, GroupEndsAndMembers) {
  TStaffFixture s;
  const int a = s.Note(0, 3), b = s.Note(1, 3), c = s.Note(2, 3), after = s.Note(3, 3);
  s.Group(0, {a, b, c});
  TSimpleNtnIdx idx(&s.staff, b);
  EXPECT_TRUE(idx.InGroup());
  EXPECT_TRUE(idx.GroupContinuesAfter(0));
  EXPECT_TRUE(idx.GroupContinuesBefore(0));
  EXPECT_FALSE(idx.InGroupOfKind(1));
  idx.FindGroupEnd(0, 0, 1);
  EXPECT_EQ(idx.GetIndex(), c);
  EXPECT_TRUE(idx.HasGroupState(0, 0, 3));
  idx.FindGroupEnd(0, 0, -1);
  EXPECT_EQ(idx.GetIndex(), a);
  EXPECT_TRUE(idx.NextMemberInState(0, 0, 3, 1));
  EXPECT_EQ(idx.GetIndex(), c);
  EXPECT_FALSE(idx.NextGroupMember(0, 0, 1));
  EXPECT_EQ(idx.GetIndex(), s.staff.LastIndex());
  idx.SetIndex(after);
  EXPECT_TRUE(idx.NextGrouped(-1));
  EXPECT_EQ(idx.GetIndex(), c);
}

TEST(NtnSearch, ForcedStemFromALayeredChordThatStillSounds) {
  TStaffFixture s;
  // A two-voice chord: a half note (stem down) under a quarter (stem up).
  auto* chord = new TChordData;
  auto* low = new TMusicNote(4, 1);
  low->SetStemDirection(stDown);
  auto* high = new TMusicNote(-2, 2);
  high->SetStemDirection(stUp);
  ASSERT_TRUE(chord->AddNote(low));
  ASSERT_TRUE(chord->AddNote(high));
  const int c = s.Add(chord);
  ASSERT_TRUE(s.SongAt(c)->HasSplitStems());
  ASSERT_TRUE(s.SongAt(c)->HasSplitDurations());
  const int next = s.Note(-1);   // starts a quarter after the chord: the half still sounds
  const int later = s.Note(-1);  // starts when the half has ended
  TSimpleNtnIdx idx(&s.staff, next);
  EXPECT_EQ(idx.GetForcedStemSign(), s.SongAt(c)->GetStemSign());
  EXPECT_NE(idx.GetForcedStemSign(), 0);
  idx.SetIndex(later);
  EXPECT_EQ(idx.GetForcedStemSign(), 0);
  idx.SetIndex(c);
  EXPECT_EQ(idx.GetForcedStemSign(), 0);
}

// With no bar line to stop the look back, the longest head a two-voice chord can hold still
// forces the stem of every note that starts while it sounds, and of none after.
TEST(NtnSearch, ForcedStemFromTheLongestHeadWithoutBarLines) {
  TStaffFixture s;
  for (int i = 0; i < 40; ++i) s.Note(-1, 4);
  auto* chord = new TChordData;
  auto* low = new TMusicNote(4, 0);
  low->SetStemDirection(stDown);
  low->SetAttribute(naDoubleDotted);
  auto* high = new TMusicNote(-2, 2);
  high->SetStemDirection(stUp);
  ASSERT_TRUE(chord->AddNote(low));
  ASSERT_TRUE(chord->AddNote(high));
  const int c = s.Add(chord);
  ASSERT_TRUE(s.SongAt(c)->HasSplitDurations());
  const long sounds = low->GetDuration();
  ASSERT_EQ(sounds, kWholeNoteTicks * 7 / 4);
  long start = s.staff.GetItem(c)->GetDuration();
  int forced = 0;
  while (start < sounds + 200) {
    const int n = s.Note(-1, 4);
    TSimpleNtnIdx idx(&s.staff, n);
    SCOPED_TRACE(start);
    EXPECT_EQ(idx.GetForcedStemSign(), start < sounds ? s.SongAt(c)->GetStemSign() : 0);
    forced += start < sounds;
    start += s.staff.GetItem(n)->GetDuration();
  }
  EXPECT_GT(forced, 20);
}

// Grace-state and attribute searches skip what does not match and stop at the staff's ends.
TEST(NtnSearch, GraceStateAndGroupBitSearches) {
  TStaffFixture s;
  const int normal = s.Note(0, 3);
  const int rest = s.Rest(3);
  const int grace = s.Grace(1);
  const int graceChord = s.Chord({2, 4}, 3);
  s.SongAt(graceChord)->SetAttribute(naGrace);
  const int plain = s.Note(3, 3);
  const int accented = s.Note(4, 3);
  s.SongAt(accented)->SetAttribute(naAccent);  // accented but in no group
  const int b1 = s.Note(0, 3), b2 = s.Note(1, 3);
  s.Group(0, {b1, b2});
  s.SongAt(b2)->SetAttribute(naAccent);
  (void)rest;
  TSimpleNtnIdx idx(&s.staff, normal);
  EXPECT_TRUE(idx.StepToGraceState(1, 1));
  EXPECT_EQ(idx.GetIndex(), grace);  // the rest in between is not a note
  EXPECT_TRUE(idx.StepToGraceState(1, 1));
  EXPECT_EQ(idx.GetIndex(), graceChord);
  EXPECT_TRUE(idx.StepToGraceState(0, 1));
  EXPECT_EQ(idx.GetIndex(), plain);
  EXPECT_TRUE(idx.StepToGraceState(0, -1));
  EXPECT_EQ(idx.GetIndex(), normal);
  EXPECT_FALSE(idx.StepToGraceState(1, -1));
  EXPECT_EQ(idx.GetIndex(), 0);

  EXPECT_TRUE(idx.NextWithGroupBit(naAccent, 1));
  EXPECT_EQ(idx.GetIndex(), b2);  // the ungrouped accent is passed over
  EXPECT_FALSE(idx.NextWithGroupBit(naAccent, 1));
  EXPECT_EQ(idx.GetIndex(), s.staff.LastIndex());
  EXPECT_TRUE(idx.NextWithGroupBit(naAccent, -1));
  EXPECT_EQ(idx.GetIndex(), b2);
}
