// A GDI logical palette.
#pragma once
#include "framework/GdiObject.h"

class TDib;

class TPalette : public TGdiObject {
public:
  explicit TPalette(const LOGPALETTE* lp) : TGdiObject(CreatePalette(lp), true) {}
  // A palette of the DIB's colour table.
  explicit TPalette(const TDib& dib);
  TPalette(HPALETTE palette, bool owned) : TGdiObject(palette, owned) {}
  static TPalette Default() { return TPalette(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), false); }

  HPALETTE GetHandle() const { return static_cast<HPALETTE>(handle_); }
  operator HPALETTE() const { return GetHandle(); }
  int GetNumEntries() const;
  UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const {
    return ::GetPaletteEntries(GetHandle(), start, count, entries);
  }
};
