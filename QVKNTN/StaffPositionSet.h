// A set of staff positions, one bit per position: the open ties of a staff walk.
#pragma once
#include <cstdint>
#include <cstring>
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/NotationTypes.h"

class TStaffPositionSet {
 public:
  // One bit for every position a signed byte can hold, so no two stored positions share a bit and
  // no position indexes outside the set.
  static constexpr int kBytes = 32;

  TStaffPositionSet() { Clear(); }
  void Clear() { std::memset(fBits, 0, sizeof fBits); }
  // The earlier line tracks positions -48 to 47 only; outside them nothing is set or found.
  static constexpr int kEarlierLowest = -48;
  static constexpr int kEarlierBits = 96;
  static bool Tracked(int position) {
    return !kEarlierLine || (position >= kEarlierLowest && position < kEarlierLowest + kEarlierBits);
  }

  bool Test(int position) const {
    if (!Tracked(position)) return false;
    const int bit = BitIndex(position);
    return (fBits[bit / 8] >> (bit % 8)) & 1;
  }
  void Add(int position);
  void Remove(int position);
  bool IsEmpty() const;
  bool operator==(const TStaffPositionSet& other) const { return std::memcmp(fBits, other.fBits, sizeof fBits) == 0; }

 private:
  // Positions outside the signed-byte range cannot be stored; fold them in rather than index out.
  static int BitIndex(int position) { return NtnMod(position - kMinStaffPosition, kBytes * 8); }
  uint8_t fBits[kBytes];
};
