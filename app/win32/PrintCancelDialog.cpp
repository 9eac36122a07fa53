#include "app/win32/PrintCancelDialog.h"

#include "resources/PrintIds.h"

TPrintCancelDialog::TPrintCancelDialog(HWND owner, const char* documentName, volatile bool* abortFlag)
    : TMCTDialog(TWindow::FromHandle(owner), kResourceId), owner_(owner), name_(documentName), abort_(abortFlag) {
  if (!Create()) return;
  if (owner_) ::EnableWindow(owner_, FALSE);
  ShowWindow(SW_SHOW);
  ::UpdateWindow(GetHandle());
}

TPrintCancelDialog::~TPrintCancelDialog() {
  // The owner comes back before the box goes, so that the focus returns to it.
  if (owner_) {
    ::EnableWindow(owner_, TRUE);
    ::SetFocus(owner_);
  }
  if (GetHandle()) DestroyWindow(GetHandle());
}

void TPrintCancelDialog::SetupWindow() {
  TMCTDialog::SetupWindow();
  SetDlgItemTextA(GetHandle(), IDC_PRINT_DOCUMENT, name_ ? name_ : "");
  EnableMenuItem(GetSystemMenu(GetHandle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

void TPrintCancelDialog::CmCancel() {
  if (abort_) *abort_ = true;
  ::EnableWindow(GetDlgItem(IDCANCEL), FALSE);
}

void PumpWaitingMessages(HWND dialog) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (dialog && IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}
