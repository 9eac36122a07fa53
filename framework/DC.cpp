#include "framework/DC.h"
#include <cstring>
#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/Palette.h"
#include "framework/Pen.h"
#include "framework/Region.h"

TDC::~TDC() { RestoreObjects(); }

void TDC::Remember(HGDIOBJ previous, HGDIOBJ& slot) {
  if (!slot && previous && previous != HGDI_ERROR) slot = previous;
}

void TDC::SelectObject(const TFont& font) { Remember(::SelectObject(hdc_, font.GetHandle()), origFont_); }
void TDC::SelectObject(const TPen& pen) { Remember(::SelectObject(hdc_, pen.GetHandle()), origPen_); }
void TDC::SelectObject(const TBrush& brush) { Remember(::SelectObject(hdc_, brush.GetHandle()), origBrush_); }
void TDC::SelectObject(const TBitmap& bitmap) {
  Remember(::SelectObject(hdc_, bitmap.GetHandle()), origBitmap_);
}

void TDC::SelectStockObject(int index) {
  HGDIOBJ obj = GetStockObject(index);
  HGDIOBJ previous = ::SelectObject(hdc_, obj);
  switch (GetObjectType(obj)) {
    case OBJ_FONT: Remember(previous, origFont_); break;
    case OBJ_PEN: Remember(previous, origPen_); break;
    case OBJ_BRUSH: Remember(previous, origBrush_); break;
    default: break;
  }
}

void TDC::SelectPalette(const TPalette& palette, bool background) {
  HPALETTE previous = ::SelectPalette(hdc_, palette.GetHandle(), background);
  if (!origPalette_) origPalette_ = previous;
}

void TDC::RestoreFont() {
  if (origFont_) ::SelectObject(hdc_, origFont_);
  origFont_ = nullptr;
}

void TDC::RestorePen() {
  if (origPen_) ::SelectObject(hdc_, origPen_);
  origPen_ = nullptr;
}

void TDC::RestoreBrush() {
  if (origBrush_) ::SelectObject(hdc_, origBrush_);
  origBrush_ = nullptr;
}

void TDC::RestoreObjects() {
  if (!hdc_) return;
  RestoreFont();
  RestorePen();
  RestoreBrush();
  if (origBitmap_) ::SelectObject(hdc_, origBitmap_);
  origBitmap_ = nullptr;
  if (origPalette_) ::SelectPalette(hdc_, origPalette_, FALSE);
  origPalette_ = nullptr;
}

bool TDC::TextOut(int x, int y, const char* text, int len) {
  if (len < 0) len = static_cast<int>(std::strlen(text));
  return ::TextOutA(hdc_, x, y, text, len);
}

bool TDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, int len) {
  if (!text) text = "";
  if (len < 0) len = static_cast<int>(std::strlen(text));
  return ::ExtTextOutA(hdc_, x, y, options, rect, text, static_cast<UINT>(len), nullptr);
}

int TDC::DrawText(const char* text, int len, RECT& rect, UINT format) {
  return ::DrawTextA(hdc_, text, len, &rect, format);
}

SIZE TDC::GetTextExtent(const char* text, int len) const {
  if (len < 0) len = static_cast<int>(std::strlen(text));
  SIZE s{0, 0};
  ::GetTextExtentPoint32A(hdc_, text, len, &s);
  return s;
}

bool TDC::FillRect(const RECT& r, const TBrush& brush) { return ::FillRect(hdc_, &r, brush.GetHandle()) != 0; }

void TDC::FillSolidRect(const RECT& r, COLORREF color) {
  COLORREF old = ::SetBkColor(hdc_, color);
  ::ExtTextOutA(hdc_, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr);
  ::SetBkColor(hdc_, old);
}

int TDC::SelectClipRgn(const TRegion& region) { return ::SelectClipRgn(hdc_, region.GetHandle()); }
