#include "QVKNTN/StaffPositionSet.h"
#include "QVKNTN/NotationTypes.h"

int TStaffPositionSet::BitIndex(int position) {
  // Positions outside the signed-byte range cannot be stored; fold them in rather than index out.
  return NtnMod(position - kMinStaffPosition, kBytes * 8);
}

bool TStaffPositionSet::Test(int position) const {
  const int bit = BitIndex(position);
  return (fBits[bit / 8] >> (bit % 8)) & 1;
}

void TStaffPositionSet::Add(int position) {
  const int bit = BitIndex(position);
  fBits[bit / 8] = uint8_t(fBits[bit / 8] | (1u << (bit % 8)));
}

void TStaffPositionSet::Remove(int position) {
  const int bit = BitIndex(position);
  fBits[bit / 8] = uint8_t(fBits[bit / 8] & ~(1u << (bit % 8)));
}

bool TStaffPositionSet::IsEmpty() const {
  for (uint8_t b : fBits)
    if (b) return false;
  return true;
}
