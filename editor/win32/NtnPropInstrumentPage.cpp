#include "editor/win32/NtnPropInstrumentPage.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "editor/PatchLists.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/EditNumber.h"
#include "framework/ListBox.h"

namespace {

// The profile functions read the key names of a section when no key is given.
class TProfilePatchSource : public TPatchListSource {
public:
  TProfilePatchSource() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = n && n < MAX_PATH ? std::strrchr(path, '\\') : nullptr;
    if (slash) slash[1] = '\0';
    file_ = std::string(slash ? path : ".\\") + "QXTPATCH.INI";
  }
  int ReadKeys(const char* section, char* buffer, int size) override {
    if (size < 2) return 0;
    buffer[0] = buffer[1] = '\0';
    return static_cast<int>(GetPrivateProfileStringA(section, nullptr, "", buffer, static_cast<DWORD>(size), file_.c_str()));
  }

private:
  std::string file_;
};

constexpr int kBankCheck = 100;
constexpr int kController0 = 101;
constexpr int kPatchList = 102;
constexpr int kListType = 103;
constexpr int kController32 = 105;

using R = TResponse<TNtnPropInstrumentPage>;
constexpr R kResponses[] = {
    R::Notify(kListType, CBN_SELCHANGE, &TNtnPropInstrumentPage::EvTypeChange),
    R::Notify(kBankCheck, BN_CLICKED, &TNtnPropInstrumentPage::EvBankClicked),
};

}  // namespace

TPatchLists& SharedPatchLists() {
  static TProfilePatchSource source;
  static TPatchLists lists(source);
  return lists;
}

TNtnPropInstrumentPage::TNtnPropInstrumentPage(TQVKPropertyDlg* sheet, TInstrumentRecord& record)
    : TQVKPropertyPage(sheet, kResourceId), record_(record) {
  bank_ = new TCheckBox(this, kBankCheck);
  controller0_ = new TEditNumber(this, kController0, TNumberRange{0, 127, 1});
  controller32_ = new TEditNumber(this, kController32, TNumberRange{0, 127, 1});
  patches_ = new TListBox(this, kPatchList);
  types_ = new TComboBox(this, kListType);
}

bool TNtnPropInstrumentPage::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TQVKPropertyPage::Find(ev); }

void TNtnPropInstrumentPage::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  bank_->SetCheck(record_.bankSelect ? BST_CHECKED : BST_UNCHECKED);
  controller0_->SetValue(record_.Controller0());
  controller32_->SetValue(record_.Controller32());
  FillTypes();
  FillPatches();
  patches_->SetSelIndex(record_.patch);
  EnableBank();
}

void TNtnPropInstrumentPage::Activated() {
  TQVKPropertyPage::Activated();
  ReportOverflow();
}

void TNtnPropInstrumentPage::FillTypes() {
  TPatchLists& lists = SharedPatchLists();
  types_->ClearList();
  for (int t = 0; t < lists.TypeCount(); ++t) types_->AddString(lists.TypeName(t).c_str());
  types_->SetSelIndex(lists.CurrentType());
}

void TNtnPropInstrumentPage::FillPatches() {
  const int keep = patches_->GetSelIndex();
  patches_->ClearList();
  for (const std::string& name : SharedPatchLists().PatchNames()) patches_->AddString(name.c_str());
  if (keep >= 0) patches_->SetSelIndex(keep);
}

void TNtnPropInstrumentPage::EnableBank() {
  const bool on = bank_->GetCheck() == BST_CHECKED;
  controller0_->EnableWindow(on);
  controller32_->EnableWindow(on);
}

void TNtnPropInstrumentPage::ReportOverflow() {
  if (!SharedPatchLists().TakeOverflow()) return;
  MessageBox("The patch list file holds more names than a list can show; the names that did not fit are left out.",
             "Patch List", MB_OK | MB_ICONEXCLAMATION);
}

LRESULT TNtnPropInstrumentPage::EvTypeChange(WPARAM, LPARAM) {
  SharedPatchLists().SetCurrentType(types_->GetSelIndex());
  FillPatches();
  ReportOverflow();
  return 0;
}

LRESULT TNtnPropInstrumentPage::EvBankClicked(WPARAM, LPARAM) {
  EnableBank();
  return 0;
}

bool TNtnPropInstrumentPage::Apply() {
  const bool bank = bank_->GetCheck() == BST_CHECKED;
  record_ = TInstrumentRecord::FromControls(bank, bank ? controller0_->GetValue() : 0,
                                            bank ? controller32_->GetValue() : 0, std::max(patches_->GetSelIndex(), 0));
  return TQVKPropertyPage::Apply();
}
