#include "foundation/CursorSeam.h"

#include <windows.h>

TCursorHandle GetWaitCursor() { return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)); }

TCursorHandle ShowWaitCursor() { return SetCursor(static_cast<HCURSOR>(GetWaitCursor())); }

TCursorHandle SetCurrentCursor(TCursorHandle cursor) { return SetCursor(static_cast<HCURSOR>(cursor)); }

TCursorHandle GetCurrentCursor() { return GetCursor(); }
