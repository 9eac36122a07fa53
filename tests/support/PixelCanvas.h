// A 32-bit top-down memory canvas: for tests that read back exact pixel colours, and for the tools
// that draw a picture into it and write its pixels out as a PNG.
#pragma once
#include <windows.h>

class TPixelCanvas {
public:
  TPixelCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<const unsigned char*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    RECT r{0, 0, width, height};
    HBRUSH b = CreateSolidBrush(fill);
    FillRect(dc_, &r, b);
    DeleteObject(b);
  }
  ~TPixelCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  TPixelCanvas(const TPixelCanvas&) = delete;
  TPixelCanvas& operator=(const TPixelCanvas&) = delete;

  // False when the system gave no bitmap of that size.
  bool Ok() const { return dc_ && bitmap_; }
  HDC Dc() const { return dc_; }
  // Rows of blue, green, red and an unused byte, top row first; complete after GdiFlush.
  const unsigned char* Bits() const { return bits_; }
  HBITMAP Bitmap() const { return bitmap_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
  HDC dc_;
  HBITMAP bitmap_;
  const unsigned char* bits_ = nullptr;
  HGDIOBJ old_;
};
