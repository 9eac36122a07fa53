// Zoom steps and the staff pane's fullness figure.
#include <gtest/gtest.h>

#include "editor/ViewRules.h"

TEST(ViewRules, ZoomStaysEvenAndWithinItsRange) {
  struct Case {
    int current, requested, expected;
  } cases[] = {
      {2, 0, 2},    // Zoom Out at 2
      {50, 52, 50}, // Zoom In at 50
      {10, 7, 6},   // an odd value below moves down
      {4, 7, 8},    // an odd value above moves up
      {8, 10, 10},
      {8, 6, 6},
      {10, 1, 2},
      {48, 51, 50},
  };
  for (const Case& c : cases) EXPECT_EQ(ZoomAfter(c.current, c.requested), c.expected) << c.current << "->" << c.requested;
}

TEST(ViewRules, StaffFullnessFromFreeSlots) {
  EXPECT_EQ(StaffFullPercent(11998), 1);  // an empty staff
  EXPECT_EQ(StaffFullPercent(6010), 50);
  EXPECT_EQ(StaffFullPercent(10), 100);
  EXPECT_EQ(StaffFullPercent(0), 100);
}
