#include "framework/Palette.h"
#include <vector>
#include "framework/Dib.h"

TPalette::TPalette(const TDib& dib) {
  int n = dib.NumColors();
  if (n <= 0) return;
  std::vector<BYTE> mem(sizeof(LOGPALETTE) + static_cast<size_t>(n) * sizeof(PALETTEENTRY));
  LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(mem.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(n);
  for (int i = 0; i < n; ++i) {
    COLORREF c = dib.GetColor(i);
    lp->palPalEntry[i] = {GetRValue(c), GetGValue(c), GetBValue(c), 0};
  }
  Reset(CreatePalette(lp));
}

int TPalette::GetNumEntries() const {
  WORD n = 0;
  return GetObjectA(handle_, sizeof n, &n) ? n : 0;
}
