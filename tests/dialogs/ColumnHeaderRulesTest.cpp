// The column header's hit testing (columns, dividers, closed columns, outside), divider drags,
// automatic widths and the tab fields of list lines.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/ColumnHeaderRules.h"

namespace {

TEST(ColumnHeaderRules, HitTest) {
  const std::vector<int> widths = {50, 0, 40};  // the middle column is closed
  const TIntRect client{0, 0, 200, 20};
  struct Case {
    int offset, x, y;
    unsigned code;
    int column;
  };
  const Case cases[] = {
      {0, 10, 5, kHitOnHeader, 0},
      {0, 46, 5, kHitOnDivider, 0},   // zone [46, 54) of the first divider
      {0, 53, 5, kHitOnDivOpen, 1},   // right of the closed column's divider reopens it
      {0, 49, 5, kHitOnDivider, 0},
      {0, 70, 5, kHitOnHeader, 2},
      {0, 88, 5, kHitOnDivider, 2},
      {0, 150, 5, kHitNowhere, -1},
      {20, 26, 5, kHitOnDivider, 0},  // scrolled: the right edge is at 30
      {0, -1, 5, kHitToLeft, -1},
      {0, 200, 25, kHitToRight | kHitBelow, -1},
      {0, 10, -3, kHitAbove, -1},
  };
  for (const Case& c : cases) {
    const THeaderHit h = HeaderHitTest(widths, c.offset, 4, client, {c.x, c.y});
    EXPECT_EQ(h.code, c.code) << c.x << "," << c.y << " offset " << c.offset;
    EXPECT_EQ(h.column, c.column) << c.x << "," << c.y << " offset " << c.offset;
  }
  EXPECT_EQ(HeaderHitTest({}, 0, 4, client, {5, 5}).code, kHitNowhere);
}

TEST(ColumnHeaderRules, WidthsAndFields) {
  EXPECT_EQ(DraggedColumnWidth(60, 100, 130), 90);
  EXPECT_EQ(DraggedColumnWidth(60, 100, 10), 0) << "dragged past its left edge";
  EXPECT_EQ(AutoColumnWidth(0, 40, 90), 40);
  EXPECT_EQ(AutoColumnWidth(1, 40, 30), 30);
  EXPECT_EQ(AutoColumnWidth(2, 40, 30), 40);
  EXPECT_EQ(DividerToggleWidth(20, 40, 90), 90) << "narrow: fit";
  EXPECT_EQ(DividerToggleWidth(90, 40, 90), 40) << "fitted: compact";

  char field[8];
  TabFieldOf("one\ttwo\tthree", 1, field, sizeof field);
  EXPECT_STREQ(field, "two");
  TabFieldOf("one\ttwo\tthree", 2, field, sizeof field);
  EXPECT_STREQ(field, "three");
  TabFieldOf("one\ttwo", 3, field, sizeof field);
  EXPECT_STREQ(field, "") << "fewer fields than columns";
  TabFieldOf("a\tlong field here", 1, field, sizeof field);
  EXPECT_STREQ(field, "long fi") << "cut to the buffer";
  TabFieldOf(nullptr, 0, field, sizeof field);
  EXPECT_STREQ(field, "");
}

}  // namespace
