#include "app/win32/StatusBar95.h"

#include "app/StatusTexts.h"
#include "app/win32/ShellGlobals.h"
#include "resources/CommandIds.h"

namespace {

using R = TResponse<TStatusBar95>;
constexpr R kResponses[] = {
    R::Message(WM_NCCALCSIZE, &TStatusBar95::EvNcCalcSize),
    R::Message(WM_NCPAINT, &TStatusBar95::EvNcPaint),
};

}  // namespace

TStatusBar95::TStatusBar95(TWindow* parent, HFONT font) : TStatusBar(parent, font, IDW_STATUSBAR) {
  Attr.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  SetMargins(4, 2, 4, 3);
  SetGadgetBorder(kMessageGadgetId, TBorder::None);
}

bool TStatusBar95::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TStatusBar::Find(ev); }

void TStatusBar95::SetHintText(const char* text) {
  if (!text) {
    if (gToolTip) gToolTip->SetText(nullptr);
    SetMessagePaneText("");
    return;
  }
  THintRoute route;
  RouteHint(text, gToolbarHintCount, gToolTip != nullptr, route);
  if (route.toTooltip) gToolTip->SetText(route.tooltip);
  SetMessagePaneText(route.status);
}

// The top edge lies outside the client area, so the panes never paint over it.
LRESULT TStatusBar95::EvNcCalcSize(WPARAM wParam, LPARAM lParam) {
  LRESULT r = DefaultProcessing();
  RECT* rect = reinterpret_cast<RECT*>(lParam);
  if (rect) rect->top += kEdgeHeight;
  return r;
}

LRESULT TStatusBar95::EvNcPaint(WPARAM, LPARAM) {
  LRESULT r = DefaultProcessing();
  HDC dc = GetWindowDC(hwnd_);
  if (!dc) return r;
  RECT w;
  ::GetWindowRect(hwnd_, &w);
  const int width = w.right - w.left;
  RECT shadow{0, 0, width, 1};
  FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
  RECT highlight{0, 1, width, 2};
  FillRect(dc, &highlight, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  ReleaseDC(hwnd_, dc);
  return r;
}
