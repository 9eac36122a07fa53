#include "framework/BitmapControl.h"

#include "framework/Bitmap.h"
#include "framework/Dib.h"
#include "framework/Palette.h"

namespace {
using R = TResponse<TBitmapControl>;
constexpr R kResponses[] = {R::Message(WM_PAINT, &TBitmapControl::EvPaint)};

void Line(HDC dc, int x1, int y1, int x2, int y2, int colorIndex) {
  RECT r{x1, y1, x2, y2};
  SetBkColor(dc, GetSysColor(colorIndex));
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// One ring of a frame: top and left in one colour, bottom and right in the other; the rectangle
// shrinks by a pixel.
void Ring(HDC dc, RECT& r, int topLeft, int bottomRight) {
  Line(dc, r.left, r.top, r.right, r.top + 1, topLeft);
  Line(dc, r.left, r.top, r.left + 1, r.bottom, topLeft);
  Line(dc, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
  Line(dc, r.right - 1, r.top, r.right, r.bottom, bottomRight);
  InflateRect(&r, -1, -1);
}
}  // namespace

TBitmapControl::TBitmapControl(TWindow* parent, int resourceId, LPCSTR bitmap, TPictureFrame frame, HINSTANCE module)
    : TControl(parent, resourceId, module), frame_(frame) {
  auto dib = std::make_unique<TDib>(GetModule(), bitmap);
  if (!dib->IsOk()) return;
  ownPalette_ = dib->BitsPixel() <= 8;
  palette_ = ownPalette_ ? std::make_unique<TPalette>(*dib)
                         : std::make_unique<TPalette>(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), false);
  bitmap_ = std::make_unique<TBitmap>(*dib, palette_.get());
  dib_ = std::move(dib);
}

TBitmapControl::~TBitmapControl() = default;

bool TBitmapControl::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TControl::Find(ev); }

void TBitmapControl::SetupWindow() { TControl::SetupWindow(); }

void TBitmapControl::SetNaturalSize(bool on) {
  naturalSize_ = on;
  Invalidate();
}

void TBitmapControl::RealizePicturePalette() {
  if (!palette_ || !GetHandle()) return;
  HDC dc = GetDC(GetHandle());
  HPALETTE old = SelectPalette(dc, *palette_, FALSE);
  const UINT changed = RealizePalette(dc);
  SelectPalette(dc, old, FALSE);
  ReleaseDC(GetHandle(), dc);
  if (changed) Invalidate(false);
}

LRESULT TBitmapControl::EvPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(GetHandle(), &ps);
  PaintPicture(dc);
  EndPaint(GetHandle(), &ps);
  return 0;
}

void TBitmapControl::PaintPicture(HDC dc) {
  RECT r = GetClientRect();
  if (naturalSize_ && dib_) {
    const int grow = frame_ == TPictureFrame::None ? 0 : frame_ == TPictureFrame::Line ? 2 : 4;
    r.right = r.left + dib_->Width() + grow;
    r.bottom = r.top + dib_->Height() + grow;
  }
  switch (frame_) {
    case TPictureFrame::None:
      break;
    case TPictureFrame::Line:
      Ring(dc, r, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
      break;
    case TPictureFrame::Sunken:
      Ring(dc, r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
      Ring(dc, r, COLOR_WINDOWFRAME, COLOR_BTNFACE);
      break;
    case TPictureFrame::Raised:
      Ring(dc, r, COLOR_BTNHIGHLIGHT, COLOR_WINDOWFRAME);
      Ring(dc, r, COLOR_BTNFACE, COLOR_BTNSHADOW);
      break;
  }
  if (!dib_ || !bitmap_) return;
  HPALETTE oldPalette = SelectPalette(dc, *palette_, FALSE);
  RealizePalette(dc);
  HDC mem = CreateCompatibleDC(dc);
  HPALETTE oldMemPalette = SelectPalette(mem, *palette_, FALSE);
  RealizePalette(mem);
  HGDIOBJ oldBitmap = SelectObject(mem, *bitmap_);
  const int w = dib_->Width(), h = dib_->Height();
  if (naturalSize_) {
    BitBlt(dc, r.left, r.top, w, h, mem, 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, mem, 0, 0, w, h, SRCCOPY);
  }
  SelectObject(mem, oldBitmap);
  SelectPalette(mem, oldMemPalette, FALSE);
  DeleteDC(mem);
  SelectPalette(dc, oldPalette, FALSE);
}
