#include "foundation/win32/WindowStyle.h"

namespace {

BOOL CALLBACK SetAnsiVarFont(HWND child, LPARAM font) {
  SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  return TRUE;
}

}  // namespace

void SetAnsiVarFontRecursive(HWND window) {
  if (!window) return;
  // EnumChildWindows walks every descendant, not only the direct children.
  EnumChildWindows(window, &SetAnsiVarFont, reinterpret_cast<LPARAM>(GetStockObject(ANSI_VAR_FONT)));
}

void SetWindowClassBrush(HWND window, HBRUSH brush) {
  if (!window) return;
  if (reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)) == brush) return;
  SetClassLongPtrA(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush));
}

bool SetWindowStyleBits(HWND window, int index, DWORD mask, DWORD bits, UINT positionFlags) {
  if (!window) return false;
  const DWORD old = static_cast<DWORD>(GetWindowLongA(window, index));
  const DWORD now = bits | (old & ~mask);
  if (now == old) return false;
  SetWindowLongA(window, index, static_cast<LONG>(now));
  if (positionFlags) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 positionFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}
