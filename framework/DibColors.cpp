#include "framework/DibColors.h"
#include <cstring>
#include <vector>
#include "framework/Bitmap.h"
#include "framework/Dib.h"
#include "framework/MemoryDC.h"
#include "framework/Palette.h"
#include "framework/ScreenDC.h"

namespace {

constexpr int kPaletteSize = 256;

bool IsPaletteDevice256(HDC dc) {
  return (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) && GetDeviceCaps(dc, SIZEPALETTE) == kPaletteSize;
}

std::vector<char> PaletteRecord(int count) {
  std::vector<char> bytes(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(count), 0);
  auto* lp = reinterpret_cast<LOGPALETTE*>(bytes.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(count);
  return bytes;
}

}  // namespace

int GetDibBackgroundIndex(const TDib& dib) {
  if (!dib.IsOk()) return 0;
  return *static_cast<const unsigned char*>(dib.GetBits()) >> 4;
}

COLORREF GetDibBackgroundColor(const TDib& dib) { return dib.GetColor(GetDibBackgroundIndex(dib)); }

std::unique_ptr<TBitmap> RecolorDibBackground(TDib& dib, COLORREF color) {
  dib.SetColor(GetDibBackgroundIndex(dib), color);
  TPalette palette = TPalette::Default();
  return std::make_unique<TBitmap>(dib, &palette);
}

std::unique_ptr<TBitmap> MakeColorMask(const TBitmap& bitmap, COLORREF color) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  auto mask = std::make_unique<TBitmap>(w, h, 1, 1);
  TMemoryDC source;
  TMemoryDC target;
  source.SelectObject(bitmap);
  target.SelectObject(*mask);
  target.FillSolidRect(TRect(0, 0, w, h), RGB(255, 255, 255));
  // Colour to monochrome: pixels of the source's background colour become white.
  source.SetBkColor(color);
  target.BitBlt(0, 0, w, h, source, 0, 0, SRCCOPY);
  return mask;
}

bool BuildIdentityPalette(PALETTEENTRY (&entries)[256]) {
  TScreenDC screen;
  if (!IsPaletteDevice256(screen)) return false;
  int statics = 1;
  if (GetSystemPaletteUse(screen) == SYSPAL_NOSTATIC) {
    entries[0] = PALETTEENTRY{0, 0, 0, 0};
    entries[kPaletteSize - 1] = PALETTEENTRY{255, 255, 255, 0};
  } else {
    statics = GetDeviceCaps(screen, NUMCOLORS) / 2;
    if (statics < 1 || statics > kPaletteSize / 2) statics = 1;
    GetSystemPaletteEntries(screen, 0, statics, entries);
    GetSystemPaletteEntries(screen, kPaletteSize - statics, statics, entries + kPaletteSize - statics);
  }
  for (int i = 0; i < kPaletteSize; ++i) {
    const bool isStatic = i < statics || i >= kPaletteSize - statics;
    entries[i].peFlags = isStatic ? 0 : PC_NOCOLLAPSE;
  }
  return true;
}

void ResetSystemPalette() {
  std::vector<char> bytes = PaletteRecord(kPaletteSize);
  auto* lp = reinterpret_cast<LOGPALETTE*>(bytes.data());
  for (int i = 0; i < kPaletteSize; ++i) lp->palPalEntry[i].peFlags = PC_NOCOLLAPSE;
  TPalette palette(lp);
  // The context goes first, giving back its own palette before ours is deleted.
  TScreenDC screen;
  screen.SelectPalette(palette);
  screen.RealizePalette();
}
