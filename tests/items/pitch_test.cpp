// Sounding pitch from position, clef, octave shift, accidentals and transposition; respelling,
// spelling in a key and transposing a head.
#include <gtest/gtest.h>
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/StaffContext.h"

namespace {
constexpr uint16_t Bit(int letter) { return uint16_t(1u << letter); }
}

TEST(NotePitch, PitchTable) {
  struct Case {
    int clef, shift, position, accidental;
    uint16_t keySharps, keyFlats;
    int transpose;
    int pitch;
  } cases[] = {
      {clTreble, osNone, 0, acNone, 0, 0, 0, 71},              // B4 on the middle line
      {clTreble, osNone, 6, acNone, 0, 0, 0, 60},              // middle C below the staff
      {clTreble, osNone, -6, acNone, 0, 0, 0, 81},
      {clTreble, osNone, 2, acSharp, 0, 0, 0, 68},             // G sharp
      {clTreble, osNone, 2, acFlat, 0, 0, 0, 66},
      {clTreble, osNone, 2, acDoubleSharp, 0, 0, 0, 69},
      {clTreble, osNone, 2, acDoubleFlat, 0, 0, 0, 65},
      {clTreble, osNone, -1, acNone, Bit(ltC) | Bit(ltF), 0, 0, 73},  // C sharp from the key
      {clTreble, osNone, -1, acNatural, Bit(ltC), 0, 0, 72},
      {clTreble, osNone, 0, acNone, 0, Bit(ltB), 0, 70},
      {clBass, osNone, 0, acNone, 0, 0, 0, 50},               // D3
      {clBass, osNone, -6, acNone, 0, 0, 0, 60},
      {clAlto, osNone, 0, acNone, 0, 0, 0, 60},
      {clTenor, osNone, 0, acNone, 0, 0, 0, 57},
      {clTreble, osOctaveUp, 0, acNone, 0, 0, 0, 83},
      {clTreble, osOctaveDown, 0, acNone, 0, 0, 0, 59},
      {clTreble, osNone, 0, acNone, 0, 0, -2, 69},
      {clTreble, osNone, 0, acNone, 0, 0, 12, 83},
      {clTreble, osNone, -127, acNone, 0, 0, 0, 120},         // folded into the top octave
      {clBass, osNone, 127, acNone, 0, 0, 0, 12},              // folded into the lowest octave
  };
  for (const Case& k : cases) {
    TStaffContext c;
    c.SetClef(k.clef, k.shift);
    c.SetKey(k.keyFlats, k.keySharps);
    c.SetTranspose(k.transpose);
    TMusicNote n(k.position, 2, k.accidental);
    EXPECT_EQ(n.GetPitch(c), k.pitch) << "clef " << k.clef << " shift " << k.shift << " position " << k.position;
    EXPECT_GE(n.GetPitch(c), 0);
    EXPECT_LE(n.GetPitch(c), 127);
  }
}

TEST(NotePitch, RunningAccidentalsLastTheBarAndTheBarLineResetsThem) {
  TStaffContext c;
  TMusicNote sharpF(-4, 2, acSharp);  // F sharp on the top line
  TMusicNote plainF(-4);
  EXPECT_EQ(plainF.GetPitch(c), 77);
  sharpF.UpdateContext(c);
  EXPECT_EQ(plainF.GetPitch(c), 78);
  c.ResetAccidentals();
  EXPECT_EQ(plainF.GetPitch(c), 77);
}

TEST(NotePitch, RespellTable) {
  struct Case {
    int position, accidental, direction;
    bool done;
    int newPosition, newAccidental;
  } cases[] = {
      {0, acNatural, 1, true, -1, acFlat},            // B natural -> C flat
      {-1, acDoubleSharp, 1, true, -2, acNatural},    // C double sharp -> D natural
      {-2, acFlat, 1, false, -2, acFlat},             // D flat has no spelling above
      {-1, acNatural, -1, true, 0, acSharp},          // C natural -> B sharp
      {-2, acNatural, -1, true, -1, acDoubleSharp},   // D natural -> C double sharp
      {3, acSharp, 1, true, 2, acFlat},               // E sharp... a fourth space E: E# -> F
      {-2, acSharp, 1, true, -3, acFlat},             // D sharp -> E flat
      {1, acNone, 1, false, 1, acNone},               // nothing written: nothing to respell
  };
  for (const Case& k : cases) {
    TStaffContext c;
    TMusicNote n(k.position, 2, k.accidental);
    const int before = n.GetPitch(c);
    EXPECT_EQ(n.RespellAccidental(c, k.direction), k.done) << k.position << "/" << k.accidental;
    EXPECT_EQ(n.GetPosition(), k.newPosition);
    EXPECT_EQ(n.GetAccidental(), k.newAccidental);
    EXPECT_EQ(n.GetPitch(c), before);
  }
}

TEST(NotePitch, RespellForKeyAndResolveAccidentals) {
  TStaffContext c;
  c.SetKey(Bit(ltB) | Bit(ltE), 0);
  TMusicNote n(-1, 2, acDoubleFlat);  // C double flat = B flat
  n.RespellForKey(c);
  EXPECT_EQ(n.GetPosition(), 0);
  EXPECT_EQ(n.GetAccidental(), acFlat);

  c.SetClef(clTreble, osOctaveUp);
  TMusicNote up(0, 2, acFlat);
  const int pitch = up.GetPitch(c);
  up.RespellForKey(c);
  EXPECT_EQ(up.GetPosition(), 0);
  EXPECT_EQ(up.GetPitch(c), pitch);

  c.SetClef(clTreble, osNone);
  TMusicNote b(0);
  b.ResolveAccidental(c, true);
  EXPECT_EQ(b.GetAccidental(), acFlat);
  b.ResolveAccidental(c, false);
  EXPECT_EQ(b.GetAccidental(), acNone);
  TMusicNote natural(0, 2, acNatural);
  natural.ResolveAccidental(c, false);
  EXPECT_EQ(natural.GetAccidental(), acNatural);
}

TEST(NotePitch, TransposeHead) {
  struct Case {
    int position, accidental, semitones, steps;
    bool found;
    int newPosition, newAccidental;
  } cases[] = {
      {0, acNatural, 2, -1, true, -1, acSharp},     // B up a major second: C sharp
      {0, acNatural, 1, -1, true, -1, acNatural},   // B up a minor second: C
      {6, acNatural, 7, -4, true, 2, acNatural},    // C up a fifth: G
      {6, acNatural, -12, 7, true, 13, acNatural},  // C down an octave
      {6, acNatural, 6, -1, false, 3, acSharp},     // C + 6 semitones cannot be a D: F sharp in C
  };
  for (const Case& k : cases) {
    TStaffContext c;
    TMusicNote n(k.position, 2, k.accidental);
    const int target = n.GetPitch(c) + k.semitones;
    EXPECT_EQ(n.TransposeBy(c, k.semitones, k.steps, true), k.found);
    EXPECT_EQ(n.GetPosition(), k.position);  // a test changes nothing
    EXPECT_EQ(n.GetAccidental(), k.accidental);
    EXPECT_EQ(n.TransposeBy(c, k.semitones, k.steps, false), k.found);
    EXPECT_EQ(n.GetPosition(), k.newPosition) << k.position << " by " << k.semitones;
    EXPECT_EQ(n.GetAccidental(), k.newAccidental);
    EXPECT_EQ(n.GetPitch(c), target);
  }
}

TEST(NotePitch, AccidentalSpace) {
  struct Case {
    int accidental, extra, space;
  } cases[] = {{acNone, 0, 0}, {acNone, 3, 3}, {acSharp, 0, 1}, {acFlat, 1, 2},
               {acNatural, 0, 1}, {acDoubleFlat, 0, 2}, {acDoubleSharp, 2, 2}};
  for (const Case& k : cases) {
    TMusicNote n(0, 2, k.accidental);
    n.SetExtraAccidentalSpace(k.extra);
    EXPECT_EQ(n.GetAccidentalSpace(), k.space) << k.accidental;
  }
}
