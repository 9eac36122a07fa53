#include "tests/support/guidriver/Screenshot.h"
#include <cstdio>

namespace guidriver {

TPixels CaptureDC(HDC dc, int x, int y, int width, int height) {
  TPixels out;
  if (width <= 0 || height <= 0) return out;
  HDC mem = CreateCompatibleDC(dc);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp) {
    DeleteDC(mem);
    return out;
  }
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, width, height, dc, x, y, SRCCOPY);
  GdiFlush();
  out.width = width;
  out.height = height;
  out.pixels.resize(static_cast<size_t>(width) * height);
  const DWORD* p = static_cast<const DWORD*>(bits);
  for (size_t i = 0; i < out.pixels.size(); ++i) {
    DWORD v = p[i];  // 0x00RRGGBB
    out.pixels[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  return out;
}

TPixels CaptureClient(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  HDC dc = GetDC(hwnd);
  TPixels p = CaptureDC(dc, 0, 0, r.right, r.bottom);
  ReleaseDC(hwnd, dc);
  return p;
}

bool SaveBmp(const TPixels& px, const std::string& path) {
  if (px.width <= 0 || px.height <= 0) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  int line = (px.width * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(line) * px.height;
  ih.biSize = sizeof ih;
  ih.biWidth = px.width;
  ih.biHeight = px.height;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  std::fwrite(&fh, sizeof fh, 1, f);
  std::fwrite(&ih, sizeof ih, 1, f);
  std::vector<unsigned char> row(static_cast<size_t>(line), 0);
  for (int y = px.height - 1; y >= 0; --y) {
    for (int x = 0; x < px.width; ++x) {
      COLORREF c = px.At(x, y);
      row[static_cast<size_t>(x) * 3] = GetBValue(c);
      row[static_cast<size_t>(x) * 3 + 1] = GetGValue(c);
      row[static_cast<size_t>(x) * 3 + 2] = GetRValue(c);
    }
    std::fwrite(row.data(), 1, row.size(), f);
  }
  return std::fclose(f) == 0;
}

}  // namespace guidriver
