// The page-setup sheet driven as a user would, page by page: the staves chosen by staff and by
// group, the options with their range checks and the staff size that scales the staff fonts,
// margins in centimetres that come back in inches without drift, a text font chosen in the font
// dialog, what the printer makes of the score, and Cancel that becomes "Close" once another page
// was chosen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/win32/MusicFonts.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "app/win32/PageSetupSheet.h"
#include "app/win32/QVKPrintData.h"
#include "foundation/QVBoolArray.h"
#include "foundation/SysInfo.h"
#include "framework/Application.h"
#include "framework/Printer.h"
#include "tests/drawing/SampleScores.h"
#include "tests/support/guidriver/GuiDriver.h"

namespace {

using namespace guidriver;

// What the sheet asked of the score window.
struct TWindowCalls : TPageSetupWindow {
  int relayouts = 0;
  int fontRebuilds = 0;
  void RelayoutScore() override { ++relayouts; }
  void RebuildFonts() override { ++fontRebuilds; }
};

// A list or combo change as the user makes it: the new state, then the notification to the page.
void SetListSel(HWND list, int index, bool on) {
  SendMessageA(list, LB_SETSEL, on ? TRUE : FALSE, index);
  SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

void SetComboSel(HWND combo, int index) {
  SendMessageA(combo, CB_SETCURSEL, index, 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

void ClickCheck(HWND page, int id) { SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }

std::vector<bool> ListSelection(HWND list) {
  std::vector<bool> out;
  const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) out.push_back(SendMessageA(list, LB_GETSEL, i, 0) > 0);
  return out;
}

std::vector<std::string> ListTexts(HWND list) {
  std::vector<std::string> out;
  const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    char text[2048] = {};
    if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text)) {
      SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    }
    out.push_back(text);
  }
  return out;
}

class PageSetupSheetTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(TMusicFonts::IsMusicFontInstalled());
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    ini_ = std::string(folder) + "vc_page_setup.ini";
    DeleteFileA(ini_.c_str());
    GetSysInfo().SetStorageNames("Vellichord Tests", ini_.c_str());
    GetSysInfo().SetRegistryFlag(0);
    InstallAuditPass();
    score_.reset(MakeSampleScore(TSampleScore::Choral));
    const char* groups[] = {"Upper", "Upper", "Lower", "Lower"};
    for (int i = 0; i < 4; ++i) score_->GetStaff(i)->SetGroupName(groups[i]);
    for (int i = 0; i < 4; ++i) score_->SetMargin(i, 0.75f);
    score_->GetFonts()->SetStaffSize(28);
    score_->SetAllowLayering(false);
    staves_.SetAll(true);
  }
  void TearDown() override { DeleteFileA(ini_.c_str()); }

  TPageSetupTarget Target() {
    TPageSetupTarget t;
    t.score = score_.get();
    t.staves = &staves_;
    t.printer = &printer_;
    t.colors = &colors_;
    t.window = &calls_;
    return t;
  }

  // Runs the sheet opened on one page while the script plays the user; answers how it ended.
  // Every page is made at set-up and applies on OK.
  int Run(int pageId, const std::function<void(HWND sheet)>& user, bool* shown = nullptr) {
    const int pageIds[] = {598, 567, 568, 595, 593};
    for (int i = 0; i < 5; ++i) {
      if (pageIds[i] == pageId) GetSysInfo().WriteInt("TabHistory", "236", i);
    }
    TPageSetupSheet sheet(nullptr, Target());
    sheet.SelectPageById(pageId);
    TScript script([&] {
      HWND s = WaitForWindow(nullptr, "Page Setup");
      if (s) user(s);
    });
    const int result = sheet.Execute();
    EXPECT_TRUE(script.Join(20000));
    if (shown) *shown = sheet.WasShown();
    return result;
  }

  TApplication app_{"Page setup test"};
  std::string ini_;
  std::unique_ptr<TMusicScore> score_;
  TQVBoolArray staves_{TMusicScore::kSelectionSize};
  TPrinter printer_;
  TStaffColorHandles colors_;
  TWindowCalls calls_;
};

TEST_F(PageSetupSheetTest, StavesChosenOneByOneAndByGroup) {
  std::vector<bool> groupsAtStart, groupsAfterStaff, stavesAfterGroup;
  const int result = Run(598, [&](HWND sheet) {
    HWND groups = nullptr, staves = nullptr;
    PumpUntil([&] { return (groups = FindVisibleControl(sheet, 101, "ListBox")) && (staves = FindVisibleControl(sheet, 102, "ListBox")); });
    if (!groups || !staves) return;
    groupsAtStart = ListSelection(groups);
    // Clearing one staff of a group clears the group, not the other staff.
    SetListSel(staves, 1, false);
    groupsAfterStaff = ListSelection(groups);
    // Clearing the other group clears both of its staves.
    SetListSel(groups, 1, false);
    stavesAfterGroup = ListSelection(staves);
    ClickCheck(GetParent(staves), 103);
    ClickButton(sheet, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(groupsAtStart, (std::vector<bool>{true, true}));
  EXPECT_EQ(groupsAfterStaff, (std::vector<bool>{false, true}));
  EXPECT_EQ(stavesAfterGroup, (std::vector<bool>{true, false, false, false}));
  EXPECT_TRUE(staves_.GetBit(0));
  EXPECT_FALSE(staves_.GetBit(1));
  EXPECT_FALSE(staves_.GetBit(2));
  EXPECT_FALSE(staves_.GetBit(3));
  EXPECT_TRUE(score_->GetAllowLayering());
}

TEST_F(PageSetupSheetTest, OptionsRefuseValuesOutOfRangeAndScaleTheStaffFonts) {
  const int staffFont0 = score_->GetFonts()->GetFont(0).size;
  const int titleFont = score_->GetFonts()->GetFont(3).size;
  score_->SetPageNumberingFrom(0);
  std::string fromShown, refusal;
  bool fromEnabledAtStart = true;
  const int result = Run(567, [&](HWND sheet) {
    HWND size = nullptr;
    PumpUntil([&] { return (size = FindVisibleControl(sheet, 105, "Edit")) != nullptr; });
    if (!size) return;
    HWND page = GetParent(size);
    HWND from = GetDlgItem(page, 102);
    fromShown = GetText(from);
    fromEnabledAtStart = IsWindowEnabled(from) != 0;
    ClickCheck(page, 101);
    SetWindowTextA(from, "5");
    SetWindowTextA(GetDlgItem(page, 109), "1001");
    ClickButton(sheet, IDOK);
    // The edit comes from the page's template and has no title: the system's caption stands.
    HWND box = WaitForMessageBox("Error");
    if (box) {
      refusal = ReadMessageBox(box).text;
      ClickButton(box, IDOK);
      WaitForWindowGone(box);
    }
    SetWindowTextA(GetDlgItem(page, 109), "12");
    SetWindowTextA(size, "14");
    SetComboSel(GetDlgItem(page, 106), 2);
    ClickButton(sheet, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(fromShown, "1") << "no numbering shows a start of 1";
  EXPECT_FALSE(fromEnabledAtStart);
  EXPECT_EQ(refusal, "Value is out of range");
  EXPECT_EQ(score_->GetPageNumberingFrom(), 5);
  EXPECT_EQ(score_->GetMeasureStart(), 12);
  EXPECT_EQ(score_->GetStaffLabels(), 2);
  EXPECT_EQ(score_->GetFonts()->GetStaffSize(), 14);
  EXPECT_EQ(score_->GetFonts()->GetFont(0).size, static_cast<int>(std::lround(staffFont0 * 0.5)))
      << "staff fonts follow the staff size";
  EXPECT_EQ(score_->GetFonts()->GetFont(3).size, titleFont) << "the title font keeps its size";
  EXPECT_EQ(calls_.fontRebuilds, 1) << "a new staff size rebuilds the fonts";
}

TEST_F(PageSetupSheetTest, MarginsInCentimetresComeBackInInchesWithoutDrift) {
  std::string topInches, topCentimetres;
  const int result = Run(568, [&](HWND sheet) {
    HWND top = nullptr;
    PumpUntil([&] { return (top = FindVisibleControl(sheet, 101, "Edit")) != nullptr; });
    if (!top) return;
    HWND page = GetParent(top);
    topInches = GetText(top);
    SetComboSel(GetDlgItem(page, 106), 1);
    topCentimetres = GetText(top);
    SetWindowTextA(GetDlgItem(page, 104), "2.54");
    ClickCheck(page, 105);
    ClickButton(sheet, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(topInches, "0.75");
  EXPECT_EQ(topCentimetres, "1.91");
  // Untouched fields keep their exact value; a typed one is divided by 2.54.
  EXPECT_EQ(score_->GetMargin(0), 0.75f);
  EXPECT_EQ(score_->GetMargin(1), 0.75f);
  EXPECT_NEAR(score_->GetMargin(3), 1.0f, 1e-6);
  EXPECT_EQ(score_->GetMirrorMargins(), 1);
  EXPECT_GE(calls_.relayouts, 1) << "new margins lay the score out again";
  EXPECT_EQ(calls_.fontRebuilds, 0) << "the staff size did not change";
}

TEST_F(PageSetupSheetTest, AFontChosenInTheFontDialogChangesItsRowAtOnce) {
  ASSERT_NE(score_->GetFonts()->GetFont(3).size, 28) << "the size the test chooses must be a new one";
  std::string rowBefore, rowAfter, cancelText;
  bool fontDialog = false;
  const int result = Run(595, [&](HWND sheet) {
    HWND list = nullptr;
    PumpUntil([&] { return (list = FindVisibleControl(sheet, 101, "ListBox")) && SendMessageA(list, LB_GETCOUNT, 0, 0) == 12; });
    if (!list) return;
    SendMessageA(list, LB_SETCURSEL, 3, 0);
    rowBefore = ListTexts(list)[3];
    ClickButton(GetParent(list), 110);
    HWND font = WaitForWindow("#32770", "Font");
    fontDialog = font != nullptr;
    if (font) {
      // The size list of the font dialog: 28 points chosen as a click would.
      HWND size = GetDlgItem(font, 0x472);
      SendMessageA(size, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("28"));
      SendMessageA(font, WM_COMMAND, MAKEWPARAM(0x472, CBN_SELCHANGE), reinterpret_cast<LPARAM>(size));
      ClickButton(font, IDOK);
      WaitForWindowGone(font);
    }
    PumpUntil([&] { return ListTexts(list)[3] != rowBefore; }, 3000);
    rowAfter = ListTexts(list)[3];
    cancelText = GetText(GetDlgItem(sheet, IDCANCEL));
    ClickButton(sheet, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
  ASSERT_TRUE(fontDialog);
  EXPECT_EQ(rowBefore.substr(0, rowBefore.find('\t')), "Page Title Text");
  EXPECT_EQ(score_->GetFonts()->GetFont(3).size, 28) << "the font changes at once, even when the sheet is closed";
  EXPECT_NE(rowAfter.find("\t28\t"), std::string::npos) << rowAfter;
  EXPECT_EQ(cancelText, "Close");
  EXPECT_GE(calls_.fontRebuilds, 1);
}

TEST_F(PageSetupSheetTest, PreviewPageTellsWhatThePrinterMakesOfTheScore) {
  // The same count as a job of its own.
  HDC dc = printer_.CreatePrinterDC();
  ASSERT_NE(dc, nullptr) << "no default printer";
  int expected = 0;
  {
    TQVKPrintData job(nullptr, dc, score_.get(), staves_, &colors_);
    job.Pages().SetPageRange(1, 20000);
    expected = job.CountPages();
  }
  ASSERT_GE(expected, 2);
  std::vector<std::string> rows;
  std::string previewFirst;
  const int result = Run(593, [&](HWND sheet) {
    HWND list = nullptr;
    PumpUntil([&] { return (list = FindVisibleControl(sheet, 101, "ListBox")) && SendMessageA(list, LB_GETCOUNT, 0, 0) > 3; });
    if (!list) return;
    rows = ListTexts(list);
    ClickButton(GetParent(list), 110);
    HWND preview = WaitForWindow(nullptr, "Score Print Preview");
    if (preview) {
      PumpUntil([&] { return GetText(GetDlgItem(preview, 101)) == "Page 1"; }, 3000);
      previewFirst = GetText(GetDlgItem(preview, 101));
      ClickButton(preview, IDCANCEL);
      WaitForWindowGone(preview);
    }
    ClickButton(sheet, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
  ASSERT_GE(rows.size(), 4u);
  EXPECT_EQ(rows[0], "Song Title\tEvening Hymn");
  EXPECT_EQ(rows[1], "Page Count\t" + std::to_string(expected) + " pages");
  bool named = false;
  for (const std::string& r : rows) named = named || r.rfind("  Name\t", 0) == 0;
  EXPECT_TRUE(named) << "the printer's name is told";
  EXPECT_EQ(previewFirst, "Page 1");
}

TEST_F(PageSetupSheetTest, CancelBecomesCloseOnceAnotherPageWasChosen) {
  std::string cancelText;
  const double before = score_->GetMargin(0);
  bool shown = false;
  const int result = Run(568, [&](HWND sheet) {
    HWND top = nullptr;
    PumpUntil([&] { return (top = FindVisibleControl(sheet, 101, "Edit")) != nullptr; });
    if (!top) return;
    SetWindowTextA(top, "3.00");
    // The next page, from the keyboard.
    Focus(top);
    PressKey(VK_NEXT, kControl);
    PumpUntil([&] { return GetText(GetDlgItem(sheet, IDCANCEL)) == "Close"; }, 3000);
    cancelText = GetText(GetDlgItem(sheet, IDCANCEL));
    ClickButton(sheet, IDCANCEL);
  }, &shown);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(cancelText, "Close");
  EXPECT_TRUE(shown) << "the window records the settings it kept";
  EXPECT_EQ(score_->GetMargin(0), before) << "Close applies nothing";
}

}  // namespace
