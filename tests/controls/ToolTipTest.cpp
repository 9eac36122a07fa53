// The tooltip window on a clock and mouse the tests control: its attributes, showing below the
// tool or at the placement, hiding; the delays themselves are checked natively (TipScheduleTest).
#include <gtest/gtest.h>

#include <vector>

#include "framework/Application.h"
#include "framework/ToolTip.h"
#include "tests/support/guidriver/GuiDriver.h"

using namespace guidriver;

namespace {

class TFakeClock : public TTipClock {
public:
  DWORD Now() override { return now; }
  UINT_PTR StartTimer(HWND, UINT_PTR id, UINT delayMs) override {
    starts.push_back(delayMs);
    running = true;
    return id;
  }
  void StopTimer(HWND, UINT_PTR) override {
    ++stops;
    running = false;
  }
  POINT CursorPos() override { return cursor; }
  HWND Capture() override { return capture; }

  DWORD now = 100000;
  std::vector<UINT> starts;
  int stops = 0;
  bool running = false;
  POINT cursor{0, 0};
  HWND capture = nullptr;
};

constexpr RECT kTool{200, 200, 224, 222};

class ToolTipTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(tip.Create());
    tip.SetToolRect(kTool, nullptr, nullptr);
    clock.cursor = POINT{210, 210};
  }
  // The timer as the system would deliver it.
  void Tick() { SendMessageA(tip.GetHandle(), WM_TIMER, TToolTip::kTimerId, 0); }
  // Shows the tip for a text and answers whether it came up.
  bool ShowWith(const char* text) {
    tip.SetText(text);
    Tick();
    return IsWindowVisible(tip.GetHandle()) != FALSE;
  }

  TApplication app{"Tooltip"};
  TFakeClock clock;
  TToolTip tip{&clock};
};

}  // namespace

TEST_F(ToolTipTest, WindowIsATopmostToolPopupThatNeverTakesTheMouse) {
  HWND h = tip.GetHandle();
  EXPECT_EQ(GetParent(h), nullptr);
  EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_POPUP);
  const LONG ex = GetWindowLongA(h, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetClassLongA(h, GCL_STYLE), 0x0803);
  EXPECT_EQ(GetClass(h), "TToolTip");
  EXPECT_EQ(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(210, 210)), HTTRANSPARENT);
}

TEST_F(ToolTipTest, TimerShowsTheTipBelowTheToolAndKeepsWatching) {
  tip.SetText("Play");
  EXPECT_FALSE(IsWindowVisible(tip.GetHandle())) << "nothing shows before the delay";
  Tick();
  ASSERT_TRUE(IsWindowVisible(tip.GetHandle()));
  EXPECT_EQ(clock.starts, (std::vector<UINT>{600, 200}));
  RECT r{};
  GetWindowRect(tip.GetHandle(), &r);
  EXPECT_EQ(r.left, kTool.left);
  EXPECT_EQ(r.top, kTool.bottom + GetSystemMetrics(SM_CYCURSOR) / 3 + 2 * GetSystemMetrics(SM_CYBORDER));
  EXPECT_GT(r.right - r.left, 7);
  EXPECT_NE(GetForegroundWindow(), tip.GetHandle()) << "showing the tip activates nothing";
  Tick();
  EXPECT_TRUE(IsWindowVisible(tip.GetHandle())) << "the mouse is still on the tool";
  EXPECT_EQ(clock.starts.size(), 2u);
}

TEST_F(ToolTipTest, LeavingTheToolCaptureOrNewTextHidesTheTip) {
  ASSERT_TRUE(ShowWith("Play"));
  clock.cursor = POINT{kTool.right, 210};  // right edge is outside
  Tick();
  EXPECT_FALSE(IsWindowVisible(tip.GetHandle()));
  EXPECT_FALSE(tip.IsTimerRunning());
  EXPECT_EQ(tip.GetWindowTextString(), "");

  clock.cursor = POINT{210, 210};
  ASSERT_TRUE(ShowWith("Stop"));
  clock.capture = tip.GetHandle();
  Tick();
  EXPECT_FALSE(IsWindowVisible(tip.GetHandle())) << "a pressed button captures the mouse";
  clock.capture = nullptr;

  ASSERT_TRUE(ShowWith("Record"));
  tip.SetText("Rewind");
  EXPECT_FALSE(IsWindowVisible(tip.GetHandle()));
  EXPECT_TRUE(tip.IsTimerRunning());

  // A timer that arrives after the tip was stopped does nothing.
  tip.SetText(nullptr);
  Tick();
  EXPECT_FALSE(IsWindowVisible(tip.GetHandle()));
}

TEST_F(ToolTipTest, DisabledTipsStartNoTimer) {
  tip.EnableTips(false);
  tip.SetText("Play");
  EXPECT_TRUE(clock.starts.empty());
  EXPECT_EQ(tip.GetWindowTextString(), "Play");
}

TEST_F(ToolTipTest, PlacementRectangleWins) {
  const RECT place{400, 50, 500, 70};
  tip.SetToolRect(kTool, &place, nullptr);
  ASSERT_TRUE(ShowWith("Zoom"));
  RECT r{};
  GetWindowRect(tip.GetHandle(), &r);
  EXPECT_EQ(r.left, 399);
  EXPECT_EQ(r.top, 50);
}

TEST(ToolTipRealTimer, ShowsAfterTheDelayWhileTheMouseRestsOnTheTool) {
  TApplication app("Tooltip");
  TToolTip tip;
  ASSERT_TRUE(tip.Create());
  MouseMoveTo(300, 300);
  tip.SetToolRect(RECT{280, 280, 320, 320}, nullptr, nullptr);
  const DWORD start = GetTickCount();
  tip.SetText("Metronome");
  PumpFor(300);
  EXPECT_FALSE(IsWindowVisible(tip.GetHandle())) << "too early";
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tip.GetHandle()) != FALSE; }, 3000));
  EXPECT_GE(GetTickCount() - start, 550u);

  // Leaving the tool hides it at the next look, and a new tool soon after shows almost at once.
  MouseMoveTo(600, 500);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tip.GetHandle()) == FALSE; }, 2000));
  tip.SetToolRect(RECT{580, 480, 620, 520}, nullptr, nullptr);
  tip.SetText("Tempo");
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(tip.GetHandle()) != FALSE; }, 400))
      << "the quick delay after a recent hide";
}
