// Dialogs from a resource, modal and modeless, with the data transfer of their controls.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include "framework/Application.h"
#include "framework/CheckBox.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/ListBox.h"
#include "tests/framework/TestResources.h"
#include "tests/support/guidriver/GuiDriver.h"

using namespace guidriver;

namespace {

#pragma pack(push, 1)
struct TTransferRecord {
  char name[16];
  uint32_t flag;
  int32_t choice;
};
#pragma pack(pop)

class TTransferDialog : public TDialog {
public:
  TTransferDialog(TWindow* parent, TTransferRecord& record) : TDialog(parent, IDD_TRANSFER) {
    name = new TEdit(this, IDC_NAME, sizeof record.name);
    flag = new TCheckBox(this, IDC_FLAG);
    choice = new TListBox(this, IDC_CHOICE);
    SetTransferBuffer(&record);
  }
  void SetupWindow() override {
    // The list is filled here, before the data transfer that follows the set-up.
    TDialog::SetupWindow();
    for (const char* s : {"alpha", "beta", "gamma"}) choice->AddString(s);
  }
  bool CanClose() override { return allowClose && TDialog::CanClose(); }

  TEdit* name;
  TCheckBox* flag;
  TListBox* choice;
  bool allowClose = true;
};

}  // namespace

TEST(Dialog, ModalDialogShowsTheBufferAndTakesTheControlsBackOnOk) {
  TApplication app("Dialogs");
  TTransferRecord rec{};
  std::strcpy(rec.name, "Piano");
  rec.flag = BST_UNCHECKED;
  rec.choice = 1;
  TTransferDialog dlg(nullptr, rec);

  std::string shownName;
  int shownChoice = -2;
  TScript script([&] {
    HWND box = WaitForWindow("#32770", "Transfer");
    if (!box) return;
    shownName = GetText(GetDlgItem(box, IDC_NAME));
    shownChoice = static_cast<int>(SendMessageA(GetDlgItem(box, IDC_CHOICE), LB_GETCURSEL, 0, 0));
    // A name longer than the buffer: the edit's limit keeps it inside.
    SendMessageA(GetDlgItem(box, IDC_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Harpsichord and more"));
    SendMessageA(GetDlgItem(box, IDC_FLAG), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(GetDlgItem(box, IDC_CHOICE), LB_SETCURSEL, 2, 0);
    ClickButton(box, IDOK);
  });
  EXPECT_EQ(dlg.Execute(), IDOK);
  ASSERT_TRUE(script.Join());
  EXPECT_EQ(shownName, "Piano");
  EXPECT_EQ(shownChoice, 1);
  EXPECT_EQ(std::string(rec.name), std::string("Harpsichord and more").substr(0, sizeof rec.name - 1));
  EXPECT_EQ(rec.flag, static_cast<uint32_t>(BST_CHECKED));
  EXPECT_EQ(rec.choice, 2);
  EXPECT_EQ(dlg.GetHandle(), nullptr) << "the modal dialog's window is gone after Execute";
}

TEST(Dialog, CancelLeavesTheBufferAlone) {
  TApplication app("Dialogs");
  TTransferRecord rec{};
  std::strcpy(rec.name, "Organ");
  rec.choice = 0;
  TTransferDialog dlg(nullptr, rec);
  TScript script([&] {
    HWND box = WaitForWindow("#32770", "Transfer");
    if (!box) return;
    SendMessageA(GetDlgItem(box, IDC_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Changed"));
    ClickButton(box, IDCANCEL);
  });
  EXPECT_EQ(dlg.Execute(), IDCANCEL);
  ASSERT_TRUE(script.Join());
  EXPECT_STREQ(rec.name, "Organ");
}

TEST(Dialog, ModalDialogDisablesItsOwnerWhileItRuns) {
  TApplication app("Dialogs");
  TWindow owner(static_cast<TWindow*>(nullptr), "Owner");
  owner.Attr.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  owner.Attr.w = owner.Attr.h = 200;
  ASSERT_TRUE(owner.Create());
  TTransferRecord rec{};
  TTransferDialog dlg(&owner, rec);
  bool ownerEnabledDuring = true;
  TScript script([&] {
    HWND box = WaitForWindow("#32770", "Transfer");
    if (!box) return;
    ownerEnabledDuring = IsWindowEnabled(owner.GetHandle());
    ClickButton(box, IDCANCEL);
  });
  dlg.Execute();
  ASSERT_TRUE(script.Join());
  EXPECT_FALSE(ownerEnabledDuring);
  EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(Dialog, ModelessDialogStaysOpenWhileItMayNotClose) {
  TApplication app("Dialogs");
  TTransferRecord rec{};
  std::strcpy(rec.name, "Flute");
  TTransferDialog dlg(nullptr, rec);
  ASSERT_TRUE(dlg.Create());
  EXPECT_FALSE(dlg.IsModal());
  EXPECT_EQ(dlg.name->GetWindowTextString(), "Flute");

  dlg.allowClose = false;
  dlg.name->SetWindowText("Oboe");
  ClickButton(dlg.GetHandle(), IDOK);
  app.PumpWaitingMessages();
  EXPECT_NE(dlg.GetHandle(), nullptr);
  EXPECT_STREQ(rec.name, "Flute") << "no transfer while the dialog refuses to close";

  dlg.allowClose = true;
  ClickButton(dlg.GetHandle(), IDOK);
  app.PumpWaitingMessages();
  EXPECT_EQ(dlg.GetHandle(), nullptr);
  EXPECT_STREQ(rec.name, "Oboe");
}
