#include "QVKNTN/NotePitch.h"
#include "QVKNTN/NotationTypes.h"

namespace {
// Semitones of the natural letters above A.
constexpr int kLetterSemitone[7] = {0, 2, 3, 5, 7, 8, 10};
}  // namespace

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
