// Numbers every notation item and walk agrees on: item type codes, the time base, accidental
// codes and the song-note attribute bits. These values are stored in score files and undo records.
#pragma once
#include <cstdint>

// The 16-bit type code of each item kind; the score file, the clipboard and undo records use it.
enum TNtnType : int16_t {
  ntClef = 0,
  ntKey = 1,
  ntBarLine = 2,
  ntSpecialEnding = 3,
  ntPatch = 4,
  ntTimeSignature = 5,
  ntTempo = 6,
  ntDynamicLevel = 7,
  ntNote = 8,
  ntRest = 9,
  ntChord = 10,
  ntSustainPedal = 11,
  ntFlowDirection = 12,
  ntGenericControl = 13,
  ntTempoVariance = 14,
  ntDynamicVariance = 15,
  ntPerformanceStyle = 16,
  ntTextExpression = 17,
  ntRestChord = 18,
};
constexpr int kNtnTypeCount = 19;

// 192 ticks to the quarter note; duration code c (0 whole .. 6 sixty-fourth) lasts 768 >> c.
constexpr int kTicksPerQuarter = 192;
constexpr int kWholeNoteTicks = 768;
constexpr int kShortestDurationCode = 6;

// Letters A = 0 .. G = 6; a letter mask has bit n for letter n.
enum TNtnLetter { ltA = 0, ltB, ltC, ltD, ltE, ltF, ltG };

// Accidental codes of a note head and of the running accidentals.
enum TNtnAccidental {
  acSharp = 0,
  acFlat = 1,
  acNatural = 2,
  acDoubleSharp = 3,
  acDoubleFlat = 4,
  acNone = 5,  // taken from the staff context
};

// Attribute bits of a song note's attribute word.
enum TNtnAttribute {
  naAccent = 0,
  naDotted = 1,
  naStaccato = 2,
  naTieOut = 3,        // tied to the next note
  naTieIn = 4,         // tied from the previous note
  naChordMember = 5,
  naRestChordStem = 6, // stem part of a rest chord
  naSlurOut = 7,       // slur to the next note
  naSlurIn = 8,        // slur from the previous note
  naTenuto = 9,
  naAttribute10 = 10,
  naAttribute11 = 11,
  naDoubleDotted = 12,
  naGrace = 13,
  naTieDirGiven = 14,
  naSlurDirGiven = 15,
};

// Stem codes of a song note.
enum TNtnStem { stAuto = 0, stUp = 1, stDown = 2 };

// Clef types and octave shifts.
enum TNtnClef { clTreble = 0, clBass = 1, clAlto = 2, clTenor = 3 };
enum TNtnOctaveShift { osNone = 0, osOctaveUp = 1, osOctaveDown = 2 };

// Walk modes of a staff context: playback follows repeats, audit and transposition never do.
enum TNtnWalkMode { wmPlay = 0, wmAudit = 1, wmTranspose = 2 };

// Staff positions are stored in a signed byte.
constexpr int kMinStaffPosition = -128;
constexpr int kMaxStaffPosition = 127;

inline int NtnClampPosition(int p) {
  return p < kMinStaffPosition ? kMinStaffPosition : (p > kMaxStaffPosition ? kMaxStaffPosition : p);
}

// Floor modulo: never negative for a positive divisor.
inline int NtnMod(int a, int m) {
  const int r = a % m;
  return r < 0 ? r + m : r;
}
