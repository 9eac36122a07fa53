// Range set-up, grouping, attributes, durations, stems, rests and deletion on small staves.
#include <gtest/gtest.h>
#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/NtnPrecondition.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffRange.h"
#include "tests/ntnidx/NtnStaffFixture.h"

namespace {
struct AuditInstalled : ::testing::Test {
  void SetUp() override { InstallAuditPass(); }
};
using StaffRange = AuditInstalled;
}  // namespace

TEST_F(StaffRange, SetRangeOrdersClipsAndEmpties) {
  TStaffFixture s;
  for (int i = 0; i < 8; ++i) s.Note(0);
  struct Case { int a, b, first, last; bool valid; } cases[] = {
      {7, 3, 3, 7, true}, {3, 7, 3, 7, true}, {-1, 4, 4, -1, false}, {2, 99999, 2, 9, true}, {5, 5, 5, 5, true},
  };
  for (const Case& c : cases) {
    TStaffRange r(&s.staff, c.a, c.b);
    EXPECT_EQ(r.GetFirst(), c.first) << c.a << "," << c.b;
    EXPECT_EQ(r.GetLast(), c.last) << c.a << "," << c.b;
    EXPECT_EQ(r.IsValid(), c.valid) << c.a << "," << c.b;
  }
  TStaffRange whole;
  whole.SetStaff(&s.staff);
  EXPECT_EQ(whole.GetCount(), s.staff.LastIndex() + 1);
  whole.SetEmpty();
  EXPECT_EQ(whole.GetCount(), 0);
  TStaffRange none(nullptr, 0, 3);
  EXPECT_FALSE(none.IsValid());
}

TEST_F(StaffRange, BarsAroundAnItem) {
  TStaffFixture s;
  const int a = s.Note(0), b = s.Note(0);
  const int bar = s.Bar();
  const int c = s.Note(0), d = s.Note(0);
  TStaffRange r(&s.staff, b, c);
  r.ExpandToBars();
  EXPECT_EQ(r.GetFirst(), a);
  EXPECT_EQ(r.GetLast(), d);
  TStaffRange onBar(&s.staff, bar, bar);
  onBar.ExpandToBars();
  EXPECT_EQ(onBar.GetFirst(), bar);
  EXPECT_EQ(onBar.GetLast(), bar);
  r.SetToBar(d);
  EXPECT_EQ(r.GetFirst(), bar);
  EXPECT_EQ(r.GetLast(), d);
  r.SetToBar(a);
  EXPECT_EQ(r.GetFirst(), 0);
  EXPECT_EQ(r.GetLast(), b);
}

TEST_F(StaffRange, TripletsNeedTwoThirdsOfTheSumOnTheTickGrid) {
  TStaffFixture s;
  const int a = s.Note(0, 3), b = s.Note(1, 3), c = s.Note(2, 3);
  s.Bar();
  const int d = s.Note(0, 3), e = s.Note(1, 3), f = s.Note(2, 4);
  EXPECT_TRUE(TStaffRange(&s.staff, a, c).CanGroup(1));   // 288 -> 192
  EXPECT_FALSE(TStaffRange(&s.staff, d, f).CanGroup(1));  // 240 -> 160
  EXPECT_FALSE(TStaffRange(&s.staff, a, d).CanGroup(0));  // a bar line breaks the beam
  EXPECT_FALSE(TStaffRange(&s.staff, a, a).CanGroup(0));  // one member is no group
  (void)e;

  TStaffRange triplet(&s.staff, a, c);
  ASSERT_TRUE(triplet.MakeGroup(1));
  EXPECT_EQ(s.SongAt(a)->GetTripletState(), 1);
  EXPECT_EQ(s.SongAt(b)->GetTripletState(), 2);
  EXPECT_EQ(s.SongAt(c)->GetTripletState(), 3);
  EXPECT_EQ(s.SongAt(a)->GetBeamState(), 1);  // a triplet of eighths is beamed too
  EXPECT_EQ(s.SongAt(c)->GetBeamState(), 3);
  EXPECT_EQ(s.SongAt(a)->GetDuration(), 64);
}

TEST_F(StaffRange, BeamTakesOneStemSignFromThePositions) {
  TStaffFixture s;
  const int a = s.Note(3, 3), b = s.Note(4, 3), c = s.Note(-1, 3);  // mostly below the middle: up
  TStaffRange r(&s.staff, a, c);
  ASSERT_TRUE(r.MakeGroup(0));
  for (int i : {a, b, c}) EXPECT_EQ(s.SongAt(i)->GetStemCode(), stUp) << i;
  r.Ungroup(0);
  for (int i : {a, b, c}) EXPECT_EQ(s.SongAt(i)->GetBeamState(), 0) << i;
}

TEST_F(StaffRange, CutsGroupWhenAnEndLiesInsideAGroup) {
  TStaffFixture s;
  const int a = s.Note(0, 3), b = s.Note(0, 3), c = s.Note(0, 3), d = s.Note(0, 3);
  s.Group(0, {a, b, c, d});
  EXPECT_TRUE(TStaffRange(&s.staff, a, b).CutsGroup(0));   // the last note sits mid-group
  EXPECT_TRUE(TStaffRange(&s.staff, b, d).CutsGroup(0));   // the first note sits mid-group
  EXPECT_FALSE(TStaffRange(&s.staff, a, d).CutsGroup(0));
  EXPECT_FALSE(TStaffRange(&s.staff, a, b).CutsGroup(1));
  int stem = -1;
  EXPECT_FALSE(TStaffRange(&s.staff, a, b).GetCommonStem(stem));
  EXPECT_TRUE(TStaffRange(&s.staff, a, d).GetCommonStem(stem));
}

TEST_F(StaffRange, DurationChangesClampToTheClassRange) {
  struct Case { int code; bool grace; int delta; int expected; } cases[] = {
      {4, true, -3, 6},  // a grace sixteenth cannot get shorter than a sixty-fourth
      {3, true, 3, 2},   // a grace note is never longer than a quarter
      {2, false, 3, 0},  // a quarter three classes longer stops at whole
      {2, false, -1, 3},
  };
  for (const Case& c : cases) {
    TStaffFixture s;
    const int n = c.grace ? s.Grace(0, c.code) : s.Note(0, c.code);
    TStaffRange(&s.staff, n, n).ChangeDuration(c.delta);
    EXPECT_EQ(s.SongAt(n)->GetDurationCode(), c.expected) << c.code << " by " << c.delta;
  }
}

TEST_F(StaffRange, DurationFromTicks) {
  struct Case { int ticks, expected, code; bool dotted; } cases[] = {
      {600, 576, 1, true}, {100, 96, 3, false}, {1200, 1152, 0, true}, {192, 192, 2, false},
      {20, 18, 6, true}, {12, 12, 6, false}, {7, 6, 6, false},
  };
  for (const Case& c : cases) {
    TStaffFixture s;
    const int n = s.Note(0, 2);
    s.SongAt(n)->SetTripletState(1);
    EXPECT_EQ(NtnSetDurationFromTicks(s.At(n), c.ticks), c.expected) << c.ticks;
    EXPECT_EQ(s.SongAt(n)->GetDurationCode(), c.code) << c.ticks;
    EXPECT_EQ(s.SongAt(n)->HasAttribute(naDotted), c.dotted) << c.ticks;
    EXPECT_EQ(s.SongAt(n)->GetTripletState(), 0);
  }
  TStaffFixture s;
  const int rest = s.Rest(0);
  s.RestAt(rest)->SetExplicitLength(3, 2);
  NtnSetDurationFromTicks(s.At(rest), 384);
  EXPECT_FALSE(s.RestAt(rest)->HasExplicitLength());
  EXPECT_EQ(s.RestAt(rest)->GetDuration(), 384);
}

TEST_F(StaffRange, AttributesToggleWhereTheyApply) {
  TStaffFixture s;
  const int a = s.Note(0), r = s.Rest(), b = s.Note(1, 1);
  bool anySet = true;
  TStaffRange notes(&s.staff, a, b);
  EXPECT_TRUE(notes.GetAttributeState(naAccent, anySet));
  EXPECT_FALSE(anySet);
  ASSERT_TRUE(notes.ToggleAttribute(naAccent));
  EXPECT_TRUE(s.SongAt(a)->HasAttribute(naAccent));
  EXPECT_TRUE(s.SongAt(b)->HasAttribute(naAccent));
  ASSERT_TRUE(notes.ToggleAttribute(naAccent));
  EXPECT_FALSE(s.SongAt(a)->HasAttribute(naAccent));

  EXPECT_FALSE(TStaffRange(&s.staff, r, r).GetAttributeState(naAccent, anySet));  // rests carry no accent
  EXPECT_TRUE(TStaffRange(&s.staff, r, r).GetAttributeState(naDotted, anySet));
  EXPECT_FALSE(TStaffRange(&s.staff, b, b).GetAttributeState(naGrace, anySet));   // a half cannot be grace
  EXPECT_FALSE(notes.GetAttributeState(naTieOut, anySet));                        // ties: one item only

  TStaffRange tie(&s.staff, a, a);
  EXPECT_TRUE(tie.GetAttributeState(naTieOut, anySet));  // a single head may always tie
  ASSERT_TRUE(tie.ToggleAttribute(naTieOut));
  EXPECT_TRUE(s.NoteAt(a)->HasAttribute(naTieOut));
}

TEST_F(StaffRange, ChordTiesOnlyTheHeadsTheNextNoteHolds) {
  TStaffFixture s;
  const int chord = s.Chord({4, 2});
  s.Note(2);
  TStaffRange r(&s.staff, chord, chord);
  bool anySet;
  ASSERT_TRUE(r.GetAttributeState(naTieOut, anySet));
  ASSERT_TRUE(r.ToggleAttribute(naTieOut));
  TNotatedItem* item = s.At(chord);
  EXPECT_FALSE(item->FindNoteAtPosition(4)->HasAttribute(naTieOut));
  EXPECT_TRUE(item->FindNoteAtPosition(2)->HasAttribute(naTieOut));
}

TEST_F(StaffRange, StemsAccidentalsPositionsHidingMuting) {
  TStaffFixture s;
  const int a = s.Note(0, 3), b = s.Note(1, 3), c = s.Note(2);
  s.Group(0, {a, b});
  TStaffRange r(&s.staff, a, c);
  r.SetStem(stDown);
  for (int i : {a, b, c}) EXPECT_EQ(s.SongAt(i)->GetStemCode(), stDown);
  r.SetStem(stAuto);  // beamed notes keep their stems
  EXPECT_EQ(s.SongAt(a)->GetStemCode(), stDown);
  EXPECT_EQ(s.SongAt(c)->GetStemCode(), stAuto);

  r.SetAccidental(acFlat);
  int code = -1;
  ASSERT_TRUE(r.GetCommonAccidental(code));
  EXPECT_EQ(code, acFlat);
  r.ShiftPositions(-2);
  EXPECT_EQ(s.NoteAt(c)->GetPosition(), 0);
  int high, low;
  ASSERT_TRUE(r.GetPositionExtent(high, low));
  EXPECT_EQ(high, 0);
  EXPECT_EQ(low, -2);

  r.HideItems();  // the last item of the range stays shown
  EXPECT_EQ(s.At(a)->GetVisibility(), TNotatedItem::visNever);
  EXPECT_EQ(s.At(c)->GetVisibility(), TNotatedItem::visDefault);
  r.MuteNotes();
  EXPECT_TRUE(s.NoteAt(b)->IsMuted());
  EXPECT_FALSE(s.NoteAt(c)->IsMuted());
}

TEST_F(StaffRange, CommonDurationOverRestsAndHeads) {
  TStaffFixture s;
  const int a = s.Note(0, 3), r = s.Rest(3), c = s.Note(0, 2);
  int code = -1;
  EXPECT_TRUE(TStaffRange(&s.staff, a, r).GetCommonDuration(code));
  EXPECT_EQ(code, 3);
  EXPECT_FALSE(TStaffRange(&s.staff, a, c).GetCommonDuration(code));
  TStaffRange(&s.staff, a, c).SetDuration(4);
  EXPECT_TRUE(TStaffRange(&s.staff, a, c).GetCommonDuration(code));
  EXPECT_EQ(code, 4);
  EXPECT_EQ(TStaffRange(&s.staff, a, c).SumDurations(), 96);
}

TEST_F(StaffRange, RestRunsMergeIntoOneWholeBar) {
  TStaffFixture s;
  const int first = s.Rest(2);
  s.Dynamic(TDynamicLevelData::dynP);
  s.Rest(3);
  const int last = s.Rest(1);
  s.Note(0);
  TStaffRange mixed(&s.staff, first, last + 1);
  EXPECT_FALSE(mixed.IsRestRun());
  TStaffRange gap(&s.staff, first, last);
  EXPECT_FALSE(gap.IsRestRun());  // the dynamic breaks the run

  TStaffFixture t;
  const int r1 = t.Rest(2);
  t.Rest(3);
  const int r3 = t.Rest(1);
  t.SongAt(r1)->SetAttribute(naDotted);
  const int before = t.staff.LastIndex();
  TStaffRange run(&t.staff, r1, r3);
  ASSERT_TRUE(run.IsRestRun());
  ASSERT_TRUE(run.MergeRests());
  EXPECT_EQ(t.staff.LastIndex(), before - 2);
  EXPECT_EQ(t.At(r1)->GetType(), ntRest);
  EXPECT_EQ(t.SongAt(r1)->GetDurationCode(), 0);
  EXPECT_FALSE(t.SongAt(r1)->HasAttribute(naDotted));
  EXPECT_EQ(t.At(r1)->GetDuration(), 768);
}

TEST_F(StaffRange, DeletingTheHeadOfABeamUnbeamsTheRest) {
  TStaffFixture s;
  const int a = s.Note(0, 3), b = s.Note(0, 3), c = s.Note(0, 3);
  s.Group(0, {a, b, c});
  TStaffRange r(&s.staff, a, a);
  r.DeleteItems();
  EXPECT_FALSE(r.IsValid());
  EXPECT_EQ(s.SongAt(a)->GetBeamState(), 0);  // what was b
  EXPECT_EQ(s.SongAt(b)->GetBeamState(), 0);  // what was c
}

TEST_F(StaffRange, ContinuationsOfSplitNotes) {
  TStaffFixture s;
  const int note = s.Note(3, 1, acSharp);
  s.SongAt(note)->SetStemDirection(stDown);
  TNotatedItem* made = NtnMakeContinuation(s.At(note));
  ASSERT_EQ(made->GetType(), ntNote);
  auto* cont = static_cast<TMusicNote*>(made);
  EXPECT_EQ(cont->GetPosition(), 3);
  EXPECT_EQ(cont->GetAccidental(), acSharp);
  EXPECT_EQ(cont->GetDurationCode(), 2);
  EXPECT_EQ(cont->GetStemCode(), stDown);
  EXPECT_FALSE(cont->HasAttribute(naTieOut));
  EXPECT_TRUE(s.NoteAt(note)->HasAttribute(naTieOut));
  EXPECT_TRUE(NtnHasTieOut(s.At(note)));
  delete made;

  const int rest = s.Rest(2);
  made = NtnMakeContinuation(s.At(rest));
  EXPECT_EQ(made->GetType(), ntRest);
  EXPECT_EQ(static_cast<TRestNote*>(made)->GetDurationCode(), 0);
  delete made;

  const int chord = s.Chord({4, 2, 0});
  made = NtnMakeContinuation(s.At(chord));
  ASSERT_EQ(made->GetType(), ntChord);
  EXPECT_EQ(made->GetNoteCount(), 3);
  EXPECT_TRUE(NtnHasTieOut(s.At(chord)));
  delete made;
}

TEST_F(StaffRange, ContinuationOfAnyOtherKindIsBadNotation) {
  TStaffFixture s;
  const int kinds[] = {s.Clef(clBass), s.Bar(), s.Dynamic(TDynamicLevelData::dynF), s.Add(new TRestChord)};
  for (int i : kinds) {
    try {
      delete NtnMakeContinuation(s.At(i));
      ADD_FAILURE() << "no failure for type " << s.At(i)->GetType();
    } catch (const TNtnPreconditionFailure& failure) {
      EXPECT_STREQ(failure.GetText(), "Bad Notation");
      EXPECT_STREQ(failure.GetSource(), "QVKNTN\\STAFFUTL");
      EXPECT_EQ(failure.GetLine(), 290);
    }
  }
  EXPECT_THROW(NtnMakeContinuation(nullptr), TNtnPreconditionFailure);
}

TEST_F(StaffRange, StemExtentReachesTheStemEnd) {
  TStaffFixture s;
  const int n = s.Note(0, 2);
  s.SongAt(n)->SetStemDirection(stUp);
  TStaffRange r(&s.staff, n, n);
  EXPECT_EQ(r.GetStemExtent(1), -8);   // a quarter's stem is 8 positions
  EXPECT_EQ(r.GetStemExtent(-1), 2);   // the other side: just past the head
  s.SongAt(n)->SetAttribute(naGrace);
  s.SongAt(n)->SetDuration(3);
  EXPECT_EQ(r.GetStemExtent(1), -4);   // a grace eighth: (8 + 1) / 2
}

TEST(StaffRangeTimeSig, BeatTicksOfATimeSignatureItem) {
  TTimeSignatureData six(6, 3);
  EXPECT_EQ(NtnTimeSigBeatTicks(&six, true), 288);
  EXPECT_EQ(NtnTimeSigBeatTicks(&six, false), 96);
  EXPECT_EQ(NtnTimeSigBeatTicks(nullptr, false), 192);
}

TEST_F(StaffRange, SavedSizeGrowsWithTheRange) {
  TStaffFixture s;
  const int a = s.Note(0), b = s.Note(1), c = s.Note(2);
  const long one = TStaffRange(&s.staff, a, a).GetSavedSize();
  const long three = TStaffRange(&s.staff, a, c).GetSavedSize();
  EXPECT_GT(one, 4);  // version and count words, then the record
  EXPECT_EQ(three - one, 2 * (one - 4));  // each note record is the same size
  (void)b;
  EXPECT_EQ(TStaffRange().GetSavedSize(), 0);
}

TEST_F(StaffRange, MakingATripletAuditsOnce) {
  TStaffFixture s;
  for (int i = 0; i < 300; ++i) {
    s.Note(0, 3);
    if (i % 4 == 3) s.Bar();
  }
  const int a = s.Note(0, 3), c = (s.Note(0, 3), s.Note(0, 3));
  const long long before = TSimpleNtnIdx::StepsTaken();
  const long long auditsBefore = AuditRangesRun();
  ASSERT_TRUE(TStaffRange(&s.staff, a, c).MakeGroup(1));
  EXPECT_EQ(AuditRangesRun() - auditsBefore, 1);
  // One walk up to the range, plus the group's own look-arounds.
  EXPECT_LT(TSimpleNtnIdx::StepsTaken() - before, s.staff.ItemCount() + 60);
}

// Every change of item contents marks the staff changed, so the audit before saving, printing
// and playing takes the staff in again; the whole-score audit clears the mark.
TEST_F(StaffRange, ChangesMarkTheStaffChangedUntilTheScoreAudit) {
  struct Case { const char* name; void (*change)(TStaffRange&); } cases[] = {
      {"MakeGroup", [](TStaffRange& r) { ASSERT_TRUE(r.MakeGroup(0)); }},
      {"Ungroup", [](TStaffRange& r) { r.Ungroup(0); }},
      {"ToggleAttribute", [](TStaffRange& r) { ASSERT_TRUE(r.ToggleAttribute(naStaccato)); }},
      {"ChangeDuration", [](TStaffRange& r) { r.ChangeDuration(1); }},
      {"SetDuration", [](TStaffRange& r) { r.SetDuration(4); }},
      {"SetAccidental", [](TStaffRange& r) { r.SetAccidental(acSharp); }},
      {"SetStem", [](TStaffRange& r) { r.SetStem(stUp); }},
      {"ShiftPositions", [](TStaffRange& r) { r.ShiftPositions(1); }},
      {"HideItems", [](TStaffRange& r) { r.HideItems(); }},
      {"MuteNotes", [](TStaffRange& r) { r.MuteNotes(); }},
  };
  for (const Case& c : cases) {
    TMusicScore score;
    auto* s = new TStaffFixture;
    const int a = s->Note(0, 3), b = (s->Note(1, 3), s->Note(2, 3));
    s->Bar();
    score.AppendStaff(&s->staff);
    AuditScoreStaves(&score, false);
    ASSERT_FALSE(s->staff.IsChanged()) << c.name;
    TStaffRange r(&s->staff, a, b);
    c.change(r);
    EXPECT_TRUE(s->staff.IsChanged()) << c.name;
    AuditScoreStaves(&score, false);
    EXPECT_FALSE(s->staff.IsChanged()) << c.name;
    score.RemoveStaff(0);
    delete s;
  }
  // Merging rests changes the item list.
  TStaffFixture rests;
  const int r1 = rests.Rest(2), r2 = rests.Rest(2);
  AuditStaff(&rests.staff, -1, -1);
  ASSERT_FALSE(rests.staff.IsChanged());
  ASSERT_TRUE(TStaffRange(&rests.staff, r1, r2).MergeRests());
  EXPECT_TRUE(rests.staff.IsChanged());
}
