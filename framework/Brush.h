// A GDI brush: solid, hatched, from a pattern bitmap, or a system colour's brush.
#pragma once
#include "framework/GdiObject.h"

class TBitmap;

class TBrush : public TGdiObject {
public:
  explicit TBrush(COLORREF color) : TGdiObject(CreateSolidBrush(color), true) {}
  TBrush(COLORREF color, int hatchStyle) : TGdiObject(CreateHatchBrush(hatchStyle, color), true) {}
  explicit TBrush(const TBitmap& pattern);
  TBrush(HBRUSH brush, bool owned) : TGdiObject(brush, owned) {}
  static TBrush Stock(int index) { return TBrush(static_cast<HBRUSH>(GetStockObject(index)), false); }
  static TBrush SysColor(int index) { return TBrush(GetSysColorBrush(index), false); }

  HBRUSH GetHandle() const { return static_cast<HBRUSH>(handle_); }
  operator HBRUSH() const { return GetHandle(); }
};
