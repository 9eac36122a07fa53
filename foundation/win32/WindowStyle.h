// Small changes to existing windows: their font, class brush and style bits.
#pragma once

#include <windows.h>

// Sends WM_SETFONT with the stock ANSI_VAR_FONT (no redraw) to every descendant window.
void SetAnsiVarFontRecursive(HWND window);
// Sets the class background brush when it differs from the current one.
void SetWindowClassBrush(HWND window, HBRUSH brush);
// new = bits | (old & ~mask) for the window long at the index; answers whether it changed. With
// position flags the frame is brought up to date (SetWindowPos without size, move, Z-order or
// activation change).
bool SetWindowStyleBits(HWND window, int index, DWORD mask, DWORD bits, UINT positionFlags);
