#include "framework/Dialog.h"
#include <exception>
#include "framework/Application.h"
#include "framework/FaultRecovery.h"

namespace {

thread_local TDialog* creatingDialog = nullptr;

using R = TResponse<TDialog>;
constexpr R kResponses[] = {
    R::Command(IDOK, &TDialog::CmOk),
    R::Command(IDCANCEL, &TDialog::CmCancel),
};

}  // namespace

// Binds the dialog object on the first call and subclasses the dialog window, so that every
// message after that reaches the object through the common window procedure. Later calls are
// the default processing of that procedure and answer "not handled".
INT_PTR CALLBACK VcDialogBindProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (TWindow::FromHandle(hwnd) || !creatingDialog) return FALSE;
  TWindow* d = creatingDialog;
  creatingDialog = nullptr;
  d->Subclass(hwnd);
  try {
    return RunWithFaultRecovery([&] { return d->ReceiveMessage(msg, wParam, lParam); });
  } catch (...) {
    TApplication::StoreException(std::current_exception());
    return FALSE;
  }
}

TDialog::TDialog(TWindow* parent, LPCSTR resource, HINSTANCE module)
    : TWindow(parent, nullptr, module), resource_(resource) {
  Attr.style = 0;
}

bool TDialog::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TWindow::Find(ev); }

HWND TDialog::PerformCreate() {
  HWND owner = GetParentObject() ? GetParentObject()->GetHandle() : nullptr;
  creatingDialog = this;
  HWND h = CreateDialogParamA(GetModule(), resource_, owner, &VcDialogBindProc, 0);
  creatingDialog = nullptr;
  return h;
}

bool TDialog::Create() {
  if (hwnd_) return true;
  return PerformCreate() != nullptr && hwnd_ != nullptr;
}

LRESULT TDialog::ReceiveMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    Attr.id = 0;
    PerformSetup();
    return EvInitDialog(reinterpret_cast<HWND>(wParam));
  }
  return TWindow::ReceiveMessage(msg, wParam, lParam);
}

int TDialog::Execute() {
  TWindow* parent = GetParentObject();
  HWND owner = parent ? parent->GetHandle() : nullptr;
  bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
  modal_ = true;
  if (!Create()) {
    modal_ = false;
    return -1;
  }
  if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
  ShowWindow(SW_SHOW);
  int result = TApplication::Current()->BeginModal(this);
  // Give the owner back its input before the dialog goes, so that activation returns to it.
  if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
  modal_ = false;
  if (hwnd_) DestroyWindow(hwnd_);
  return result;
}

void TDialog::Destroy(int retVal) {
  if (modal_) {
    TApplication::Current()->EndModal(retVal);
    return;
  }
  TWindow::Destroy(retVal);
}

void TDialog::CloseWindow(int retValue) {
  if (!CanClose()) return;
  if (retValue == IDOK) TransferData(TTransferDirection::Get);
  Destroy(retValue);
}

void TDialog::CmOk() { CloseWindow(IDOK); }

void TDialog::CmCancel() { Destroy(IDCANCEL); }

bool TDialog::PreProcessMsg(MSG& msg) { return hwnd_ && IsDialogMessageA(hwnd_, &msg); }
