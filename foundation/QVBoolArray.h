// A fixed-length array of bits, packed eight to a byte (bit i is bit i mod 8 of byte i / 8).
#pragma once

#include <cstdint>
#include <vector>

class TQVBoolArray {
 public:
  explicit TQVBoolArray(int bitCount);

  int GetCount() const { return Count; }
  // Indexes outside the array read as false and are not written.
  bool GetBit(int i) const;
  void SetBit(int i, bool value);
  void SetAll(bool value);
  int CountBits(bool value) const;
  int FirstSet() const;
  int LastSet() const;
  // Bits index..count-2 move up one place (the last bit is lost); bit index takes the value.
  void InsertBit(int index, bool value);
  // Bits index+1..count-1 move down one place; the last bit keeps its value unless removed.
  void RemoveBit(int index);
  bool IsEqual(const TQVBoolArray& other) const;
  // Copies the bytes both arrays have; this array keeps its bit count.
  void Assign(const TQVBoolArray& other);

  const std::vector<uint8_t>& GetBytes() const { return Bytes; }

 private:
  void ClearPadding();

  int Count;
  std::vector<uint8_t> Bytes;
};
