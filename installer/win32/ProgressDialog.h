// The progress window of an apply: phase, file and description texts, a percentage bar and the
// cancel button, which only records the request for the applier's cancel check.
#pragma once

#include <windows.h>

class TUpgApplier;

extern "C" __declspec(dllexport) INT_PTR CALLBACK UpgProgressDlg(HWND dialog, UINT message, WPARAM wParam,
                                                                 LPARAM lParam);

HWND CreateUpgProgress(HINSTANCE instance, HWND owner, TUpgApplier* applier);
void RedrawUpgProgressBar(HWND dialog);
