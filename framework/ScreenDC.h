// The device context of the whole screen.
#pragma once
#include "framework/DC.h"

class TScreenDC : public TDC {
public:
  TScreenDC() { SetHDC(GetDC(nullptr)); }
  ~TScreenDC() override {
    RestoreObjects();
    if (hdc_) ReleaseDC(nullptr, hdc_);
  }
};
