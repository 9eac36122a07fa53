// The earlier line's key transposition: the tonic from the count of sharps or flats, moved by the
// semitones, and the one key the earlier line writes for each tonic.
#include <bitset>

#include "QVKNTN/KeyData.h"
#include "QVKNTN/KeySignatureCount.h"

namespace {

constexpr int kSemitones = 12;
constexpr int kMostAccidentals = 7;
// Tonic (semitones above C) of the keys of 0 to 7 sharps, and of 0 to 7 flats.
constexpr int kSharpKeyTonic[kMostAccidentals + 1] = {0, 7, 2, 9, 4, 11, 6, 1};
constexpr int kFlatKeyTonic[kMostAccidentals + 1] = {0, 5, 10, 3, 8, 1, 6, 11};
// The key of each tonic: sharps positive, flats negative (C, C sharp, D, E flat, E, F, F sharp,
// G, A flat, A, B flat, B).
constexpr int kKeyOfTonic[kSemitones] = {0, 7, 2, -3, 4, -1, 6, 1, -4, 3, -2, 5};

int Count(uint16_t mask) {
  const int n = static_cast<int>(std::bitset<16>(mask).count());
  return n > kMostAccidentals ? kMostAccidentals : n;
}

}  // namespace

void TKeyData::Transpose(int semitones) {
  if (semitones == 0 || (fFlats && fSharps)) return;
  const int tonic = fFlats ? kFlatKeyTonic[Count(fFlats)] : kSharpKeyTonic[Count(fSharps)];
  const int moved = ((tonic + semitones) % kSemitones + kSemitones) % kSemitones;
  fFlats = fSharps = 0;
  NtnKeyMasksFromSize(kKeyOfTonic[moved], fFlats, fSharps);
}
