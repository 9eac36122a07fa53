#include "foundation/win32/WindowPlacement.h"

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

POINT CenteredPosition(const RECT& area, const RECT& window, int screenWidth, int screenHeight) {
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  POINT p{area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
  if (p.x + width > screenWidth) p.x = screenWidth - width;
  if (p.y + height > screenHeight) p.y = screenHeight - height;
  if (p.x < 0) p.x = 0;
  if (p.y < 0) p.y = 0;
  return p;
}

void CenterWindowOver(HWND owner, HWND window) {
  if (!window) return;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT area{0, 0, screenWidth, screenHeight};
  if (owner) GetWindowRect(owner, &area);
  RECT r{};
  GetWindowRect(window, &r);
  POINT p = CenteredPosition(area, r, screenWidth, screenHeight);
  SetWindowPos(window, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
