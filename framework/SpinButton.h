// The small arrow button beside a value edit: a click on a half steps the edit once at once,
// again after 300 ms and then every 50 ms while the button stays held over that half.
#pragma once
#include "framework/Control.h"

class TQXTEditValue;

class TSpinButton : public TControl {
public:
  static constexpr UINT kRepeatTimer = 1;
  static constexpr UINT kFirstDelayMs = 300;
  static constexpr UINT kRepeatMs = 50;

  // Made a child of the buddy's parent, with control id -1.
  TSpinButton(TQXTEditValue* buddy, HINSTANCE module = nullptr);

  const char* GetClassName() const override { return "TSpinButton"; }
  void GetWindowClass(WNDCLASSA& wc) override;
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

  void PlaceBesideBuddy();
  int GetPressedHalf() const { return pressed_; }
  bool IsCaptured() const { return captured_; }

  LRESULT EvSetFocus(WPARAM, LPARAM);
  LRESULT EvLButtonDown(WPARAM, LPARAM);
  LRESULT EvLButtonUp(WPARAM, LPARAM);
  LRESULT EvMouseMove(WPARAM, LPARAM);
  LRESULT EvTimer(WPARAM, LPARAM);
  LRESULT EvCaptureChanged(WPARAM, LPARAM);

private:
  int HalfAt(LPARAM lParam) const;
  void StopRepeat(bool release);
  void DrawHalf(TDC& dc, const TRect& r, int direction, bool enabled, bool pressed) const;

  TQXTEditValue* buddy_;
  int pressed_ = 0;
  bool captured_ = false;
};
