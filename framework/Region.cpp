#include "framework/Region.h"

TRegion::TRegion(const TRegion& other) : TGdiObject(CreateRectRgn(0, 0, 0, 0), true) {
  CombineRgn(GetHandle(), other.GetHandle(), nullptr, RGN_COPY);
}

TRect TRegion::GetBox() const {
  TRect r;
  GetRgnBox(GetHandle(), &r);
  return r;
}

bool TRegion::IsEmpty() const {
  TRect r;
  return GetRgnBox(GetHandle(), &r) == NULLREGION;
}
