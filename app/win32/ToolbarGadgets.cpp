#include "app/win32/ToolbarGadgets.h"

#include <cstring>
#include <vector>

#include "foundation/win32/FrameDrawing.h"
#include "framework/Dib.h"

namespace {

HBRUSH hatchBrush = nullptr;
HBITMAP hatchBitmap = nullptr;

COLORREF Sys(int index) { return GetSysColor(index); }

bool Same(COLORREF a, COLORREF b) { return (a & 0xFFFFFF) == (b & 0xFFFFFF); }

// The four interface colours of a picture become the system's.
COLORREF MapInterfaceColour(COLORREF c) {
  if (Same(c, RGB(192, 192, 192))) return Sys(COLOR_BTNFACE);
  if (Same(c, RGB(0, 0, 0))) return Sys(COLOR_BTNTEXT);
  if (Same(c, RGB(128, 128, 128))) return Sys(COLOR_BTNSHADOW);
  if (Same(c, RGB(255, 255, 255))) return Sys(COLOR_BTNHIGHLIGHT);
  return c;
}

uint32_t Pixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace

int EdgeLineWidth(bool win4) { return win4 ? 2 : 1; }

RECT DrawEdgeLines(HDC dc, RECT r, uint16_t edges, bool win4) {
  const int w = EdgeLineWidth(win4);
  const bool highlight = (edges & 0x0080) != 0;
  HBRUSH dark = GetSysColorBrush(win4 ? COLOR_BTNSHADOW : COLOR_WINDOWFRAME);
  HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  const int top = (edges & 0x0200) ? r.top + w : r.top;
  const int bottom = (edges & 0x0800) ? r.bottom - w : r.bottom;
  auto line = [&](int l, int t, int rr, int b, HBRUSH brush) {
    if (!dc) return;
    RECT x{l, t, rr, b};
    FillRect(dc, &x, brush);
  };
  if (edges & 0x0200) {
    line(r.left, r.top, r.right, r.top + 1, dark);
    if (highlight) line(r.left, r.top + 1, r.right, r.top + 2, light);
  }
  if (edges & 0x0800) {
    line(r.left, r.bottom - w, r.right, r.bottom - w + 1, dark);
    if (highlight) line(r.left, r.bottom - w + 1, r.right, r.bottom - w + 2, light);
  }
  if (edges & 0x0100) {
    line(r.left, top, r.left + 1, bottom, dark);
    if (highlight) line(r.left + 1, top, r.left + 2, bottom, light);
  }
  if (edges & 0x0400) {
    line(r.right - w, top, r.right - w + 1, bottom, dark);
    if (highlight) line(r.right - w + 1, top, r.right - w + 2, bottom, light);
  }
  RECT inside = r;
  if (edges & 0x0100) inside.left += w;
  if (edges & 0x0200) inside.top += w;
  if (edges & 0x0400) inside.right -= w;
  if (edges & 0x0800) inside.bottom -= w;
  return inside;
}

void RebuildToolbarHatchBrush() {
  if (hatchBrush) DeleteObject(hatchBrush);
  if (hatchBitmap) DeleteObject(hatchBitmap);
  HDC screen = GetDC(nullptr);
  hatchBitmap = CreateCompatibleBitmap(screen, 8, 8);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, hatchBitmap);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) SetPixel(mem, x, y, ((x + y) & 1) ? Sys(COLOR_BTNHIGHLIGHT) : Sys(COLOR_BTNFACE));
  }
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  hatchBrush = CreatePatternBrush(hatchBitmap);
}

HBRUSH GetToolbarHatchBrush() {
  if (!hatchBrush) RebuildToolbarHatchBrush();
  return hatchBrush;
}

void XorToolbarOutline(const RECT& r, int w) {
  HDC dc = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, GetToolbarHatchBrush());
  const int width = r.right - r.left, height = r.bottom - r.top;
  PatBlt(dc, r.left, r.top, width, w, PATINVERT);
  PatBlt(dc, r.left, r.bottom - w, width, w, PATINVERT);
  PatBlt(dc, r.left, r.top + w, w, height - 2 * w, PATINVERT);
  PatBlt(dc, r.right - w, r.top + w, w, height - 2 * w, PATINVERT);
  SelectObject(dc, old);
  ReleaseDC(GetDesktopWindow(), dc);
}

TPoint TQVToolbarSeparatorGadget::DesiredSize() const {
  return TPoint(6 * GetSystemMetrics(SM_CXBORDER), 6 * GetSystemMetrics(SM_CYBORDER));
}

void TQVToolbarSeparatorGadget::Paint(HDC dc, const RECT& r, bool vertical, bool rowLine) {
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  RECT band = r;
  if (vertical || rowLine) {
    band.top = r.top + (r.bottom - r.top - 4) / 2 + 1;
    band.bottom = band.top + 2;
  } else {
    band.left = r.left + (r.right - r.left - 4) / 2 + 1;
    band.right = band.left + 2;
  }
  Draw3DFrame(dc, band, kFrameOuterSunken | kFrameInnerRaised, kFrameAll);
}

TToolbarButtonGadget::TToolbarButtonGadget(int bitmapId, int id, TType type)
    : id_(id), bitmapId_(bitmapId), type_(type) {}

TToolbarButtonGadget::~TToolbarButtonGadget() { ForgetCels(); }

void TToolbarButtonGadget::ForgetCels() {
  if (cels_) DeleteObject(cels_);
  cels_ = nullptr;
}

TPoint TToolbarButtonGadget::DesiredSize() const {
  // One pixel of border on each side, and 4 pixels of room each way.
  return TPoint(kGlyphWidth + 2 + 4, kGlyphHeight + 2 + 4);
}

void TToolbarButtonGadget::BuildCels(HDC dc) {
  const int w = kGlyphWidth, h = kGlyphHeight;
  TDib dib(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId_));
  if (!dib.IsOk()) dib = TDib(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  std::vector<COLORREF> image(static_cast<size_t>(w * h), Sys(COLOR_BTNFACE));
  if (dib.IsOk() && dib.NumColors() > 0) {
    for (int y = 0; y < h && y < dib.Height(); ++y) {
      for (int x = 0; x < w && x < dib.Width(); ++x) image[y * w + x] = MapInterfaceColour(dib.GetColor(dib.GetPixelIndex(x, y)));
    }
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = 4 * w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  cels_ = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!cels_ || !bits) return;
  uint32_t* px = static_cast<uint32_t*>(bits);
  const COLORREF face = Sys(COLOR_BTNFACE), light = Sys(COLOR_BTNHIGHLIGHT), shadow = Sys(COLOR_BTNSHADOW);
  auto put = [&](int cel, int x, int y, COLORREF c) {
    if (x >= 0 && x < w && y >= 0 && y < h) px[y * 4 * w + cel * w + x] = Pixel(c);
  };
  auto dark = [&](COLORREF c) { return !Same(c, face) && GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 160; };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = image[y * w + x];
      put(0, x, y, c);
      put(1, x, y, face);
      const COLORREF behind = ((x + y) & 1) ? light : face;
      put(2, x, y, Same(c, face) ? behind : c);
      put(3, x, y, Same(c, face) ? behind : c);
    }
  }
  // The disabled cel: the dark parts embossed, highlight one pixel right and down, shadow in place.
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (dark(image[y * w + x])) put(1, x + 1, y + 1, light);
    }
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (dark(image[y * w + x])) put(1, x, y, shadow);
    }
  }
}

void TToolbarButtonGadget::Paint(HDC dc, const RECT& r, bool, bool) {
  if (!cels_) BuildCels(dc);
  const int w = kGlyphWidth, h = kGlyphHeight;
  const int shift = pressed_ ? 1 : 0;
  const int gx = r.left + (r.right - r.left - w) / 2 + shift;
  const int gy = r.top + (r.bottom - r.top - h) / 2 + shift;
  // Button face around the glyph only, so the glyph never flickers.
  HBRUSH faceBrush = GetSysColorBrush(COLOR_BTNFACE);
  const RECT around[4] = {{r.left, r.top, r.right, gy}, {r.left, gy + h, r.right, r.bottom},
                          {r.left, gy, gx, gy + h}, {gx + w, gy, r.right, gy + h}};
  for (const RECT& a : around) {
    if (a.right > a.left && a.bottom > a.top) FillRect(dc, &a, faceBrush);
  }
  if ((hot_ && enabled_) || state_ != Up) {
    RECT frame = r;
    Draw3DFrame(dc, frame, (pressed_ || state_ == Down) ? 10 : 5, 0xAF);
  }
  int cel = 0;
  if (!enabled_) {
    cel = 1;
  } else if (state_ == Indeterminate) {
    cel = 2;
  } else if (state_ == Down && !hot_) {
    cel = 3;
  }
  if (!cels_) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, cels_);
  BitBlt(dc, gx, gy, w, h, mem, cel * w, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

void TToolButtonGadgetEnabler::Enable(bool enable) {
  TCommandEnabler::Enable(enable);
  gadget_.SetEnabled(enable);
}
