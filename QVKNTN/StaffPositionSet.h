// A set of staff positions, one bit per position: the open ties of a staff walk.
#pragma once
#include <cstdint>
#include <cstring>

class TStaffPositionSet {
 public:
  // One bit for every position a signed byte can hold, so no two stored positions share a bit and
  // no position indexes outside the set.
  static constexpr int kBytes = 32;

  TStaffPositionSet() { Clear(); }
  void Clear() { std::memset(fBits, 0, sizeof fBits); }
  bool Test(int position) const;
  void Add(int position);
  void Remove(int position);
  bool IsEmpty() const;

 private:
  static int BitIndex(int position);
  uint8_t fBits[kBytes];
};
