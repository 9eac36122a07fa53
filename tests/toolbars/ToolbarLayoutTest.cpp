// Toolbar layout arithmetic: gadget places for each kind of state, floating shapes, dock rows and
// drops into a dock.
#include <gtest/gtest.h>

#include <vector>

#include "app/ToolbarLayout.h"
#include "app/ToolbarState.h"

namespace {

const TGadgetSize kButton{22, 21, false};
const TGadgetSize kSeparator{6, 6, true};
const TToolbarMetrics kM = MakeToolbarMetrics(true, 4, 4, 15);

TEST(ToolbarLayoutTest, MarginsFollowTheEdgeWidth) {
  EXPECT_EQ(kM.left, 5);
  EXPECT_EQ(kM.right, 4);
  EXPECT_EQ(kM.top, 4);
  EXPECT_EQ(kM.bottom, 3);
  const TToolbarMetrics old = MakeToolbarMetrics(false, 4, 4, 15);
  EXPECT_EQ(old.left, 4);
  EXPECT_EQ(old.bottom, 2);
}

TEST(ToolbarLayoutTest, DockedOnTopIsOneRowAfterTheGripper) {
  const TToolbarLayout l = LayoutToolbarGadgets({kButton, kSeparator, kButton}, 0x2800, 0, kM);
  ASSERT_EQ(l.places.size(), 3u);
  EXPECT_EQ(l.places[0].x, 5 + kGripperWidth - 1);
  EXPECT_EQ(l.places[0].y, 4);
  EXPECT_EQ(l.places[1].x, 36);
  EXPECT_EQ(l.places[1].h, 21);  // the separator spans the row
  EXPECT_EQ(l.places[2].x, 42);
  EXPECT_EQ(l.width, 64 + 4);
  EXPECT_EQ(l.height, 4 + 21 + 3);
  EXPECT_EQ(l.rows, 1);
  EXPECT_EQ(l.outerWidth, l.width);  // no frame when docked
}

TEST(ToolbarLayoutTest, DockedOnASideIsOneColumnBelowTheGripper) {
  const TToolbarLayout l = LayoutToolbarGadgets({kButton, kSeparator, kButton}, 0x1400, 0, kM);
  EXPECT_EQ(l.places[0].x, 4);
  EXPECT_EQ(l.places[0].y, 4 + kGripperHeight);
  EXPECT_EQ(l.places[1].y, 38);
  EXPECT_EQ(l.places[1].w, 22);  // the separator spans the column
  EXPECT_EQ(l.places[2].y, 44);
  EXPECT_EQ(l.rows, 3);
  EXPECT_EQ(l.width, 4 + 22 + 4);
  EXPECT_EQ(l.height, 65 + 3);
}

TEST(ToolbarLayoutTest, FloatingRowsBreakPastTheTargetWidth) {
  const std::vector<TGadgetSize> six(6, kButton);
  const TToolbarLayout one = LayoutToolbarGadgets(six, 0x2810, 1, kM);
  EXPECT_EQ(one.rows, 1);
  EXPECT_EQ(one.places[0].x, 4);  // no gripper while floating
  EXPECT_EQ(one.outerWidth, one.width + 8);
  EXPECT_EQ(one.outerHeight, one.height + 8 + 15);
  // Target 66: the row breaks after the gadget whose end passes it (the fourth).
  const TToolbarLayout two = LayoutToolbarGadgets(six, 0x2810, 2, kM);
  EXPECT_EQ(two.rows, 2);
  EXPECT_EQ(two.places[3].y, 4);
  EXPECT_EQ(two.places[4].x, 4);
  EXPECT_EQ(two.places[4].y, 25);
}

TEST(ToolbarLayoutTest, FloatingSeparatorBecomesARowLine) {
  // Three buttons, a separator, three buttons; two rows: the separator ends the first row.
  const std::vector<TGadgetSize> g{kButton, kButton, kButton, kSeparator, kButton, kButton, kButton};
  const TToolbarLayout l = LayoutToolbarGadgets(g, 0x2810, 2, kM);
  EXPECT_TRUE(l.places[3].rowLine);
  EXPECT_EQ(l.places[3].y, 25);
  EXPECT_EQ(l.places[3].h, 7);
  EXPECT_EQ(l.places[4].y, 32);
  EXPECT_EQ(l.places[4].x, 4);
  EXPECT_EQ(l.places[3].w, 66 + 4);  // across the row, 4 pixels wider
  // On one row the separator stays a gadget of the row.
  const TToolbarLayout flat = LayoutToolbarGadgets(g, 0x2810, 1, kM);
  EXPECT_FALSE(flat.places[3].rowLine);
  EXPECT_EQ(flat.places[4].x, 4 + 66 + 6);
}

TEST(ToolbarLayoutTest, ShapesOnePerDistinctRowCount) {
  const std::vector<TGadgetSize> six(6, kButton);
  const std::vector<TToolbarShape> shapes = FloatingShapes(six, 0x2800, kM);
  ASSERT_GE(shapes.size(), 2u);
  EXPECT_EQ(shapes[0].rows, 1);
  for (size_t i = 1; i < shapes.size(); ++i) {
    EXPECT_GT(shapes[i].rows, shapes[i - 1].rows);
    EXPECT_LT(shapes[i].w, shapes[i - 1].w);
    EXPECT_GT(shapes[i].h, shapes[i - 1].h);
  }
  const std::vector<TToolbarShape> many = FloatingShapes(std::vector<TGadgetSize>(200, kButton), 0x2800, kM);
  EXPECT_LE(many.size(), static_cast<size_t>(kMaxToolbarShapes));
  EXPECT_EQ(ClampShapeIndex(7, 3), 2);
  EXPECT_EQ(ClampShapeIndex(-1, 3), 0);
  EXPECT_EQ(ClampShapeIndex(4, 0), 0);
}

TDockItem Item(int length, bool newRow) {
  TDockItem i;
  i.length = length;
  i.thickness = 28;
  i.newRow = newRow;
  return i;
}

TEST(DockLayoutTest, RowsShareTheirEdgeLines) {
  std::vector<TDockItem> items{Item(100, true), Item(80, false), Item(60, true)};
  EXPECT_EQ(LayoutDockItems(items, true, 2), 50);
  EXPECT_EQ(items[0].along, -2);
  EXPECT_EQ(items[0].across, -2);
  EXPECT_EQ(items[1].along, 96);
  EXPECT_EQ(items[1].offset, 98);
  EXPECT_EQ(items[2].along, -2);
  EXPECT_EQ(items[2].across, 24);
  EXPECT_EQ(items[2].order, 2);
  std::vector<TDockItem> none;
  EXPECT_EQ(LayoutDockItems(none, true, 2), 0);
  // Without packing a placed toolbar keeps its offset.
  std::vector<TDockItem> loose{Item(100, true), Item(80, false)};
  loose[1].offset = 300;
  LayoutDockItems(loose, false, 2);
  EXPECT_EQ(loose[1].along, 298);
}

TEST(DockDropTest, LeftOfTheFirstBecomesTheRowsFirst) {
  std::vector<TDockItem> items{Item(100, true), Item(80, false)};
  LayoutDockItems(items, true, 2);
  TDropRequest r;
  r.x = 0;
  r.y = 0;
  r.length = 60;
  r.dockLength = 600;
  const TDropResult d = DropIntoDock(items, r);
  EXPECT_EQ(d.index, 0);
  EXPECT_TRUE(d.newRow);
  EXPECT_FALSE(items[0].newRow);
  EXPECT_EQ(d.offset, 2);
  EXPECT_EQ(items[0].along, 58);
}

TEST(DockDropTest, AFullRowPushesOnAndWraps) {
  std::vector<TDockItem> items{Item(100, true), Item(100, false), Item(100, false)};
  LayoutDockItems(items, true, 2);
  TDropRequest r;
  r.x = 50;
  r.y = 1;
  r.length = 100;
  r.dockLength = 250;
  const TDropResult d = DropIntoDock(items, r);
  EXPECT_EQ(d.index, 1);
  EXPECT_FALSE(d.newRow);
  EXPECT_EQ(d.offset, 98);  // moved up against its predecessor
  EXPECT_FALSE(items[1].newRow);
  EXPECT_EQ(items[1].along, 194);
  EXPECT_TRUE(items[2].newRow);
  EXPECT_EQ(items[2].offset, 0);
}

TEST(DockDropTest, BelowEveryRowMakesANewLastRow) {
  std::vector<TDockItem> items{Item(100, true), Item(100, true)};
  LayoutDockItems(items, true, 2);
  TDropRequest r;
  r.x = 900;
  r.y = 60;
  r.length = 100;
  r.dockLength = 500;
  const TDropResult d = DropIntoDock(items, r);
  EXPECT_EQ(d.index, 2);
  EXPECT_TRUE(d.newRow);
  EXPECT_EQ(d.offset, 500 - 98 + 2);
  // Above the first row: a new row in front of it.
  r.y = -20;
  r.x = -5;
  const TDropResult top = DropIntoDock(items, r);
  EXPECT_EQ(top.index, 0);
  EXPECT_TRUE(top.newRow);
  EXPECT_EQ(top.offset, 2);
}

}  // namespace
