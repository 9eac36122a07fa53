// A GDI font.
#pragma once
#include "framework/GdiObject.h"

class TFont : public TGdiObject {
public:
  explicit TFont(const LOGFONTA& lf) : TGdiObject(CreateFontIndirectA(&lf), true) {}
  TFont(const char* face, int height, int width = 0, int escapement = 0, int orientation = 0,
        int weight = FW_NORMAL, BYTE pitchAndFamily = DEFAULT_PITCH | FF_DONTCARE, BYTE italic = 0,
        BYTE underline = 0, BYTE strikeout = 0, BYTE charSet = DEFAULT_CHARSET,
        BYTE outputPrecision = OUT_DEFAULT_PRECIS, BYTE clipPrecision = CLIP_DEFAULT_PRECIS,
        BYTE quality = DEFAULT_QUALITY);
  // Wraps a handle; an owned one is deleted with the object.
  TFont(HFONT font, bool owned) : TGdiObject(font, owned) {}
  static TFont Stock(int index) { return TFont(static_cast<HFONT>(GetStockObject(index)), false); }

  HFONT GetHandle() const { return static_cast<HFONT>(handle_); }
  operator HFONT() const { return GetHandle(); }
  bool GetObject(LOGFONTA& lf) const { return ::GetObjectA(handle_, sizeof lf, &lf) == sizeof lf; }
  int GetHeight() const;
};
