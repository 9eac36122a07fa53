// The placeable header in front of an exported metafile.
#include <gtest/gtest.h>

#include "app/PlaceableMetafile.h"

namespace {

int Word(const uint8_t* h, int offset) { return h[offset] | (h[offset + 1] << 8); }

TEST(PlaceableMetafile, HeaderBytes) {
  uint8_t h[kPlaceableHeaderSize];
  MakePlaceableHeader(FitPlaceableBounds(2700, 3450, 300), h);
  const uint8_t expected[kPlaceableHeaderSize] = {
      0xD7, 0xCD, 0xC6, 0x9A,  // key
      0, 0,                    // handle
      0, 0, 0, 0,              // left, top
      0x8C, 0x0A,              // right 2700
      0x7A, 0x0D,              // bottom 3450
      0x2C, 0x01,              // 300 units an inch
      0, 0, 0, 0,              // reserved
      0, 0};
  for (int i = 0; i < 20; ++i) EXPECT_EQ(h[i], expected[i]) << "byte " << i;
  const int checksum = 0xCDD7 ^ 0x9AC6 ^ 2700 ^ 3450 ^ 300;
  EXPECT_EQ(Word(h, 20), checksum);
  EXPECT_EQ(PlaceableChecksum(h), checksum);
}

TEST(PlaceableMetafile, LargeBoxesAreScaledWithTheirUnits) {
  struct Case {
    int w, h, upi;
    TPlaceableBounds fitted;
  } cases[] = {
      {32767, 100, 600, {32767, 100, 600}},
      {32768, 100, 600, {16384, 50, 300}},
      {40800, 52800, 4800, {20400, 26400, 2400}},  // letter at 4800 dpi
      {100, 100, 70000, {33, 33, 23333}},
      {-5, -5, 0, {0, 0, 1}},
  };
  for (const Case& c : cases) {
    const TPlaceableBounds b = FitPlaceableBounds(c.w, c.h, c.upi);
    EXPECT_EQ(b.right, c.fitted.right) << c.w;
    EXPECT_EQ(b.bottom, c.fitted.bottom) << c.w;
    EXPECT_EQ(b.unitsPerInch, c.fitted.unitsPerInch) << c.w;
    EXPECT_LE(b.right, kPlaceableLargest);
    EXPECT_LE(b.bottom, kPlaceableLargest);
    if (c.upi > 0 && c.w > 0) {
      // The picture keeps its width in inches, to within a unit.
      EXPECT_NEAR(static_cast<double>(b.right) / b.unitsPerInch, static_cast<double>(c.w) / c.upi,
                  1.0 / b.unitsPerInch + 1e-9);
    }
  }
}

}  // namespace
