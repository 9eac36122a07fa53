// The one keyboard hook of the thread while property sheets are open: Ctrl+Tab, Ctrl+PgUp/PgDn
// and Alt+Home change pages, and Tab moves between the sheet's controls, its tab strip and the
// controls of the current page as one ring.
#pragma once
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK PropdlgKbdProc(int code, WPARAM wParam, LPARAM lParam);

void InstallSheetHook();
void RemoveSheetHook();
bool SheetHookInstalled();
// The hook's decision for one key press (also used by tests); answers whether it was handled.
bool HandleSheetKey(UINT vk, bool ctrl, bool shift, bool alt);
