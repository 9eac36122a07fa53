#include "framework/Slider.h"
#include <algorithm>
#include "framework/ClientDC.h"
#include "framework/DC.h"

namespace {

constexpr int kDibBackgroundEntry = 15;
constexpr int kTickLength = 5;

TIntPoint PointOf(LPARAM lParam) {
  return TIntPoint{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void Fill(TDC& dc, int l, int t, int r, int b, COLORREF color) {
  if (r <= l || b <= t) return;
  dc.FillSolidRect(TRect(l, t, r, b), color);
}

}  // namespace

bool TQVSlider::Find(TEvent& ev) {
  // Inside a member, where the private handlers may be named.
  using R = TResponse<TQVSlider>;
  static constexpr R kResponses[] = {
      R::Message(WM_GETDLGCODE, &TQVSlider::EvGetDlgCode),
      R::Message(WM_ERASEBKGND, &TQVSlider::EvEraseBkgnd),
      R::Message(WM_LBUTTONDBLCLK, &TQVSlider::EvLButtonDblClk),
      R::Message(WM_SETFOCUS, &TQVSlider::EvSetFocus),
      R::Message(WM_KILLFOCUS, &TQVSlider::EvKillFocus),
      R::Message(WM_LBUTTONDOWN, &TQVSlider::EvLButtonDown),
      R::Message(WM_MOUSEMOVE, &TQVSlider::EvMouseMove),
      R::Message(WM_LBUTTONUP, &TQVSlider::EvLButtonUp),
      R::Message(WM_KEYDOWN, &TQVSlider::EvKeyDown),
      R::Message(WM_SIZE, &TQVSlider::EvSize),
  };
  return ev.Dispatch(this, kResponses) || TScrollBar::Find(ev);
}

TQVSlider::TQVSlider(TWindow* parent, int id, int x, int y, int w, int h, int thumbResId, bool horizontal,
                     HINSTANCE module)
    : TScrollBar(parent, id, x, y, w, h, horizontal, module),
      model_(horizontal),
      thumbDib_(GetModule(), MAKEINTRESOURCEA(thumbResId)) {
  model_.SetClientSize(w, h);
}

TQVSlider::TQVSlider(TWindow* parent, int resourceId, int thumbResId, bool horizontal, HINSTANCE module)
    : TScrollBar(parent, resourceId, module),
      model_(horizontal),
      thumbDib_(GetModule(), MAKEINTRESOURCEA(thumbResId)) {
  RegisterForTemplates();
}

TQVSlider::~TQVSlider() = default;

void TQVSlider::RegisterForTemplates() {
  // A dialog template names the class: it must exist before the dialog is created.
  WNDCLASSA wc{};
  if (GetClassInfoA(GetModule(), GetClassName(), &wc)) return;
  wc = WNDCLASSA{};
  GetWindowClass(wc);
  RegisterClassA(&wc);
}

void TQVSlider::GetWindowClass(WNDCLASSA& wc) {
  TScrollBar::GetWindowClass(wc);
  wc.style = CS_DBLCLKS;
  wc.hbrBackground = nullptr;
}

void TQVSlider::SyncSize() {
  const TRect client = GetClientRect();
  model_.SetClientSize(client.Width(), client.Height());
}

void TQVSlider::SetupWindow() {
  TScrollBar::SetupWindow();
  SyncSize();
  const TIntPoint p = model_.ValueToPoint(model_.GetPosition());
  model_.Thumb().MoveTo(p.x, p.y);
}

LRESULT TQVSlider::EvSize(WPARAM, LPARAM) {
  SyncSize();
  return DefaultProcessing();
}

void TQVSlider::GetRange(int& min, int& max) const {
  min = model_.GetMin();
  max = model_.GetMax();
}

TRect TQVSlider::GetThumbRect() const {
  const TIntRect& t = model_.Thumb();
  return TRect(t.left, t.top, t.right, t.bottom);
}

void TQVSlider::SetTicks(bool on) {
  model_.SetTicks(on);
  Invalidate(false);
}

int TQVSlider::PointToValue(const TPoint& point) const { return model_.PointToValue(TIntPoint{point.x, point.y}); }

TPoint TQVSlider::ValueToPoint(int value) const {
  const TIntPoint p = model_.ValueToPoint(value);
  return TPoint(p.x, p.y);
}

int TQVSlider::HitTest(const TPoint& point) const {
  // The region, once made, is the thumb's shape.
  if (thumbRegion_ && thumbRegion_->Contains(point)) return SB_THUMBTRACK;
  return model_.HitTest(TIntPoint{point.x, point.y});
}

void TQVSlider::Notify(int scrollCode, int value) {
  HWND parent = hwnd_ ? ::GetParent(hwnd_) : nullptr;
  if (!parent) return;
  ::SendMessageA(parent, model_.IsHorizontal() ? WM_HSCROLL : WM_VSCROLL,
                 MAKEWPARAM(static_cast<WORD>(scrollCode), static_cast<WORD>(value)), reinterpret_cast<LPARAM>(hwnd_));
}

void TQVSlider::SetPosition(int value) {
  value = model_.Snap(value);
  if (value != model_.GetPosition() && hwnd_) {
    if (model_.IsTracking() && dragDC_) {
      MoveThumb(*dragDC_, value);
    } else {
      TClientDC dc(hwnd_);
      MoveThumb(dc, value);
    }
  }
  model_.StorePosition(value);
}

void TQVSlider::AskBackground(TDC& dc) {
  if (HWND parent = ::GetParent(hwnd_)) {
    ::SendMessageA(parent, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc.GetHDC()),
                   reinterpret_cast<LPARAM>(hwnd_));
  }
  background_ = dc.GetBkColor();
}

void TQVSlider::CreateRegion() {
  if (!thumbRegion_) thumbRegion_ = std::make_unique<TRegion>(GetThumbRect());
}

void TQVSlider::PlaceCaret() {
  const TRect thumb = GetThumbRect();
  if (focused_) SetCaretPos(thumb.left + caretRect_.left, thumb.top + caretRect_.top);
}

void TQVSlider::MoveThumb(TDC& dc, int value) {
  if (focused_) HideCaret(hwnd_);
  AskBackground(dc);
  const TRect old = GetThumbRect();
  const TIntPoint p = model_.ValueToPoint(value);
  model_.Thumb().MoveTo(p.x, p.y);
  const TRect now = GetThumbRect();
  if (thumbRegion_) {
    const int saved = dc.SaveDC();
    thumbRegion_->Offset(now.left - old.left, now.top - old.top);
    dc.SelectClipRgn(*thumbRegion_);
    dc.BitBlt(now.left, now.top, now.Width(), now.Height(), dc, old.left, old.top, SRCCOPY);
    TRegion uncovered(old);
    uncovered -= *thumbRegion_;
    dc.SelectClipRgn(uncovered);
    DrawTrack(dc);
    dc.RestoreDC(saved);
  } else {
    DrawTrack(dc);
    DrawThumb(dc);
  }
  if (focused_) {
    PlaceCaret();
    ShowCaret(hwnd_);
  }
}

void TQVSlider::DrawThumb(TDC& dc) {
  const TRect thumb = GetThumbRect();
  const bool pressed = model_.IsTracking() || !IsWindowEnabled();
  if (!thumbDib_.IsOk()) {
    // No bitmap: a plain raised button face.
    RECT r = thumb;
    dc.FillSolidRect(r, GetSysColor(pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    return;
  }
  thumbDib_.SetColor(kDibBackgroundEntry, background_);
  const int srcX = pressed ? thumbDib_.Width() / 2 : 0;
  SetDIBitsToDevice(dc, thumb.left, thumb.top, thumb.Width(), thumb.Height(), srcX,
                    thumbDib_.Height() - thumb.Height(), 0, thumbDib_.Height(), thumbDib_.GetBits(),
                    thumbDib_.GetInfo(), DIB_RGB_COLORS);
}

void TQVSlider::Paint(TDC& dc, bool, const TRect& rect) {
  if (focused_) HideCaret(hwnd_);
  AskBackground(dc);
  CreateRegion();
  const int saved = dc.SaveDC();
  TRegion thumb(*thumbRegion_);
  thumb &= TRegion(rect);
  dc.SelectClipRgn(thumb);
  DrawThumb(dc);
  TRegion rest(rect);
  rest -= *thumbRegion_;
  dc.SelectClipRgn(rest);
  DrawTrack(dc);
  if (model_.HasTicks()) DrawTicks(dc);
  dc.RestoreDC(saved);
  if (focused_) {
    PlaceCaret();
    ShowCaret(hwnd_);
  }
}

LRESULT TQVSlider::EvGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTARROWS; }
LRESULT TQVSlider::EvEraseBkgnd(WPARAM, LPARAM) { return 1; }
LRESULT TQVSlider::EvLButtonDblClk(WPARAM, LPARAM) { return 0; }

LRESULT TQVSlider::EvSetFocus(WPARAM, LPARAM) {
  focused_ = true;
  // Bitmap handle 1 asks the system for its grey caret.
  CreateCaret(hwnd_, reinterpret_cast<HBITMAP>(1), caretRect_.Width(), caretRect_.Height());
  PlaceCaret();
  ShowCaret(hwnd_);
  return 0;
}

LRESULT TQVSlider::EvKillFocus(WPARAM, LPARAM) {
  HideCaret(hwnd_);
  DestroyCaret();
  focused_ = false;
  return 0;
}

LRESULT TQVSlider::EvLButtonDown(WPARAM, LPARAM lParam) {
  const TIntPoint point = PointOf(lParam);
  ::SetFocus(hwnd_);
  const int code = HitTest(TPoint(point.x, point.y));
  if (code != SB_THUMBTRACK) {
    model_.Click(code, point, *this);
    return 0;
  }
  SetCapture(hwnd_);
  if (focused_) HideCaret(hwnd_);
  dragDC_ = std::make_unique<TClientDC>(hwnd_);
  AskBackground(*dragDC_);
  // The model is tracking from here, so the thumb is drawn pressed.
  model_.BeginDrag(point, *this);
  DrawThumb(*dragDC_);
  return 0;
}

LRESULT TQVSlider::EvMouseMove(WPARAM keys, LPARAM lParam) {
  if (!model_.IsTracking()) return 0;
  if (keys & MK_LBUTTON) {
    model_.DragTo(PointOf(lParam), *this);
  } else {
    Release(PointOf(lParam));
  }
  return 0;
}

LRESULT TQVSlider::EvLButtonUp(WPARAM, LPARAM lParam) {
  Release(PointOf(lParam));
  return 0;
}

void TQVSlider::Release(const TIntPoint& point) {
  if (model_.EndDrag(point, *this)) {
    if (dragDC_) DrawThumb(*dragDC_);
    ReleaseCapture();
    dragDC_.reset();
    if (focused_) {
      PlaceCaret();
      ShowCaret(hwnd_);
    }
  }
  model_.EndScroll(point, *this);
}

LRESULT TQVSlider::EvKeyDown(WPARAM key, LPARAM lParam) {
  if (!model_.KeyDown(static_cast<int>(key), LOWORD(lParam), *this)) return DefaultProcessing();
  return 0;
}

// Horizontal.

TQVHSlider::TQVHSlider(TWindow* parent, int id, int x, int y, int w, int h, int thumbResId, HINSTANCE module)
    : TQVSlider(parent, id, x, y, w, h ? h : 32, thumbResId, true, module) {}

TQVHSlider::TQVHSlider(TWindow* parent, int resourceId, int thumbResId, HINSTANCE module)
    : TQVSlider(parent, resourceId, thumbResId, true, module) {}

void TQVHSlider::DrawTrack(TDC& dc) {
  const TRect client = GetClientRect();
  const TRect thumb = GetThumbRect();
  const int half = thumb.Width() / 2;
  const int top = std::max(1, (thumb.Height() - channelThickness_) / 2 + 1);
  const TRect channel(half, top, client.right - half, top + channelThickness_);
  Fill(dc, 0, 0, client.right, channel.top, background_);
  Fill(dc, 0, channel.bottom, client.right, client.bottom, background_);
  Fill(dc, 0, channel.top, channel.left, channel.bottom, background_);
  Fill(dc, channel.right, channel.top, client.right, channel.bottom, background_);
  Fill(dc, channel.left, channel.top, channel.right, channel.bottom, GetSysColor(COLOR_BTNTEXT));
  Fill(dc, channel.left + 1, channel.top + 1, channel.right - 1, channel.top + 2, GetSysColor(COLOR_BTNSHADOW));
  Fill(dc, channel.left + 1, channel.top + 2, channel.right - 1, channel.bottom - 1, GetSysColor(COLOR_BTNFACE));
  Fill(dc, channel.left, channel.bottom - 1, channel.right, channel.bottom, GetSysColor(COLOR_BTNHIGHLIGHT));
}

void TQVHSlider::DrawTicks(TDC& dc) {
  const TRect client = GetClientRect();
  const TRect thumb = GetThumbRect();
  Fill(dc, 0, thumb.bottom, client.right, client.bottom, background_);
  const COLORREF dark = GetSysColor(COLOR_BTNTEXT);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const int half = thumb.Width() / 2;
  const int top = thumb.bottom + 1;
  const std::vector<int> ticks = model_.TickOffsets();
  for (int offset : ticks) {
    Fill(dc, offset + half, top, offset + half + 1, top + kTickLength, dark);
    Fill(dc, offset + half + 1, top, offset + half + 2, top + kTickLength, light);
  }
  const int first = ticks.front() + half;
  const int last = ticks.back() + half;
  Fill(dc, first, top + kTickLength, last + 2, top + kTickLength + 1, dark);
  Fill(dc, first, top + kTickLength + 1, last + 2, top + kTickLength + 2, light);
}

// Vertical.

TQVVSlider::TQVVSlider(TWindow* parent, int id, int x, int y, int w, int h, int thumbResId, HINSTANCE module)
    : TQVSlider(parent, id, x, y, w ? w : 32, h, thumbResId, false, module) {
  caretRect_ = TRect(3, 3, 17, 6);
  channelThickness_ = 14;
  CentreThumb(w ? w : 32);
}

TQVVSlider::TQVVSlider(TWindow* parent, int resourceId, int thumbResId, HINSTANCE module)
    : TQVSlider(parent, resourceId, thumbResId, false, module) {
  caretRect_ = TRect(3, 3, 17, 6);
  channelThickness_ = 14;
  CentreThumb(32);
}

void TQVVSlider::CentreThumb(int width) {
  TIntRect& thumb = model_.Thumb();
  thumb.MoveTo((width - thumb.Width()) / 2, thumb.top);
}

void TQVVSlider::SetupWindow() {
  // Built from a dialog template the control's real width is known only now.
  CentreThumb(GetClientRect().Width());
  TQVSlider::SetupWindow();
}

void TQVVSlider::DrawTrack(TDC& dc) {
  const TRect client = GetClientRect();
  const int half = GetThumbRect().Height() / 2;
  const int left = std::max(1, (client.Width() - channelThickness_) / 2);
  const TRect channel(left, half, left + channelThickness_, client.bottom - half);
  Fill(dc, 0, 0, channel.left, client.bottom, background_);
  Fill(dc, channel.right, 0, client.right, client.bottom, background_);
  Fill(dc, channel.left, 0, channel.right, channel.top, background_);
  Fill(dc, channel.left, channel.bottom, channel.right, client.bottom, background_);
  Fill(dc, channel.left, channel.top, channel.right, channel.bottom, GetSysColor(COLOR_BTNTEXT));
  Fill(dc, channel.left + 1, channel.top + 1, channel.left + 2, channel.bottom - 1, GetSysColor(COLOR_BTNSHADOW));
  Fill(dc, channel.left + 2, channel.top + 1, channel.right - 1, channel.bottom - 1, GetSysColor(COLOR_BTNFACE));
  Fill(dc, channel.right - 1, channel.top, channel.right, channel.bottom, GetSysColor(COLOR_BTNHIGHLIGHT));
}

void TQVVSlider::DrawTicks(TDC& dc) {
  const TRect client = GetClientRect();
  const TRect thumb = GetThumbRect();
  const COLORREF dark = GetSysColor(COLOR_BTNTEXT);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const int side = (client.Width() - thumb.Width() - 2) / 2;
  const int half = thumb.Height() / 2;
  for (int offset : model_.TickOffsets()) {
    const int y = offset + half;
    Fill(dc, 0, y, side, y + 1, dark);
    Fill(dc, 0, y + 1, side, y + 2, light);
    Fill(dc, client.right - side, y, client.right, y + 1, dark);
    Fill(dc, client.right - side, y + 1, client.right, y + 2, light);
  }
}
