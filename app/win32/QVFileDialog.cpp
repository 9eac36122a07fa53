#include "app/win32/QVFileDialog.h"

#include <commdlg.h>

#include <vector>

#include "foundation/TextUtils.h"
#include "foundation/win32/WindowPlacement.h"

int TQVFileOpenDialog::Execute() {
  std::vector<char> filter(data_.filter.size() + 2);
  FilterToSystem(data_.filter.c_str(), filter.data(), filter.size());
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = data_.filter.empty() ? nullptr : filter.data();
  ofn.nFilterIndex = static_cast<DWORD>(data_.filterIndex);
  ofn.lpstrFile = data_.fileName;
  ofn.nMaxFile = sizeof data_.fileName;
  ofn.lpstrInitialDir = data_.initialFolder.empty() ? nullptr : data_.initialFolder.c_str();
  ofn.lpstrTitle = data_.title.empty() ? nullptr : data_.title.c_str();
  ofn.lpstrDefExt = data_.defaultExtension.empty() ? nullptr : data_.defaultExtension.c_str();
  ofn.Flags = data_.flags | OFN_ENABLEHOOK;
  ofn.lpfnHook = Hook;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);
  if (!Run(ofn)) return IDCANCEL;
  data_.filterIndex = static_cast<int>(ofn.nFilterIndex);
  return IDOK;
}

UINT_PTR CALLBACK TQVFileOpenDialog::Hook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* ofn = reinterpret_cast<const OPENFILENAMEA*>(lParam);
    SetWindowLongPtrA(child, DWLP_USER, ofn->lCustData);
    // Without the Explorer style the hooked window is the dialog itself.
    if (!(ofn->Flags & OFN_EXPLORER)) CenterWindowOnScreen(child, false);
    return 0;
  }
  if (message != WM_NOTIFY) return 0;
  auto* self = reinterpret_cast<TQVFileOpenDialog*>(GetWindowLongPtrA(child, DWLP_USER));
  if (!self) return 0;
  return self->Notify(GetParent(child), *reinterpret_cast<const OFNOTIFYA*>(lParam)) ? 1 : 0;
}

bool TQVFileOpenDialog::Notify(HWND dialog, const OFNOTIFYA& notify) {
  if (notify.hdr.code != CDN_INITDONE) return false;
  CenterWindowOnScreen(dialog, false);
  return true;
}

bool TQVFileSaveDialog::Notify(HWND dialog, const OFNOTIFYA& notify) {
  if (notify.hdr.code != CDN_TYPECHANGE) return TQVFileOpenDialog::Notify(dialog, notify);
  char pattern[260];
  FilterPattern(Data().filter.c_str(), static_cast<int>(notify.lpOFN->nFilterIndex), pattern);
  char extension[kDefaultExtensionSize];
  DefaultExtensionFromPattern(pattern, extension);
  SendMessageA(dialog, CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(extension));
  char name[260] = {};
  SendMessageA(dialog, CDM_GETSPEC, sizeof name, reinterpret_cast<LPARAM>(name));
  if (ReplaceNameExtension(name, extension)) {
    // The file-name field is the edit 1152 in the older dialogs and the combo box 1148 in the
    // newer ones, where 1152 is missing or hidden.
    HWND edit = GetDlgItem(dialog, 1152);
    const int field = edit && IsWindowVisible(edit) ? 1152 : 1148;
    SendMessageA(dialog, CDM_SETCONTROLTEXT, field, reinterpret_cast<LPARAM>(name));
  }
  return false;
}
