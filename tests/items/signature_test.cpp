// Clefs, key signatures (counting, letters, transposition), time signatures and bar lines.
#include <gtest/gtest.h>
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/KeySignatureCount.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/TimeSignatureData.h"

namespace {
constexpr uint16_t Bit(int letter) { return uint16_t(1u << letter); }

void SetSize(TKeyData& k, int size) {
  uint16_t flats, sharps;
  NtnKeyMasksFromSize(size, flats, sharps);
  k.SetMasks(flats, sharps);
}
}  // namespace

TEST(KeySignature, CountingStopsAtTheFirstMissingLetter) {
  EXPECT_EQ(CountKeySharps(Bit(ltF) | Bit(ltC) | Bit(ltG)), 3);
  EXPECT_EQ(CountKeySharps(Bit(ltF) | Bit(ltG)), 1);
  EXPECT_EQ(CountKeySharps(Bit(ltC)), 0);
  EXPECT_EQ(CountKeyFlats(Bit(ltB) | Bit(ltE) | Bit(ltA) | Bit(ltD)), 4);
  EXPECT_EQ(CountKeyFlats(0x7F), 7);
  EXPECT_EQ(NtnSignedKeySize(Bit(ltB) | Bit(ltE), Bit(ltF)), -2);
  EXPECT_EQ(NtnSignedKeySize(Bit(ltB), Bit(ltF) | Bit(ltC)), 2);
  for (int size = -7; size <= 7; ++size) {
    TKeyData k;
    SetSize(k, size);
    EXPECT_EQ(k.GetSignedSize(), size);
  }
}

TEST(KeySignature, LettersAreFlatOrSharpNeverBoth) {
  TKeyData k;
  k.SetLetterFlat(ltB);
  k.SetLetterSharp(ltB);
  EXPECT_EQ(k.GetFlatMask(), 0);
  EXPECT_EQ(k.GetSharpMask(), Bit(ltB));
  k.SetLetterFlat(ltB);
  EXPECT_EQ(k.GetSharpMask(), 0);
  k.ClearLetter(ltB);
  EXPECT_EQ(k.GetFlatMask(), 0);
  EXPECT_EQ(k.GetAuditClef(), clTreble);
  k.SetAuditClef(clTenor);
  EXPECT_EQ(k.GetAuditClef(), clTenor);

  TStaffContext c;
  SetSize(k, -3);
  k.UpdateContext(c);
  EXPECT_EQ(c.GetKeySignature(), -3);
  EXPECT_EQ(c.GetRunningAccidental(ltA), acFlat);
}

TEST(KeySignature, TransposeTable) {
  struct Case {
    int size, semitones, preference;
    int newSize, steps;
  } cases[] = {
      {0, 2, 0, 2, -1},    {0, 7, 0, 1, -4},    {0, -5, 0, 1, 3},    {1, 1, 0, -4, -1},
      {-1, 1, 0, -6, -1},   {-1, 1, 1, 6, 0},    {2, 9, 0, 5, -5},    {2, 9, -1, -7, -6},
      {0, 12, 0, 0, -7},   {0, -12, 0, 0, 7},   {0, 14, 0, 2, -8},   {-4, -3, 0, -1, 2},
      {-2, 1, 0, 5, 0},    {0, 1, 0, -5, -1},   {0, 1, 1, 7, 0},     {5, 0, 0, 5, 0},
      {7, -1, 0, 0, 0},    {-7, 0, 0, 5, 1},    {7, 0, 0, -5, -1},   {-6, 0, 1, 6, 1},
  };
  for (const Case& k : cases) {
    TKeyData key;
    SetSize(key, k.size);
    int steps = 99;
    EXPECT_EQ(key.Transpose(k.semitones, steps, k.preference, true), k.newSize)
        << k.size << " by " << k.semitones << " pref " << k.preference;
    EXPECT_EQ(steps, k.steps) << k.size << " by " << k.semitones;
    EXPECT_EQ(key.GetSignedSize(), k.size);  // a test changes nothing
    key.Transpose(k.semitones, steps, k.preference, false);
    EXPECT_EQ(key.GetSignedSize(), k.newSize);
  }
}

TEST(TimeSignature, BeatsCodesAndStyles) {
  struct Case {
    int beats, code, style;
    int wantBeats, wantCode;
    int32_t bar;
  } cases[] = {
      {3, 2, 0, 3, 2, 576},  {6, 3, 0, 6, 3, 576},  {0, 2, 0, 4, 2, 768},   {100, 2, 0, 4, 2, 768},
      {5, 6, 0, 5, 2, 960},  {3, 1, 1, 4, 2, 768},  {3, 3, 2, 2, 1, 768},   {99, 0, 0, 99, 0, 76032},
      {32, 3, 0, 32, 3, 3072},
  };
  for (const Case& k : cases) {
    TTimeSignatureData t(k.beats, k.code, k.style);
    EXPECT_EQ(t.GetBeats(), k.wantBeats) << k.beats << "/" << k.code;
    EXPECT_EQ(t.GetBeatCode(), k.wantCode);
    EXPECT_EQ(t.GetStyle(), k.style);
    EXPECT_EQ(t.GetBarTicks(), k.bar);
    TStaffContext c;
    t.UpdateContext(c);
    EXPECT_EQ(c.GetBarTicks(), k.bar);
  }
  TTimeSignatureData zero;
  zero.SetBeats(0);
  EXPECT_EQ(zero.GetBeats(), 4);
}

TEST(BarLine, RepeatCountsAndSections) {
  struct Case {
    int style, count, wantCount;
    bool closes, opens;
  } cases[] = {
      {TBarLineData::blSingle, 3, 1, false, false},           {TBarLineData::blLocalRepeatClose, 3, 3, true, false},
      {TBarLineData::blLocalRepeatClose, 1, 2, true, false},  {TBarLineData::blLocalRepeatClose, 0, 2, true, false},
      {TBarLineData::blLocalRepeatOpen, 5, 1, false, true},   {TBarLineData::blSectionOpen, 0, 1, false, true},
      {TBarLineData::blSectionClose, 0, 1, true, false},      {TBarLineData::blMasterRepeatOpen, 0, 1, false, true},
      {TBarLineData::blMasterRepeatClose, 4, 1, true, false},
  };
  for (const Case& k : cases) {
    TBarLineData b(k.style, k.count);
    EXPECT_EQ(b.GetStyle(), k.style);
    EXPECT_EQ(b.GetRepeatCount(), k.wantCount) << k.style << " " << k.count;
    EXPECT_EQ(b.ClosesSection(), k.closes);
    EXPECT_EQ(b.OpensSection(), k.opens);
  }
  TBarLineData b;
  b.SetSystemBreak(true);
  b.SetLayoutFlag(true);
  b.SetStyle(TBarLineData::blDouble);
  EXPECT_TRUE(b.HasSystemBreak());
  EXPECT_TRUE(b.GetLayoutFlag());
  EXPECT_EQ(b.GetStyleByte(), 0xC1);
}

TEST(BarLine, ResetsAccidentalsAndCountsPasses) {
  TStaffContext c;
  c.SetKey(Bit(ltB), 0);
  c.ApplyAccidental(ltB, acNatural);
  c.ApplyAccidental(ltC, acSharp);
  TBarLineData().UpdateContext(c);
  EXPECT_EQ(c.GetRunningAccidental(ltB), acFlat);
  EXPECT_EQ(c.GetRunningAccidental(ltC), acNatural);

  c.SetMasterRepeatCount(8);
  TBarLineData(TBarLineData::blMasterRepeatOpen).UpdateContext(c);
  EXPECT_EQ(c.GetMasterRepeatPass(), 1);
  EXPECT_EQ(c.GetMasterRepeatCount(), 2);
  TBarLineData(TBarLineData::blMasterRepeatClose).UpdateContext(c);
  EXPECT_EQ(c.GetMasterRepeatPass(), 2);
  TBarLineData(TBarLineData::blSectionClose).UpdateContext(c);
  EXPECT_EQ(c.GetMasterRepeatPass(), 1);
  TBarLineData(TBarLineData::blLocalRepeatClose).UpdateContext(c);
  EXPECT_EQ(c.GetLocalRepeatPass(), 2);
  TBarLineData(TBarLineData::blLocalRepeatOpen).UpdateContext(c);
  EXPECT_EQ(c.GetLocalRepeatPass(), 1);
}

TEST(Clef, SetsClefAndShift) {
  TStaffContext c;
  TClefData(clBass, osOctaveDown).UpdateContext(c);
  EXPECT_EQ(c.GetClef(), clBass);
  EXPECT_EQ(c.GetOctaveShift(), osOctaveDown);
  TClefData odd(9, 7);
  EXPECT_EQ(odd.GetClef(), clTreble);
  odd.UpdateContext(c);
  EXPECT_EQ(c.GetOctaveShift(), osNone);
  EXPECT_EQ(odd.GetLowPosition(), -6);
  EXPECT_EQ(odd.GetHighPosition(), 6);
}
