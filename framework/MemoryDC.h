// A memory device context compatible with another context (the screen when none is given);
// draw into it after selecting a bitmap.
#pragma once
#include "framework/DC.h"

class TMemoryDC : public TDC {
public:
  TMemoryDC() { SetHDC(CreateCompatibleDC(nullptr)); }
  explicit TMemoryDC(HDC compatible) { SetHDC(CreateCompatibleDC(compatible)); }
  ~TMemoryDC() override {
    RestoreObjects();
    if (hdc_) DeleteDC(hdc_);
  }
};
