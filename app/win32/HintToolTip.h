// The shell's tooltip window behind the status bar's hint interface: the tip part of a toolbar
// hint is handed straight to the window, which owns the delay, placement and hiding.
#pragma once
#include "app/win32/ShellGlobals.h"
#include "framework/ToolTip.h"

class THintToolTip : public THintTip {
public:
  explicit THintToolTip(HINSTANCE module) : tip_(nullptr, module) {}

  void SetText(const char* text) override { tip_.SetText(text); }
  // The window itself: the frame creates it, the toolbars give it their tool rectangles.
  TToolTip& Window() { return tip_; }

private:
  TToolTip tip_;
};
