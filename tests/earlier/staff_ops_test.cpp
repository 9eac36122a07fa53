// The earlier line's staff operations: automatic beaming that stops at anything unbeamable,
// automatic stems by group, ungrouping, the group-cut test, head shifting, the tie-tracking range
// and the tied-pieces rewrite, which always ends.
#include <gtest/gtest.h>

#include <vector>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NeighborhoodNtnIdx.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffPositionSet.h"
#include "QVKNTN/StaffRange.h"

namespace {

static_assert(kEarlierLine, "these tests run against the earlier line's libraries");

constexpr int kQuarter = 2, kEighth = 3, kSixteenth = 4;

TMusicNote* Note(int code, int position = 0) { return new TMusicNote(position, code, acNone); }

TMusicNote* Dotted(TMusicNote* n) {
  n->SetAttribute(naDotted);
  return n;
}

TSongNote* Song(const TMusicStaff& staff, int i) { return static_cast<TSongNote*>(staff.GetItem(i)); }

std::vector<int> BeamStates(const TMusicStaff& staff) {
  std::vector<int> states;
  for (int i = 1; i < staff.LastIndex(); ++i)
    states.push_back(staff.GetItem(i)->IsSongNote() ? Song(staff, i)->GetBeamState() : -1);
  return states;
}

TEST(EarlierAutoBeam, RunsWithinEachBeat) {
  struct Case {
    const char* what;
    std::vector<TNotatedItem*> items;
    std::vector<int> want;
  };
  Case cases[] = {
      {"eighths pair by beat", {Note(kEighth), Note(kEighth), Note(kEighth), Note(kEighth)}, {1, 3, 1, 3}},
      {"a rest ends the run",
       {Note(kSixteenth), new TRestNote(kSixteenth), Note(kSixteenth), Note(kSixteenth)},
       {0, 0, 1, 3}},
      {"a note running past the beat ends the run with the notes before it",
       {Note(kSixteenth), Note(kSixteenth), Dotted(Note(kEighth))},
       {1, 2, 3}},
      {"quarters stay apart", {Note(kQuarter), Note(kQuarter)}, {0, 0}},
      {"a bar line starts a new beat", {Note(kEighth), new TBarLineData, Note(kEighth), Note(kEighth)}, {0, -1, 1, 3}},
  };
  for (Case& c : cases) {
    TMusicStaff staff;
    for (TNotatedItem* item : c.items) staff.AppendItem(item);
    staff.AutoBeam(false);
    EXPECT_EQ(BeamStates(staff), c.want) << c.what;
  }
}

TEST(EarlierAutoBeam, GroupedAndGraceNotesAreLeftAlone) {
  TMusicStaff staff;
  auto* grace = Note(kEighth);
  grace->SetAttribute(naGrace);
  staff.AppendItem(grace);
  auto* triplet = Note(kEighth);
  triplet->SetTripletState(1);
  staff.AppendItem(triplet);
  for (int i = 0; i < 4; ++i) staff.AppendItem(Note(kEighth));
  staff.AutoBeam(false);
  EXPECT_EQ(BeamStates(staff), (std::vector<int>{0, 0, 1, 3, 1, 3}));
}

TEST(EarlierStems, NoteInBothGroupsTakesItsBeamGroupsStem) {
  TMusicStaff staff;
  staff.AppendItem(Note(kEighth, -6));  // 1: beam first
  staff.AppendItem(Note(kEighth, -6));  // 2: beam end, triplet first
  staff.AppendItem(Note(kEighth, 8));   // 3: triplet middle
  staff.AppendItem(Note(kEighth, 8));   // 4: triplet end
  Song(staff, 1)->SetBeamState(1);
  Song(staff, 2)->SetBeamState(3);
  Song(staff, 2)->SetTripletState(1);
  Song(staff, 3)->SetTripletState(2);
  Song(staff, 4)->SetTripletState(3);
  EXPECT_EQ(staff.GroupBound(kNtnGroupBeam, 2, -1), 1);
  EXPECT_EQ(staff.GroupBound(kNtnGroupBeam, 2, 1), 3);
  EXPECT_EQ(staff.GroupBound(kNtnGroupTriplet, 4, -1), 2);
  ASSERT_EQ(staff.AutoStem(0, 2), 1);
  EXPECT_EQ(Song(staff, 1)->GetStemSign(), -1);
  EXPECT_EQ(Song(staff, 2)->GetStemSign(), -1);
  ASSERT_EQ(staff.AutoStem(0, 4), 1);
  for (int i = 2; i <= 4; ++i) EXPECT_EQ(Song(staff, i)->GetStemSign(), 1) << i;
  // A group's first member alone finds no members.
  EXPECT_EQ(staff.AutoStem(0, 1), 0);
}

TEST(EarlierStems, SingleNotesFollowTheSignGiven) {
  TMusicStaff staff;
  staff.AppendItem(Note(kQuarter, 3));
  staff.AppendItem(new TDynamicLevelData);
  EXPECT_EQ(staff.AutoStem(1, 1), 1);
  EXPECT_EQ(Song(staff, 1)->GetStemSign(), 1);
  EXPECT_EQ(staff.AutoStem(-1, 1), 1);
  EXPECT_EQ(Song(staff, 1)->GetStemSign(), -1);
  EXPECT_EQ(staff.AutoStem(1, 2), 0);  // not a song note
}

TEST(EarlierGroups, UngroupingClearsTheWholeGroupAndStopsAtItsEnd) {
  TMusicStaff staff;
  for (int i = 0; i < 5; ++i) staff.AppendItem(Note(kEighth, -2));
  const int states[] = {1, 2, 3, 1, 3};
  for (int i = 0; i < 5; ++i) Song(staff, i + 1)->SetBeamState(states[i]);
  staff.UngroupAt(kNtnGroupBeam, 2);
  EXPECT_EQ(BeamStates(staff), (std::vector<int>{0, 0, 0, 1, 3}));
}

TEST(EarlierGroups, CutsGroupLooksAtBothKindsAtTheRangeEnds) {
  TMusicStaff staff;
  for (int i = 0; i < 6; ++i) staff.AppendItem(Note(kEighth));
  const int beams[] = {1, 2, 3, 0, 0, 0};
  const int triplets[] = {0, 0, 0, 1, 2, 3};
  for (int i = 0; i < 6; ++i) {
    Song(staff, i + 1)->SetBeamState(beams[i]);
    Song(staff, i + 1)->SetTripletState(triplets[i]);
  }
  struct Case {
    int first, last;
    bool cuts;
  } cases[] = {{1, 3, false}, {2, 3, true}, {1, 2, true}, {4, 6, false}, {1, 6, false}, {3, 5, true}, {4, 4, true}};
  for (const Case& c : cases)
    for (int kind : {kNtnGroupBeam, kNtnGroupTriplet})
      EXPECT_EQ(TStaffRange(&staff, c.first, c.last).CutsGroup(kind), c.cuts) << c.first << ".." << c.last;
}

TEST(EarlierRange, ShiftPositionsMovesNoteHeadsOnly) {
  TMusicStaff staff;
  staff.AppendItem(Note(kQuarter, 1));
  auto* rest = new TRestNote(kQuarter);
  rest->SetVerticalOffset(2);
  staff.AppendItem(rest);
  auto* dynamic = new TDynamicLevelData;
  dynamic->SetPosition(9);
  staff.AppendItem(dynamic);
  auto* chord = new TChordData;
  chord->AddNote(Note(kQuarter, 0));
  chord->AddNote(Note(kQuarter, 4));
  staff.AppendItem(chord);
  TStaffRange(&staff, 1, 4).ShiftPositions(-3);
  EXPECT_EQ(staff.GetItem(1)->GetPosition(), -2);
  EXPECT_EQ(static_cast<TRestNote*>(staff.GetItem(2))->GetVerticalOffset(), 2);
  EXPECT_EQ(staff.GetItem(3)->GetPosition(), 9);
  EXPECT_EQ(staff.GetItem(4)->GetHighPosition(), 1);
  EXPECT_EQ(staff.GetItem(4)->GetLowPosition(), -3);
}

TEST(EarlierTies, TrackedFromMinus48To47) {
  TStaffPositionSet set;
  for (int position : {-48, 0, 47}) {
    set.Add(position);
    EXPECT_TRUE(set.Test(position)) << position;
    set.Remove(position);
    EXPECT_FALSE(set.Test(position)) << position;
  }
  for (int position : {-49, 48, 50, -100}) {
    set.Add(position);
    EXPECT_FALSE(set.Test(position)) << position;
  }
  EXPECT_TRUE(set.IsEmpty());
}

TEST(EarlierTiedPieces, PiecesAddUpAndTheRewriteAlwaysEnds) {
  struct Case {
    long ticks;
    std::vector<long> pieces;
  } cases[] = {
      {192, {192}},
      {480, {384, 96}},
      {768 * 3, {1152, 1152}},  // the largest value first: dotted wholes
      {200, {192}},  // a remainder shorter than any value is not written
      {5, {}},       // shorter than the shortest value: nothing to write but the item itself
  };
  for (const Case& c : cases) {
    TMusicStaff staff;
    staff.AppendItem(Note(kQuarter));
    const int added = staff.RewriteAsTiedPieces(1, c.ticks);
    std::vector<long> got;
    for (int i = 1; i < staff.LastIndex(); ++i) got.push_back(staff.GetItem(i)->GetDuration());
    if (c.pieces.empty()) {
      EXPECT_EQ(added, 0) << c.ticks;
      EXPECT_EQ(staff.ItemCount(), 3) << c.ticks;
    } else {
      EXPECT_EQ(got, c.pieces) << c.ticks;
      EXPECT_EQ(added, static_cast<int>(c.pieces.size()) - 1) << c.ticks;
    }
  }
}

TEST(EarlierTiedPieces, RebarringCutsANoteAtTheBarEndWithTheRewrite) {
  // 4/4 without bar lines: an eighth, then a whole note that crosses the bar end by an eighth.
  TMusicStaff staff;
  staff.AppendItem(Note(kEighth));
  TMusicNote* whole = Note(0);
  staff.AppendItem(whole);
  staff.Rebar();
  // Before the bar: 672 ticks as a dotted half and an eighth, the whole note's own item last;
  // after it, the eighth's continuation, then rests fill the bar.
  std::vector<long> durations;
  int bar = -1;
  for (int i = 1; i < staff.LastIndex(); ++i) {
    const TNotatedItem* item = staff.GetItem(i);
    if (item->GetType() == ntBarLine && bar < 0) bar = i;
    durations.push_back(item->GetDuration());
  }
  ASSERT_GE(bar, 4);
  EXPECT_EQ(std::vector<long>(durations.begin(), durations.begin() + bar), (std::vector<long>{96, 576, 96, 0}));
  EXPECT_EQ(staff.GetItem(bar - 1), whole);
  EXPECT_EQ(staff.GetItem(bar + 1)->GetType(), ntNote);
  EXPECT_EQ(staff.GetItem(bar + 1)->GetDuration(), 96);
  long after = 0;
  for (int i = bar + 1; i < staff.LastIndex(); ++i) after += staff.GetItem(i)->GetDuration();
  EXPECT_EQ(after, 768) << "the second bar is padded to its end";
  // The pieces are tied on across the bar.
  EXPECT_TRUE(Song(staff, 2)->HasAttribute(naTieOut));
  EXPECT_TRUE(Song(staff, bar - 1)->HasAttribute(naTieOut));
}

TEST(EarlierNeighbourhood, EveryTempoVarianceIsRemembered) {
  TMusicStaff staff;
  staff.AppendItem(new TTempoVariance(TTempoVariance::tvBreathMark));  // 1
  staff.AppendItem(Note(kQuarter));                                     // 2
  staff.AppendItem(new TTempoVariance(TTempoVariance::tvFermata));     // 3
  staff.AppendItem(Note(kQuarter));                                     // 4
  TNeighborhoodNtnIdx at(&staff);
  at.SetIndex(2);
  EXPECT_EQ(at.GetLast(TNeighborhoodNtnIdx::kLastGradualTempoVariance), 1);
  at.SetIndex(4);
  EXPECT_EQ(at.GetLast(TNeighborhoodNtnIdx::kLastGradualTempoVariance), 3);
}

TEST(EarlierStaff, ExperimentalFeaturesOfAStaff) {
  TMusicStaff staff;
  EXPECT_FALSE(staff.NeedsExperimentalFeatures());
  auto* note = Note(kQuarter);
  note->SetExtraAccidentalSpace(2);
  staff.AppendItem(note);
  EXPECT_TRUE(staff.NeedsExperimentalFeatures());
  note->SetExtraAccidentalSpace(0);
  EXPECT_FALSE(staff.NeedsExperimentalFeatures());
}

}  // namespace
