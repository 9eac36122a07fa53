#include "QVKNTN/StaffPositionSet.h"
#include "QVKNTN/NotationTypes.h"

void TStaffPositionSet::Add(int position) {
  if (!Tracked(position)) return;
  const int bit = BitIndex(position);
  fBits[bit / 8] = uint8_t(fBits[bit / 8] | (1u << (bit % 8)));
}

void TStaffPositionSet::Remove(int position) {
  if (!Tracked(position)) return;
  const int bit = BitIndex(position);
  fBits[bit / 8] = uint8_t(fBits[bit / 8] & ~(1u << (bit % 8)));
}

bool TStaffPositionSet::IsEmpty() const {
  for (uint8_t b : fBits)
    if (b) return false;
  return true;
}
