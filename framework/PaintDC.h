// The device context of a WM_PAINT: BeginPaint and EndPaint.
#pragma once
#include "framework/DC.h"

class TPaintDC : public TDC {
public:
  explicit TPaintDC(HWND hwnd) : hwnd_(hwnd) { SetHDC(BeginPaint(hwnd, &Ps)); }
  ~TPaintDC() override {
    RestoreObjects();
    EndPaint(hwnd_, &Ps);
  }
  PAINTSTRUCT Ps{};

private:
  HWND hwnd_;
};
