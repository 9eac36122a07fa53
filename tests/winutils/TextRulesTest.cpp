// Cutting texts for an ellipsis, shrinking fonts to a width, centring windows, bounded formatting
// and the long task's cancel request, worked out apart from any device.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/BoundedFormat.h"
#include "foundation/CancelRequest.h"
#include "foundation/TextFitRules.h"
#include "foundation/WindowCentring.h"

namespace {

// Fonts as numbers: a text of `textWidth` units at height 40 scales with the height.
struct TFakeFontMaker {
  using Handle = int*;
  Handle Make(int height) {
    heights.push_back(height);
    if (failAt && static_cast<int>(heights.size()) == failAt) return nullptr;
    ++live;
    return new int(height);
  }
  bool Fits(Handle h) const { return std::abs(*h) * textWidth / 40 < width; }
  void Delete(Handle h) {
    --live;
    delete h;
  }

  int textWidth = 400;
  int width = 1;
  int failAt = 0;
  int live = 0;
  std::vector<int> heights;
};

}  // namespace

TEST(EllipsisCut, KeepsWhatFitsBeforeTheDots) {
  const int widths[] = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
  struct Case {
    int length, width, dot, cut;
  };
  const Case cases[] = {
      {10, 80, 5, 6},   // room 65: sums 10..60 stay below, the 7th reaches 70
      {10, 75, 5, 5},   // room 60: the 6th character reaches it exactly and goes
      {10, 76, 5, 6},
      {10, 200, 5, 7},  // never more than length - 3
      {10, 2, 5, 0},    // no room at all: "..." alone
      {3, 2, 5, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EllipsisCutIndex(widths, c.length, c.width, c.dot), c.cut) << c.length << " " << c.width;
  }
}

TEST(FittingFont, ShrinksByQuartersAndDeletesEveryFontGivenUp) {
  TFakeFontMaker tooWide;
  int* font = FitFontHeight(tooWide, -40);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(*font, -4) << "stops once the height is below 5";
  EXPECT_EQ(tooWide.heights, (std::vector<int>{-40, -30, -22, -16, -12, -9, -6, -4}));
  EXPECT_EQ(tooWide.live, 1) << "only the font answered is left";
  tooWide.Delete(font);

  TFakeFontMaker fits;
  fits.width = 200;  // 400 * 16 / 40 = 160 fits
  font = FitFontHeight(fits, -40);
  EXPECT_EQ(*font, -16);
  EXPECT_EQ(fits.live, 1);
  fits.Delete(font);

  TFakeFontMaker failing;
  failing.failAt = 3;  // the third font cannot be made: the second is kept
  font = FitFontHeight(failing, -40);
  EXPECT_EQ(*font, -30);
  EXPECT_EQ(failing.live, 1);
  failing.Delete(font);

  TFakeFontMaker none;
  none.failAt = 1;
  EXPECT_EQ(FitFontHeight(none, 12), nullptr);
  EXPECT_EQ(none.live, 0);
}

TEST(WindowCentring, CentredOverAnAreaAndKeptOnTheScreen) {
  struct Case {
    TIntRect area;
    int w, h;
    TIntPoint at;
  };
  const Case cases[] = {
      {{100, 100, 500, 400}, 200, 100, {200, 200}},  // plain centring
      {{700, 100, 1000, 400}, 400, 100, {624, 200}}, // pulled back to the right edge
      {{100, 700, 500, 760}, 200, 300, {200, 468}},  // pulled up to the bottom edge
      {{0, 0, 100, 100}, 1200, 900, {0, 0}},         // never past position 0
      {{0, 0, 1024, 768}, 100, 60, {462, 354}},      // the whole screen
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CenteredPosition(c.area, c.w, c.h, 1024, 768), c.at) << c.area.left << "," << c.area.top;
  }
}

TEST(BoundedFormat, CutsToTheBufferAndAlwaysTerminates) {
  char small[8];
  std::memset(small, 'x', sizeof small);
  FormatBounded(small, 6, "Track %d of %d", 3, 16);
  EXPECT_STREQ(small, "Track");
  EXPECT_EQ(small[6], 'x') << "nothing written past the size given";

  const std::string longName(3000, 'n');
  char line[256];
  FormatBounded(line, sizeof line, "File %s", longName.c_str());
  EXPECT_EQ(std::string(line), "File " + std::string(250, 'n'));

  char untouched[4] = {'a', 'b', 'c', 'd'};
  FormatBounded(untouched, 0, "%s", "zz");
  EXPECT_EQ(untouched[0], 'a');
  FormatBounded(untouched, sizeof untouched, nullptr);
  EXPECT_STREQ(untouched, "");
}

TEST(CancelRequest, AsksUntilYesThenNoMore) {
  TCancelRequest cancel;
  int asked = 0;
  cancel.Confirm([&] {
    ++asked;
    return false;
  });
  EXPECT_FALSE(cancel.IsRequested()) << "No lets the task run on";
  cancel.Confirm([&] {
    ++asked;
    return true;
  });
  EXPECT_TRUE(cancel.IsRequested());
  cancel.Confirm([&] {
    ++asked;
    return false;
  });
  EXPECT_EQ(asked, 2) << "a requested cancel asks nothing more";
  EXPECT_TRUE(cancel.IsRequested());
  cancel.Reset();
  EXPECT_FALSE(cancel.IsRequested());
  cancel.Confirm([&] {
    ++asked;
    return true;
  });
  EXPECT_EQ(asked, 3) << "after a reset Cancel asks again";
}
