// Tick, duration, pitch-spelling and note-name helpers, checked against hand-worked music.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "QVKNTN/NtnHelpers.h"
#include "QVKNTN/NtnPrecondition.h"

TEST(NtnTicks, DurationClassesAndCounts) {
  const int expected[] = {768, 384, 192, 96, 48, 24, 12};
  for (int c = 0; c <= 6; ++c) EXPECT_EQ(NtnDurationToTicks(c), expected[c]) << c;
  EXPECT_EQ(NtnDurationToTicks(-1), 0);
  EXPECT_EQ(NtnDurationToTicks(7), 0);
  EXPECT_EQ(NtnCountToTicks(3, 2), 576);
  EXPECT_EQ(NtnCountToTicks(3, 9), 0);
}

TEST(NtnTicks, BeatTicksSimpleAndCompound) {
  struct Case { int num, code; bool compound; int ticks; } cases[] = {
      {4, 2, false, 192}, {6, 3, false, 96}, {6, 3, true, 288}, {9, 3, true, 288},
      {3, 3, true, 96},   // 3/8 is not compound: fewer than 6 beats
      {4, 3, true, 96},   // not a multiple of 3
      {2, 1, true, 384},  {0, 2, false, 192},
  };
  for (const Case& c : cases) EXPECT_EQ(NtnBeatTicks(c.num, c.code, c.compound), c.ticks) << c.num << "/" << c.code;
}

TEST(NtnPitch, ClefBasePositions) {
  EXPECT_EQ(NtnClefBasePosition(clTreble), 29);
  EXPECT_EQ(NtnClefBasePosition(clBass), 17);
  EXPECT_EQ(NtnClefBasePosition(clAlto), 23);
  EXPECT_EQ(NtnClefBasePosition(clTenor), 21);
  EXPECT_EQ(NtnClefBasePosition(42), 29);
}

TEST(NtnPitch, SpellingByKeyTable) {
  struct Case { int clef, key, midi, position, accidental; } cases[] = {
      {clTreble, 0, 71, 0, acNatural},    // B4 on the middle line
      {clTreble, 0, 60, 6, acNatural},    // middle C, one leger line below
      {clBass, 0, 57, -4, acNatural},     // A3 on the bass staff's top line
      {clAlto, 0, 60, 0, acNatural},      // alto clef: middle C on the middle line
      {clTreble, -1, 70, 0, acFlat},      // B flat, not A natural
      {clTreble, 1, 70, 1, acSharp},      // A sharp
      {clTreble, -2, 61, 5, acFlat},      // D flat
      {clTreble, -3, 63, 4, acFlat},      // E flat
      {clTreble, -4, 66, 2, acFlat},      // G flat
      {clTreble, -4, 68, 1, acFlat},      // A flat counts in the octave above G
      {clTreble, 2, 68, 2, acSharp},      // G sharp
      {clTreble, -6, 71, -1, acFlat},     // six flats: B becomes C flat
      {clTreble, -5, 71, 0, acNatural},   // five flats keep B natural
      {clTreble, -7, 64, 3, acFlat},      // seven flats: E becomes F flat
      {clTreble, -6, 64, 4, acNatural},   // six flats keep E natural
      {clTreble, 6, 65, 4, acSharp},      // six sharps: F becomes E sharp
      {clTreble, 7, 72, 0, acSharp},      // seven sharps: C becomes B sharp
      {clTreble, 6, 72, -1, acNatural},   // six sharps keep C natural
  };
  for (const Case& c : cases) {
    int position = 99, accidental = 99;
    NtnPitchToStaffPosition(c.clef, c.key, c.midi, position, accidental);
    EXPECT_EQ(position, c.position) << "midi " << c.midi << " key " << c.key;
    EXPECT_EQ(accidental, c.accidental) << "midi " << c.midi << " key " << c.key;
  }
}

// Keys 0-8 lie below the first A-based octave; they must land exactly one octave (7 positions)
// below the same letter twelve keys higher, like every other key.
TEST(NtnPitch, LowestKeysKeepTheOctaveStep) {
  for (int key : {-7, -1, 0, 1, 7}) {
    for (int m = 0; m <= 20; ++m) {
      int p0, a0, p12, a12;
      NtnPitchToStaffPosition(clBass, key, m, p0, a0);
      NtnPitchToStaffPosition(clBass, key, m + 12, p12, a12);
      EXPECT_EQ(p0, p12 + 7) << "midi " << m << " key " << key;
      EXPECT_EQ(a0, a12) << "midi " << m << " key " << key;
    }
  }
  int position, accidental;
  NtnPitchToStaffPosition(clTreble, 0, 0, position, accidental);  // C-1
  EXPECT_EQ(position, 6 + 35);  // five octaves below middle C
  EXPECT_EQ(accidental, acNatural);
}

TEST(NtnNames, SingleNames) {
  struct Case { int midi; const char* name; } cases[] = {
      {60, "C 5"}, {61, "C#5"}, {0, "C 0"}, {11, "B 0"}, {127, "G 10"}, {126, "F#10"}, {-1, ""}, {128, ""},
  };
  for (const Case& c : cases) {
    char buffer[kNtnMidiNoteNameSize];
    NtnMidiNoteName(buffer, sizeof buffer, c.midi);
    EXPECT_STREQ(buffer, c.name) << c.midi;
  }
  char tiny[2];
  NtnMidiNoteName(tiny, sizeof tiny, 61);
  EXPECT_STREQ(tiny, "C");
}

TEST(NtnNames, ListHoldsAll128AndEndsEmpty) {
  char list[kNtnMidiNoteNameListSize];
  std::memset(list, 'x', sizeof list);
  NtnMidiNoteNameList(list, sizeof list);
  const char* p = list;
  int count = 0;
  while (*p) {
    char expected[kNtnMidiNoteNameSize];
    NtnMidiNoteName(expected, sizeof expected, count);
    EXPECT_STREQ(p, expected);
    p += std::strlen(p) + 1;
    ++count;
  }
  EXPECT_EQ(count, 128);
  EXPECT_EQ(p - list + 1, static_cast<long>(sizeof list));

  char shortList[20];
  NtnMidiNoteNameList(shortList, sizeof shortList);  // bounded: stops early, still ends empty
  int shortCount = 0;
  for (const char* q = shortList; *q; q += std::strlen(q) + 1) ++shortCount;
  EXPECT_EQ(shortCount, 4);
}

TEST(NtnPrecondition, CarriesTextSourceAndLine) {
  try {
    NtnPreconditionFailed("Bad Notation", "QVKNTN\\STAFFUTL", 290);
    FAIL() << "no failure raised";
  } catch (const TNtnPreconditionFailure& failure) {
    EXPECT_STREQ(failure.GetText(), "Bad Notation");
    EXPECT_STREQ(failure.GetSource(), "QVKNTN\\STAFFUTL");
    EXPECT_EQ(failure.GetLine(), 290);
    EXPECT_NE(std::string(failure.what()).find("Bad Notation"), std::string::npos);
  }
}
