#include "app/PlaceableMetafile.h"

#include <algorithm>
#include <iterator>

namespace {

void Put16(uint8_t* p, int v) {
  p[0] = static_cast<uint8_t>(v & 0xFF);
  p[1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}

}  // namespace

TPlaceableBounds FitPlaceableBounds(int width, int height, int unitsPerInch) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  unitsPerInch = std::max(unitsPerInch, 1);
  const int largest = std::max({width, height, unitsPerInch});
  if (largest <= kPlaceableLargest) return {width, height, unitsPerInch};
  const int divisor = (largest - 1) / kPlaceableLargest + 1;
  return {width / divisor, height / divisor, std::max(unitsPerInch / divisor, 1)};
}

uint16_t PlaceableChecksum(const uint8_t* header) {
  uint16_t sum = 0;
  for (int i = 0; i < 20; i += 2) sum ^= static_cast<uint16_t>(header[i] | (header[i + 1] << 8));
  return sum;
}

void MakePlaceableHeader(const TPlaceableBounds& b, uint8_t (&out)[kPlaceableHeaderSize]) {
  std::fill(out, out + kPlaceableHeaderSize, uint8_t{0});
  Put16(out + 0, static_cast<int>(kPlaceableKey & 0xFFFF));
  Put16(out + 2, static_cast<int>(kPlaceableKey >> 16));
  // handle, left and top stay 0; bytes 16-19 are reserved.
  Put16(out + 10, b.right);
  Put16(out + 12, b.bottom);
  Put16(out + 14, b.unitsPerInch);
  Put16(out + 20, PlaceableChecksum(out));
}
