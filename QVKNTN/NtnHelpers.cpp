#include "QVKNTN/NtnHelpers.h"
#include <cstdio>
#include <cstring>

namespace {

// Letters count A = 0 .. G = 6; the indexes are semitones above A.

// Flat keys spell the black keys as the flat of the letter above (index 1 is B flat, 11 A flat).
constexpr int kFlatKeyLetters[12] = {0, 1, 1, 2, 3, 3, 4, 4, 5, 6, 6, 0};
// Other keys spell them as the sharp of the letter below.
constexpr int kSharpKeyLetters[12] = {0, 0, 1, 2, 2, 3, 3, 4, 5, 5, 6, 6};

constexpr char kNoteLetters[12] = {'C', 'C', 'D', 'D', 'E', 'F', 'F', 'G', 'G', 'A', 'A', 'B'};
constexpr bool kNoteSharp[12] = {false, true, false, true, false, false, true, false, true, false, true, false};

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

int NtnClefBasePosition(int clef) {
  switch (clef) {
    case clBass: return 17;
    case clAlto: return 23;
    case clTenor: return 21;
    default: return 29;
  }
}

int NtnDurationToTicks(int durationClass) {
  if (durationClass < 0 || durationClass > kShortestDurationCode) return 0;
  return kWholeNoteTicks >> durationClass;
}

int NtnCountToTicks(int count, int durationClass) {
  return count * NtnDurationToTicks(durationClass);
}

int NtnBeatTicks(int numerator, int denominatorCode, bool compound) {
  const int beat = NtnDurationToTicks(denominatorCode);
  if (compound && numerator >= 6 && numerator % 3 == 0) return 3 * beat;
  return beat;
}

void NtnPitchToStaffPosition(int clef, int keyCount, int midiKey, int& position, int& accidental) {
  // Octaves are counted from A; keys below A0 (0..8) lie in octave -2 of this count.
  const int s = midiKey - 9;
  int octave = FloorDiv(s, 12) - 1;
  const int index = s - 12 * FloorDiv(s, 12);
  int letter;
  if (keyCount < 0) {
    letter = kFlatKeyLetters[index];
    accidental = letter == kFlatKeyLetters[(index + 1) % 12] ? acFlat : acNatural;
    if (index == 11) ++octave;  // A flat belongs to the A above
    if (keyCount <= -6 && letter == ltB && accidental == acNatural) {
      letter = ltC;
      accidental = acFlat;
    } else if (keyCount <= -7 && letter == ltE && accidental == acNatural) {
      letter = ltF;
      accidental = acFlat;
    }
  } else {
    letter = kSharpKeyLetters[index];
    accidental = letter == kSharpKeyLetters[(index + 11) % 12] ? acSharp : acNatural;
    if (keyCount >= 6 && letter == ltF && accidental == acNatural) {
      letter = ltE;
      accidental = acSharp;
    } else if (keyCount >= 7 && letter == ltC && accidental == acNatural) {
      letter = ltB;
      accidental = acSharp;
    }
  }
  position = NtnClefBasePosition(clef) - (letter + 7 * octave);
}

void NtnMidiNoteName(char* buffer, std::size_t size, int midiKey) {
  if (!buffer || size == 0) return;
  buffer[0] = '\0';
  if (midiKey < 0 || midiKey > 127) return;
  const int i = midiKey % 12;
  std::snprintf(buffer, size, "%c%c%d", kNoteLetters[i], kNoteSharp[i] ? '#' : ' ', midiKey / 12);
}

void NtnMidiNoteNameList(char* buffer, std::size_t size) {
  if (!buffer || size == 0) return;
  std::size_t used = 0;
  for (int n = 0; n < 128; ++n) {
    char name[kNtnMidiNoteNameSize];
    NtnMidiNoteName(name, sizeof name, n);
    const std::size_t len = std::strlen(name) + 1;
    if (used + len >= size) break;  // keep room for the closing empty string
    std::memcpy(buffer + used, name, len);
    used += len;
  }
  buffer[used] = '\0';
}
