// The tooltip's delays and hiding rules, on a clock the tests set, and where the tip goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/TipSchedule.h"

namespace {

struct TFakeTipWindow : TTipWindow {
  bool IsTipShown() const override { return shown; }
  void ShowTip() override {
    shown = true;
    log.push_back("show");
  }
  void HideTip() override {
    shown = false;
    log.push_back("hide");
  }
  void SetTipText(const char* text) override { log.push_back(std::string("text ") + text); }
  bool StartTimer(uint32_t delayMs) override {
    starts.push_back(delayMs);
    return timersWork;
  }
  void StopTimer() override { log.push_back("stop"); }

  bool shown = false;
  bool timersWork = true;
  std::vector<uint32_t> starts;
  std::vector<std::string> log;
};

constexpr TIntRect kTool{200, 200, 224, 222};
constexpr TIntPoint kInside{210, 210};

class TipScheduleTest : public ::testing::Test {
protected:
  void SetUp() override { schedule.SetToolRect(kTool); }
  // Shows the tip for a text at a time; answers whether it came up.
  bool ShowWith(const char* text, uint32_t now) {
    schedule.SetText(text, now);
    schedule.Timer(kInside, false, now + 600);
    return window.shown;
  }

  TFakeTipWindow window;
  TTipSchedule schedule{window};
};

}  // namespace

TEST_F(TipScheduleTest, SameTextTwiceDoesNotRestartTheDelay) {
  schedule.SetText("Play", 1000);
  schedule.SetText("Play", 1300);
  EXPECT_EQ(window.starts, std::vector<uint32_t>{600});
  EXPECT_EQ(window.log, std::vector<std::string>{"text Play"});
  EXPECT_TRUE(schedule.IsTimerRunning());
}

TEST_F(TipScheduleTest, TimerShowsTheTipThenKeepsWatching) {
  schedule.SetText("Play", 1000);
  EXPECT_FALSE(window.shown);
  schedule.Timer(kInside, false, 1600);
  EXPECT_TRUE(window.shown);
  EXPECT_EQ(window.starts, (std::vector<uint32_t>{600, 200}));
  EXPECT_EQ(window.log, (std::vector<std::string>{"text Play", "stop", "show"}));
  schedule.Timer(kInside, false, 1800);
  EXPECT_TRUE(window.shown) << "the mouse is still on the tool";
  EXPECT_EQ(window.starts.size(), 2u);
}

TEST_F(TipScheduleTest, LeavingTheToolCaptureNewOrEmptyTextHides) {
  struct Case {
    const char* name;
    TIntPoint cursor;
    bool captured;
  };
  const Case cases[] = {
      {"right edge is outside", {224, 210}, false},
      {"bottom edge is outside", {210, 222}, false},
      {"left of the tool", {199, 210}, false},
      {"a pressed button captures the mouse", kInside, true},
  };
  uint32_t now = 5000;
  for (const Case& c : cases) {
    ASSERT_TRUE(ShowWith("Play", now)) << c.name;
    schedule.Timer(c.cursor, c.captured, now + 800);
    EXPECT_FALSE(window.shown) << c.name;
    EXPECT_FALSE(schedule.IsTimerRunning()) << c.name;
    EXPECT_EQ(schedule.GetText(), "") << c.name;
    now += 10000;
  }
  // The top-left corner is inside.
  ASSERT_TRUE(ShowWith("Play", now));
  schedule.Timer(TIntPoint{200, 200}, false, now + 800);
  EXPECT_TRUE(window.shown);

  schedule.SetText("Stop", now + 900);
  EXPECT_FALSE(window.shown);
  EXPECT_TRUE(schedule.IsTimerRunning());
  schedule.SetText(nullptr, now + 950);
  EXPECT_FALSE(schedule.IsTimerRunning());
  const size_t starts = window.starts.size();
  schedule.Timer(kInside, false, now + 2000);
  EXPECT_FALSE(window.shown) << "a timer after the stop does nothing";
  EXPECT_EQ(window.starts.size(), starts);
}

TEST_F(TipScheduleTest, QuickDelayShortlyAfterAHideAcrossTickWrap) {
  struct Case {
    uint32_t hideAt, textAt, delay;
  };
  const Case cases[] = {
      {100000, 100599, 50},
      {100000, 100600, 600},
      {0xFFFFFE00u, 0xFFFFFF00u, 50},  // the hide time plus 600 would wrap
      {0xFFFFFF00u, 0x00000100u, 50},  // the tick count wrapped in between
      {0xFFFFFF00u, 0x00000300u, 600},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(ShowWith("Play", c.hideAt - 700));
    schedule.SetText(nullptr, c.hideAt);
    window.starts.clear();
    schedule.SetText("Stop", c.textAt);
    EXPECT_EQ(window.starts, std::vector<uint32_t>{c.delay}) << std::hex << c.hideAt << " " << c.textAt;
    schedule.SetText(nullptr, c.textAt);
  }
  // A text that replaces a hidden, waiting one keeps the long delay: nothing was hidden.
  TFakeTipWindow w;
  TTipSchedule fresh(w);
  fresh.SetText("Play", 1000000);
  fresh.SetText("Stop", 1000100);
  EXPECT_EQ(w.starts, (std::vector<uint32_t>{600, 600}));
}

TEST_F(TipScheduleTest, DisabledTipsOrNoTimerShowNothing) {
  schedule.EnableTips(false);
  schedule.SetText("Play", 1000);
  EXPECT_TRUE(window.starts.empty());
  EXPECT_EQ(schedule.GetText(), "Play");

  TFakeTipWindow broken;
  broken.timersWork = false;
  TTipSchedule s(broken);
  s.SetToolRect(kTool);
  s.SetText("Play", 1000);
  EXPECT_FALSE(s.IsTimerRunning());
  s.Timer(kInside, false, 2000);
  EXPECT_FALSE(broken.shown);
}

TEST(TipPosition, BelowAboveRightAlignedOrPlaced) {
  struct Case {
    TIntRect tool;
    TIntPoint at;
  };
  const Case cases[] = {
      {{100, 100, 124, 122}, {100, 122 + 10 + 2}},  // below, a third of the cursor and two borders down
      {{100, 560, 124, 582}, {100, 560 - 18}},      // near the bottom: directly above the tool
      {{770, 100, 794, 122}, {794 - 60, 134}},      // near the right edge: right-aligned with the tool
      {{770, 570, 794, 592}, {734, 552}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TipPosition(c.tool, nullptr, 60, 18, 800, 600, 32, 1), c.at) << c.tool.left << "," << c.tool.top;
  }
  const TIntRect place{10, 20, 30, 40};
  EXPECT_EQ(TipPosition(TIntRect{770, 570, 794, 592}, &place, 60, 18, 800, 600, 32, 1), (TIntPoint{9, 20}));
}
