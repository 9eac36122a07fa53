// Centring windows on the screen or over their owner.
#pragma once

#include <windows.h>

// Moves the window to the middle of the screen, size unchanged.
void CenterWindowOnScreen(HWND window, bool repaint);
// The same for a framework window (which converts to its handle).
inline void CenterWindow(HWND window, bool repaint) { CenterWindowOnScreen(window, repaint); }
// The same position set with SetWindowPos, without a size or Z-order change.
void CenterWindowPos(HWND window);
// Centres the window over the owner's window rectangle (the whole screen without an owner),
// then pulls it back inside the screen's right and bottom edges, never past position 0.
void CenterWindowOver(HWND owner, HWND window);
