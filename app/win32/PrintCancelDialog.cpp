#include "app/win32/PrintCancelDialog.h"

#include "resources/PrintIds.h"

TPrintCancelDialog::TPrintCancelDialog(HWND owner, const char* documentName, volatile bool* abortFlag)
    : owner_(owner), abort_(abortFlag) {
  hwnd_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PRINT_CANCEL), owner, Proc,
                             reinterpret_cast<LPARAM>(this));
  if (!hwnd_) return;
  SetDlgItemTextA(hwnd_, IDC_PRINT_DOCUMENT, documentName);
  EnableMenuItem(GetSystemMenu(hwnd_, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  if (owner_) EnableWindow(owner_, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

TPrintCancelDialog::~TPrintCancelDialog() {
  // The owner comes back before the box goes, so that the focus returns to it.
  if (owner_) {
    EnableWindow(owner_, TRUE);
    SetFocus(owner_);
  }
  if (hwnd_) DestroyWindow(hwnd_);
}

INT_PTR CALLBACK TPrintCancelDialog::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    return TRUE;
  }
  auto* self = reinterpret_cast<TPrintCancelDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL && self) {
    *self->abort_ = true;
    EnableWindow(GetDlgItem(hwnd, IDCANCEL), FALSE);
    return TRUE;
  }
  return FALSE;
}

void PumpWaitingMessages(HWND dialog) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (dialog && IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}
