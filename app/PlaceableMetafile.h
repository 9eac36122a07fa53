// The 22-byte header in front of a Windows metafile in a ".WMF" file: a key, the picture's
// bounding box in its own units, how many of those units make an inch, and a checksum.
#pragma once

#include <cstdint>

constexpr int kPlaceableHeaderSize = 22;
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
// The box's corners are signed 16-bit values.
constexpr int kPlaceableLargest = 32767;

struct TPlaceableBounds {
  int right;
  int bottom;
  int unitsPerInch;
};

// A picture of width x height device pixels at unitsPerInch pixels an inch. A box beyond 16 bits
// is divided down together with the units, so the picture keeps its size in inches.
TPlaceableBounds FitPlaceableBounds(int width, int height, int unitsPerInch);

// The header for these bounds, little-endian, checksum included.
void MakePlaceableHeader(const TPlaceableBounds& bounds, uint8_t (&out)[kPlaceableHeaderSize]);
// The XOR of the ten 16-bit words in front of the checksum.
uint16_t PlaceableChecksum(const uint8_t* header);
