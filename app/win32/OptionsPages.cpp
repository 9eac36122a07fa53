#include "app/win32/OptionsPages.h"

#include <commdlg.h>

#include <cstdio>

#include "app/win32/QVKPropertyDlg.h"
#include "foundation/SysInfo.h"
#include "foundation/VocabularyLists.h"
#include "foundation/win32/FileUtils.h"
#include "foundation/win32/ShellUtils.h"
#include "framework/ColumnHeader.h"
#include "framework/ColumnListBox.h"
#include "framework/DC.h"
#include "app/win32/PageControls.h"
#include "framework/EditNumber.h"
#include "framework/SpinButton.h"

using namespace page_controls;

namespace {

TEditNumber* NumberWithSpin(TWindow* page, int id, int minimum, int maximum) {
  auto* edit = new TEditNumber(page, id, TNumberRange{minimum, maximum, 1});
  new TSpinButton(edit);
  return edit;
}

// The Notation list: each colour role drawn with its swatch; the colour is the item's data.
class TColorRoleList : public TListBox {
public:
  TColorRoleList(TWindow* parent, int id) : TListBox(parent, id) {}

  bool DrawItem(DRAWITEMSTRUCT& item) override {
    if (item.itemID == UINT(-1)) return true;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SIZE blank{};
    GetTextExtentPoint32A(dc, " ", 1, &blank);
    const int height = r.bottom - r.top;
    RECT swatch{r.left + blank.cx, r.top + 2, r.left + blank.cx + 2 * height, r.bottom - 2};
    HBRUSH fill = CreateSolidBrush(static_cast<COLORREF>(item.itemData));
    FillRect(dc, &swatch, fill);
    DeleteObject(fill);
    FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    char text[64] = {};
    ::SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
    RECT textRect{swatch.right + blank.cx, r.top, r.right, r.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, text, -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
    return true;
  }
};

}  // namespace

// Color page.

TColorOptionsDlg::TColorOptionsDlg(TQVKPropertyDlg* sheet, TOptionsHost& host)
    : TQVKPropertyPage(sheet, kOptionPages[int(TOptionPage::kColor)].dialogId), host_(host),
      roles_(new TColorRoleList(this, kRoleList)) {
  FillGreyRamp(customColors_);
}

void TColorOptionsDlg::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  HWND page = GetHandle();
  FillList(GetDlgItem(kBackgroundList), kBackgroundNames);
  const TColorPageState state = LoadColorPage(host_);
  for (int i = 0; i < kStaffColorCount; ++i) {
    const int at = roles_->AddString(GetListEntry(kVocabColourRoles, i));
    roles_->SetItemData(at, static_cast<LPARAM>(state.colors[i]));
  }
  for (int c = 0; c < kColorChoiceCount; ++c) {
    HWND list = GetDlgItem(kColorChoiceIds[c]);
    for (int i = 0; i < kStaffColorCount; ++i)
      ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetListEntry(kVocabColourRoles, i)));
    Select(page, kColorChoiceIds[c], state.choices[c]);
  }
  Select(page, kBackgroundList, state.background);
  roles_->SetSelIndex(0);
}

bool TColorOptionsDlg::Apply() {
  TColorPageState state;
  state.background = Selection(GetHandle(), kBackgroundList);
  for (int i = 0; i < kStaffColorCount; ++i) state.colors[i] = static_cast<uint32_t>(roles_->GetItemData(i));
  for (int c = 0; c < kColorChoiceCount; ++c) state.choices[c] = Selection(GetHandle(), kColorChoiceIds[c]);
  ApplyColorPage(state, host_);
  return true;
}

LRESULT TColorOptionsDlg::EvCommand(UINT id, HWND control, UINT notifyCode) {
  if (id == kChangeColor && notifyCode == BN_CLICKED) {
    ChangeColor();
    return 0;
  }
  return TQVKPropertyPage::EvCommand(id, control, notifyCode);
}

void TColorOptionsDlg::ChangeColor() {
  const int at = roles_->GetSelIndex();
  if (at < 0) return;
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = GetHandle();
  choose.rgbResult = static_cast<COLORREF>(roles_->GetItemData(at));
  choose.lpCustColors = reinterpret_cast<COLORREF*>(customColors_);
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&choose)) return;
  roles_->SetItemData(at, static_cast<LPARAM>(choose.rgbResult));
  roles_->Invalidate();
}

// Editor page.

TEditOptionsDlg::TEditOptionsDlg(TQVKPropertyDlg* sheet, TOptionsHost& host)
    : TQVKPropertyPage(sheet, kOptionPages[int(TOptionPage::kEditor)].dialogId), host_(host),
      undoLevels_(NumberWithSpin(this, kUndoLevels, kMinUndoLevels, kMaxUndoLevels)) {}

void TEditOptionsDlg::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  const TEditorPageState state = LoadEditorPage(host_);
  for (int i = 0; i < kEditorCheckCount; ++i) SetChecked(GetHandle(), kEditorCheckIds[i], state.checks[i]);
  undoLevels_->SetValue(state.undoLevels);
}

bool TEditOptionsDlg::Apply() {
  TEditorPageState state;
  for (int i = 0; i < kEditorCheckCount; ++i) state.checks[i] = Checked(GetHandle(), kEditorCheckIds[i]);
  state.undoLevels = undoLevels_->GetValue();
  ApplyEditorPage(state, host_);
  return true;
}

// File page.

TFileOptionsDlg::TFileOptionsDlg(TQVKPropertyDlg* sheet, TOptionsHost& host)
    : TQVKPropertyPage(sheet, kOptionPages[int(TOptionPage::kFile)].dialogId), host_(host),
      minutes_(NumberWithSpin(this, kMinutes, kMinAutoSaveMinutes, kMaxAutoSaveMinutes)) {}

void TFileOptionsDlg::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  HWND page = GetHandle();
  FillList(GetDlgItem(kHeaderInfo), kHeaderInfoNames);
  const TFilePageState s = LoadFilePage(host_);
  SetChecked(page, kBackups, s.backups);
  SetChecked(page, kAutoSave, s.autoSave);
  minutes_->SetValue(s.minutes);
  SetChecked(page, kRestrict, s.restrictExperimental);
  SetChecked(page, kTrackSignatures, s.trackSignatures);
  Select(page, kHeaderInfo, s.headerInfo);
  SetChecked(page, kImportWizard, s.importWizard);
}

bool TFileOptionsDlg::Apply() {
  HWND page = GetHandle();
  TFilePageState s;
  s.backups = Checked(page, kBackups);
  s.autoSave = Checked(page, kAutoSave);
  s.minutes = minutes_->GetValue();
  s.restrictExperimental = Checked(page, kRestrict);
  s.trackSignatures = Checked(page, kTrackSignatures);
  s.headerInfo = Selection(page, kHeaderInfo);
  s.importWizard = Checked(page, kImportWizard);
  ApplyFilePage(s, host_);
  return true;
}

// Folders page.

TFoldersOptionsDlg::TFoldersOptionsDlg(TQVKPropertyDlg* sheet, TOptionsHost& host)
    : TQVKPropertyPage(sheet, kOptionPages[int(TOptionPage::kFolders)].dialogId), host_(host),
      header_(new TQVColumnHeader(this, kHeader, 0, 0, 0, 0)), list_(new TQVColumnListBox(header_, kList, 0, 0, 0, 0)) {
  header_->AddItem(new TQVHdrItem("File Types", nullptr, 130));
  header_->AddItem(new TQVHdrItem("Location", nullptr, 300));
}

std::string TFoldersOptionsDlg::RowText(int row) {
  char folder[260] = {};
  host_.GetFolder(row, folder);
  return FolderRowText(row, folder);
}

void TFoldersOptionsDlg::SetupWindow() {
  // The header's window class is our own, so the page makes both controls instead of its
  // resource: in dialog units, the header over the list, both over the Modify... button.
  auto place = [this](TWindow* control, RECT r) {
    MapDialogRect(GetHandle(), &r);
    control->Attr.x = r.left;
    control->Attr.y = r.top;
    control->Attr.w = r.right - r.left;
    control->Attr.h = r.bottom - r.top;
  };
  place(header_, RECT{8, 8, 272, 20});
  place(list_, RECT{8, 20, 272, 140});
  TQVKPropertyPage::SetupWindow();
  for (int row = 0; row < 4; ++row) list_->AddString(RowText(row).c_str());
}

LRESULT TFoldersOptionsDlg::EvCommand(UINT id, HWND control, UINT notifyCode) {
  if (id == kModify && notifyCode == BN_CLICKED) {
    Modify();
    return 0;
  }
  return TQVKPropertyPage::EvCommand(id, control, notifyCode);
}

void TFoldersOptionsDlg::Modify() {
  const int row = list_->GetSelIndex();
  if (row < 0 || row >= 4) return;
  char folder[260] = {};
  host_.GetFolder(row, folder);
  TFolderEditDlg dialog(this, folder);
  if (RunChildDialog(dialog) != IDOK) return;
  ApplyFolderChange(row, dialog.GetFolder(), host_);
  list_->DeleteString(row);
  list_->InsertString(RowText(row).c_str(), row);
  list_->SetSelIndex(row);
  if (auto* sheet = dynamic_cast<TQVKPropertyDlg*>(GetSheet())) sheet->SetCancelToClose();
}

// "Folder Name".

TFolderEditDlg::TFolderEditDlg(TWindow* parent, const char* folder) : TMCTDialog(parent, kResourceId) {
  std::snprintf(folder_, sizeof folder_, "%s", folder ? folder : "");
}

void TFolderEditDlg::SetupWindow() {
  TMCTDialog::SetupWindow();
  ::SendDlgItemMessageA(GetHandle(), kFolderEdit, EM_LIMITTEXT, sizeof folder_ - 1, 0);
  ::SetDlgItemTextA(GetHandle(), kFolderEdit, folder_);
}

bool TFolderEditDlg::CanClose() {
  char text[260] = {};
  ::GetDlgItemTextA(GetHandle(), kFolderEdit, text, sizeof text);
  if (!FolderEditAccepts(text, [](const char* path) { return IsDirectory(path) != 0; })) {
    ::MessageBoxA(GetHandle(), "The specified folder does not exist.", "Error", MB_OK | MB_ICONINFORMATION);
    ::SetFocus(GetDlgItem(kFolderEdit));
    return false;
  }
  if (!TMCTDialog::CanClose()) return false;
  NormaliseFolderText(text, folder_);
  return true;
}

LRESULT TFolderEditDlg::EvCommand(UINT id, HWND control, UINT notifyCode) {
  if (id == kBrowse && notifyCode == BN_CLICKED) {
    Browse();
    return 0;
  }
  return TMCTDialog::EvCommand(id, control, notifyCode);
}

void TFolderEditDlg::Browse() {
  char path[260] = {};
  ::GetDlgItemTextA(GetHandle(), kFolderEdit, path, sizeof path);
  if (GetSysInfo().GetMajorVersion() > 3) {
    if (BrowseForFolder(GetHandle(), path)) ::SetDlgItemTextA(GetHandle(), kFolderEdit, path);
    return;
  }
  // Systems before the shell's folder browser: a save-style file dialog whose folder is taken.
  char initial[260];
  std::snprintf(initial, sizeof initial, "%s", path);
  char name[260] = "Path";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = GetHandle();
  ofn.lpstrFilter = "All Files\0*.*\0";
  ofn.lpstrFile = name;
  ofn.nMaxFile = sizeof name;
  ofn.lpstrInitialDir = initial;
  ofn.lpstrTitle = "Select a location";
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameA(&ofn)) return;
  if (ofn.nFileOffset > 0 && ofn.nFileOffset < sizeof name) name[ofn.nFileOffset - 1] = '\0';
  ::SetDlgItemTextA(GetHandle(), kFolderEdit, name);
}
