// Counting a key signature's sharps and flats from its letter masks.
#pragma once
#include <cstdint>

// Sharps counted along F C G D A E B, stopping at the first letter missing.
int CountKeySharps(uint16_t sharpMask);
// Flats counted along B E A D G C F, stopping at the first letter missing.
int CountKeyFlats(uint16_t flatMask);
// Signed key size: the sharp count, or minus the flat count when that is larger.
int NtnSignedKeySize(uint16_t flatMask, uint16_t sharpMask);
// The letter mask of the first n sharps (n > 0) or flats (n < 0) of the circle of fifths.
void NtnKeyMasksFromSize(int size, uint16_t& flatMask, uint16_t& sharpMask);
