// Points and rectangles of plain integers, for the window arithmetic that is worked out in
// portable code (the Win32 side converts its POINT and RECT).
#pragma once

struct TIntPoint {
  int x = 0;
  int y = 0;
  bool operator==(const TIntPoint& o) const { return x == o.x && y == o.y; }
};

struct TIntRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // Left and top inclusive, right and bottom exclusive.
  bool Contains(const TIntPoint& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  void MoveTo(int x, int y) {
    right += x - left;
    bottom += y - top;
    left = x;
    top = y;
  }
  bool operator==(const TIntRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};
