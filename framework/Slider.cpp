#include "framework/Slider.h"
#include <algorithm>
#include <cstdlib>
#include "framework/ClientDC.h"
#include "framework/DC.h"

namespace {

// Scroll codes of the keys VK_PRIOR ... VK_DOWN.
constexpr int kKeyCodes[] = {
    SB_PAGEUP,    // VK_PRIOR
    SB_PAGEDOWN,  // VK_NEXT
    SB_BOTTOM,    // VK_END
    SB_TOP,       // VK_HOME
    SB_LINEUP,    // VK_LEFT
    SB_LINEUP,    // VK_UP
    SB_LINEDOWN,  // VK_RIGHT
    SB_LINEDOWN,  // VK_DOWN
};

constexpr int kDibBackgroundEntry = 15;
constexpr int kTickLength = 5;

TPoint PointOf(LPARAM lParam) {
  return TPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
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
  };
  return ev.Dispatch(this, kResponses) || TScrollBar::Find(ev);
}

TQVSlider::TQVSlider(TWindow* parent, int id, int x, int y, int w, int h, int thumbResId, bool horizontal,
                     HINSTANCE module)
    : TScrollBar(parent, id, x, y, w, h, horizontal, module),
      horizontal_(horizontal),
      thumbResId_(thumbResId),
      thumbDib_(GetModule(), MAKEINTRESOURCEA(thumbResId)) {
  InitDefaults();
}

TQVSlider::TQVSlider(TWindow* parent, int resourceId, int thumbResId, bool horizontal, HINSTANCE module)
    : TScrollBar(parent, resourceId, module),
      horizontal_(horizontal),
      thumbResId_(thumbResId),
      thumbDib_(GetModule(), MAKEINTRESOURCEA(thumbResId)) {
  InitDefaults();
  // A dialog template names the class: it must exist before the dialog is created.
  WNDCLASSA wc{};
  if (!GetClassInfoA(GetModule(), GetClassName(), &wc)) {
    wc = WNDCLASSA{};
    GetWindowClass(wc);
    RegisterClassA(&wc);
  }
}

TQVSlider::~TQVSlider() = default;

void TQVSlider::InitDefaults() {
  Attr.style |= WS_TABSTOP;
  SetRange(0, 100);
  position_ = 0;
  tickStep_ = range_ / 10;
}

void TQVSlider::GetWindowClass(WNDCLASSA& wc) {
  TScrollBar::GetWindowClass(wc);
  wc.style = CS_DBLCLKS;
  wc.hbrBackground = nullptr;
}

void TQVSlider::SetupWindow() {
  TScrollBar::SetupWindow();
  thumbRect_.MoveTo(ValueToPoint(position_).x, ValueToPoint(position_).y);
}

void TQVSlider::GetRange(int& min, int& max) const {
  min = min_;
  max = max_;
}

void TQVSlider::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  range_ = std::abs(max - min);
  if (range_ == 0) range_ = 1;
}

void TQVSlider::SetTicks(bool on) {
  ticks_ = on;
  Invalidate(false);
}

int TQVSlider::Snap(int value) const {
  const int lo = std::min(min_, max_);
  const int hi = std::max(min_, max_);
  value = std::clamp(value, lo, hi);
  if (!snap_ || tickStep_ <= 0) return value;
  value = (value + tickStep_ / 2 - min_) / tickStep_ * tickStep_ + min_;
  // Rounding up can pass the maximum when the range is not a whole number of steps.
  return std::clamp(value, lo, hi);
}

void TQVSlider::SetPosition(int value) {
  value = Snap(value);
  if (value != position_ && hwnd_) {
    if (tracking_ && dragDC_) {
      MoveThumb(*dragDC_, value);
    } else {
      TClientDC dc(hwnd_);
      MoveThumb(dc, value);
    }
  }
  position_ = value;
}

int TQVSlider::TrackLength() const {
  const TRect client = GetClientRect();
  return horizontal_ ? client.Width() - thumbRect_.Width() : client.Height() - thumbRect_.Height();
}

void TQVSlider::SendScroll(UINT msg, int scrollCode, int value) {
  HWND parent = hwnd_ ? ::GetParent(hwnd_) : nullptr;
  if (!parent) return;
  ::SendMessageA(parent, msg, MAKEWPARAM(static_cast<WORD>(scrollCode), static_cast<WORD>(value)),
                 reinterpret_cast<LPARAM>(hwnd_));
}

void TQVSlider::AskBackground(TDC& dc) {
  HWND parent = ::GetParent(hwnd_);
  if (parent) {
    ::SendMessageA(parent, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc.GetHDC()),
                   reinterpret_cast<LPARAM>(hwnd_));
  }
  background_ = dc.GetBkColor();
}

bool TQVSlider::ThumbHit(const TPoint& point) const {
  return thumbRegion_ ? thumbRegion_->Contains(point) : thumbRect_.Contains(point);
}

void TQVSlider::CreateRegion() {
  if (!thumbRegion_) thumbRegion_ = std::make_unique<TRegion>(thumbRect_);
}

void TQVSlider::PlaceCaret() {
  if (focused_) SetCaretPos(thumbRect_.left + caretRect_.left, thumbRect_.top + caretRect_.top);
}

void TQVSlider::MoveThumb(TDC& dc, int value) {
  if (focused_) HideCaret(hwnd_);
  AskBackground(dc);
  TRect old = thumbRect_;
  TRect now = old;
  const TPoint p = ValueToPoint(value);
  now.MoveTo(p.x, p.y);
  if (thumbRegion_) {
    const int saved = dc.SaveDC();
    thumbRegion_->Offset(now.left - old.left, now.top - old.top);
    dc.SelectClipRgn(*thumbRegion_);
    dc.BitBlt(now.left, now.top, now.Width(), now.Height(), dc, old.left, old.top, SRCCOPY);
    TRegion uncovered(old);
    uncovered -= *thumbRegion_;
    dc.SelectClipRgn(uncovered);
    thumbRect_ = now;
    DrawTrack(dc);
    dc.RestoreDC(saved);
  } else {
    thumbRect_ = now;
    DrawTrack(dc);
    DrawThumb(dc);
  }
  if (focused_) {
    PlaceCaret();
    ShowCaret(hwnd_);
  }
}

void TQVSlider::DrawThumb(TDC& dc) {
  const int w = thumbRect_.Width();
  const int h = thumbRect_.Height();
  const bool pressed = tracking_ || !IsWindowEnabled();
  if (!thumbDib_.IsOk()) {
    // No bitmap: a plain raised button face.
    RECT r = thumbRect_;
    dc.FillSolidRect(r, GetSysColor(pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    return;
  }
  thumbDib_.SetColor(kDibBackgroundEntry, background_);
  const int srcX = pressed ? thumbDib_.Width() / 2 : 0;
  SetDIBitsToDevice(dc, thumbRect_.left, thumbRect_.top, w, h, srcX, thumbDib_.Height() - h, 0,
                    thumbDib_.Height(), thumbDib_.GetBits(), thumbDib_.GetInfo(), DIB_RGB_COLORS);
}

void TQVSlider::Paint(TDC& dc, bool, const TRect& rect) {
  if (focused_) HideCaret(hwnd_);
  AskBackground(dc);
  CreateRegion();
  const int saved = dc.SaveDC();
  TRegion update(rect);
  TRegion thumb(*thumbRegion_);
  thumb &= update;
  dc.SelectClipRgn(thumb);
  DrawThumb(dc);
  TRegion rest(rect);
  rest -= *thumbRegion_;
  dc.SelectClipRgn(rest);
  DrawTrack(dc);
  if (ticks_) DrawTicks(dc);
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

int TQVSlider::DragValue(const TPoint& point) const { return Snap(PointToValue(point - dragOffset_)); }

LRESULT TQVSlider::EvLButtonDown(WPARAM, LPARAM lParam) {
  const TPoint point = PointOf(lParam);
  ::SetFocus(hwnd_);
  const int code = HitTest(point);
  if (code >= SB_LINEUP && code <= SB_PAGEDOWN) {
    Notify(code, 0);
  } else if (code == SB_THUMBPOSITION) {
    Notify(SB_THUMBPOSITION, Snap(PointToValue(point)));
  } else if (code == SB_THUMBTRACK) {
    tracking_ = true;
    SetCapture(hwnd_);
    if (focused_) HideCaret(hwnd_);
    dragDC_ = std::make_unique<TClientDC>(hwnd_);
    AskBackground(*dragDC_);
    DrawThumb(*dragDC_);
    dragOffset_ = point - thumbRect_.TopLeft();
    const int value = DragValue(point);
    Notify(kBeginTrack, value);
    Notify(SB_THUMBTRACK, value);
  }
  return 0;
}

LRESULT TQVSlider::EvMouseMove(WPARAM keys, LPARAM lParam) {
  if (!tracking_) return 0;
  const TPoint point = PointOf(lParam);
  if (keys & MK_LBUTTON) {
    Notify(SB_THUMBTRACK, DragValue(point));
  } else {
    EndDrag(point);
  }
  return 0;
}

LRESULT TQVSlider::EvLButtonUp(WPARAM, LPARAM lParam) {
  EndDrag(PointOf(lParam));
  return 0;
}

void TQVSlider::EndDrag(const TPoint& point) {
  const int value = DragValue(point);
  if (tracking_) {
    tracking_ = false;
    Notify(SB_THUMBPOSITION, value);
    if (dragDC_) DrawThumb(*dragDC_);
    ReleaseCapture();
    dragDC_.reset();
    if (focused_) {
      PlaceCaret();
      ShowCaret(hwnd_);
    }
  }
  Notify(SB_ENDSCROLL, value);
}

LRESULT TQVSlider::EvKeyDown(WPARAM key, LPARAM lParam) {
  if (key < VK_PRIOR || key > VK_DOWN) return DefaultProcessing();
  const int code = kKeyCodes[key - VK_PRIOR];
  const int repeat = LOWORD(lParam);
  for (int i = 0; i < repeat; ++i) Notify(code, position_);
  Notify(SB_ENDSCROLL, position_);
  return 0;
}

// Horizontal.

TQVHSlider::TQVHSlider(TWindow* parent, int id, int x, int y, int w, int h, int thumbResId, HINSTANCE module)
    : TQVSlider(parent, id, x, y, w, h ? h : 32, thumbResId, true, module) {}

TQVHSlider::TQVHSlider(TWindow* parent, int resourceId, int thumbResId, HINSTANCE module)
    : TQVSlider(parent, resourceId, thumbResId, true, module) {}

int TQVHSlider::PointToValue(const TPoint& point) const {
  const int length = TrackLength();
  if (length <= 0) return min_;
  return static_cast<int>(static_cast<long long>(point.x) * range_ / length) + min_;
}

TPoint TQVHSlider::ValueToPoint(int value) const {
  const int length = std::max(0, TrackLength());
  return TPoint(static_cast<int>(static_cast<long long>(value - min_) * length / range_), thumbRect_.top);
}

void TQVHSlider::Notify(int scrollCode, int value) { SendScroll(WM_HSCROLL, scrollCode, value); }

int TQVHSlider::HitTest(const TPoint& point) const {
  if (ThumbHit(point)) return SB_THUMBTRACK;
  if (!ticks_ || point.y >= thumbRect_.bottom) return SB_THUMBPOSITION;
  if (point.x < thumbRect_.left) return SB_PAGEUP;
  if (point.x >= thumbRect_.right) return SB_PAGEDOWN;
  return kNoHit;
}

void TQVHSlider::DrawTrack(TDC& dc) {
  const TRect client = GetClientRect();
  const int half = thumbRect_.Width() / 2;
  const int top = std::max(1, (thumbRect_.Height() - channelThickness_) / 2 + 1);
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
  Fill(dc, 0, thumbRect_.bottom, client.right, client.bottom, background_);
  const COLORREF dark = GetSysColor(COLOR_BTNTEXT);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const int half = thumbRect_.Width() / 2;
  const int top = thumbRect_.bottom + 1;
  auto tick = [&](int x) {
    Fill(dc, x, top, x + 1, top + kTickLength, dark);
    Fill(dc, x + 1, top, x + 2, top + kTickLength, light);
  };
  for (int v = min_; v < max_; v += tickStep_) {
    tick(ValueToPoint(v).x + half);
    if (tickStep_ <= 0) break;
  }
  const int first = ValueToPoint(min_).x + half;
  const int last = ValueToPoint(max_).x + half;
  tick(last);
  Fill(dc, first, top + kTickLength, last + 2, top + kTickLength + 1, dark);
  Fill(dc, first, top + kTickLength + 1, last + 2, top + kTickLength + 2, light);
}

// Vertical.

TQVVSlider::TQVVSlider(TWindow* parent, int id, int x, int y, int w, int h, int thumbResId, HINSTANCE module)
    : TQVSlider(parent, id, x, y, w ? w : 32, h, thumbResId, false, module) {
  InitVertical(w ? w : 32);
}

TQVVSlider::TQVVSlider(TWindow* parent, int resourceId, int thumbResId, HINSTANCE module)
    : TQVSlider(parent, resourceId, thumbResId, false, module) {
  InitVertical(32);
}

void TQVVSlider::InitVertical(int width) {
  const int left = (width - 20) / 2;
  thumbRect_ = TRect(left, 0, left + 20, 9);
  caretRect_ = TRect(3, 3, 17, 6);
  channelThickness_ = 14;
}

void TQVVSlider::SetupWindow() {
  // Built from a dialog template the control's real width is known only now.
  const int width = GetClientRect().Width();
  const int left = (width - thumbRect_.Width()) / 2;
  thumbRect_.MoveTo(left, thumbRect_.top);
  TQVSlider::SetupWindow();
}

int TQVVSlider::PointToValue(const TPoint& point) const {
  const int length = TrackLength();
  if (length <= 0) return min_;
  return static_cast<int>(static_cast<long long>(point.y) * range_ / length) + min_;
}

TPoint TQVVSlider::ValueToPoint(int value) const {
  const int length = std::max(0, TrackLength());
  return TPoint(thumbRect_.left, static_cast<int>(static_cast<long long>(value - min_) * length / range_));
}

void TQVVSlider::Notify(int scrollCode, int value) { SendScroll(WM_VSCROLL, scrollCode, value); }

int TQVVSlider::HitTest(const TPoint& point) const {
  if (ThumbHit(point)) return SB_THUMBTRACK;
  if (point.x < thumbRect_.left || point.x >= thumbRect_.right) return SB_THUMBPOSITION;
  if (point.y < thumbRect_.top) return SB_PAGEUP;
  if (point.y >= thumbRect_.bottom) return SB_PAGEDOWN;
  return kNoHit;
}

void TQVVSlider::DrawTrack(TDC& dc) {
  const TRect client = GetClientRect();
  const int half = thumbRect_.Height() / 2;
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
  const COLORREF dark = GetSysColor(COLOR_BTNTEXT);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const int side = (client.Width() - thumbRect_.Width() - 2) / 2;
  const int half = thumbRect_.Height() / 2;
  auto tick = [&](int y) {
    Fill(dc, 0, y, side, y + 1, dark);
    Fill(dc, 0, y + 1, side, y + 2, light);
    Fill(dc, client.right - side, y, client.right, y + 1, dark);
    Fill(dc, client.right - side, y + 1, client.right, y + 2, light);
  };
  for (int v = min_; v < max_; v += tickStep_) {
    tick(ValueToPoint(v).y + half);
    if (tickStep_ <= 0) break;
  }
  tick(ValueToPoint(max_).y + half);
}
