// The audit pass: derived bar, rest, group, slur, tie, key and dynamics state, the entry points
// with the staff's changed flag, and the cost of auditing after an edit.
#include <gtest/gtest.h>
#include <string>
#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/AuditPass.h"
#include "QVKNTN/ItemRange.h"
#include "foundation/QXTSegRamStream.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/NtnPrecondition.h"
#include "QVKNTN/RelNtnIdx.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/StaffRange.h"
#include "tests/ntnidx/NtnStaffFixture.h"

namespace {
struct AuditPass : ::testing::Test {
  void SetUp() override { InstallAuditPass(); }
};

void AuditAll(TMusicStaff& staff) { AuditStaff(&staff, -1, -1); }
}  // namespace

// Layout, drawing, playback and saving rely on the audited state: a program that never installed
// the pass must fail loudly at its first audit, not go on with stale derived state.
TEST(AuditHooks, AnAuditBeforeThePassIsInstalledIsAPreconditionFailure) {
  const TScoreAuditHooks installed = SetScoreAuditHooks(TScoreAuditHooks{});
  TStaffFixture s;
  s.TimeSig(4, 2);
  s.Rest(0);
  s.Bar();
  TMusicScore score;
  EXPECT_THROW(RunScoreAudit(&score, 1), TNtnPreconditionFailure);
  EXPECT_THROW(RunStaffAudit(&s.staff, -1, -1), TNtnPreconditionFailure);
  EXPECT_THROW(RunStaffAuditAround(&s.staff, 0, 0), TNtnPreconditionFailure);
  EXPECT_THROW(RunItemAudit(&s.staff, 0, 0), TNtnPreconditionFailure);
  InstallAuditPass();
  EXPECT_NO_THROW(RunStaffAudit(&s.staff, -1, -1));
  EXPECT_NO_THROW(RunItemAudit(&s.staff, 0, 0));
  SetScoreAuditHooks(installed);
}

TEST_F(AuditPass, WholeRestAloneFillsItsBar) {
  struct Case { int beats, code; long ticks; } cases[] = {{3, 2, 576}, {6, 3, 576}, {4, 2, 768}, {2, 1, 768}};
  for (const Case& c : cases) {
    TStaffFixture s;
    s.TimeSig(c.beats, c.code);
    const int rest = s.Rest(0);
    s.Bar();
    AuditAll(s.staff);
    EXPECT_EQ(s.At(rest)->GetDuration(), c.ticks) << c.beats << "/" << c.code;
    TRelNtnIdx idx(&s.staff, s.staff.LastIndex());
    EXPECT_EQ(idx.GetTick(), c.ticks);
  }
}

TEST_F(AuditPass, ASecondRestTakesTheExplicitLengthAway) {
  TStaffFixture s;
  s.TimeSig(3, 2);
  const int rest = s.Rest(0);
  const int bar = s.Bar();
  AuditAll(s.staff);
  ASSERT_TRUE(s.RestAt(rest)->HasExplicitLength());
  s.staff.InsertNotify(new TRestNote(2), bar);
  EXPECT_FALSE(s.RestAt(rest)->HasExplicitLength());
  EXPECT_EQ(s.At(rest)->GetDuration(), 768);
  // Dotted or triplet whole rests are not bar rests.
  TStaffFixture t;
  t.TimeSig(3, 2);
  const int dotted = t.Rest(0);
  t.SongAt(dotted)->SetAttribute(naDotted);
  t.Bar();
  AuditAll(t.staff);
  EXPECT_FALSE(t.RestAt(dotted)->HasExplicitLength());
}

TEST_F(AuditPass, EmptyBarsAreFlaggedAndNotCounted) {
  TStaffFixture s;
  s.Note(0);
  const int bar = s.Bar();
  const int closing = s.Bar();  // directly before the end sentinel
  AuditAll(s.staff);
  EXPECT_FALSE(s.BarAt(0)->GetLayoutFlag());
  EXPECT_TRUE(s.BarAt(bar)->GetLayoutFlag());
  EXPECT_TRUE(s.BarAt(closing)->GetLayoutFlag());
  TRelNtnIdx idx(&s.staff, s.staff.LastIndex());
  EXPECT_EQ(idx.GetBarCount(), 1);
}

TEST_F(AuditPass, BrokenGroupsLoseTheirStates) {
  TStaffFixture s;
  const int a = s.Note(0, 3), b = s.Note(0, 3), c = s.Note(0, 3);
  s.Group(0, {a, b, c});
  // A dotted quarter and an eighth marked as a triplet: 256 ticks, off the 12-tick grid.
  const int d = s.Note(0, 2), e = s.Note(0, 3);
  s.SongAt(d)->SetAttribute(naDotted);
  s.Group(1, {d, e});
  // A beam cut by a bar line.
  const int f = s.Note(0, 3);
  s.Bar();
  const int g = s.Note(0, 3);
  s.Group(0, {f, g});
  AuditAll(s.staff);
  EXPECT_EQ(s.SongAt(a)->GetBeamState(), 1);
  EXPECT_EQ(s.SongAt(c)->GetBeamState(), 3);
  EXPECT_EQ(s.SongAt(d)->GetTripletState(), 0);
  EXPECT_EQ(s.SongAt(e)->GetTripletState(), 0);
  EXPECT_EQ(s.SongAt(f)->GetBeamState(), 0);
  EXPECT_EQ(s.SongAt(g)->GetBeamState(), 0);

  delete s.staff.DetachItem(a);  // the head of the good group goes: the rest lose the beam
  EXPECT_EQ(s.SongAt(a)->GetBeamState(), 0);
  EXPECT_EQ(s.SongAt(b)->GetBeamState(), 0);
}

TEST_F(AuditPass, CrescendoRampsToTheNextDynamic) {
  TStaffFixture s;
  const int p = s.Dynamic(TDynamicLevelData::dynP);
  s.Note(0);
  const int cresc = s.DynamicRamp(0);
  s.Note(0);
  s.Note(0, 1);
  const int f = s.Dynamic(TDynamicLevelData::dynF);
  s.Note(0);
  AuditAll(s.staff);
  auto* ramp = static_cast<TDynamicVariance*>(s.At(cresc));
  EXPECT_EQ(static_cast<TDynamicLevelData*>(s.At(p))->GetVelocity(), 45);
  EXPECT_EQ(static_cast<TDynamicLevelData*>(s.At(f))->GetVelocity(), 92);
  EXPECT_EQ(static_cast<TDynamicLevelData*>(s.At(f))->GetVolume(), 255);
  EXPECT_EQ(ramp->GetTargetVelocity(), 92);
  EXPECT_EQ(ramp->GetLength(), 192 + 384);
  EXPECT_LT(ramp->GetStartVolume(), 0);  // no volume ramp

  auto* fd = static_cast<TDynamicLevelData*>(s.At(f));
  fd->SetOverride(0, true);
  fd->SetVelocity(100);
  fd->SetOverride(1, true);
  fd->SetVolume(90);
  static_cast<TDynamicLevelData*>(s.At(p))->SetOverride(1, true);
  static_cast<TDynamicLevelData*>(s.At(p))->SetVolume(60);
  AuditAll(s.staff);
  EXPECT_EQ(fd->GetVelocity(), 100);
  EXPECT_EQ(ramp->GetTargetVelocity(), 100);
  EXPECT_EQ(ramp->GetStartVolume(), 60);
  EXPECT_EQ(ramp->GetEndVolume(), 90);
}

TEST_F(AuditPass, GradualTempoChangeRampsBetweenTempoMarks) {
  TStaffFixture s;
  s.Tempo(100);
  s.Note(0);
  const int rit = s.TempoRamp(2);
  s.Note(0, 1);
  s.Tempo(60);
  AuditAll(s.staff);
  auto* ramp = static_cast<TTempoVariance*>(s.At(rit));
  EXPECT_EQ(ramp->GetStartTempo(), 100);
  EXPECT_EQ(ramp->GetEndTempo(), 60);
  EXPECT_EQ(ramp->GetLength(), 384);

  TStaffFixture lone;
  lone.Note(0);
  const int orphan = lone.TempoRamp(2);
  lone.Note(0);
  AuditAll(lone.staff);
  EXPECT_EQ(static_cast<TTempoVariance*>(lone.At(orphan))->GetLength(), 0);
}

TEST_F(AuditPass, SlursAndTiesGetTheirDerivedBits) {
  TStaffFixture s;
  const int a = s.Note(4), b = s.Note(3), c = s.Note(-5);
  s.SongAt(a)->SetAttribute(naSlurOut);
  s.SongAt(b)->SetAttribute(naSlurIn);  // stale: b lies inside, c does not
  s.SongAt(c)->SetAttribute(naSlurIn);
  const int t1 = s.Note(2), t2 = s.Note(2), t3 = s.Note(2);
  s.NoteAt(t1)->SetAttribute(naTieOut);
  s.NoteAt(t3)->SetAttribute(naTieIn);  // stale: nothing ties into t3
  AuditAll(s.staff);
  EXPECT_TRUE(s.SongAt(b)->HasAttribute(naSlurIn));
  EXPECT_FALSE(s.SongAt(c)->HasAttribute(naSlurIn));
  EXPECT_TRUE(s.SongAt(a)->IsSlurDown());  // stem up (below the middle): slur below
  EXPECT_TRUE(s.NoteAt(t2)->HasAttribute(naTieIn));
  EXPECT_FALSE(s.NoteAt(t3)->HasAttribute(naTieIn));
}

TEST_F(AuditPass, KeySignatureRemembersThePreviousKey) {
  TStaffFixture s;
  s.Key(3);
  s.Note(0);
  const int second = s.Key(-1);
  AuditAll(s.staff);
  auto* key = static_cast<TKeyData*>(s.At(second));
  EXPECT_EQ(key->GetCancelledSharps(), static_cast<TKeyData*>(s.At(1))->GetSharpMask());
  EXPECT_EQ(key->GetCancelledFlats(), 0);
}

TEST_F(AuditPass, ChangedFlagDrivesTheScoreAudit) {
  TMusicScore score;
  auto* staff = new TMusicStaff;
  score.AppendStaff(staff);
  staff->AppendItem(new TRestNote(0));
  staff->AppendItem(new TBarLineData);
  EXPECT_TRUE(staff->IsChanged());
  // The pre-save audit audits changed staves, so the bar rest is right before writing.
  AuditScoreStaves(&score, false);
  EXPECT_FALSE(staff->IsChanged());
  auto* rest = static_cast<TRestNote*>(staff->GetItem(1));
  EXPECT_TRUE(rest->HasExplicitLength());
  // An unchanged staff is left alone unless all are asked for.
  rest->ClearExplicitLength();
  AuditScoreStaves(&score, false);
  EXPECT_FALSE(rest->HasExplicitLength());
  AuditScoreStaves(&score, true);
  EXPECT_TRUE(rest->HasExplicitLength());
  // A partial audit keeps the flag.
  staff->SetChanged(true);
  AuditStaff(staff, 1, 1);
  EXPECT_TRUE(staff->IsChanged());
}

namespace {
// A staff filled up to the item limit with beamed bars of four eighths, audited once.
void FillStaff(TMusicStaff& staff) {
  for (int bar = 0; staff.ItemCount() < TMusicStaff::kMaxItems - 9; ++bar) {
    for (int n = 0; n < 4; ++n) staff.AppendItem(new TMusicNote(n - 2, 3));
    for (int n = 0; n < 4; ++n) static_cast<TSongNote*>(staff.GetItem(staff.LastIndex() - 4 + n))->SetBeamState(n == 0 ? 1 : n == 3 ? 3 : 2);
    staff.AppendItem(new TBarLineData);
  }
  AuditAll(staff);
}

// What an operation costs: cursor steps, range audits and audit cursors sent back.
struct Cost {
  long long steps = TSimpleNtnIdx::StepsTaken();
  long long audits = AuditRangesRun();
  long long rewinds = TAuditNtnIdx::Rewinds();
  Cost Since() const {
    Cost now;
    now.steps -= steps;
    now.audits -= audits;
    now.rewinds -= rewinds;
    return now;
  }
};
}  // namespace

TEST_F(AuditPass, EditAtTheEndOfAFullStaffWalksOnlyNearIt) {
  TMusicStaff staff;
  FillStaff(staff);
  const int n = staff.ItemCount();
  ASSERT_GE(n, 11990);
  Cost start;
  staff.InsertNotify(new TMusicNote(0, 2), staff.LastIndex() - 1);
  Cost insert = start.Since();
  // The audit starts from the cursor saved at a bar line near the edit: a few hundred steps,
  // however long the staff.
  EXPECT_LE(insert.steps, n / 20);
  EXPECT_EQ(insert.audits, 1);
  EXPECT_EQ(insert.rewinds, 0);

  // Deleting many items audits once.
  Cost beforeDelete;
  TStaffRange(&staff, staff.LastIndex() - 400, staff.LastIndex() - 1).DeleteItems();
  Cost deletion = beforeDelete.Since();
  EXPECT_LE(deletion.steps, n / 20);
  EXPECT_EQ(deletion.audits, 1);
  EXPECT_EQ(deletion.rewinds, 0);
}

TEST_F(AuditPass, WholeStaffAuditIsOneForwardWalk) {
  TMusicStaff staff;
  FillStaff(staff);
  const int n = staff.ItemCount();
  Cost start;
  AuditAll(staff);
  Cost whole = start.Since();
  // The walk itself, plus each bar line's look to the next one and each group's check.
  EXPECT_LE(whole.steps, 2LL * n) << n;
  EXPECT_EQ(whole.audits, 1);
  EXPECT_EQ(whole.rewinds, 0);
}

TEST_F(AuditPass, PastingManyItemsAuditsOnce) {
  TMusicStaff source;
  FillStaff(source);
  TQXTSegRamStream clip(1024);
  ASSERT_TRUE(WriteItemRange(source, 1, 1000, clip));
  clip.Rewind();
  TStaffFixture target;
  target.Note(0);
  const int bar = target.Bar();
  int last = -1;
  Cost start;
  ASSERT_EQ(ReadItemRange(target.staff, bar, last, clip), 1);
  Cost paste = start.Since();
  EXPECT_EQ(last, bar + 999);
  EXPECT_EQ(paste.audits, 1);
  EXPECT_EQ(paste.rewinds, 0);
  EXPECT_LE(paste.steps, 3LL * target.staff.ItemCount());
}

TEST_F(AuditPass, CursorSentBackIsCountedAsARewind) {
  TStaffFixture s;
  for (int i = 0; i < 10; ++i) s.Note(0);
  // A cursor's counts reach its thread's totals when it is finished with.
  Cost start;
  {
    TAuditNtnIdx idx(&s.staff, 8);
    idx.SetIndex(9);
  }
  EXPECT_EQ(start.Since().rewinds, 0);
  {
    TAuditNtnIdx idx(&s.staff, 8);
    idx.Prev();
  }
  EXPECT_EQ(start.Since().rewinds, 1);
}

// Loading audits each staff once, as its items are read: not a second time for the whole score.
TEST_F(AuditPass, LoadingAuditsEachStaffOnce) {
  TMusicScore score;
  for (int k = 0; k < 3; ++k) {
    auto* staff = new TMusicStaff;
    staff->AppendItem(new TRestNote(0));
    staff->AppendItem(new TBarLineData);
    score.AppendStaff(staff);
  }
  TQXTSegRamStream file(1024);
  ASSERT_EQ(WriteScoreHeader(file, score, skAutoSave), 1);
  file.Rewind();
  TScoreLoadInfo info;
  Cost start;
  TMusicScore* loaded = LoadScore(file, info, nullptr);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(start.Since().audits, 3);
  ASSERT_EQ(loaded->StaffCount(), 3);
  for (int k = 0; k < 3; ++k) {
    EXPECT_FALSE(loaded->GetStaff(k)->IsChanged()) << k;
    EXPECT_TRUE(static_cast<TRestNote*>(loaded->GetStaff(k)->GetItem(1))->HasExplicitLength()) << k;
  }
  delete loaded;
}

// Which bars each audit entry point reaches: eight 3/4 bars each holding a lone whole rest, which
// gets the bar's length only when the bar line after it is audited.
TEST_F(AuditPass, EntryPointsReachTheirBars) {
  struct Case { const char* name; void (*audit)(TMusicStaff*, const int*); const char* reached; } cases[] = {
      {"whole staff", [](TMusicStaff* st, const int*) { AuditStaff(st, -1, -1); }, "01234567"},
      {"staff, one item", [](TMusicStaff* st, const int* r) { AuditStaff(st, r[4], r[4]); }, "4"},
      {"staff, from an item on", [](TMusicStaff* st, const int* r) { AuditStaff(st, r[5], -1); }, "567"},
      {"item range", [](TMusicStaff* st, const int* r) { AuditItemRange(TStaffRange(st, r[4], r[4])); }, "4"},
      // The item before the range starts the walk: a range from a bar's first item takes in the
      // bar before it.
      {"item range from a bar line", [](TMusicStaff* st, const int* r) { AuditItemRange(TStaffRange(st, r[4] + 1, r[5])); }, "45"},
      // Two bar lines back from the edit, and the bar the range then starts in.
      {"around one item", [](TMusicStaff* st, const int* r) { AuditStaffAround(st, r[4], -1); }, "2345"},
      {"around a run", [](TMusicStaff* st, const int* r) { AuditStaffAround(st, r[3], r[4]); }, "12345"},
      {"around the first item", [](TMusicStaff* st, const int* r) { AuditStaffAround(st, r[0], -1); }, "01"},
      {"around the last item", [](TMusicStaff* st, const int* r) { AuditStaffAround(st, r[7], -1); }, "567"},
  };
  for (const Case& c : cases) {
    TStaffFixture s;
    s.TimeSig(3, 2);
    int rests[8];
    for (int& r : rests) {
      r = s.Rest(0);
      s.Bar();
    }
    c.audit(&s.staff, rests);
    std::string reached;
    for (int k = 0; k < 8; ++k)
      if (s.RestAt(rests[k])->HasExplicitLength()) reached += char('0' + k);
    EXPECT_EQ(reached, c.reached) << c.name;
  }
}

// A beam whose members end up with different triplet states is broken by the same audit that
// settles those states, not left for the next audit to break.
TEST_F(AuditPass, BeamsSeeTheTripletStatesTheAuditLeaves) {
  struct Member { int beam, triplet; };
  struct Case {
    const char* what;
    Member members[5];
    Member expected[5];
  } cases[] = {
      // The beam's first note carries a stray triplet end, which the audit removes.
      {"stray triplet state on the beam's first note",
       {{1, 3}, {3, 1}, {0, 2}, {0, 3}, {0, 0}},
       {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 0}}},
      // The beam's last note carries a triplet end after the triplet has closed.
      {"stray triplet state on the beam's last note",
       {{0, 1}, {0, 2}, {1, 3}, {3, 3}, {0, 0}},
       {{0, 1}, {0, 2}, {0, 3}, {0, 0}, {0, 0}}},
      // Both in one proper triplet: the beam stays.
      {"beam inside a triplet",
       {{0, 1}, {1, 2}, {3, 3}, {0, 0}, {0, 0}},
       {{0, 1}, {1, 2}, {3, 3}, {0, 0}, {0, 0}}},
  };
  for (const Case& c : cases) {
    TStaffFixture s;
    int notes[5];
    for (int k = 0; k < 5; ++k) {
      notes[k] = s.Note(0, 3);
      s.SongAt(notes[k])->SetBeamState(c.members[k].beam);
      s.SongAt(notes[k])->SetTripletState(c.members[k].triplet);
    }
    s.Bar();
    for (int pass = 1; pass <= 2; ++pass) {
      AuditAll(s.staff);
      for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(s.SongAt(notes[k])->GetBeamState(), c.expected[k].beam) << c.what << ", note " << k << ", pass " << pass;
        EXPECT_EQ(s.SongAt(notes[k])->GetTripletState(), c.expected[k].triplet) << c.what << ", note " << k << ", pass " << pass;
      }
    }
  }
}

// A rest's explicit length goes as soon as a note follows it in the bar, so a triplet's check
// counts the rest's written value: the group kept or broken now stays so at the next audit.
TEST_F(AuditPass, TripletSumCountsARestsWrittenValue) {
  struct Case { int restCode, count, code; int noteCodes[2]; bool kept; } cases[] = {
      // Written: 64 + 64 + 128 = 256 ticks, off the grid; the stale length (48) would make it 240.
      {3, 1, 4, {3, 2}, false},
      // Written: 64 + 64 + 64 = 192 ticks; the stale length (768) would make it 896.
      {3, 1, 0, {3, 3}, true},
  };
  for (const Case& c : cases) {
    TStaffFixture s;
    const int rest = s.Rest(c.restCode);
    s.RestAt(rest)->SetExplicitLength(c.count, c.code);
    const int a = s.Note(0, c.noteCodes[0]), b = s.Note(0, c.noteCodes[1]);
    s.Group(1, {rest, a, b});
    s.Bar();
    for (int pass = 1; pass <= 2; ++pass) {
      AuditAll(s.staff);
      EXPECT_FALSE(s.RestAt(rest)->HasExplicitLength()) << pass;
      EXPECT_EQ(s.SongAt(rest)->GetTripletState(), c.kept ? 1 : 0) << "rest code " << c.restCode << ", pass " << pass;
      EXPECT_EQ(s.SongAt(b)->GetTripletState(), c.kept ? 3 : 0) << "rest code " << c.restCode << ", pass " << pass;
    }
  }
}
