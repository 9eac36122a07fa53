// When the tooltip shows and hides, apart from the window: a new text hides the tip and starts
// the delay (600 ms, or 50 ms shortly after a hide, so moving along a toolbar shows the next tip
// almost at once); the timer shows the tip while the mouse stays on the tool and then keeps
// watching it; leaving the tool, a capture or an empty text hides it. And where the tip goes.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/PlainGeometry.h"

// The window side of the tooltip.
class TTipWindow {
public:
  virtual ~TTipWindow() = default;
  virtual bool IsTipShown() const = 0;
  virtual void ShowTip() = 0;
  virtual void HideTip() = 0;
  virtual void SetTipText(const char* text) = 0;
  // Answers false when no timer could be started.
  virtual bool StartTimer(uint32_t delayMs) = 0;
  virtual void StopTimer() = 0;
};

class TTipSchedule {
public:
  static constexpr uint32_t kDelayMs = 600;
  static constexpr uint32_t kQuickDelayMs = 50;
  static constexpr uint32_t kWatchMs = 200;

  explicit TTipSchedule(TTipWindow& window) : window_(window) {}

  // The same text again changes nothing; null or "" only hides.
  void SetText(const char* text, uint32_t now);
  // The timer: the mouse on the tool (left and top inclusive) and no capture keeps or shows the
  // tip; anything else hides it. Does nothing while no timer runs.
  void Timer(const TIntPoint& cursor, bool captured, uint32_t now);
  void StopTimer();

  void SetToolRect(const TIntRect& tool) { tool_ = tool; }
  const TIntRect& GetToolRect() const { return tool_; }
  const std::string& GetText() const { return text_; }
  bool IsTimerRunning() const { return timerRunning_; }
  void EnableTips(bool on) { enabled_ = on; }
  bool AreTipsEnabled() const { return enabled_; }
  // The delay for a text set at `now` after a hide at `lastHide`; unsigned subtraction keeps it
  // right when the tick count wraps past zero.
  static uint32_t DelayAfterHide(uint32_t now, uint32_t lastHide);

private:
  void Start(uint32_t delayMs);

  TTipWindow& window_;
  std::string text_;
  TIntRect tool_;
  bool enabled_ = true;
  bool timerRunning_ = false;
  uint32_t lastHide_ = 0;
};

// Where a tip of this size goes: with a placement rectangle at its left - 1 and top; else below
// the tool by a third of the cursor height and two borders, directly above the tool when that
// would pass the screen's bottom, and right-aligned with the tool when it would pass the right.
TIntPoint TipPosition(const TIntRect& tool, const TIntRect* placement, int tipWidth, int tipHeight, int screenWidth,
                      int screenHeight, int cursorHeight, int border);
