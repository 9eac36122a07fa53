#include "QVKNTN/KeySignatureCount.h"
#include "QVKNTN/NotationTypes.h"

namespace {
constexpr int kSharpOrder[7] = {ltF, ltC, ltG, ltD, ltA, ltE, ltB};
constexpr int kFlatOrder[7] = {ltB, ltE, ltA, ltD, ltG, ltC, ltF};

int CountAlong(const int (&order)[7], uint16_t mask) {
  int n = 0;
  while (n < 7 && (mask >> order[n]) & 1) ++n;
  return n;
}

uint16_t MaskAlong(const int (&order)[7], int n) {
  uint16_t mask = 0;
  for (int i = 0; i < n && i < 7; ++i) mask = uint16_t(mask | (1u << order[i]));
  return mask;
}
}  // namespace

int CountKeySharps(uint16_t sharpMask) { return CountAlong(kSharpOrder, sharpMask); }
int CountKeyFlats(uint16_t flatMask) { return CountAlong(kFlatOrder, flatMask); }

int NtnSignedKeySize(uint16_t flatMask, uint16_t sharpMask) {
  const int sharps = CountKeySharps(sharpMask);
  const int flats = CountKeyFlats(flatMask);
  return flats > sharps ? -flats : sharps;
}

void NtnKeyMasksFromSize(int size, uint16_t& flatMask, uint16_t& sharpMask) {
  flatMask = size < 0 ? MaskAlong(kFlatOrder, -size) : 0;
  sharpMask = size > 0 ? MaskAlong(kSharpOrder, size) : 0;
}
