// The context-carrying cursors: forward-only walking, ending and coda copies, transposition shift
// and the find-error tables.
#include <gtest/gtest.h>
#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/FindErrorNtnIdx.h"
#include "QVKNTN/TransposeNtnIdx.h"
#include "tests/ntnidx/NtnStaffFixture.h"

TEST(AuditNtnIdx, WalksForwardOnlyAndRebuildsWhenSentBack) {
  TStaffFixture s;
  s.TimeSig(3, 2);
  const int key = s.Key(-2);
  const int note = s.Note(0);
  TAuditNtnIdx idx(&s.staff, note);
  int beats, code;
  idx.GetTimeSig(beats, code);
  EXPECT_EQ(beats, 3);
  EXPECT_EQ(code, 2);
  EXPECT_EQ(idx.Context().GetKeySignature(), -2);
  const long long before = idx.Steps();
  idx.Prev();  // the context cannot step back: the cursor rewinds and walks up again
  EXPECT_EQ(idx.GetIndex(), key);
  EXPECT_EQ(idx.Context().GetKeySignature(), 0);
  EXPECT_EQ(idx.Steps() - before, key);
  EXPECT_TRUE(idx.Context().IsWalking());
}

TEST(AuditNtnIdx, OpenGroupWordsFollowBeamsAndTriplets) {
  TStaffFixture s;
  const int a = s.Note(0, 3), b = s.Note(0, 3), c = s.Note(0, 3);
  s.Group(0, {a, b, c});
  s.Group(1, {a, b, c});
  TAuditNtnIdx idx(&s.staff, b);
  EXPECT_EQ(idx.GetOpenGroups(0), TAuditNtnIdx::kOpenBeam | TAuditNtnIdx::kOpenTriplet);
  EXPECT_EQ(idx.GetOpenGroups(1), 0);
  idx.SetIndex(c + 1);
  EXPECT_EQ(idx.GetOpenGroups(0), 0);
}

TEST(AuditNtnIdx, EverySecondEndingStartsFromTheFirstEndingsState) {
  TStaffFixture s;
  s.Ending(1);
  s.Key(3);  // the first ending changes the key ...
  s.Note(0, 2, acFlat);
  const int second = s.Ending(2);
  const int inSecond = s.Note(0);
  TAuditNtnIdx idx(&s.staff, second);
  EXPECT_EQ(idx.Context().GetKeySignature(), 3);
  idx.SetIndex(inSecond);
  EXPECT_EQ(idx.Context().GetKeySignature(), 0);  // ... the second ending does not see it
  EXPECT_EQ(idx.Context().GetRunningAccidental(ltB), acNatural);
}

TEST(AuditNtnIdx, CodaRestoresTheStateStoredAtToCoda) {
  TStaffFixture s;
  s.Key(1);
  s.Flow(TFlowDirection::fdToCoda);
  s.Key(-4);
  s.Flow(TFlowDirection::fdCoda);
  const int after = s.Note(0);
  TAuditNtnIdx idx(&s.staff, after);
  EXPECT_EQ(idx.Context().GetKeySignature(), 1);
}

TEST(TransposeNtnIdx, ShiftStartsFromCMajorAndFollowsEndings) {
  TStaffFixture s;
  s.Ending(1);
  const int key = s.Key(-5);  // D flat major
  const int second = s.Ending(2);
  TTransposeNtnIdx idx(&s.staff, 1, 0);  // up a semitone: C goes to D flat, one step up
  EXPECT_EQ(idx.GetShift(), -1);
  EXPECT_EQ(idx.Context().GetWalkMode(), wmTranspose);
  idx.SetIndex(key);
  idx.TransposeCurrent();  // D flat goes to D: same letter, no step
  EXPECT_EQ(static_cast<TKeyData*>(s.At(key))->GetSignedSize(), 2);
  idx.Next();
  EXPECT_EQ(idx.GetShift(), 0);
  idx.SetIndex(second + 1);
  EXPECT_EQ(idx.GetShift(), -1);  // the second ending starts from the shift at the first

  TStaffFixture testOnly;
  const int k = testOnly.Key(-5);
  TTransposeNtnIdx probe(&testOnly.staff, 1, 0);
  probe.SetIndex(k);
  EXPECT_TRUE(probe.CanTransposeCurrent());
  EXPECT_EQ(probe.GetShift(), 0);  // a tested key still moves the shift ...
  EXPECT_EQ(static_cast<TKeyData*>(testOnly.At(k))->GetSignedSize(), -5);  // ... but keeps its masks

  TStaffFixture notes;
  const int n = notes.Note(0);  // B4 in treble
  TTransposeNtnIdx up(&notes.staff, 2, 0);
  up.SetIndex(n);
  EXPECT_TRUE(up.CanTransposeCurrent());
  EXPECT_EQ(notes.NoteAt(n)->GetPosition(), 0);  // a test changes nothing
  up.TransposeCurrent();
  EXPECT_EQ(notes.NoteAt(n)->GetPosition(), -1);  // C sharp 5
  TStaffContext plain;
  EXPECT_EQ(notes.NoteAt(n)->GetPitch(plain), 73);
}

TEST(FindErrorTable, EveryStoredPositionHasItsOwnEntries) {
  TFindErrorTable table;
  for (int p = kMinStaffPosition; p <= kMaxStaffPosition; ++p) {
    table.SetTiePitch(p, p + 128);
    table.SetAccidental(p, (p + 128) % 5);
  }
  for (int p = kMinStaffPosition; p <= kMaxStaffPosition; ++p) {
    EXPECT_EQ(table.GetTiePitch(p), p + 128) << p;
    EXPECT_EQ(table.GetAccidental(p), (p + 128) % 5) << p;
  }
  // Nothing beyond what a file can store is kept, and nothing is written outside the table.
  table.SetTiePitch(kMaxStaffPosition + 1, 9);
  table.SetAccidental(kMinStaffPosition - 1, acFlat);
  EXPECT_EQ(table.GetTiePitch(kMaxStaffPosition + 1), 0);
  EXPECT_EQ(table.GetAccidental(kMinStaffPosition - 1), acNone);
  EXPECT_EQ(table.GetTiePitch(kMaxStaffPosition), 255);
  EXPECT_EQ(table.GetAccidental(kMinStaffPosition), 0);
  table.ClearAccidentals();
  EXPECT_EQ(table.GetAccidental(kMaxStaffPosition), acNone);
  EXPECT_EQ(table.GetTiePitch(kMaxStaffPosition), 255);
}

// Ties far above or below the staff are checked like any other: a tie between equal pitches is
// fine, a tie onto another pitch conflicts.
TEST(FindErrorNtnIdx, TiesAtTheOuterPositionsAreCheckedLikeAnyOther) {
  for (int p : {kMinStaffPosition, -101, -100, 100, 101, kMaxStaffPosition}) {
    TStaffFixture s;
    const int out = s.Note(p, 2, acSharp);
    s.NoteAt(out)->SetAttribute(naTieOut);
    const int same = s.Note(p);  // the sharp still runs: the same pitch
    s.NoteAt(same)->SetAttribute(naTieIn);
    const int again = s.Note(p);
    s.NoteAt(again)->SetAttribute(naTieOut);
    const int in = s.Note(p, 2, acNatural);
    s.NoteAt(in)->SetAttribute(naTieIn);
    TFindErrorNtnIdx idx(&s.staff, same);
    EXPECT_FALSE(idx.HasTieConflict()) << p;
    EXPECT_FALSE(idx.HasAccidentalConflict()) << p;
    idx.SetIndex(in);
    EXPECT_TRUE(idx.HasTieConflict()) << p;
  }
}

TEST(FindErrorNtnIdx, CopiesOwnTheirTables) {
  TStaffFixture s;
  const int n = s.Note(2, 2, acSharp);
  s.NoteAt(n)->SetAttribute(naTieOut);
  s.Note(2);
  TFindErrorNtnIdx original(&s.staff, n);
  TFindErrorNtnIdx copy(original);
  copy.Next();
  EXPECT_EQ(copy.Table().GetAccidental(2), acSharp);
  EXPECT_NE(copy.Table().GetTiePitch(2), 0);
  EXPECT_EQ(original.Table().GetAccidental(2), acNone);
  EXPECT_EQ(original.Table().GetTiePitch(2), 0);
  TFindErrorNtnIdx assigned;
  assigned = copy;
  copy.Reset();
  EXPECT_EQ(assigned.Table().GetAccidental(2), acSharp);
}

TEST(FindErrorNtnIdx, TieBetweenDifferentPitchesConflicts) {
  TStaffFixture s;
  const int a = s.Note(2, 2, acSharp);  // G sharp 4
  s.NoteAt(a)->SetAttribute(naTieOut);
  s.Bar();
  const int b = s.Note(2);  // G natural after the bar line: a different pitch
  s.NoteAt(b)->SetAttribute(naTieIn);
  const int c = s.Note(2, 2, acSharp);
  s.NoteAt(c)->SetAttribute(naTieOut);
  const int d = s.Note(2);  // G sharp still runs in this bar: the same pitch
  s.NoteAt(d)->SetAttribute(naTieIn);
  TFindErrorNtnIdx idx(&s.staff);
  idx.SetIndex(b);
  EXPECT_TRUE(idx.HasTieConflict());
  idx.SetIndex(d);
  EXPECT_FALSE(idx.HasTieConflict());
  s.NoteAt(d)->SetMuted(true);
  EXPECT_TRUE(idx.HasTieConflict());  // a muted head tied from an open tie
}

TEST(FindErrorNtnIdx, UnwrittenAccidentalThatReadsDifferently) {
  TStaffFixture s;
  s.Key(1);                              // F sharp
  const int natural = s.Note(-4, 2, acNatural);  // F5 natural
  const int sameSpot = s.Note(-4);       // reads natural: what was written here, fine
  const int octave = s.Note(3);          // F4 without sign: reads natural, the key says sharp
  s.Bar();
  const int fresh = s.Note(3);           // a new bar: sharp again, as the key says
  TFindErrorNtnIdx idx(&s.staff);
  idx.SetIndex(natural);
  EXPECT_FALSE(idx.HasAccidentalConflict());
  idx.SetIndex(sameSpot);
  EXPECT_FALSE(idx.HasAccidentalConflict());
  idx.SetIndex(octave);
  EXPECT_TRUE(idx.HasAccidentalConflict());
  idx.SetIndex(fresh);
  EXPECT_FALSE(idx.HasAccidentalConflict());
}

TEST(FindErrorNtnIdx, SecondEndingRestoresTheTable) {
  TStaffFixture s;
  s.Ending(1);
  const int tied = s.Note(2);
  s.NoteAt(tied)->SetAttribute(naTieOut);
  const int second = s.Ending(2);
  TFindErrorNtnIdx idx(&s.staff, second + 1);
  EXPECT_EQ(idx.Table().GetTiePitch(2), 0);
  idx.SetIndex(second);
  EXPECT_NE(idx.Table().GetTiePitch(2), 0);
}
