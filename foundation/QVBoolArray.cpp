#include "foundation/QVBoolArray.h"

#include <algorithm>
#include <cstring>

static size_t ByteCountFor(int bits) {
  const size_t b = static_cast<size_t>(bits) / 8 + 1;
  return b + b % 4;
}

TQVBoolArray::TQVBoolArray(int bitCount) : Count(bitCount < 0 ? 0 : bitCount), Bytes(ByteCountFor(Count), 0) {}

bool TQVBoolArray::GetBit(int i) const {
  if (i < 0 || i >= Count) return false;
  return (Bytes[i / 8] >> (i % 8)) & 1;
}

void TQVBoolArray::SetBit(int i, bool value) {
  if (i < 0 || i >= Count) return;
  const uint8_t mask = static_cast<uint8_t>(1u << (i % 8));
  if (value)
    Bytes[i / 8] |= mask;
  else
    Bytes[i / 8] &= static_cast<uint8_t>(~mask);
}

// Bits past the count stay clear, so byte-wise comparison and copying see only real bits.
void TQVBoolArray::ClearPadding() {
  for (size_t byte = static_cast<size_t>(Count) / 8; byte < Bytes.size(); ++byte) {
    const int firstBit = static_cast<int>(byte * 8);
    if (firstBit >= Count) {
      Bytes[byte] = 0;
    } else {
      Bytes[byte] &= static_cast<uint8_t>((1u << (Count - firstBit)) - 1);
    }
  }
}

void TQVBoolArray::SetAll(bool value) {
  std::fill(Bytes.begin(), Bytes.end(), value ? 0xFF : 0x00);
  ClearPadding();
}

int TQVBoolArray::CountBits(bool value) const {
  int n = 0;
  for (int i = 0; i < Count; ++i) n += GetBit(i) == value;
  return n;
}

int TQVBoolArray::FirstSet() const {
  for (int i = 0; i < Count; ++i)
    if (GetBit(i)) return i;
  return -1;
}

int TQVBoolArray::LastSet() const {
  for (int i = Count - 1; i >= 0; --i)
    if (GetBit(i)) return i;
  return -1;
}

void TQVBoolArray::InsertBit(int index, bool value) {
  if (index < 0 || index >= Count) return;
  for (int i = Count - 1; i > index; --i) SetBit(i, GetBit(i - 1));
  SetBit(index, value);
}

void TQVBoolArray::RemoveBit(int index) {
  if (index < 0 || index >= Count) return;
  for (int i = index; i < Count - 1; ++i) SetBit(i, GetBit(i + 1));
  if (index == Count - 1) SetBit(index, false);
}

bool TQVBoolArray::IsEqual(const TQVBoolArray& other) const {
  return Count == other.Count && Bytes == other.Bytes;
}

void TQVBoolArray::Assign(const TQVBoolArray& other) {
  std::fill(Bytes.begin(), Bytes.end(), 0);
  const size_t n = std::min(Bytes.size(), other.Bytes.size());
  if (n) std::memcpy(Bytes.data(), other.Bytes.data(), n);
  ClearPadding();
}
