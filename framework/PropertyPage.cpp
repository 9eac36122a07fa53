#include "framework/PropertyPage.h"

#include <cstdarg>

#include "foundation/BoundedFormat.h"
#include "foundation/TextUtils.h"
#include "foundation/win32/MessageBoxes.h"
#include "framework/PropertyDialog.h"
#include "framework/PropertyTab.h"

namespace {
using R = TResponse<TQVPropertyPage>;
constexpr R kResponses[] = {
    R::Message(WM_SYSCOMMAND, &TQVPropertyPage::EvSysCommand),
    R::Message(WM_CTLCOLORBTN, &TQVPropertyPage::EvCtlColor),
    R::Message(WM_CTLCOLORDLG, &TQVPropertyPage::EvCtlColor),
    R::Message(WM_CTLCOLORSCROLLBAR, &TQVPropertyPage::EvCtlColor),
    R::Message(WM_CTLCOLORSTATIC, &TQVPropertyPage::EvCtlColor),
    R::Message(WM_CONTEXTMENU, &TQVPropertyPage::EvContextMenu),
};
const THelpPair kNoHelp[] = {{0, 0}};
}  // namespace

TQVPropertyPage::TQVPropertyPage(TQVPropertyDialog* sheet, int resourceId, HINSTANCE module)
    : TDialog(sheet->GetTabStrip(), resourceId, module), sheet_(sheet), helpTable_(kNoHelp) {}

TQVPropertyPage::~TQVPropertyPage() {
  if (TQVPropertyTab* strip = Strip()) strip->RemovePage(this);
}

TQVPropertyTab* TQVPropertyPage::Strip() const { return sheet_ ? sheet_->GetTabStrip() : nullptr; }

bool TQVPropertyPage::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TDialog::Find(ev); }

void TQVPropertyPage::SetHelp(const THelpPair* table, const char* file) {
  helpTable_ = table ? table : kNoHelp;
  helpFile_ = file ? file : "help.hlp";
}

// OK and Cancel belong to the sheet, unchanged.
void TQVPropertyPage::CmOk() {
  if (sheet_) sheet_->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void TQVPropertyPage::CmCancel() {
  if (sheet_) sheet_->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

bool TQVPropertyPage::PreProcessMsg(MSG& msg) {
  if (msg.message == WM_CHAR && msg.wParam == VK_ESCAPE) {
    char cls[16] = {};
    ::GetClassNameA(msg.hwnd, cls, sizeof cls);
    if (CompareNoCase(cls, "EDIT") == 0 && sheet_) sheet_->PostMessage(WM_COMMAND, IDCANCEL, 0);
    return true;
  }
  if (msg.message == WM_SYSCHAR && sheet_ &&
      sheet_->HandleMnemonic(PressedMnemonicKey(static_cast<char>(msg.wParam)), true)) {
    return true;
  }
  return TDialog::PreProcessMsg(msg);
}

bool TQVPropertyPage::SelectPage(int index) { return sheet_ && sheet_->SelectPage(Resolve(index)); }
bool TQVPropertyPage::NextPage() { return sheet_ && sheet_->NextPage(); }
bool TQVPropertyPage::PreviousPage() { return sheet_ && sheet_->PreviousPage(); }

void TQVPropertyPage::MakeCurrent() {
  if (sheet_ && sheet_->GetCurrentIndex() != index_) sheet_->SelectPage(index_);
}

bool TQVPropertyPage::Apply() {
  TransferData(TTransferDirection::Get);
  return true;
}

void TQVPropertyPage::EnableTab(int index, bool enable) {
  if (TQVPropertyTab* s = Strip()) s->EnableTab(Resolve(index), enable);
}

bool TQVPropertyPage::IsTabEnabled(int index) const {
  TQVPropertyTab* s = Strip();
  return s && s->IsTabEnabled(Resolve(index));
}

const char* TQVPropertyPage::GetTabCaption(int index) const {
  TQVPropertyTab* s = Strip();
  return s ? s->GetTabCaption(Resolve(index)) : "";
}

void TQVPropertyPage::SetTabCaption(int index, const char* text) {
  if (TQVPropertyTab* s = Strip()) s->SetTabCaption(Resolve(index), text);
}

HWND TQVPropertyPage::GetFrameWindow() const { return FindFrameWindow(GetHandle()); }

int TQVPropertyPage::MessageBox(const char* text, const char* caption, UINT flags) {
  return ::MessageBoxA(GetFrameWindow(), text, caption, flags);
}

int TQVPropertyPage::MessageBoxF(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  FormatBoundedV(text, sizeof text, format, args);
  va_end(args);
  return MessageBox(text, "Program Message", MB_OK | MB_ICONINFORMATION);
}

HWND TQVPropertyPage::FirstTabStop(HWND page) {
  HWND lastChild = GetWindow(page, GW_CHILD);
  if (!lastChild) return nullptr;
  lastChild = GetWindow(lastChild, GW_HWNDLAST);
  HWND first = GetNextDlgTabItem(page, lastChild, FALSE);
  return first && (GetWindowLongA(first, GWL_STYLE) & WS_TABSTOP) ? first : nullptr;
}

HWND TQVPropertyPage::LastTabStop(HWND page) {
  HWND firstChild = GetWindow(page, GW_CHILD);
  if (!firstChild) return nullptr;
  HWND last = GetNextDlgTabItem(page, firstChild, TRUE);
  return last && (GetWindowLongA(last, GWL_STYLE) & WS_TABSTOP) ? last : nullptr;
}

LRESULT TQVPropertyPage::EvSysCommand(WPARAM wParam, LPARAM lParam) {
  if ((wParam & 0xFFF0) == SC_KEYMENU && lParam && sheet_ &&
      sheet_->HandleMnemonic(PressedMnemonicKey(static_cast<char>(lParam)), true)) {
    return 0;
  }
  return DefaultProcessing();
}

LRESULT TQVPropertyPage::EvCtlColor(WPARAM wParam, LPARAM lParam) {
  const LRESULT brush = TQVPropertyDialog::ControlColor(0, wParam, lParam);
  return brush ? brush : DefaultProcessing();
}

LRESULT TQVPropertyPage::EvContextMenu(WPARAM wParam, LPARAM) {
  WinHelpA(reinterpret_cast<HWND>(wParam), helpFile_.c_str(), HELP_CONTEXTMENU,
           reinterpret_cast<ULONG_PTR>(helpTable_));
  return 0;
}
