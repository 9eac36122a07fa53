// The program's own tooltip: one parentless, topmost popup that shows a text a moment after the
// mouse came to rest on a tool, below the tool (or at a given place), and goes when the mouse
// leaves the tool, a window captures the mouse, or the text changes. It never takes the mouse.
// When it shows and hides is TTipSchedule's; this class is its window.
#pragma once
#include "foundation/TipSchedule.h"
#include "framework/Geometry.h"
#include "framework/Window.h"

class TFont;

// The time, the timer and the mouse as the tooltip sees them; tests put in their own.
class TTipClock {
public:
  virtual ~TTipClock() = default;
  virtual DWORD Now() = 0;
  // Answers the timer's id, 0 when none could be started.
  virtual UINT_PTR StartTimer(HWND window, UINT_PTR id, UINT delayMs) = 0;
  virtual void StopTimer(HWND window, UINT_PTR id) = 0;
  virtual POINT CursorPos() = 0;
  virtual HWND Capture() = 0;
};

class TToolTip : public TWindow, private TTipWindow {
public:
  static constexpr UINT_PTR kTimerId = 1000;
  static constexpr int kMaxTextLength = 128;

  // The clock is not owned; null means the system's.
  explicit TToolTip(TTipClock* clock = nullptr, HINSTANCE module = nullptr);
  ~TToolTip() override;

  const char* GetClassName() const override { return "TToolTip"; }
  void GetWindowClass(WNDCLASSA& wc) override;
  bool Find(TEvent& ev) override;

  // The tool's screen rectangle, where to put the tip (null: below the tool) and the font
  // (null: ANSI_VAR_FONT; not owned).
  void SetToolRect(const RECT& tool, const RECT* placement, TFont* font);
  // A new text hides the tip and starts the delay; the same text again changes nothing; null
  // or an empty text only hides.
  void SetText(const char* text);
  void KillTipTimer() { schedule_.StopTimer(); }
  void EnableTips(bool on) { schedule_.EnableTips(on); }
  bool AreTipsEnabled() const { return schedule_.AreTipsEnabled(); }
  bool IsTimerRunning() const { return schedule_.IsTimerRunning(); }

  void Paint(TDC& dc, bool erase, const TRect& rect) override;

protected:
  void EvTimer();

private:
  // The window side of the schedule.
  bool IsTipShown() const override { return IsWindowVisible(); }
  void ShowTip() override;
  void HideTip() override;
  void SetTipText(const char* text) override { SetWindowText(text); }
  bool StartTimer(uint32_t delayMs) override;
  void StopTimer() override;

  LRESULT EvTimerMessage(WPARAM id, LPARAM);
  LRESULT EvNcHitTest(WPARAM, LPARAM);
  HFONT DrawingFont() const;

  TTipClock* clock_;
  TTipSchedule schedule_;
  TFont* font_ = nullptr;
  TRect placeRect_;
  bool placeBelow_ = true;
};
