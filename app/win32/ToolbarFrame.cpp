#include "app/win32/ToolbarFrame.h"

#include <windowsx.h>

#include "app/ToolbarState.h"
#include "app/win32/DockStation.h"
#include "app/win32/Toolbar.h"
#include "app/win32/ToolbarGadgets.h"

namespace {

using R = TResponse<TToolbarFrame>;
constexpr R kResponses[] = {
    R::Message(WM_CLOSE, &TToolbarFrame::EvClose),
    R::Message(WM_NCLBUTTONDOWN, &TToolbarFrame::EvNcLButtonDown),
    R::Message(WM_NCLBUTTONDBLCLK, &TToolbarFrame::EvNcLButtonDblClk),
    R::Message(WM_NCRBUTTONDOWN, &TToolbarFrame::EvNcRButtonDown),
    R::Message(WM_MOUSEMOVE, &TToolbarFrame::EvMouseMove),
    R::Message(WM_LBUTTONUP, &TToolbarFrame::EvLButtonUp),
    R::Message(WM_CAPTURECHANGED, &TToolbarFrame::EvCaptureChanged),
};

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

void XorFrame(const RECT& r, int w) { XorToolbarOutline(r, w); }

}  // namespace

TToolbarFrame::TToolbarFrame(TWindow* owner, TToolbar& toolbar, POINT at)
    : TWindow(owner, toolbar.GetName().c_str()), toolbar_(toolbar) {
  Attr.style = kStyle;
  Attr.exStyle = kExStyle;
  Attr.x = at.x;
  Attr.y = at.y;
  const TPoint size = toolbar.DesiredSize();
  RECT r{0, 0, size.x, size.y};
  AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
  Attr.w = r.right - r.left;
  Attr.h = r.bottom - r.top;
}

void TToolbarFrame::GetWindowClass(WNDCLASSA& wc) {
  TWindow::GetWindowClass(wc);
  wc.style |= CS_DBLCLKS;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
}

bool TToolbarFrame::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TWindow::Find(ev); }

void TToolbarFrame::SetupWindow() {
  TWindow::SetupWindow();
  toolbar_.SetParentObject(this);
  SetWindowPos(toolbar_.GetHandle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FitToolbar();
  toolbar_.ShowWindow(SW_SHOWNA);
  ShowWindow(SW_SHOWNA);
}

void TToolbarFrame::FitToolbar() {
  if (!hwnd_) return;
  const TPoint size = toolbar_.DesiredSize();
  RECT r{0, 0, size.x, size.y};
  AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(toolbar_.GetHandle(), nullptr, 0, 0, size.x, size.y, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TToolbarFrame::EvClose(WPARAM, LPARAM) {
  // The close box hides the toolbar; it floats at the same place when shown again.
  toolbar_.floatPos = GetWindowRect().TopLeft();
  toolbar_.ChangeState(static_cast<uint16_t>(toolbar_.GetFlags() | kTbHidden), false);
  return 0;
}

LRESULT TToolbarFrame::EvNcLButtonDown(WPARAM wParam, LPARAM lParam) {
  const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (wParam) {
    case HTCAPTION:
      toolbar_.BeginDrag(screen);
      return 0;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTBOTTOM:
      sizingEdge_ = static_cast<int>(wParam);
      shape_ = toolbar_.GetShapeIndex();
      outline_ = GetWindowRect();
      SetCapture(hwnd_);
      XorFrame(outline_, toolbar_.Metrics().frameX > 1 ? toolbar_.Metrics().frameX - 1 : 1);
      return 0;
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
      return 0;
    default:
      return DefaultProcessing();
  }
}

LRESULT TToolbarFrame::EvNcLButtonDblClk(WPARAM wParam, LPARAM) {
  if (wParam != HTCAPTION) return DefaultProcessing();
  toolbar_.ToggleFloating();
  return 0;
}

LRESULT TToolbarFrame::EvNcRButtonDown(WPARAM, LPARAM lParam) {
  if (GetCapture()) return 0;
  toolbar_.ShowContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  return 0;
}

void TToolbarFrame::StepShape(POINT p) {
  const int count = toolbar_.GetShapeCount();
  if (count == 0) return;
  const int bx = toolbar_.Metrics().frameX, by = toolbar_.Metrics().frameY;
  int next = shape_;
  const bool hasFewer = shape_ > 0;
  const bool hasMore = shape_ + 1 < count;
  switch (sizingEdge_) {
    case HTRIGHT:
      if (hasMore && p.x < outline_.right - bx) next = shape_ + 1;
      else if (hasFewer && p.x > outline_.left + toolbar_.GetShape(shape_ - 1).w) next = shape_ - 1;
      break;
    case HTLEFT:
      if (hasMore && p.x > outline_.left + bx) next = shape_ + 1;
      else if (hasFewer && p.x < outline_.right - toolbar_.GetShape(shape_ - 1).w) next = shape_ - 1;
      break;
    case HTBOTTOM:
      if (hasMore && p.y > outline_.bottom + by) next = shape_ + 1;
      else if (hasFewer && p.y < outline_.top + toolbar_.GetShape(shape_ - 1).h) next = shape_ - 1;
      break;
    case HTTOP:
      if (hasMore && p.y < outline_.top - by) next = shape_ + 1;
      else if (hasFewer && p.y > outline_.bottom - toolbar_.GetShape(shape_ - 1).h) next = shape_ - 1;
      break;
    default:
      return;
  }
  if (next == shape_) return;
  const int w = toolbar_.Metrics().frameX > 1 ? toolbar_.Metrics().frameX - 1 : 1;
  XorFrame(outline_, w);
  shape_ = next;
  const TToolbarShape& s = toolbar_.GetShape(shape_);
  // Anchored at the border across from the one dragged.
  RECT o = outline_;
  if (sizingEdge_ == HTLEFT) o.left = o.right - s.w; else o.right = o.left + s.w;
  if (sizingEdge_ == HTTOP) o.top = o.bottom - s.h; else o.bottom = o.top + s.h;
  outline_ = o;
  XorFrame(outline_, w);
}

LRESULT TToolbarFrame::EvMouseMove(WPARAM, LPARAM lParam) {
  if (!sizingEdge_) return DefaultProcessing();
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(hwnd_, &p);
  StepShape(p);
  return 0;
}

LRESULT TToolbarFrame::EvLButtonUp(WPARAM, LPARAM) {
  if (!sizingEdge_) return DefaultProcessing();
  const int w = toolbar_.Metrics().frameX > 1 ? toolbar_.Metrics().frameX - 1 : 1;
  XorFrame(outline_, w);
  sizingEdge_ = 0;
  ReleaseCapture();
  toolbar_.SetShapeIndex(shape_);
  toolbar_.LayoutGadgets();
  SetWindowPos(hwnd_, nullptr, outline_.left, outline_.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FitToolbar();
  toolbar_.floatPos = GetWindowRect().TopLeft();
  return 0;
}

LRESULT TToolbarFrame::EvCaptureChanged(WPARAM, LPARAM lParam) {
  if (sizingEdge_ && reinterpret_cast<HWND>(lParam) != hwnd_) {
    XorFrame(outline_, toolbar_.Metrics().frameX > 1 ? toolbar_.Metrics().frameX - 1 : 1);
    sizingEdge_ = 0;
  }
  return DefaultProcessing();
}
