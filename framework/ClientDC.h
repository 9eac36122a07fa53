// The device context of a window's client area, outside WM_PAINT.
#pragma once
#include "framework/DC.h"

class TClientDC : public TDC {
public:
  explicit TClientDC(HWND hwnd) : hwnd_(hwnd) { SetHDC(GetDC(hwnd)); }
  ~TClientDC() override {
    RestoreObjects();
    if (hdc_) ReleaseDC(hwnd_, hdc_);
  }

private:
  HWND hwnd_;
};
