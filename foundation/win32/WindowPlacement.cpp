#include "foundation/win32/WindowPlacement.h"

#include "foundation/WindowCentring.h"

namespace {

POINT ScreenCentredOrigin(HWND window, int& width, int& height) {
  RECT r{};
  GetWindowRect(window, &r);
  width = r.right - r.left;
  height = r.bottom - r.top;
  return POINT{(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

}  // namespace

void CenterWindowOnScreen(HWND window, bool repaint) {
  if (!window) return;
  int width = 0, height = 0;
  POINT p = ScreenCentredOrigin(window, width, height);
  MoveWindow(window, p.x, p.y, width, height, repaint);
}

void CenterWindowPos(HWND window) {
  if (!window) return;
  int width = 0, height = 0;
  POINT p = ScreenCentredOrigin(window, width, height);
  SetWindowPos(window, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CenterWindowOver(HWND owner, HWND window) {
  if (!window) return;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT area{0, 0, screenWidth, screenHeight};
  if (owner) GetWindowRect(owner, &area);
  RECT r{};
  GetWindowRect(window, &r);
  const TIntPoint p = CenteredPosition(TIntRect{area.left, area.top, area.right, area.bottom}, r.right - r.left,
                                       r.bottom - r.top, screenWidth, screenHeight);
  SetWindowPos(window, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
