// A device context: selects GDI objects and puts the originals back when it goes away, and wraps
// the drawing calls the program uses. The concrete contexts say where the handle comes from.
#pragma once
#include <windows.h>
#include <cstddef>
#include "framework/Geometry.h"

class TGdiObject;
class TFont;
class TPen;
class TBrush;
class TBitmap;
class TPalette;
class TRegion;

class TDC {
public:
  explicit TDC(HDC hdc) : hdc_(hdc) {}
  virtual ~TDC();
  TDC(const TDC&) = delete;
  TDC& operator=(const TDC&) = delete;

  HDC GetHDC() const { return hdc_; }
  operator HDC() const { return hdc_; }
  bool IsValid() const { return hdc_ != nullptr; }

  // Selection; the first object replaced of each kind is restored by RestoreObjects.
  void SelectObject(const TFont& font);
  void SelectObject(const TPen& pen);
  void SelectObject(const TBrush& brush);
  void SelectObject(const TBitmap& bitmap);
  void SelectStockObject(int index);
  void SelectPalette(const TPalette& palette, bool background = false);
  UINT RealizePalette() { return ::RealizePalette(hdc_); }
  void RestoreObjects();
  void RestoreFont();
  void RestorePen();
  void RestoreBrush();

  COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(hdc_, c); }
  COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(hdc_, c); }
  COLORREF GetBkColor() const { return ::GetBkColor(hdc_); }
  int SetBkMode(int mode) { return ::SetBkMode(hdc_, mode); }
  int SetROP2(int mode) { return ::SetROP2(hdc_, mode); }
  int GetROP2() const { return ::GetROP2(hdc_); }
  int GetDeviceCaps(int index) const { return ::GetDeviceCaps(hdc_, index); }

  bool TextOut(int x, int y, const char* text, int len = -1);
  bool ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, int len = -1);
  int DrawText(const char* text, int len, RECT& rect, UINT format);
  SIZE GetTextExtent(const char* text, int len = -1) const;
  bool GetTextMetrics(TEXTMETRICA& tm) const { return ::GetTextMetricsA(hdc_, &tm); }

  bool MoveTo(int x, int y) { return ::MoveToEx(hdc_, x, y, nullptr); }
  bool LineTo(int x, int y) { return ::LineTo(hdc_, x, y); }
  bool Rectangle(const RECT& r) { return ::Rectangle(hdc_, r.left, r.top, r.right, r.bottom); }
  bool FillRect(const RECT& r, const TBrush& brush);
  // Fills a rectangle with a colour without a brush (an opaque ExtTextOut).
  void FillSolidRect(const RECT& r, COLORREF color);
  bool BitBlt(int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop = SRCCOPY) {
    return ::BitBlt(hdc_, x, y, w, h, src, sx, sy, rop);
  }
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(hdc_, x, y); }
  COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(hdc_, x, y, c); }

  int SelectClipRgn(const TRegion& region);
  int SelectClipRgn(std::nullptr_t) { return ::SelectClipRgn(hdc_, nullptr); }
  int SaveDC() { return ::SaveDC(hdc_); }
  bool RestoreDC(int saved = -1) { return ::RestoreDC(hdc_, saved); }

protected:
  TDC() = default;
  void SetHDC(HDC hdc) { hdc_ = hdc; }

  HDC hdc_ = nullptr;

private:
  void Remember(HGDIOBJ previous, HGDIOBJ& slot);

  HGDIOBJ origFont_ = nullptr;
  HGDIOBJ origPen_ = nullptr;
  HGDIOBJ origBrush_ = nullptr;
  HGDIOBJ origBitmap_ = nullptr;
  HPALETTE origPalette_ = nullptr;
};
