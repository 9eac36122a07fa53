// Cursor movement and the running counts of the plain, relative and neighbourhood cursors.
#include <gtest/gtest.h>
#include "QVKNTN/NeighborhoodNtnIdx.h"
#include "QVKNTN/RelNtnIdx.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "tests/ntnidx/NtnStaffFixture.h"

namespace {

// A staff of two 4/4 bars with zero-length items between the notes:
// 0 bar | clef key time q q h | bar | dyn q q h | end
struct TTwoBars : TStaffFixture {
  int clef, key, time, n1, n2, n3, bar1, dyn, n4, n5, n6;
  TTwoBars() {
    clef = Clef(clTreble);
    key = Key(2);
    time = TimeSig(4, 2);
    n1 = Note(0);
    n2 = Note(1);
    n3 = Note(2, 1);
    bar1 = Bar();
    dyn = Dynamic(TDynamicLevelData::dynF);
    n4 = Note(0);
    n5 = Rest();
    n6 = Note(3, 1);
  }
};

}  // namespace

TEST(SimpleNtnIdx, IndexIsClampedAndStepsStopAtTheEnds) {
  TTwoBars s;
  TSimpleNtnIdx idx(&s.staff);
  EXPECT_EQ(idx.GetIndex(), 0);
  idx.SetIndex(-3);
  EXPECT_EQ(idx.GetIndex(), 0);
  EXPECT_FALSE(idx.CanStep(-1));
  idx.SetIndex(s.staff.LastIndex() + 10);
  EXPECT_EQ(idx.GetIndex(), s.staff.LastIndex());
  EXPECT_FALSE(idx.CanStep(1));
  EXPECT_TRUE(idx.CanStep(-1));
  EXPECT_EQ(idx.Next(), nullptr);

  TSimpleNtnIdx none;
  EXPECT_EQ(none.Current(), nullptr);
  EXPECT_FALSE(none.CanStep(1));
  EXPECT_EQ(none.SetIndex(3), nullptr);
}

TEST(SimpleNtnIdx, TypedAccessorsAnswerOnlyTheirKind) {
  TTwoBars s;
  TSimpleNtnIdx idx(&s.staff, s.dyn);
  EXPECT_NE(idx.AsExpression(), nullptr);
  EXPECT_EQ(idx.AsSongNote(), nullptr);
  EXPECT_NE(idx.AsKind(ntDynamicLevel), nullptr);
  idx.SetIndex(s.n5);
  EXPECT_NE(idx.AsSongNote(), nullptr);
  EXPECT_EQ(idx.AsNoteOrChord(), nullptr);
  EXPECT_EQ(idx.AsNoteBearing(), nullptr);
  idx.SetIndex(s.n4);
  EXPECT_NE(idx.AsNoteBearing(), nullptr);
}

TEST(RelNtnIdx, CountsTicksBarsAndSyllablesBothWays) {
  TTwoBars s;
  TRelNtnIdx idx(&s.staff);
  struct Expect { int index; long tick; int bars; int syllables; };
  // The leading sentinel counts as bar 1; every note takes a syllable, the rest does not.
  const Expect table[] = {
      {s.n1, 0, 1, 0}, {s.n3, 384, 1, 2}, {s.bar1, 768, 1, 3}, {s.dyn, 768, 2, 3},
      {s.n5, 960, 2, 4}, {s.staff.LastIndex(), 1536, 2, 5},
  };
  for (const Expect& e : table) {
    idx.SetIndex(e.index);
    EXPECT_EQ(idx.GetTick(), e.tick) << e.index;
    EXPECT_EQ(idx.GetBarCount(), e.bars) << e.index;
    EXPECT_EQ(idx.GetSyllableCount(), e.syllables) << e.index;
  }
  // Walking back item by item undoes exactly what walking forward added.
  for (int i = s.staff.LastIndex(); i >= 0; --i) {
    TRelNtnIdx fresh(&s.staff, i);
    idx.SetIndex(i);
    EXPECT_EQ(idx.GetTick(), fresh.GetTick()) << i;
    EXPECT_EQ(idx.GetBarCount(), fresh.GetBarCount()) << i;
  }
}

TEST(RelNtnIdx, AttachStartsOverOnTheNewStaff) {
  TTwoBars s;
  TStaffFixture other;
  other.Note(0);
  TRelNtnIdx idx(&s.staff, s.staff.LastIndex());
  ASSERT_GT(idx.GetTick(), 0);
  idx.Attach(&other.staff);
  EXPECT_EQ(idx.GetIndex(), 0);
  EXPECT_EQ(idx.GetTick(), 0);
  EXPECT_EQ(idx.GetBarCount(), 0);
  idx.SetIndex(other.staff.LastIndex());
  EXPECT_EQ(idx.GetTick(), 192);
}

TEST(RelNtnIdx, SeekTickLandsOnTheFirstItemAtTheTick) {
  TTwoBars s;
  TRelNtnIdx idx(&s.staff);
  idx.SetIndex(s.n6);
  idx.SeekTick(0);
  EXPECT_EQ(idx.GetIndex(), 0);
  idx.SetIndex(s.n6);
  idx.SeekTick(-5);
  EXPECT_EQ(idx.GetIndex(), 0);
  // Tick 0 after the start holds clef, key and time: any tick in the first beat lands past them.
  struct Case { int from; long tick; int expected; } cases[] = {
      {0, 768, s.bar1},            // zero-length bar and dynamic at 768: the first of them
      {s.n6, 768, s.bar1},         // the same from beyond, walking back
      {s.bar1, 768, s.bar1},       // already there
      {s.dyn, 768, s.bar1},        // on a later zero-length item at the same tick
      {0, 100, s.n2},              // inside the first note: the next item start
      {s.staff.LastIndex(), 192, s.n2},
      {0, 5000, s.staff.LastIndex()},
  };
  for (const Case& c : cases) {
    idx.SetIndex(c.from);
    idx.SeekTick(c.tick);
    EXPECT_EQ(idx.GetIndex(), c.expected) << "tick " << c.tick << " from " << c.from;
  }
}

TEST(RelNtnIdx, BarLinesMarkedEmptyAreNotCounted) {
  TTwoBars s;
  s.BarAt(s.bar1)->SetLayoutFlag(true);
  TRelNtnIdx idx(&s.staff, s.staff.LastIndex());
  EXPECT_EQ(idx.GetBarCount(), 1);
  s.BarAt(s.bar1)->SetLayoutFlag(false);
  idx.Refresh();
  EXPECT_EQ(idx.GetBarCount(), 2);
  idx.SeekBar(2);
  EXPECT_EQ(idx.GetIndex(), s.dyn);
  idx.SeekBar(1);
  EXPECT_EQ(idx.GetIndex(), 1);
}

TEST(NeighborhoodNtnIdx, SlotsMatchAFreshWalkAtEveryIndexBothWays) {
  TTwoBars s;
  TNeighborhoodNtnIdx walker(&s.staff);
  auto check = [&](int i) {
    TNeighborhoodNtnIdx fresh(&s.staff);
    while (fresh.GetIndex() < i) fresh.Next();
    walker.SetIndex(i);
    for (int slot = 0; slot < TNeighborhoodNtnIdx::kSlotCount; ++slot)
      EXPECT_EQ(walker.GetLast(TNeighborhoodNtnIdx::Slot(slot)), fresh.GetLast(TNeighborhoodNtnIdx::Slot(slot)))
          << "index " << i << " slot " << slot;
  };
  for (int i = 0; i <= s.staff.LastIndex(); ++i) check(i);
  for (int i = s.staff.LastIndex(); i >= 0; --i) check(i);
  walker.SetIndex(s.n5);
  EXPECT_EQ(walker.GetLast(TNeighborhoodNtnIdx::kLastNote), s.n4);
  EXPECT_EQ(walker.GetLast(TNeighborhoodNtnIdx::kBeforeLastNote), s.n3);
  EXPECT_EQ(walker.GetLast(TNeighborhoodNtnIdx::kLastDynamic), s.dyn);
  EXPECT_EQ(walker.GetLast(TNeighborhoodNtnIdx::kLastBar), s.bar1);
}

TEST(NeighborhoodNtnIdx, TimeSignatureFromTheLastOneOrCommonTime) {
  TStaffFixture plain;
  plain.Note(0);
  TNeighborhoodNtnIdx idx(&plain.staff, plain.staff.LastIndex());
  int beats = 0, code = 0;
  idx.GetTimeSig(beats, code);
  EXPECT_EQ(beats, 4);
  EXPECT_EQ(code, 2);

  TStaffFixture six;
  six.TimeSig(6, 3);
  six.Note(0);
  TNeighborhoodNtnIdx idx6(&six.staff, six.staff.LastIndex());
  idx6.GetTimeSig(beats, code);
  EXPECT_EQ(beats, 6);
  EXPECT_EQ(code, 3);
}

// Tempo marks, both kinds of tempo variance and dynamic variances: only a gradual tempo change
// (not a breath mark or a fermata) fills its slot, and the slots stay right walking either way.
TEST(NeighborhoodNtnIdx, OnlyGradualTempoChangesFillTheirSlot) {
  TStaffFixture s;
  const int tempo = s.Tempo(120);
  const int gradual = s.TempoRamp(2);
  s.Note(0);
  const int breath = s.TempoRamp(TTempoVariance::tvBreathMark);
  const int crescendo = s.DynamicRamp(0);
  s.Note(0);
  const int fermata = s.TempoRamp(TTempoVariance::tvFermata);
  const int end = s.Note(0);
  TNeighborhoodNtnIdx walker(&s.staff);
  for (int pass = 0; pass < 2; ++pass) {
    for (int k = 0; k <= s.staff.LastIndex(); ++k) {
      const int i = pass == 0 ? k : s.staff.LastIndex() - k;
      walker.SetIndex(i);
      TNeighborhoodNtnIdx fresh(&s.staff);
      while (fresh.GetIndex() < i) fresh.Next();
      for (int slot = 0; slot < TNeighborhoodNtnIdx::kSlotCount; ++slot)
        EXPECT_EQ(walker.GetLast(TNeighborhoodNtnIdx::Slot(slot)), fresh.GetLast(TNeighborhoodNtnIdx::Slot(slot)))
            << "index " << i << " slot " << slot;
    }
  }
  walker.SetIndex(end);
  EXPECT_EQ(walker.GetLast(TNeighborhoodNtnIdx::kLastTempo), tempo);
  EXPECT_EQ(walker.GetLast(TNeighborhoodNtnIdx::kLastGradualTempoVariance), gradual);
  EXPECT_EQ(walker.GetLast(TNeighborhoodNtnIdx::kLastDynamicVariance), crescendo);
  EXPECT_EQ(walker.AsGradualTempoVariance(), nullptr);
  walker.SetIndex(gradual);
  EXPECT_EQ(walker.AsGradualTempoVariance(), s.At(gradual));
  for (int pause : {breath, fermata}) {
    walker.SetIndex(pause);
    EXPECT_EQ(walker.AsGradualTempoVariance(), nullptr) << pause;
    EXPECT_EQ(walker.AsKind(ntTempoVariance), s.At(pause)) << pause;
  }
}
