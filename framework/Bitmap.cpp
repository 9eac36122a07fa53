#include "framework/Bitmap.h"
#include "framework/Dib.h"
#include "framework/Palette.h"
#include "framework/ScreenDC.h"

TBitmap::TBitmap(const TDib& dib, const TPalette* palette) {
  if (!dib.IsOk()) return;
  TScreenDC screen;
  if (palette) {
    screen.SelectPalette(*palette);
    screen.RealizePalette();
  }
  Reset(CreateDIBitmap(screen, &dib.GetInfo()->bmiHeader, CBM_INIT, dib.GetBits(), dib.GetInfo(),
                       DIB_RGB_COLORS));
}

int TBitmap::Width() const {
  BITMAP bm{};
  return GetObjectA(handle_, sizeof bm, &bm) ? bm.bmWidth : 0;
}

int TBitmap::Height() const {
  BITMAP bm{};
  return GetObjectA(handle_, sizeof bm, &bm) ? bm.bmHeight : 0;
}
