// A device-dependent GDI bitmap.
#pragma once
#include "framework/GdiObject.h"

class TDib;
class TPalette;

class TBitmap : public TGdiObject {
public:
  TBitmap(int width, int height, UINT planes = 1, UINT bitsPerPixel = 1, const void* bits = nullptr)
      : TGdiObject(CreateBitmap(width, height, planes, bitsPerPixel, bits), true) {}
  // A bitmap compatible with a device context.
  TBitmap(HDC compatible, int width, int height)
      : TGdiObject(CreateCompatibleBitmap(compatible, width, height), true) {}
  // A bitmap resource of the module.
  TBitmap(HINSTANCE module, LPCSTR resource) : TGdiObject(LoadBitmapA(module, resource), true) {}
  // A device bitmap made from a DIB, realised with the palette when one is given.
  explicit TBitmap(const TDib& dib, const TPalette* palette = nullptr);
  TBitmap(HBITMAP bitmap, bool owned) : TGdiObject(bitmap, owned) {}

  HBITMAP GetHandle() const { return static_cast<HBITMAP>(handle_); }
  operator HBITMAP() const { return GetHandle(); }
  int Width() const;
  int Height() const;
};
