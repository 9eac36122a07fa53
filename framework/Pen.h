// A GDI pen.
#pragma once
#include "framework/GdiObject.h"

class TPen : public TGdiObject {
public:
  explicit TPen(COLORREF color, int width = 1, int style = PS_SOLID)
      : TGdiObject(CreatePen(style, width, color), true) {}
  TPen(HPEN pen, bool owned) : TGdiObject(pen, owned) {}
  static TPen Stock(int index) { return TPen(static_cast<HPEN>(GetStockObject(index)), false); }

  HPEN GetHandle() const { return static_cast<HPEN>(handle_); }
  operator HPEN() const { return GetHandle(); }
};
