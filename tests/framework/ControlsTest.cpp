// Controls: the gauge's range, value and segmented drawing.
#include <gtest/gtest.h>
#include "framework/Gauge.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/Screenshot.h"

using namespace guidriver;

namespace {

struct TGaugeHost : TWindow {
  TGaugeHost() : TWindow(static_cast<TWindow*>(nullptr), "Gauge host") {
    Attr.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    Attr.x = Attr.y = 60;
    Attr.w = 300;
    Attr.h = 120;
  }
};

// Counts the runs of bar-coloured pixels along the gauge's middle row.
int CountBarRuns(HWND gauge) {
  TPixels px = CaptureClient(gauge);
  COLORREF bar = GetSysColor(COLOR_HIGHLIGHT);
  int runs = 0;
  bool inRun = false;
  for (int x = 0; x < px.width; ++x) {
    bool isBar = px.At(x, px.height / 2) == bar;
    if (isBar && !inRun) ++runs;
    inRun = isBar;
  }
  return runs;
}

}  // namespace

TEST(Gauge, RangeAndValueAreKeptConsistent) {
  TGaugeHost host;
  auto* g = new TGauge(&host, "", 112, 10, 10, 200, 20);
  ASSERT_TRUE(host.Create());
  g->SetRange(5, 5);
  int lo, hi;
  g->GetRange(lo, hi);
  EXPECT_EQ(lo, 5);
  EXPECT_EQ(hi, 6) << "an empty range grows by one";
  g->SetRange(0, 100);
  g->SetValue(150);
  EXPECT_EQ(g->GetValue(), 100);
  g->SetValue(-3);
  EXPECT_EQ(g->GetValue(), 0);
}

TEST(Gauge, LedModeDrawsSeparateSegments) {
  TGaugeHost host;
  auto* g = new TGauge(&host, "", 112, 10, 10, 200, 20);
  ASSERT_TRUE(host.Create());
  g->SetRange(0, 100);
  g->SetValue(50);
  PumpFor(50);
  EXPECT_EQ(CountBarRuns(g->GetHandle()), 1) << "solid bar";
  g->SetLed(10, 50);
  g->UpdateWindow();
  PumpFor(50);
  EXPECT_EQ(CountBarRuns(g->GetHandle()), 5) << "values 0-50 in steps of 10";
}
