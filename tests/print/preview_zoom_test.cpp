// The preview's page sizes at the four zoom levels, its scroll ranges and bars, clicks that zoom
// and keep the point under the mouse, and scrolling by lines, pages and the thumb.
#include <gtest/gtest.h>

#include "app/PreviewZoom.h"

namespace {

// Letter at 300 pixels an inch.
TPrinterMetrics Letter() {
  TPrinterMetrics m;
  m.physicalWidth = 2550;
  m.physicalHeight = 3300;
  m.logPixelsX = m.logPixelsY = 300;
  m.aspectX = m.aspectY = 100;
  return m;
}

constexpr TPreviewFrame kFrame{1000, 700, 2, 2, 16, 16};

TEST(PreviewZoom, FourLevelsOfPageSize) {
  TPreviewZoom z(Letter());
  z.SetZoom(0, kFrame);
  // Available: (1000 - 4 - 16) x 9/10 = 882 wide, 696 high; the page fits the height.
  EXPECT_EQ(z.DisplayHeight(), 696);
  EXPECT_EQ(z.DisplayWidth(), 696 * 2550 / 3300);
  EXPECT_FALSE(z.HasVerticalBar());
  EXPECT_FALSE(z.HasHorizontalBar());
  EXPECT_EQ(z.RangeX(), 0);
  EXPECT_EQ(z.RangeY(), 0);

  z.SetZoom(1, kFrame);
  EXPECT_EQ(z.DisplayWidth(), 882);
  EXPECT_EQ(z.DisplayHeight(), 882 * 3300 / 2550);
  EXPECT_TRUE(z.HasVerticalBar());
  EXPECT_FALSE(z.HasHorizontalBar());
  EXPECT_EQ(z.RangeY(), z.DisplayHeight() - (700 - 4));

  z.SetZoom(2, kFrame);
  EXPECT_EQ(z.DisplayWidth(), 2 * 882);
  EXPECT_TRUE(z.HasHorizontalBar());
  EXPECT_EQ(z.RangeX(), 2 * 882 - (1000 - 4 - 16));

  z.SetZoom(3, kFrame);
  EXPECT_EQ(z.DisplayWidth(), 2550);
  EXPECT_EQ(z.DisplayHeight(), 3300);
}

TEST(PreviewZoom, WideWindowsFitTheWidthAndNarrowPrintersShowAtTheirOwnScale) {
  TPreviewZoom z(Letter());
  const TPreviewFrame wide{600, 2000, 0, 0, 10, 10};
  z.SetZoom(0, wide);
  EXPECT_EQ(z.DisplayWidth(), (600 - 10) * 9 / 10);
  EXPECT_EQ(z.DisplayHeight(), 531 * 3300 / 2550);
  // A printer page narrower than the window at level 1 shows at its own scale; unequal pixels
  // (twice as tall as wide) make the page show twice as wide.
  struct Case {
    int width, height, aspectX, aspectY, level, shownWidth, shownHeight;
  } cases[] = {{100, 200, 100, 100, 1, 100, 200}, {2550, 3300, 200, 100, 3, 5100, 3300}};
  for (const Case& c : cases) {
    TPrinterMetrics m = Letter();
    m.physicalWidth = c.width;
    m.physicalHeight = c.height;
    m.aspectX = c.aspectX;
    m.aspectY = c.aspectY;
    TPreviewZoom shown(m);
    shown.SetZoom(c.level, kFrame);
    EXPECT_EQ(shown.DisplayWidth(), c.shownWidth);
    EXPECT_EQ(shown.DisplayHeight(), c.shownHeight);
  }
}

TEST(PreviewZoom, ClicksWrapAroundTheLevels) {
  TPreviewZoom z(Letter());
  z.SetZoom(0, kFrame);
  for (int i = 1; i <= 4; ++i) {
    z.Click(10, 10, false, kFrame);
    EXPECT_EQ(z.GetZoom(), i % 4);
  }
  z.Click(10, 10, true, kFrame);
  EXPECT_EQ(z.GetZoom(), 3) << "zooming out of level 0 goes to level 3";
  z.SetZoom(7, kFrame);
  EXPECT_EQ(z.GetZoom(), 0);
  z.SetZoom(-2, kFrame);
  EXPECT_EQ(z.GetZoom(), 3);
}

TEST(PreviewZoom, AClickBringsThePointUnderTheMouseToTheMiddle) {
  TPreviewZoom z(Letter());
  z.SetZoom(0, kFrame);
  // A point a little below the middle of the page.
  const int x = z.DisplayWidth() / 2, y = z.DisplayHeight() * 3 / 5;
  z.Click(x, y, false, kFrame);
  ASSERT_EQ(z.GetZoom(), 1);
  const double shownY = (z.ScrollY() + z.VisibleHeight() / 2.0) / z.DisplayHeight();
  EXPECT_NEAR(shownY, 0.6, 0.01);
  // Near the top the view cannot scroll above the page.
  z.SetZoom(0, kFrame);
  z.Click(5, 5, false, kFrame);
  EXPECT_EQ(z.ScrollY(), 0);
  EXPECT_EQ(z.ScrollX(), 0);
}

TEST(PreviewZoom, ScrollingStaysInTheRange) {
  TPreviewZoom z(Letter());
  z.SetZoom(2, kFrame);
  const int visible = z.VisibleHeight();
  EXPECT_EQ(z.Scroll(true, TScrollAction::LineDown), visible / 10 + 1);
  EXPECT_EQ(z.Scroll(true, TScrollAction::PageDown), visible / 10 + 1 + visible / 2);
  EXPECT_EQ(z.Scroll(true, TScrollAction::LineUp), visible / 2);
  EXPECT_EQ(z.Scroll(true, TScrollAction::PageUp), 0);
  EXPECT_EQ(z.Scroll(true, TScrollAction::PageUp), 0);
  EXPECT_EQ(z.Scroll(true, TScrollAction::Bottom), z.RangeY());
  EXPECT_EQ(z.Scroll(true, TScrollAction::LineDown), z.RangeY());
  EXPECT_EQ(z.Scroll(false, TScrollAction::Thumb, 123), 123);
  EXPECT_EQ(z.Scroll(false, TScrollAction::Thumb, 1 << 30), z.RangeX());
  EXPECT_EQ(z.Scroll(false, TScrollAction::Top), 0);
  // Zooming keeps the place: half way down stays half way down.
  z.Scroll(true, TScrollAction::Thumb, z.RangeY() / 2);
  const double before = static_cast<double>(z.ScrollY()) / z.DisplayHeight();
  z.SetZoom(3, kFrame);
  EXPECT_NEAR(static_cast<double>(z.ScrollY()) / z.DisplayHeight(), before, 0.01);
}

}  // namespace
