#include "framework/SpinButton.h"

#include <windowsx.h>

#include "foundation/EditValueRules.h"
#include "framework/DC.h"
#include "framework/QXTEditValue.h"

namespace {
using R = TResponse<TSpinButton>;
constexpr R kResponses[] = {
    R::Message(WM_SETFOCUS, &TSpinButton::EvSetFocus),
    R::Message(WM_LBUTTONDOWN, &TSpinButton::EvLButtonDown),
    R::Message(WM_LBUTTONUP, &TSpinButton::EvLButtonUp),
    R::Message(WM_MOUSEMOVE, &TSpinButton::EvMouseMove),
    R::Message(WM_TIMER, &TSpinButton::EvTimer),
    R::Message(WM_CAPTURECHANGED, &TSpinButton::EvCaptureChanged),
};

TIntRect ToInt(const RECT& r) { return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)}; }
}  // namespace

TSpinButton::TSpinButton(TQXTEditValue* buddy, HINSTANCE module)
    : TControl(buddy->GetParentObject(), -1, nullptr, 0, 0, 12, 20, module), buddy_(buddy) {
  Attr.style = WS_CHILD | WS_VISIBLE;
}

void TSpinButton::GetWindowClass(WNDCLASSA& wc) {
  TControl::GetWindowClass(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
}

bool TSpinButton::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TControl::Find(ev); }

void TSpinButton::SetupWindow() {
  TControl::SetupWindow();
  PlaceBesideBuddy();
}

void TSpinButton::PlaceBesideBuddy() {
  if (!GetHandle() || !buddy_->GetHandle()) return;
  RECT b = buddy_->GetWindowRect();
  HWND parent = ::GetParent(buddy_->GetHandle());
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&b), 2);
  const TIntRect r = SpinButtonPlace(ToInt(b), GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER));
  ::MoveWindow(GetHandle(), r.left, r.top, r.Width(), r.Height(), TRUE);
}

int TSpinButton::HalfAt(LPARAM lParam) const {
  const TRect c = GetClientRect();
  return SpinHalfAt(c.Width(), c.Height(), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

LRESULT TSpinButton::EvSetFocus(WPARAM, LPARAM) {
  buddy_->SetFocus();
  return 0;
}

LRESULT TSpinButton::EvLButtonDown(WPARAM, LPARAM lParam) {
  const int half = HalfAt(lParam);
  if (half == 0) return 0;
  SetCapture(GetHandle());
  captured_ = true;
  pressed_ = half;
  buddy_->SetFocus();
  buddy_->Increment(half);
  Invalidate(false);
  SetTimer(GetHandle(), kRepeatTimer, kFirstDelayMs, nullptr);
  return 0;
}

LRESULT TSpinButton::EvTimer(WPARAM wParam, LPARAM) {
  if (wParam != kRepeatTimer) return DefaultProcessing();
  KillTimer(GetHandle(), kRepeatTimer);
  if (!captured_) return 0;
  if (pressed_ != 0) buddy_->Increment(pressed_);
  SetTimer(GetHandle(), kRepeatTimer, kRepeatMs, nullptr);
  return 0;
}

LRESULT TSpinButton::EvMouseMove(WPARAM, LPARAM lParam) {
  if (!captured_) return 0;
  const int half = HalfAt(lParam);
  if (half != pressed_) {
    pressed_ = half;
    Invalidate(false);
  }
  return 0;
}

void TSpinButton::StopRepeat(bool release) {
  KillTimer(GetHandle(), kRepeatTimer);
  captured_ = false;
  pressed_ = 0;
  if (release && GetCapture() == GetHandle()) ReleaseCapture();
  Invalidate(false);
}

LRESULT TSpinButton::EvLButtonUp(WPARAM, LPARAM) {
  if (captured_) StopRepeat(true);
  return 0;
}

// Another window took the mouse (a message box, a task switch): the button-up will never come
// here, so the repeat must end now.
LRESULT TSpinButton::EvCaptureChanged(WPARAM, LPARAM lParam) {
  if (captured_ && reinterpret_cast<HWND>(lParam) != GetHandle()) StopRepeat(false);
  return 0;
}

void TSpinButton::DrawHalf(TDC& dc, const TRect& r, int direction, bool enabled, bool pressed) const {
  const int bx = GetSystemMetrics(SM_CXBORDER);
  const int by = GetSystemMetrics(SM_CYBORDER);
  dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
  const COLORREF light = pressed ? GetSysColor(COLOR_BTNSHADOW) : RGB(255, 255, 255);
  const COLORREF dark = pressed ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNSHADOW);
  dc.FillSolidRect(TRect(r.left, r.top, r.right, r.top + by), light);
  dc.FillSolidRect(TRect(r.left, r.top, r.left + bx, r.bottom), light);
  dc.FillSolidRect(TRect(r.left, r.bottom - by, r.right, r.bottom), dark);
  dc.FillSolidRect(TRect(r.right - bx, r.top, r.right, r.bottom), dark);
  const TRect in(r.left + bx + 2, r.top + by + 2, r.right - bx - 2, r.bottom - by - 2);
  if (in.IsEmpty()) return;
  const int mid = (in.left + in.right - 1) / 2;
  POINT pts[3];
  if (direction > 0) {
    pts[0] = {mid, in.top};
    pts[1] = {in.left, in.bottom - 1};
    pts[2] = {in.right - 1, in.bottom - 1};
  } else {
    pts[0] = {in.left, in.top};
    pts[1] = {in.right - 1, in.top};
    pts[2] = {mid, in.bottom - 1};
  }
  HBRUSH brush = static_cast<HBRUSH>(GetStockObject(enabled ? BLACK_BRUSH : GRAY_BRUSH));
  HPEN pen = static_cast<HPEN>(GetStockObject(enabled ? BLACK_PEN : WHITE_PEN));
  HGDIOBJ oldBrush = ::SelectObject(dc, brush);
  HGDIOBJ oldPen = ::SelectObject(dc, pen);
  Polygon(dc, pts, 3);
  ::SelectObject(dc, oldBrush);
  ::SelectObject(dc, oldPen);
}

void TSpinButton::Paint(TDC& dc, bool, const TRect&) {
  const TRect c = GetClientRect();
  const int half = c.Height() / 2;
  const bool enabled = IsWindowEnabled();
  DrawHalf(dc, TRect(0, 0, c.right, half), +1, enabled, false);
  DrawHalf(dc, TRect(0, half + 1, c.right, c.bottom), -1, enabled, false);
  dc.FillSolidRect(TRect(0, half, c.right, half + 1), RGB(0, 0, 0));
  if (pressed_ != 0) {
    const TRect p = pressed_ > 0 ? TRect(0, 0, c.right, half) : TRect(0, half + 1, c.right, c.bottom);
    InvertRect(dc, &p);
  }
}
