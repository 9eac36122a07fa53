// The tab strip's layout without a window: widths, one scrolling row, rows that wrap and
// stretch (never more than the strip's 20), row order, hit testing, scrolling and stepping.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/PropertySheetStyle.h"
#include "foundation/TabStripLayout.h"

namespace {

std::vector<TTabState> Tabs(std::initializer_list<int> widths) {
  std::vector<TTabState> out;
  for (int w : widths) out.push_back({w, true});
  return out;
}

TEST(TabStripLayout, StyleAdjustmentAndWidths) {
  EXPECT_EQ(AdjustTabStripStyle(psfWizard | psfMultiRow | psfStretchTabs | psfTwoLineTabs), psfWizard);
  EXPECT_EQ(AdjustTabStripStyle(psfMultiRow | psfHideDisabledTabs), psfMultiRow | psfStretchTabs);

  EXPECT_EQ(TabWidthFromText(40, 0, 6, 0, 64), 64) << "never below the minimum";
  EXPECT_EQ(TabWidthFromText(70, 0, 6, 0, 64), 78);
  EXPECT_EQ(TabWidthFromText(70, psfTabPadding, 6, 0, 64), 90);
  EXPECT_EQ(TabWidthFromText(70, psfTabImages, 6, 16, 64), 106);
  EXPECT_EQ(TabWidthFromText(300, psfFixedWidthTabs, 6, 0, 50), 50);
  EXPECT_EQ(TabWidthFromText(10, 0, 6, 0, 0), 64) << "width 0 means the default 64";

  // Wrapping two-line captions widens by 8 until the text is under three lines high.
  auto height = [](int w) { return w < 80 ? 45 : 30; };
  EXPECT_EQ(TwoLineWrapWidth(64, 15, height), 80);
  EXPECT_EQ(TwoLineWrapWidth(64, 15, [](int) { return 100; }), 64 + 64 * 8) << "gives up";
}

TEST(TabStripLayout, SingleRowScrollsAndHitsOnlyEnabledVisibleTabs) {
  TTabStripLayout l;
  std::vector<TTabState> tabs = Tabs({80, 80, 80, 80});
  tabs[2].enabled = false;
  l.Layout(tabs, 0, 200, 20, true);
  EXPECT_EQ(l.RowCount(), 1);
  EXPECT_EQ(l.TabRect(1).left, 80);
  EXPECT_TRUE(l.OverflowsRight());
  EXPECT_EQ(l.HitTest({90, 5}), 1);
  EXPECT_EQ(l.HitTest({170, 5}), -1) << "a disabled tab is not hit";
  EXPECT_EQ(l.HitTest({90, 25}), -1) << "below the row";

  EXPECT_TRUE(l.Scroll(+1));
  EXPECT_EQ(l.FirstVisible(), 1);
  EXPECT_TRUE(l.Scroll(+1));
  EXPECT_EQ(l.FirstVisible(), 3) << "the disabled tab is skipped";
  EXPECT_FALSE(l.Scroll(+1)) << "clamped at the last";
  EXPECT_EQ(l.TabRect(0).Width(), 0) << "scrolled away";
  EXPECT_TRUE(l.MakeVisible(0));
  EXPECT_EQ(l.FirstVisible(), 0);
  EXPECT_TRUE(l.MakeVisible(3));
  EXPECT_EQ(l.FirstVisible(), 2);
  EXPECT_LE(l.TabRect(3).right, 200);

  // Hidden disabled tabs take no room.
  l.SetFirstVisible(0);
  l.Layout(tabs, psfHideDisabledTabs, 400, 20, false);
  EXPECT_EQ(l.TabRect(2).Width(), 0);
  EXPECT_EQ(l.TabRect(3).left, 160);
}

TEST(TabStripLayout, MultipleRowsWrapStretchAndReorder) {
  TTabStripLayout l;
  const uint32_t style = AdjustTabStripStyle(psfMultiRow);
  l.Layout(Tabs({70, 70, 70, 70, 70}), style, 200, 20, false);
  ASSERT_EQ(l.RowCount(), 3);
  EXPECT_EQ(l.FirstOfRow(0), 0);
  EXPECT_EQ(l.LastOfRow(0), 1);
  EXPECT_EQ(l.LastOfRow(1), 3);
  EXPECT_EQ(l.RowOf(4), 2);
  // Stretched: each row fills the 200 pixels exactly.
  for (int r = 0; r < l.RowCount(); ++r) {
    EXPECT_EQ(l.TabRect(l.LastOfRow(r)).right, 200) << "row " << r;
  }
  // Row 0 lies next to the pages (bottom); selecting a tab of another row swaps the rows.
  const int rows = l.RowCount();
  EXPECT_EQ(l.TabRect(0).top, (rows - 1) * 20);
  EXPECT_FALSE(l.BringRowToPages(1));
  EXPECT_TRUE(l.BringRowToPages(3));
  EXPECT_EQ(l.RowAtPosition(0), 1);
  EXPECT_EQ(l.TabRect(3).top, (rows - 1) * 20);
  EXPECT_EQ(l.TabRect(0).top, (rows - 1 - l.PositionOfRow(0)) * 20);
  EXPECT_EQ(l.HitTest({10, (rows - 1) * 20 + 5}), 2);
}

TEST(TabStripLayout, NeverMoreThanTwentyRows) {
  TTabStripLayout l;
  std::vector<TTabState> many(60, TTabState{150, true});
  l.Layout(many, AdjustTabStripStyle(psfMultiRow), 200, 10, false);
  EXPECT_EQ(l.RowCount(), kMaxTabRows);
  EXPECT_EQ(l.LastOfRow(kMaxTabRows - 1), 59) << "the rest stay in the last row";
  EXPECT_EQ(l.RowOf(59), kMaxTabRows - 1);
  EXPECT_TRUE(l.BringRowToPages(59));
  EXPECT_EQ(l.FirstOfRow(kMaxTabRows), -1);
  EXPECT_EQ(l.RowAtPosition(kMaxTabRows), -1);
}

TEST(TabStripLayout, SteppingWrapsAndSkips) {
  const bool ok[] = {true, false, true, true, false};
  auto selectable = [&](int i) { return ok[i]; };
  EXPECT_EQ(NextSelectableTab(0, 5, +1, selectable), 2);
  EXPECT_EQ(NextSelectableTab(3, 5, +1, selectable), 0) << "wraps past the disabled last tab";
  EXPECT_EQ(NextSelectableTab(0, 5, -1, selectable), 3);
  const bool one[] = {false, true, false};
  EXPECT_EQ(NextSelectableTab(1, 3, +1, [&](int i) { return one[i]; }), 1) << "the only tab stays current";
  EXPECT_EQ(NextSelectableTab(0, 3, +1, [](int) { return false; }), -1);
  EXPECT_EQ(NextSelectableTab(0, 0, +1, [](int) { return true; }), -1);
}

}  // namespace
