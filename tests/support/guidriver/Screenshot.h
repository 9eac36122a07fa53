// Pictures of windows: the client area's pixels, saved as a 24-bit BMP file or kept in memory.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace guidriver {

struct TPixels {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // row by row from the top
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Copies the window's client area as it is on the screen now.
TPixels CaptureClient(HWND hwnd);
// The pixels of a device context's rectangle.
TPixels CaptureDC(HDC dc, int x, int y, int width, int height);
bool SaveBmp(const TPixels& pixels, const std::string& path);

}  // namespace guidriver
