#include "QVKNTN/NotePitch.h"
#include "QVKNTN/NotationTypes.h"

namespace {
// Semitones of the natural letters above A.
constexpr int kLetterSemitone[7] = {0, 2, 3, 5, 7, 8, 10};

// Letters of the twelve semitones above A, spelled with flats and with sharps.
constexpr int kFlatSpelling[12] = {ltA, ltB, ltB, ltC, ltD, ltD, ltE, ltE, ltF, ltG, ltG, ltA};
constexpr int kSharpSpelling[12] = {ltA, ltA, ltB, ltC, ltC, ltD, ltD, ltE, ltF, ltF, ltG, ltG};

int FloorDiv(int a, int b) { return (a - NtnMod(a, b)) / b; }
}  // namespace

int NtnClefBasePosition(int clef) {
  switch (clef) {
    case clBass: return 17;
    case clAlto: return 23;
    case clTenor: return 21;
    default: return 29;
  }
}

int NtnLetterAtPosition(int clef, int position) {
  return NtnMod(NtnClefBasePosition(clef) - position + 56, 7);
}

int NtnNaturalPitchAtPosition(int clef, int octaveShift, int position) {
  const int base = NtnClefBasePosition(clef);
  const int span = octaveShift == osOctaveUp ? 63 : (octaveShift == osOctaveDown ? 49 : 56);
  const int octave = (base + span - position) / 7 - 8;
  const int letter = NtnLetterAtPosition(clef, position);
  return kLetterSemitone[letter] + 12 * octave + 21;
}

int NtnFoldPitch(int x) {
  if (x < 0) return 12 - NtnMod(-x, 12);
  if (x >= 128) return (x - 115) % 12 + 115;
  return x;
}

void NtnPitchToStaffPosition(int clef, int keyCount, int m, int& position, int& accidental) {
  // Counted from the A below, with a floor division so that keys 0..8 land in their own octave.
  const int s = m - 9;
  int octave = FloorDiv(s, 12);
  const int index = NtnMod(s, 12);
  int letter;
  accidental = acNatural;
  if (keyCount < 0) {
    letter = kFlatSpelling[index];
    if (letter == kFlatSpelling[(index + 1) % 12]) accidental = acFlat;
    if (index == 11) ++octave;  // A flat belongs to the next A's octave
    if (keyCount <= -6 && letter == ltB && accidental == acNatural) {
      letter = ltC;
      accidental = acFlat;
    }
    if (keyCount <= -7 && letter == ltE && accidental == acNatural) {
      letter = ltF;
      accidental = acFlat;
    }
  } else {
    letter = kSharpSpelling[index];
    if (index > 0 && letter == kSharpSpelling[index - 1]) accidental = acSharp;
    if (keyCount >= 6 && letter == ltF && accidental == acNatural) {
      letter = ltE;
      accidental = acSharp;
    }
    if (keyCount >= 7 && letter == ltC && accidental == acNatural) {
      letter = ltB;
      accidental = acSharp;
    }
  }
  // The letter count runs from the A an octave below the anchoring A of the clef.
  position = NtnClefBasePosition(clef) - (letter + 7 * (octave - 1));
}
