// The editor's dialog bases: the About box's texts, centring and its help table; sheets that
// reopen on the page chosen last (but not sheet 601); Cancel renamed to "Close"; pages chosen by
// id; child dialogs of a page opening where their resource puts them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/win32/AboutDlg.h"
#include "app/win32/QVKPropertyDlg.h"
#include "app/win32/QVKPropertyPage.h"
#include "foundation/SysInfo.h"
#include "framework/PropertyTab.h"
#include "resources/CommandIds.h"
#include "tests/dialogs/DialogsFixture.h"
#include "tests/dialogs/DialogsResources.h"

using namespace guidriver;
using namespace dialogs_test;

namespace {

class TBasesSheet : public TQVKPropertyDlg {
public:
  explicit TBasesSheet(int sheetId) : TQVKPropertyDlg(nullptr, IDD_SHEET, sheetId) {
    AddPage("&One", new TQVKPropertyPage(this, IDD_PAGE_NAME));
    AddPage("&Two", new TQVKPropertyPage(this, IDD_PAGE_NUMBERS));
    AddPage("T&hree", new TQVKPropertyPage(this, IDD_PAGE_PLAIN));
  }
};

class DialogBasesTest : public ::testing::Test {
protected:
  void SetUp() override {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    ini_ = std::string(folder) + "vc_dialog_bases.ini";
    DeleteFileA(ini_.c_str());
    GetSysInfo().SetStorageNames("Vellichord Tests", ini_.c_str());
    GetSysInfo().SetRegistryFlag(0);
  }
  void TearDown() override { DeleteFileA(ini_.c_str()); }
  int OpenAndClose(int sheetId, int select) {
    TBasesSheet sheet(sheetId);
    EXPECT_TRUE(sheet.Create());
    PumpAppFor(app, 50);
    const int opened = sheet.GetCurrentIndex();
    if (select >= 0) sheet.SelectPage(select);
    sheet.Destroy(IDCANCEL);
    PumpAppFor(app, 20);
    return opened;
  }

  TApplication app{"Bases"};
  std::string ini_;
};

TEST_F(DialogBasesTest, AboutBoxShowsNameAndVersionCentred) {
  TAboutDlg about(nullptr, TAboutDlg::kResourceId);
  ASSERT_TRUE(about.Create());
  PumpAppFor(app, 50);
  EXPECT_EQ(GetText(::GetDlgItem(about.GetHandle(), 101)), "Vellichord");
  EXPECT_EQ(GetText(::GetDlgItem(about.GetHandle(), 102)), "1.75b (32-bit)");
  EXPECT_EQ(GetText(about.GetHandle()), "About");
  const TRect r = about.GetWindowRect();
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  int mapped = 0;
  for (const THelpPair* p = about.GetHelpTable(); p->controlId; ++p) {
    EXPECT_EQ(p->context, 8192u) << p->controlId;
    ++mapped;
  }
  EXPECT_EQ(mapped, 4) << "controls 101, 102, 200 and OK";
  EXPECT_EQ(about.GetHelpId(), 528);
  about.Destroy(IDCANCEL);
}

TEST_F(DialogBasesTest, SheetsReopenOnTheirLastPage) {
  EXPECT_EQ(OpenAndClose(0x239, 2), 0) << "first time: the first page";
  char stored[16] = {};
  GetSysInfo().ReadString("TabHistory", "239", "", stored, sizeof stored);
  EXPECT_STREQ(stored, "2") << "kept under the sheet id in lower-case hex";
  EXPECT_EQ(OpenAndClose(0x239, 1), 2);
  EXPECT_EQ(OpenAndClose(0x239, -1), 1);

  GetSysInfo().WriteInt("TabHistory", "259", 2);
  EXPECT_EQ(OpenAndClose(TQVKPropertyDlg::kNoHistorySheetId, 1), 0) << "sheet 601 never remembers";
  EXPECT_EQ(OpenAndClose(TQVKPropertyDlg::kNoHistorySheetId, -1), 0);
  GetSysInfo().WriteInt("TabHistory", "23a", 9);
  EXPECT_EQ(OpenAndClose(0x23a, -1), 0) << "a remembered page that no longer exists";
}

TEST_F(DialogBasesTest, CancelBecomesCloseAndPagesByID) {
  TBasesSheet sheet(0x300);
  sheet.SetRenameCancel(true);
  ASSERT_TRUE(sheet.Create());
  PumpAppFor(app, 50);
  HWND cancel = ::GetDlgItem(sheet.GetHandle(), IDCANCEL);
  sheet.SelectPageById(IDD_PAGE_PLAIN);
  EXPECT_EQ(sheet.GetCurrentIndex(), 2);
  EXPECT_EQ(sheet.GetCurrentPageId(), IDD_PAGE_PLAIN);
  EXPECT_EQ(GetText(cancel), "Close");
  EXPECT_TRUE(sheet.WasShown());
  sheet.SelectPageById(12345);
  EXPECT_EQ(sheet.GetCurrentIndex(), 2) << "no page with that id: nothing happens";
  sheet.Destroy(IDCANCEL);
}

TEST_F(DialogBasesTest, ChildDialogOfAPageKeepsItsPlace) {
  TBasesSheet sheet(0x301);
  ASSERT_TRUE(sheet.Create());
  PumpAppFor(app, 50);
  auto* page = dynamic_cast<TQVKPropertyPage*>(sheet.GetPageAt(0));
  ASSERT_NE(page, nullptr);
  TMCTDialog child(&sheet, IDD_VALUES);
  RECT seen{};
  TScript script([&] {
    HWND w = WaitForWindow(nullptr, "Values", 3000);
    if (!w) return;
    GetWindowRect(w, &seen);
    PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
  });
  page->RunChildDialog(child);
  ASSERT_TRUE(script.Join());
  EXPECT_TRUE(child.GetKeepPosition());
  const int centreX = GetSystemMetrics(SM_CXSCREEN) / 2;
  EXPECT_GT(std::abs((seen.left + seen.right) / 2 - centreX), 2) << "not centred";
  sheet.Destroy(IDCANCEL);
}

}  // namespace
