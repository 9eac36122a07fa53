// A rectangle drawn with an inverting raster mode, so that drawing it again erases it: the
// selection and drag frame of the editing view.
#pragma once

#include <windows.h>

class TXorRect {
public:
  TXorRect() = default;

  // The rectangle is the given one, else the window's client rectangle, else 0, 0, 10, 10.
  void SetWindow(HWND window, const RECT* rect);
  void SetRect(const RECT& rect) { rect_ = rect; }
  // The score view uses width 2, PS_SOLID and R2_NOTXORPEN.
  void SetPen(COLORREF color, int width, int style, int rop2);

  // Draws the outline once with the pen and the raster mode, leaving the context as it was.
  void Draw(HDC dc) const;
  // Flips between drawn and not drawn, drawing into the window when there is one.
  void Toggle();
  void Show();
  void Hide();
  // Puts the frame back into a context the window has just repainted, when it is shown.
  void Repaint(HDC dc) const;

  bool IsShown() const { return !hidden_; }
  const RECT& GetRect() const { return rect_; }

private:
  bool hidden_ = true;
  HWND window_ = nullptr;
  RECT rect_{0, 0, 10, 10};
  // Until SetPen: a one-pixel black outline that inverts what it covers.
  COLORREF penColor_ = RGB(0, 0, 0);
  int penWidth_ = 1;
  int penStyle_ = PS_SOLID;
  int rop2_ = R2_NOTXORPEN;
};
