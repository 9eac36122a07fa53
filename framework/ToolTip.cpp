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

TIntRect ToInt(const RECT& r) { return TIntRect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

TToolTip::TToolTip(TTipClock* clock, HINSTANCE module)
    : TWindow(static_cast<TWindow*>(nullptr), "", module),
      clock_(clock ? clock : &systemClock),
      schedule_(*this) {
  Attr.style = WS_POPUP;
  Attr.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

TToolTip::~TToolTip() { KillTipTimer(); }

void TToolTip::GetWindowClass(WNDCLASSA& wc) {
  TWindow::GetWindowClass(wc);
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_SAVEBITS;
}

bool TToolTip::Find(TEvent& ev) {
  using R = TResponse<TToolTip>;
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
  schedule_.SetToolRect(ToInt(tool));
  placeRect_ = placement ? TRect(*placement) : TRect();
  placeBelow_ = placement == nullptr;
  font_ = font;
}

void TToolTip::SetText(const char* text) { schedule_.SetText(text, clock_->Now()); }

void TToolTip::EvTimer() {
  const POINT cursor = clock_->CursorPos();
  schedule_.Timer(TIntPoint{cursor.x, cursor.y}, clock_->Capture() != nullptr, clock_->Now());
}

bool TToolTip::StartTimer(uint32_t delayMs) { return clock_->StartTimer(hwnd_, kTimerId, delayMs) != 0; }

void TToolTip::StopTimer() { clock_->StopTimer(hwnd_, kTimerId); }

void TToolTip::HideTip() {
  ShowWindow(SW_HIDE);
  UpdateWindow();
  font_ = nullptr;
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
  const int width = extent.cx + 7;
  const int height = extent.cy + 4;
  const TIntRect place = ToInt(placeRect_);
  const TIntPoint p = TipPosition(schedule_.GetToolRect(), placeBelow_ ? nullptr : &place, width, height,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  GetSystemMetrics(SM_CYCURSOR), GetSystemMetrics(SM_CYBORDER));
  SetWindowPos(hwnd_, nullptr, p.x, p.y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
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
