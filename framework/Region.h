// A GDI region, combined with the usual set operations.
#pragma once
#include "framework/GdiObject.h"
#include "framework/Geometry.h"

class TRegion : public TGdiObject {
public:
  TRegion() : TGdiObject(CreateRectRgn(0, 0, 0, 0), true) {}
  explicit TRegion(const RECT& r) : TGdiObject(CreateRectRgnIndirect(&r), true) {}
  TRegion(HRGN region, bool owned) : TGdiObject(region, owned) {}
  TRegion(const TRegion& other);

  HRGN GetHandle() const { return static_cast<HRGN>(handle_); }
  operator HRGN() const { return GetHandle(); }

  void SetRect(const RECT& r) { SetRectRgn(GetHandle(), r.left, r.top, r.right, r.bottom); }
  void Offset(int dx, int dy) { OffsetRgn(GetHandle(), dx, dy); }
  bool Contains(const POINT& p) const { return PtInRegion(GetHandle(), p.x, p.y) != 0; }
  TRect GetBox() const;
  bool IsEmpty() const;

  TRegion& operator&=(const TRegion& o) { return Combine(o, RGN_AND); }
  TRegion& operator|=(const TRegion& o) { return Combine(o, RGN_OR); }
  TRegion& operator-=(const TRegion& o) { return Combine(o, RGN_DIFF); }
  TRegion& operator^=(const TRegion& o) { return Combine(o, RGN_XOR); }

private:
  TRegion& Combine(const TRegion& o, int mode) {
    CombineRgn(GetHandle(), GetHandle(), o.GetHandle(), mode);
    return *this;
  }
};
