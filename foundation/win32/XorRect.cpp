#include "foundation/win32/XorRect.h"

void TXorRect::SetWindow(HWND window, const RECT* rect) {
  window_ = window;
  if (rect) {
    rect_ = *rect;
  } else if (!window || !GetClientRect(window, &rect_)) {
    rect_ = RECT{0, 0, 10, 10};
  }
}

void TXorRect::SetPen(COLORREF color, int width, int style, int rop2) {
  penColor_ = color;
  penWidth_ = width;
  penStyle_ = style;
  rop2_ = rop2;
}

void TXorRect::Draw(HDC dc) const {
  HPEN pen = CreatePen(penStyle_, penWidth_, penColor_);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int oldRop = SetROP2(dc, rop2_);
  Rectangle(dc, rect_.left, rect_.top, rect_.right, rect_.bottom);
  SetROP2(dc, oldRop);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void TXorRect::Toggle() {
  hidden_ = !hidden_;
  if (!window_ || !IsWindow(window_)) return;
  HDC dc = GetDC(window_);
  if (!dc) return;
  Draw(dc);
  ReleaseDC(window_, dc);
}

void TXorRect::Show() {
  if (hidden_) Toggle();
}

void TXorRect::Hide() {
  if (!hidden_) Toggle();
}

void TXorRect::Repaint(HDC dc) const {
  if (!hidden_) Draw(dc);
}
