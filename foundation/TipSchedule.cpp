#include "foundation/TipSchedule.h"

uint32_t TTipSchedule::DelayAfterHide(uint32_t now, uint32_t lastHide) {
  return now - lastHide < kDelayMs ? kQuickDelayMs : kDelayMs;
}

void TTipSchedule::SetText(const char* text, uint32_t now) {
  if (!text) text = "";
  if (text_ == text) return;
  text_ = text;
  window_.SetTipText(text);
  if (window_.IsTipShown()) {
    window_.HideTip();
    lastHide_ = now;
  }
  StopTimer();
  if (text_.empty() || !enabled_) return;
  Start(DelayAfterHide(now, lastHide_));
}

void TTipSchedule::Start(uint32_t delayMs) { timerRunning_ = window_.StartTimer(delayMs); }

void TTipSchedule::StopTimer() {
  if (!timerRunning_) return;
  window_.StopTimer();
  timerRunning_ = false;
}

void TTipSchedule::Timer(const TIntPoint& cursor, bool captured, uint32_t now) {
  if (!timerRunning_) return;
  if (!tool_.Contains(cursor) || captured) {
    SetText(nullptr, now);
    return;
  }
  if (window_.IsTipShown()) return;
  StopTimer();
  window_.ShowTip();
  Start(kWatchMs);
}

TIntPoint TipPosition(const TIntRect& tool, const TIntRect* placement, int tipWidth, int tipHeight, int screenWidth,
                      int screenHeight, int cursorHeight, int border) {
  if (placement) return TIntPoint{placement->left - 1, placement->top};
  TIntPoint p{tool.left, tool.bottom + cursorHeight / 3 + 2 * border};
  if (p.y + tipHeight > screenHeight) p.y = tool.top - tipHeight;
  if (p.x + tipWidth > screenWidth) p.x = tool.right - tipWidth;
  return p;
}
