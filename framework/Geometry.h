// Points and rectangles as the Win32 records with a few conveniences.
#pragma once
#include <windows.h>

struct TPoint : POINT {
  constexpr TPoint(int px = 0, int py = 0) : POINT{px, py} {}
  constexpr TPoint(const POINT& p) : POINT(p) {}
  TPoint operator-(const POINT& o) const { return TPoint(x - o.x, y - o.y); }
  TPoint operator+(const POINT& o) const { return TPoint(x + o.x, y + o.y); }
  bool operator==(const TPoint& o) const { return x == o.x && y == o.y; }
};

struct TRect : RECT {
  constexpr TRect() : RECT{0, 0, 0, 0} {}
  constexpr TRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  constexpr TRect(const RECT& r) : RECT(r) {}
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  TPoint TopLeft() const { return TPoint(left, top); }
  // Left and top inclusive, right and bottom exclusive, as PtInRect.
  bool Contains(const POINT& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  TRect& Offset(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; return *this; }
  TRect& MoveTo(int x, int y) { return Offset(x - left, y - top); }
  bool operator==(const TRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};
