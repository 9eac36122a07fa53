#include "app/win32/ScorePreviewControl.h"

#include <algorithm>
#include <cstdio>

#include "app/win32/QVKPrintData.h"
#include "resources/PrintIds.h"

namespace {

bool RegisterPreviewClass() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_PREVIEW_CURSOR));
  if (!wc.hCursor) wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = TScorePreviewControl::kClassName;
  registered = RegisterClassA(&wc) != 0;
  return registered;
}

}  // namespace

TScorePreviewControl::TScorePreviewControl(TQVKPrintData* job)
    : job_(job), zoom_(job->Pages().Metrics()) {}

TScorePreviewControl::~TScorePreviewControl() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool TScorePreviewControl::Create(HWND parent, int id) {
  if (!RegisterPreviewClass()) return false;
  hwnd_ = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, 0,
                          10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return false;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
  frame_.borderWidth = GetSystemMetrics(SM_CXBORDER);
  frame_.borderHeight = GetSystemMetrics(SM_CYBORDER);
  frame_.scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
  frame_.scrollBarHeight = GetSystemMetrics(SM_CYHSCROLL);
  return true;
}

void TScorePreviewControl::SetSpace(const RECT& space) {
  space_ = space;
  frame_.clientWidth = space.right - space.left;
  frame_.clientHeight = space.bottom - space.top;
  zoom_.SetZoom(0, frame_);
  Place();
}

void TScorePreviewControl::SetPlace(const RECT& place) {
  space_ = place;
  if constexpr (kEarlierLine) {
    earlierZoom_.SetZoom(earlierZoom_.GetZoom(), hwnd_ != nullptr);
    if (hwnd_) MoveWindow(hwnd_, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
    PlaceEarlier();
  }
}

// Both bars run 0..100 from level 2 up and are hidden at level 1.
void TScorePreviewControl::PlaceEarlier() {
  if constexpr (kEarlierLine) {
    if (!hwnd_) return;
    const bool bars = earlierZoom_.BarsShown();
    ShowScrollBar(hwnd_, SB_BOTH, bars);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_POS;
    si.nMax = earlierZoom_.RangeMax();
    si.nPos = earlierZoom_.ScrollY();
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
    si.nPos = earlierZoom_.ScrollX();
    SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

void TScorePreviewControl::EarlierClick(bool zoomOut) {
  if constexpr (kEarlierLine) {
    const int level = earlierZoom_.GetZoom();
    earlierZoom_.SetZoom(zoomOut ? TEarlierPreviewZoom::ZoomedOut(level) : TEarlierPreviewZoom::ZoomedIn(level));
    PlaceEarlier();
  }
}

// The page drawn at level times the control's size; the 0..100 positions take it across the part
// that does not fit.
void TScorePreviewControl::EarlierPageRect(int& width, int& height, int& left, int& top) const {
  RECT client;
  GetClientRect(hwnd_, &client);
  const int level = earlierZoom_.GetZoom();
  width = (space_.right - space_.left) * level;
  height = (space_.bottom - space_.top) * level;
  left = -std::max(width - static_cast<int>(client.right), 0) * earlierZoom_.ScrollX() / TEarlierPreviewZoom::kScrollMax;
  top = -std::max(height - static_cast<int>(client.bottom), 0) * earlierZoom_.ScrollY() / TEarlierPreviewZoom::kScrollMax;
}

void TScorePreviewControl::SetZoom(int level) {
  zoom_.SetZoom(level, frame_);
  Place();
}

void TScorePreviewControl::Place() {
  if (!hwnd_) return;
  ShowScrollBar(hwnd_, SB_VERT, zoom_.HasVerticalBar());
  ShowScrollBar(hwnd_, SB_HORZ, zoom_.HasHorizontalBar());
  MoveWindow(hwnd_, space_.left + zoom_.ViewLeft(), space_.top + zoom_.ViewTop(), zoom_.ViewWidth(),
             zoom_.ViewHeight(), TRUE);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
  if (zoom_.HasVerticalBar()) {
    si.nMax = zoom_.RangeY();
    si.nPos = zoom_.ScrollY();
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
  }
  if (zoom_.HasHorizontalBar()) {
    si.nMax = zoom_.RangeX();
    si.nPos = zoom_.ScrollX();
    SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TScorePreviewControl::Refresh() {
  char text[32];
  std::snprintf(text, sizeof text, "Page %d", page_);
  if (hwnd_) {
    SetWindowTextA(hwnd_, text);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

void TScorePreviewControl::Measure() {
  more_ = job_->RenderPage(nullptr, page_, false);
  Refresh();
}

void TScorePreviewControl::FirstPage() {
  job_->Pages().ClearLayoutState();
  page_ = 1;
  Measure();
}

void TScorePreviewControl::NextPage() {
  if (!more_) return;
  // The state after the page shown, which its last layout left.
  job_->RenderPage(nullptr, page_, false);
  job_->Pages().CarryLayoutState();
  ++page_;
  Measure();
}

void TScorePreviewControl::PreviousPage() {
  if (page_ <= 1) return;
  --page_;
  job_->Pages().ClearLayoutState();
  for (int n = 1; n < page_; ++n) {
    job_->RenderPage(nullptr, n, false);
    job_->Pages().CarryLayoutState();
  }
  Measure();
}

void TScorePreviewControl::GotoPosition(int itemIndex) {
  job_->Pages().ClearLayoutState();
  page_ = 1;
  for (;;) {
    more_ = job_->RenderPage(nullptr, page_, false);
    if (!more_ || job_->Pages().ResumeIndex(0) - 1 >= itemIndex) break;
    job_->Pages().CarryLayoutState();
    ++page_;
  }
  Refresh();
}

void TScorePreviewControl::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const TPrinterMetrics& m = job_->Pages().Metrics();
  const int saved = SaveDC(dc);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, m.physicalWidth, m.physicalHeight, nullptr);
  if constexpr (kEarlierLine) {
    int width, height, left, top;
    EarlierPageRect(width, height, left, top);
    SetViewportExtEx(dc, width, height, nullptr);
    SetViewportOrgEx(dc, left, top, nullptr);
  } else {
    SetViewportExtEx(dc, zoom_.DisplayWidth(), zoom_.DisplayHeight(), nullptr);
    SetViewportOrgEx(dc, -zoom_.ScrollX(), -zoom_.ScrollY(), nullptr);
  }
  // Pages draw from the printable origin, which lies the physical offsets into the sheet.
  SetWindowOrgEx(dc, -m.physicalOffsetX, -m.physicalOffsetY, nullptr);
  more_ = job_->RenderPage(dc, page_, true);
  // What the printer cannot print is not shown either.
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  const int left = -m.physicalOffsetX, top = -m.physicalOffsetY;
  const int right = left + m.physicalWidth, bottom = top + m.physicalHeight;
  const RECT strips[4] = {{left, top, right, 0},
                          {left, m.vertRes, right, bottom},
                          {left, 0, 0, m.vertRes},
                          {m.horzRes, 0, right, m.vertRes}};
  for (const RECT& r : strips) {
    if (r.right > r.left && r.bottom > r.top) FillRect(dc, &r, white);
  }
  RestoreDC(dc, saved);
}

void TScorePreviewControl::Scroll(bool vertical, WPARAM wParam) {
  TScrollAction action;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: action = TScrollAction::LineUp; break;
    case SB_LINEDOWN: action = TScrollAction::LineDown; break;
    case SB_PAGEUP: action = TScrollAction::PageUp; break;
    case SB_PAGEDOWN: action = TScrollAction::PageDown; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: action = TScrollAction::Thumb; break;
    case SB_TOP: action = TScrollAction::Top; break;
    case SB_BOTTOM: action = TScrollAction::Bottom; break;
    default: return;
  }
  const int thumb = static_cast<short>(HIWORD(wParam));
  int pos = 0;
  if constexpr (kEarlierLine) {
    pos = earlierZoom_.Scroll(vertical, action, thumb);
  } else {
    pos = zoom_.Scroll(vertical, action, thumb);
  }
  SetScrollPos(hwnd_, vertical ? SB_VERT : SB_HORZ, pos, TRUE);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CALLBACK TScorePreviewControl::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TScorePreviewControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  return self->Receive(msg, wParam, lParam);
}

LRESULT TScorePreviewControl::Receive(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      // The earlier line zooms without regard to the point clicked.
      if constexpr (kEarlierLine) {
        EarlierClick(msg == WM_RBUTTONDOWN);
        return 0;
      }
      zoom_.Click(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), msg == WM_RBUTTONDOWN,
                  frame_);
      Place();
      return 0;
    case WM_VSCROLL:
      Scroll(true, wParam);
      return 0;
    case WM_HSCROLL:
      Scroll(false, wParam);
      return 0;
    default:
      return DefWindowProcA(hwnd_, msg, wParam, lParam);
  }
}
