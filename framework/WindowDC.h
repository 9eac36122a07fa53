// The device context of a whole window, frame and caption included.
#pragma once
#include "framework/DC.h"

class TWindowDC : public TDC {
public:
  explicit TWindowDC(HWND hwnd) : hwnd_(hwnd) { SetHDC(GetWindowDC(hwnd)); }
  ~TWindowDC() override {
    RestoreObjects();
    if (hdc_) ReleaseDC(hwnd_, hdc_);
  }

private:
  HWND hwnd_;
};
