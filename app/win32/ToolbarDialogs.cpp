#include "app/win32/ToolbarDialogs.h"

#include "app/win32/MCTDialog.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/ToolbarCommands.h"
#include "app/ToolbarEditing.h"
#include "app/ToolbarState.h"
#include "app/win32/DockStation.h"
#include "app/win32/MusicStatusBar.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/Toolbar.h"
#include "app/win32/ToolbarSet.h"
#include "foundation/win32/FileUtils.h"
#include "foundation/win32/MessageBoxes.h"
#include "framework/ComboBox.h"
#include "framework/DecoratedFrame.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/ListBox.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"

namespace {

constexpr int IDD_TOOLBARLIST = 546;
constexpr int IDD_CUSTOMIZETOOLBARS = 596;
constexpr int IDD_TOOLBARNAME = 597;
constexpr int kCustomizeResult = 200;

std::vector<std::string> ToolbarNames() {
  std::vector<std::string> names;
  for (TToolbar* t : ToolbarList()) names.push_back(t->GetName());
  return names;
}

// The dialog's resource id is the hint id while it is open, so F1 and the menu hints name its
// topic; the dialog base opens help for that id from the Help button.
class THintDialog : public TMCTDialog {
public:
  THintDialog(TWindow* parent, int id) : TMCTDialog(parent, id), id_(id) {}
  void SetupWindow() override {
    TMCTDialog::SetupWindow();
    if (gStatusBar) gStatusBar->SetHintId(id_);
  }
  void CleanupWindow() override {
    if (gStatusBar) gStatusBar->ClearHint();
    TMCTDialog::CleanupWindow();
  }

private:
  int id_;
};

class TToolbarDlg : public THintDialog {
public:
  explicit TToolbarDlg(TWindow* parent) : THintDialog(parent, IDD_TOOLBARLIST) { list_ = new TListBox(this, 101); }

  void SetupWindow() override {
    THintDialog::SetupWindow();
    for (TToolbar* t : ToolbarList()) {
      const int i = list_->AddString(t->GetName().c_str());
      if (!t->IsHidden()) list_->SetSel(i, true);
    }
    list_->SendMessage(LB_SETCARETINDEX, 0, FALSE);
  }

  LRESULT EvCommand(UINT id, HWND control, UINT code) override {
    if ((id == IDOK || id == kCustomizeResult) && code == BN_CLICKED) {
      Apply();
      Destroy(static_cast<int>(id));
      return 0;
    }
    return THintDialog::EvCommand(id, control, code);
  }

private:
  void Apply() {
    std::vector<TToolbar*> list = ToolbarList();
    for (size_t i = 0; i < list.size() && static_cast<int>(i) < list_->GetCount(); ++i) {
      const bool show = list_->GetSel(static_cast<int>(i));
      TToolbar* t = list[i];
      if (show && t->IsHidden()) t->ChangeState(static_cast<uint16_t>(t->GetFlags() & ~kTbHidden), true);
      if (!show && !t->IsHidden()) t->ChangeState(static_cast<uint16_t>(t->GetFlags() | kTbHidden), true);
    }
  }

  TListBox* list_;
};

class TToolbarNameDlg : public TMCTDialog {
public:
  TToolbarNameDlg(TWindow* parent, char (&name)[kToolbarNameRoom]) : TMCTDialog(parent, IDD_TOOLBARNAME) {
    new TEdit(this, 101, kToolbarNameRoom);
    SetTransferBuffer(name);
  }
};

class TCustomizeTBarDlg : public THintDialog {
public:
  TCustomizeTBarDlg(TWindow* parent, TDecoratedFrame& frame) : THintDialog(parent, IDD_CUSTOMIZETOOLBARS), frame_(frame) {
    combo_ = new TComboBox(this, 101);
    available_ = new TListBox(this, 110);
    active_ = new TListBox(this, 113);
  }

  ~TCustomizeTBarDlg() override {
    if (changed_) SaveToolbars();
  }

  void SetupWindow() override {
    THintDialog::SetupWindow();
    FillCombo(0);
    ClearToolbarSection();
  }

  LRESULT EvCommand(UINT id, HWND control, UINT code) override {
    if (control && id == 101 && (code == CBN_SELCHANGE || code == CBN_CLOSEUP)) {
      FillLists();
      return 0;
    }
    if (control && id == 110 && code == LBN_DBLCLK) return Add(), 0;
    if (control && id == 113 && code == LBN_DBLCLK) return RemoveSelected(), 0;
    if (code != BN_CLICKED) return THintDialog::EvCommand(id, control, code);
    switch (id) {
      case 111: Add(); return 0;
      case 112: RemoveSelected(); return 0;
      case 120: AddSeparator(); return 0;
      case 114: Move(-1); return 0;
      case 115: Move(1); return 0;
      case 102: New(); return 0;
      case 103: Delete(); return 0;
      case 104: Rename(); return 0;
      case 105: RestoreDefaults(); return 0;
      default: return THintDialog::EvCommand(id, control, code);
    }
  }

private:
  TToolbar* Selected() const {
    const int i = combo_->GetSelIndex();
    const std::vector<TToolbar*>& list = ToolbarList();
    return i >= 0 && i < static_cast<int>(list.size()) ? list[i] : nullptr;
  }

  void FillCombo(int select) {
    combo_->ClearList();
    for (TToolbar* t : ToolbarList()) combo_->AddString(t->GetName().c_str());
    combo_->SetSelIndex(select);
    FillLists();
  }

  void FillLists() {
    available_->ClearList();
    active_->ClearList();
    TToolbar* t = Selected();
    if (!t) return;
    const std::vector<uint16_t> items = t->FileValues();
    for (uint16_t v : items) active_->AddString(ToolbarItemText(v));
    for (const char* text : AvailableToolbarTexts(items)) available_->AddString(text);
    available_->SetSelIndex(0);
    active_->SetSelIndex(0);
  }

  // Inserts a gadget after the selected active entry; false when refused.
  bool Insert(uint16_t value, const char* text) {
    TToolbar* t = Selected();
    if (!t) return false;
    std::vector<uint16_t> items = t->FileValues();
    bool removedLone = false;
    const int at = InsertToolbarItem(items, active_->GetSelIndex(), value, &removedLone);
    if (at < 0) return false;
    if (removedLone) {
      t->RemoveGadget(0);
      active_->DeleteString(0);
    }
    std::unique_ptr<TToolbarGadget> g;
    if (value == kToolbarFileSeparator) {
      g = std::make_unique<TQVToolbarSeparatorGadget>();
    } else {
      g = std::make_unique<TToolbarButtonGadget>(value, value);
    }
    t->InsertGadget(at, std::move(g));
    active_->InsertString(text, at);
    active_->SetSelIndex(at);
    t->Relayout();
    return true;
  }

  void Add() {
    const int i = available_->GetSelIndex();
    if (i < 0) return;
    const std::string text = available_->GetString(i);
    const int id = FindToolbarCommandByText(text.c_str());
    if (id <= 0 || !Insert(static_cast<uint16_t>(id), text.c_str())) return;
    available_->DeleteString(i);
    const int count = available_->GetCount();
    available_->SetSelIndex(i < count ? i : count - 1);
    changed_ = true;
  }

  void AddSeparator() {
    if (Insert(kToolbarFileSeparator, kSeparatorText)) changed_ = true;
  }

  void RemoveSelected() {
    TToolbar* t = Selected();
    const int n = active_->GetSelIndex();
    if (!t || n < 0 || active_->GetCount() < 2) return;
    std::vector<uint16_t> items = t->FileValues();
    if (!RemoveToolbarItem(items, n)) return;
    const std::string text = active_->GetString(n);
    active_->DeleteString(n);
    if (text != kSeparatorText && text != kUnknownToolText) available_->AddString(text.c_str());
    t->RemoveGadget(n);
    active_->SetSelIndex(n < active_->GetCount() ? n : active_->GetCount() - 1);
    t->Relayout();
    changed_ = true;
  }

  void Move(int step) {
    TToolbar* t = Selected();
    const int n = active_->GetSelIndex();
    if (!t || n < 0) return;
    std::vector<uint16_t> items = t->FileValues();
    if (!(step < 0 ? MoveToolbarItemUp(items, n) : MoveToolbarItemDown(items, n))) return;
    const std::string text = active_->GetString(n);
    active_->DeleteString(n);
    active_->InsertString(text.c_str(), n + step);
    active_->SetSelIndex(n + step);
    std::unique_ptr<TToolbarGadget> g = t->RemoveGadget(n);
    t->InsertGadget(n + step, std::move(g));
    t->Relayout();
    changed_ = true;
  }

  void New() {
    if (!CanAddToolbar(static_cast<int>(ToolbarList().size()))) {
      MessageBeep(0);
      return;
    }
    const std::string name = NewCustomToolbarName(ToolbarNames());
    auto* t = new TToolbar(frame_, name.c_str(), 0x2810, false, ToolbarGadgetFont());
    t->AppendGadget(std::make_unique<TQVToolbarSeparatorGadget>());
    t->Create();
    FillCombo(static_cast<int>(ToolbarList().size()) - 1);
    changed_ = true;
  }

  void Rename() {
    TToolbar* t = Selected();
    if (!t) return;
    const int index = combo_->GetSelIndex();
    char name[kToolbarNameRoom];
    std::snprintf(name, sizeof name, "%s", t->GetName().c_str());
    for (;;) {
      TToolbarNameDlg dialog(this, name);
      if (dialog.Execute() != IDOK) return;
      std::string taken;
      switch (CheckToolbarRename(ToolbarNames(), index, name, taken)) {
        case TRenameCheck::Unchanged:
          return;
        case TRenameCheck::Take:
          t->Rename(taken.c_str());
          FillCombo(index);
          changed_ = true;
          return;
        case TRenameCheck::NotUnique:
          if (MBLMessage(hwnd_, MB_OKCANCEL | MB_ICONEXCLAMATION, IDS_TOOLBAR_NAME_ERROR, IDS_TOOLBAR_NAME_NOT_UNIQUE) !=
              IDOK) {
            return;
          }
          break;
      }
    }
  }

  void Delete() {
    TToolbar* t = Selected();
    if (!t || ToolbarList().size() < 2) return;
    char question[200] = {};
    LoadStringA(GetModule(), IDS_TOOLBAR_DELETE_QUESTION, question, sizeof question);
    if (MessageBoxA(hwnd_, question, t->GetName().c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    DeleteToolbar(t);
    FillCombo(0);
    ClearToolbarSection();
    changed_ = true;
  }

  void RestoreDefaults() {
    if (MBLMessage(hwnd_, MB_YESNO | MB_ICONQUESTION, IDS_TOOLBAR_RESTORE_CAPTION, IDS_TOOLBAR_RESTORE_QUESTION) !=
        IDYES) {
      return;
    }
    while (!ToolbarList().empty()) DeleteToolbar(ToolbarList().back());
    ClearToolbarSection();
    for (int n = 0; n < 16; ++n) {
      TToolbar* t = CreateFactoryToolbar(frame_, n);
      if (!t) break;
      t->Create();
      if (t->IsHidden()) t->ChangeState(static_cast<uint16_t>(t->GetFlags() & ~kTbHidden), false);
      if (t->GetDock()) t->GetDock()->LayoutToolbars();
    }
    FillCombo(0);
    changed_ = false;
    char path[260];
    ToolbarDataPath(path);
    if (path[0]) FileDelete(path);
  }

  TDecoratedFrame& frame_;
  TComboBox* combo_;
  TListBox* available_;
  TListBox* active_;
  bool changed_ = false;
};

}  // namespace

void RunToolbarDialogs(TDecoratedFrame& frame) {
  int result;
  {
    TToolbarDlg list(&frame);
    result = list.Execute();
  }
  if (result != kCustomizeResult) return;
  TCustomizeTBarDlg customize(&frame, frame);
  customize.Execute();
}
