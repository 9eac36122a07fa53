// The New command's template sheet and the File History dialog, driven as a user would: the tabs
// of a Templates folder, the chosen template or the blank score, files dropped on a tab, the
// history rows numbered from 0, the row chosen and Clear.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/FileHistory.h"
#include "app/win32/FileTemplateDlg.h"
#include "app/win32/HistoryListDlg.h"
#include "foundation/SysInfo.h"
#include "framework/Application.h"
#include "tests/support/guidriver/GuiDriver.h"

namespace {

using namespace guidriver;
namespace fs = std::filesystem;

void Touch(const fs::path& p) { std::ofstream(p, std::ios::binary) << "x"; }

std::vector<std::string> ListTexts(HWND list) {
  std::vector<std::string> out;
  const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    char text[1024] = {};
    if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text)) {
      SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    }
    out.push_back(text);
  }
  return out;
}

// The block Explorer hands over when files are dropped on a window.
HGLOBAL DropBlock(const std::vector<std::string>& paths) {
  size_t chars = 1;
  for (const std::string& p : paths) chars += p.size() + 1;
  HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + chars);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  char* out = reinterpret_cast<char*>(drop + 1);
  for (const std::string& p : paths) {
    std::memcpy(out, p.c_str(), p.size() + 1);
    out += p.size() + 1;
  }
  GlobalUnlock(block);
  return block;
}

class NewFileDialogsTest : public ::testing::Test {
protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / "vc_templates";
    fs::remove_all(root_);
    fs::create_directories(root_ / "Choir");
    fs::create_directories(root_ / "general");
    fs::create_directories(root_ / ".hidden");
    Touch(root_ / "Hymn.qvk");
    Touch(root_ / "Sonata.QVK");
    Touch(root_ / "notes.txt");
    Touch(root_ / "Choir" / "Anthem.qvk");
    ini_ = (fs::temp_directory_path() / "vc_new_file.ini").string();
    GetSysInfo().SetStorageNames("Vellichord Tests", ini_.c_str());
    GetSysInfo().SetRegistryFlag(0);
    // Each sheet opens on its first tab.
    DeleteFileA(ini_.c_str());
  }
  void TearDown() override {
    fs::remove_all(root_);
    DeleteFileA(ini_.c_str());
  }
  std::string Root() const { return root_.string(); }

  TApplication app_{"New file test"};
  fs::path root_;
  std::string ini_;
};

TEST_F(NewFileDialogsTest, TabsListTheTemplatesAndOkGivesTheChosenOne) {
  std::string result = "unchanged";
  TFileTemplateDlg sheet(nullptr, Root().c_str(), result);
  EXPECT_EQ(sheet.GetPageCount(), 2) << "General and Choir; not \"general\" again, not \".hidden\"";
  std::vector<std::string> listed;
  int selected = -1;
  TScript user([&] {
    HWND s = WaitForWindow(nullptr, "Song Templates");
    if (!s) return;
    HWND list = nullptr;
    PumpUntil([&] { return (list = FindVisibleControl(s, 101, "ListBox")) != nullptr; });
    if (!list) return;
    listed = ListTexts(list);
    selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    const LRESULT hymn = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Hymn"));
    SendMessageA(list, LB_SETCURSEL, hymn, 0);
    // A double-click on the list is OK.
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(101, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
  });
  EXPECT_EQ(sheet.Execute(), IDOK);
  ASSERT_TRUE(user.Join(10000));
  ASSERT_FALSE(listed.empty());
  EXPECT_EQ(listed[0], "<Blank Score>");
  EXPECT_EQ(selected, 0) << "the blank score is chosen at first";
  std::vector<std::string> rest(listed.begin() + 1, listed.end());
  std::sort(rest.begin(), rest.end());
  EXPECT_EQ(rest, (std::vector<std::string>{"Hymn", "Sonata"}));
  EXPECT_EQ(result, Root() + "\\Hymn.qvk");
}

TEST_F(NewFileDialogsTest, BlankScoreGivesNoPathAndNoSelectionKeepsTheSheetOpen) {
  std::string result = "unchanged";
  TFileTemplateDlg sheet(nullptr, Root().c_str(), result);
  bool openAfterEmptyOk = false;
  TScript user([&] {
    HWND s = WaitForWindow(nullptr, "Song Templates");
    if (!s) return;
    HWND list = nullptr;
    PumpUntil([&] { return (list = FindVisibleControl(s, 101, "ListBox")) != nullptr; });
    if (!list) return;
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(s, WM_COMMAND, IDOK, 0);
    PumpFor(100);
    openAfterEmptyOk = IsWindow(s) && IsWindowVisible(s);
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    ClickButton(s, IDOK);
  });
  EXPECT_EQ(sheet.Execute(), IDOK);
  ASSERT_TRUE(user.Join(10000));
  EXPECT_TRUE(openAfterEmptyOk);
  EXPECT_EQ(result, "") << "the blank score";
}

TEST_F(NewFileDialogsTest, ScoresDroppedOnATabAreCopiedIntoItsFolder) {
  const fs::path outside = fs::temp_directory_path() / "vc_dropped";
  fs::remove_all(outside);
  fs::create_directories(outside);
  Touch(outside / "Carol.QVK");
  Touch(outside / "Readme.txt");
  std::string result;
  TFileTemplateDlg sheet(nullptr, Root().c_str(), result);
  std::vector<std::string> after;
  TScript user([&] {
    HWND s = WaitForWindow(nullptr, "Song Templates");
    if (!s) return;
    HWND list = nullptr;
    PumpUntil([&] { return (list = FindVisibleControl(s, 101, "ListBox")) != nullptr; });
    if (!list) return;
    HGLOBAL drop = DropBlock({(outside / "Carol.QVK").string(), (outside / "Readme.txt").string()});
    PostMessageA(GetParent(list), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    PumpUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 4; }, 3000);
    after = ListTexts(list);
    ClickButton(s, IDCANCEL);
  });
  EXPECT_EQ(sheet.Execute(), IDCANCEL);
  ASSERT_TRUE(user.Join(10000));
  EXPECT_NE(std::find(after.begin(), after.end(), "Carol"), after.end());
  EXPECT_TRUE(fs::exists(root_ / "Carol.QVK"));
  EXPECT_FALSE(fs::exists(root_ / "Readme.txt")) << "only scores are taken";
  fs::remove_all(outside);
}

TEST_F(NewFileDialogsTest, HistoryRowsFromZeroChosenRowAndClear) {
  TFileHistory history;
  history.Add("C:\\Songs\\Third.qvk", "Third Song");
  history.Add("C:\\Songs\\Second.qvk", "Second Song");
  history.Add("D:\\Work\\First.qvk", "First Song");
  std::vector<std::string> rows;
  bool openWithoutRow = false;
  TScript user([&] {
    HWND d = WaitForWindow(nullptr, "File History");
    if (!d) return;
    HWND list = nullptr;
    PumpUntil([&] { return (list = FindVisibleControl(d, 101, "ListBox")) && SendMessageA(list, LB_GETCOUNT, 0, 0) == 3; });
    if (!list) return;
    rows = ListTexts(list);
    SendMessageA(d, WM_COMMAND, IDOK, 0);
    PumpFor(100);
    openWithoutRow = IsWindow(d) && IsWindowVisible(d);
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    ClickButton(d, IDOK);
  });
  const std::string chosen = THistoryListDlg::RunHistoryDialog(nullptr, history);
  ASSERT_TRUE(user.Join(10000));
  EXPECT_TRUE(openWithoutRow) << "OK needs a row";
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], "0\tFirst.qvk\tFirst Song\tD:\\Work");
  EXPECT_EQ(rows[2], "2\tThird.qvk\tThird Song\tC:\\Songs");
  EXPECT_EQ(chosen, "C:\\Songs\\Second.qvk");

  TScript clear([&] {
    HWND d = WaitForWindow(nullptr, "File History");
    if (!d) return;
    ClickButton(d, 200);
    PumpFor(100);
    ClickButton(d, IDCANCEL);
  });
  EXPECT_EQ(THistoryListDlg::RunHistoryDialog(nullptr, history), "");
  ASSERT_TRUE(clear.Join(10000));
  for (int i = 0; i < TFileHistory::kCount; ++i) EXPECT_EQ(history.Entry(i).path[0], 0) << i;
}

}  // namespace
