// The running staff context: key and running accidentals, time signature, ramps, walk modes,
// repeat and jump bookkeeping, and the open-tie position sets.
#include <gtest/gtest.h>
#include <type_traits>
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/StaffContext.h"

namespace {
constexpr uint16_t Bit(int letter) { return uint16_t(1u << letter); }
}

TEST(StaffContext, ResetStateAndChannelSurvivesReset) {
  TStaffContext c;
  EXPECT_EQ(c.GetVelocity(), 110);
  EXPECT_EQ(c.GetTimeSigNumerator(), 4);
  EXPECT_EQ(c.GetTimeSigDenominator(), 2);
  EXPECT_EQ(c.GetBarTicks(), 768);
  EXPECT_EQ(c.GetLocalRepeatPass(), 1);
  EXPECT_EQ(c.GetMasterRepeatPass(), 1);
  EXPECT_EQ(c.GetMasterRepeatCount(), 2);
  c.SetChannel(9);
  c.SetPort(3);
  c.SetTranspose(-5);
  c.AdvanceTick(500);
  c.SetKey(Bit(ltB), 0);
  c.SetJumpTaken();
  c.TieSet(1).Add(3);
  c.Reset();
  EXPECT_EQ(c.GetChannel(), 9);
  EXPECT_EQ(c.GetPort(), 3);
  EXPECT_EQ(c.GetTranspose(), 0);
  EXPECT_EQ(c.GetTick(), 0);
  EXPECT_EQ(c.GetKeySignature(), 0);
  EXPECT_FALSE(c.IsAfterJump());
  EXPECT_FALSE(c.TieSet(1).Test(3));
}

TEST(StaffContext, RunningAccidentalsFollowKeyBarAndWrittenAccidentals) {
  TStaffContext c;
  c.SetKey(0, Bit(ltF) | Bit(ltC));
  EXPECT_EQ(c.GetKeySignature(), 2);
  EXPECT_EQ(c.GetRunningAccidental(ltF), acSharp);
  c.ApplyAccidental(ltF, acNatural);
  EXPECT_EQ(c.GetRunningAccidental(ltF), acNatural);
  EXPECT_EQ(c.GetKeyAccidental(ltF), acSharp);
  c.ResetAccidentals();
  EXPECT_EQ(c.GetRunningAccidental(ltF), acSharp);

  c.ApplyAccidental(ltD, acDoubleFlat);
  c.ApplyAccidental(ltD, acSharp);
  EXPECT_EQ(c.GetRunningSharps() & Bit(ltD), Bit(ltD));
  EXPECT_EQ(c.GetRunningDoubleFlats() & Bit(ltD), 0);
  c.ApplyAccidental(ltD, acNone);
  EXPECT_EQ(c.GetRunningAccidental(ltD), acSharp);
  c.ApplyAccidental(ltE, acDoubleSharp);
  EXPECT_EQ(c.GetRunningAccidental(ltE), acDoubleSharp);
  c.SetKey(Bit(ltB), 0);
  EXPECT_EQ(c.GetRunningAccidental(ltE), acNatural);
  EXPECT_EQ(c.GetRunningAccidental(ltB), acFlat);
}

TEST(StaffContext, TimeSignatureKeepsWholeNumeratorAndRefusesZeroBeats) {
  struct Case {
    int numerator, code;
    int wantNumerator;
    int32_t wantBarTicks;
  } cases[] = {
      {3, 2, 3, 576},  {6, 3, 6, 576},  {32, 3, 32, 3072}, {99, 0, 99, 76032},
      {0, 2, 4, 768},  {150, 2, 4, 768}, {5, 9, 5, 960},
  };
  for (const Case& k : cases) {
    TStaffContext c;
    c.SetTimeSig(k.numerator, k.code);
    EXPECT_EQ(c.GetTimeSigNumerator(), k.wantNumerator) << k.numerator;
    EXPECT_EQ(c.GetBarTicks(), k.wantBarTicks) << k.numerator << "/" << k.code;
  }
}

TEST(StaffContext, VelocityRamp) {
  TStaffContext c;
  c.StartRamp(60, 100, 100);
  c.AdvanceTick(25);
  EXPECT_EQ(c.GetVelocity(), 70);
  EXPECT_EQ(c.GetRampRemaining(), 75);
  EXPECT_EQ(c.GetTick(), 25);
  c.AdvanceTick(1000);  // more than remains: the ramp ends on its target
  EXPECT_EQ(c.GetVelocity(), 100);
  EXPECT_EQ(c.GetRampRemaining(), 0);

  c.StartRamp(90, 40, 70000);
  EXPECT_EQ(c.GetRampRemaining(), 65534);
  c.StartRamp(50, 50, 300);
  EXPECT_EQ(c.GetRampRemaining(), 0);
  c.StartRamp(100, 30, 90);  // falling: truncation toward zero
  c.AdvanceTick(10);
  EXPECT_EQ(c.GetVelocity(), 93);
}

TEST(StaffContext, AdvanceWithoutRampLeavesVelocity) {
  TStaffContext c;
  c.SetVelocity(77);
  c.AdvanceRamp(0);
  c.AdvanceRamp(192);
  c.AdvanceTick(384);
  EXPECT_EQ(c.GetVelocity(), 77);
  c.StartRamp(77, 100, 192);
  c.StopRamp();
  c.AdvanceTick(96);
  EXPECT_EQ(c.GetVelocity(), 77);
}

TEST(StaffContext, WalkModesKeepTranspositionAtZero) {
  TStaffContext c;
  c.SetTranspose(3);
  EXPECT_EQ(c.GetTranspose(), 3);
  EXPECT_FALSE(c.IsWalking());
  c.SetAuditMode();
  EXPECT_EQ(c.GetTranspose(), 0);
  c.SetTranspose(3);
  EXPECT_EQ(c.GetTranspose(), 0);
  c.SetTransposeMode();
  EXPECT_EQ(c.GetWalkMode(), wmTranspose);
  EXPECT_TRUE(c.IsWalking());
}

TEST(StaffContext, GraceRunSlurAndStyle) {
  TStaffContext c;
  for (int i = 0; i < 17; ++i) c.IncGraceCount();
  EXPECT_EQ(c.GetGraceCount(), 1);  // 4 bits
  c.ClearGraceCount();
  EXPECT_EQ(c.GetGraceCount(), 0);
  c.BeginSlur(1);
  EXPECT_TRUE(c.InSlur());
  EXPECT_EQ(c.GetSlurDirection(), 1);
  c.EndSlur();
  EXPECT_FALSE(c.InSlur());
  c.SetPerformanceStyle(22);
  EXPECT_EQ(c.GetPerformanceStyle(), 22);
  c.SetPerformanceStyle(-3);
  EXPECT_EQ(c.GetPerformanceStyle(), -3);
}

TEST(StaffContext, RepeatPassesAndJumps) {
  TStaffContext c;
  c.IncLocalRepeatPass();
  c.IncLocalRepeatPass();
  EXPECT_EQ(c.GetRepeatPass(), 3);
  c.SetMasterRepeatPass(5);
  EXPECT_EQ(c.GetRepeatPass(), 5);
  c.SetJumpTaken();
  EXPECT_TRUE(c.IsAfterJump());
  EXPECT_TRUE(c.IsCodaPending());
  c.ClearCodaPending();
  EXPECT_TRUE(c.IsAfterJump());
  EXPECT_FALSE(c.IsCodaPending());
}

TEST(StaffPositionSet, EveryStoredPositionHasItsOwnBit) {
  TStaffContext c;
  TStaffPositionSet& set = c.TieSet(0);
  for (int p = kMinStaffPosition; p <= kMaxStaffPosition; ++p) {
    set.Add(p);
    for (int q : {kMinStaffPosition, -101, -100, -1, 0, 1, 123, 124, kMaxStaffPosition})
      EXPECT_EQ(set.Test(q), q == p) << p << " " << q;
    set.Remove(p);
    EXPECT_TRUE(set.IsEmpty());
  }
  EXPECT_TRUE(c.TieSet(1).IsEmpty());
  // Positions no signed byte holds still index inside the set.
  set.Add(-1000);
  set.Add(1000);
  EXPECT_FALSE(set.IsEmpty());
}

TEST(StaffContext, IsAPlainValue) {
  static_assert(std::is_trivially_copyable_v<TStaffContext>);
  TStaffContext a;
  a.SetKey(0, Bit(ltF));
  a.TieSet(1).Add(-4);
  a.AdvanceTick(192);
  TStaffContext b = a;
  a.Reset();
  EXPECT_TRUE(b.TieSet(1).Test(-4));
  EXPECT_EQ(b.GetTick(), 192);
  EXPECT_EQ(b.GetKeySignature(), 1);
}
