#include "framework/ToolTip.h"
#include <algorithm>
#include <string>
#include "foundation/SysInfo.h"
#include "foundation/win32/FrameDrawing.h"
#include "framework/ClientDC.h"
#include "framework/DC.h"
#include "framework/Font.h"

namespace {

class TSystemTipClock : public TTipClock {
public:
  DWORD Now() override { return GetTickCount(); }
  UINT_PTR StartTimer(HWND window, UINT_PTR id, UINT delayMs) override {
    return window ? ::SetTimer(window, id, delayMs, nullptr) : 0;
  }
  void StopTimer(HWND window, UINT_PTR id) override { ::KillTimer(window, id); }
  POINT CursorPos() override {
    POINT p{};
    GetCursorPos(&p);
    return p;
  }
  HWND Capture() override { return GetCapture(); }
};

TSystemTipClock systemClock;

using R = TResponse<TToolTip>;

}  // namespace

TPoint TipPosition(const RECT& tool, const RECT* placement, SIZE tip, SIZE screen, int cursorHeight, int border) {
  if (placement) return TPoint(placement->left - 1, placement->top);
  TPoint p(tool.left, tool.bottom + cursorHeight / 3 + 2 * border);
  if (p.y + tip.cy > screen.cy) p.y = tool.top - tip.cy;
  if (p.x + tip.cx > screen.cx) p.x = tool.right - tip.cx;
  return p;
}

TToolTip::TToolTip(TTipClock* clock, HINSTANCE module)
    : TWindow(static_cast<TWindow*>(nullptr), "", module), clock_(clock ? clock : &systemClock) {
  Attr.style = WS_POPUP;
  Attr.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

TToolTip::~TToolTip() { KillTipTimer(); }

void TToolTip::GetWindowClass(WNDCLASSA& wc) {
  TWindow::GetWindowClass(wc);
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_SAVEBITS;
}

bool TToolTip::Find(TEvent& ev) {
  static constexpr R kResponses[] = {
      R::Message(WM_TIMER, &TToolTip::EvTimerMessage),
      R::Message(WM_NCHITTEST, &TToolTip::EvNcHitTest),
  };
  return ev.Dispatch(this, kResponses) || TWindow::Find(ev);
}

LRESULT TToolTip::EvTimerMessage(WPARAM id, LPARAM) {
  if (id == kTimerId) EvTimer();
  return 0;
}

LRESULT TToolTip::EvNcHitTest(WPARAM, LPARAM) { return HTTRANSPARENT; }

void TToolTip::SetToolRect(const RECT& tool, const RECT* placement, TFont* font) {
  toolRect_ = tool;
  placeRect_ = placement ? TRect(*placement) : TRect();
  placeBelow_ = placement == nullptr;
  font_ = font;
}

void TToolTip::SetText(const char* text) {
  if (!text) text = "";
  if (GetWindowTextString() == text) return;
  SetWindowText(text);
  if (IsWindowVisible()) {
    ShowWindow(SW_HIDE);
    UpdateWindow();
    lastHide_ = clock_->Now();
    font_ = nullptr;
  }
  KillTipTimer();
  if (!*text || !tipsEnabled_) return;
  // Unsigned subtraction: the answer stays right when the tick count wraps past zero.
  const DWORD sinceHide = clock_->Now() - lastHide_;
  StartTipTimer(sinceHide < kDelayMs ? kQuickDelayMs : kDelayMs);
}

void TToolTip::StartTipTimer(UINT delayMs) { timer_ = clock_->StartTimer(hwnd_, kTimerId, delayMs); }

void TToolTip::KillTipTimer() {
  if (!timer_) return;
  clock_->StopTimer(hwnd_, kTimerId);
  timer_ = 0;
}

void TToolTip::EvTimer() {
  if (!timer_) return;
  if (!toolRect_.Contains(clock_->CursorPos()) || clock_->Capture()) {
    SetText(nullptr);
    return;
  }
  if (IsWindowVisible()) return;
  KillTipTimer();
  ShowTip();
  StartTipTimer(kWatchMs);
}

HFONT TToolTip::DrawingFont() const {
  return font_ ? font_->GetHandle() : static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
}

void TToolTip::ShowTip() {
  if (!hwnd_) return;
  const std::string text = GetWindowTextString();
  const int length = std::min(static_cast<int>(text.size()), kMaxTextLength);
  SIZE extent{};
  {
    TClientDC dc(hwnd_);
    HGDIOBJ old = ::SelectObject(dc, DrawingFont());
    GetTextExtentPoint32A(dc, text.c_str(), length, &extent);
    ::SelectObject(dc, old);
  }
  const SIZE tip{extent.cx + 7, extent.cy + 4};
  const SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const TPoint p = TipPosition(toolRect_, placeBelow_ ? nullptr : &placeRect_, tip, screen,
                               GetSystemMetrics(SM_CYCURSOR), GetSystemMetrics(SM_CYBORDER));
  SetWindowPos(hwnd_, nullptr, p.x, p.y, tip.cx, tip.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
  UpdateWindow();
}

void TToolTip::Paint(TDC& dc, bool, const TRect&) {
  const bool win4 = GetSysInfo().IsWin4OrLater();
  const COLORREF background = win4 ? GetSysColor(COLOR_INFOBK) : RGB(255, 255, 128);
  const COLORREF textColor = win4 ? GetSysColor(COLOR_INFOTEXT) : RGB(0, 0, 0);
  RECT r = GetClientRect();
  DrawFrameEdges(dc, r, kFrameAll, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_WINDOWFRAME));
  dc.FillSolidRect(r, background);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(textColor);
  HGDIOBJ old = ::SelectObject(dc, DrawingFont());
  const std::string text = GetWindowTextString();
  dc.DrawText(text.c_str(), std::min(static_cast<int>(text.size()), kMaxTextLength), r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::SelectObject(dc, old);
}
