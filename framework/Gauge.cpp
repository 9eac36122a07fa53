#include "framework/Gauge.h"
#include <algorithm>
#include <string>
#include "framework/Brush.h"
#include "framework/DC.h"

TGauge::TGauge(TWindow* parent, const char* title, int id, int x, int y, int w, int h, bool horizontal, int margin,
               HINSTANCE module)
    : TControl(parent, id, title, x, y, w, h, module), margin_(std::max(0, margin)), horizontal_(horizontal) {
  Attr.style = WS_CHILD | WS_VISIBLE;
}

void TGauge::GetWindowClass(WNDCLASSA& wc) {
  TControl::GetWindowClass(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
}

void TGauge::SetRange(int min, int max) {
  if (min >= max) max = min + 1;
  min_ = min;
  max_ = max;
  int v = std::clamp(value_, min_, max_);
  if (v != value_) {
    value_ = v;
  }
  Invalidate();
}

void TGauge::SetValue(int value) {
  value = std::clamp(value, min_, max_);
  if (value == value_) return;
  value_ = value;
  if (hwnd_) {
    Invalidate(false);
    UpdateWindow();
  }
}

void TGauge::SetLed(int spacing, int thicknessPercent) {
  ledSpacing_ = std::max(0, spacing);
  ledThick_ = std::clamp(thicknessPercent, 1, 100);
  Invalidate();
}

int TGauge::Offset(int value, int length) const {
  return static_cast<int>(static_cast<long long>(value - min_) * length / (max_ - min_));
}

void TGauge::Paint(TDC& dc, bool, const TRect&) {
  TRect client = GetClientRect();
  DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  TRect inner(client.left + margin_, client.top + margin_, client.right - margin_, client.bottom - margin_);
  dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
  if (inner.IsEmpty()) return;
  int length = horizontal_ ? inner.Width() : inner.Height();
  COLORREF bar = GetSysColor(COLOR_HIGHLIGHT);
  // Segments grow from the left, or from the bottom of a vertical gauge.
  auto place = [&](int from, int to) {
    TRect r = inner;
    if (horizontal_) {
      r.left = inner.left + from;
      r.right = inner.left + to;
    } else {
      r.bottom = inner.bottom - from;
      r.top = inner.bottom - to;
    }
    dc.FillSolidRect(r, bar);
  };
  if (ledSpacing_ > 0) {
    for (int v = min_; v < value_; v += ledSpacing_) {
      int from = Offset(v, length);
      int step = Offset(std::min(v + ledSpacing_, max_), length) - from;
      int thick = std::max(1, step * ledThick_ / 100);
      place(from, std::min(length, from + thick));
    }
    return;
  }
  place(0, Offset(value_, length));
  const char* title = GetTitle();
  if (!title[0]) return;
  // The title is not a format string of ours: only "%d" (the percentage) and "%%" are expanded.
  std::string text;
  for (const char* p = title; *p; ++p) {
    if (p[0] == '%' && p[1] == 'd') {
      text += std::to_string(Offset(value_, 100));
      ++p;
    } else if (p[0] == '%' && p[1] == '%') {
      text += '%';
      ++p;
    } else {
      text += *p;
    }
  }
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
  HFONT old = static_cast<HFONT>(SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)));
  dc.DrawText(text.c_str(), -1, inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
}
