// Property sheets under real keys and clicks: the keyboard hook (one per thread), Ctrl+Tab and
// the other page keys from anywhere in the sheet, Tab around the ring of sheet, strip and page,
// mnemonics for tabs and controls, Escape, the OK pass, the modal run with its disabled parent,
// and the tab strip's rows and mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Edit.h"
#include "framework/EditNumber.h"
#include "framework/EditRealNumber.h"
#include "framework/PropertyDialog.h"
#include "framework/PropertyPage.h"
#include "framework/PropertyTab.h"
#include "framework/QXTComboBox.h"
#include "tests/dialogs/DialogsFixture.h"
#include "tests/dialogs/DialogsResources.h"
#include "tests/support/guidriver/MessageRecorder.h"
#include "tests/support/guidriver/Screenshot.h"

using namespace guidriver;
using namespace dialogs_test;

// Stands for the 3D-controls library's colour-change entry: the test program exports it and names
// itself as the library.
static int ctl3dColorChanges = 0;
extern "C" __declspec(dllexport) BOOL WINAPI Ctl3dColorChange() {
  ++ctl3dColorChanges;
  return TRUE;
}

namespace {

using TLog = std::vector<std::string>;

struct TNameData {
  char name[32];
  int32_t loud;
};

class TNamePage : public TQVPropertyPage {
public:
  TNamePage(TQVPropertyDialog* sheet, TLog& log) : TQVPropertyPage(sheet, IDD_PAGE_NAME), log_(log) {
    new TEdit(this, IDC_NAME, sizeof data.name);
    SetTransferBuffer(&data);
  }
  bool Apply() override {
    log_.push_back("apply name");
    return TQVPropertyPage::Apply();
  }
  void Activated() override { log_.push_back("activated name"); }
  TNameData data{"Alto", 0};

private:
  TLog& log_;
};

struct TNumbersData {
  int32_t count;
  float rate;
};

class TNumbersPage : public TQVPropertyPage {
public:
  TNumbersPage(TQVPropertyDialog* sheet, TLog& log) : TQVPropertyPage(sheet, IDD_PAGE_NUMBERS), log_(log) {
    count = new TEditNumber(this, IDC_COUNT, TNumberRange{1, 10, 1});
    rate = new TEditRealNumber(this, IDC_RATE, TRealRange{0.5f, 4.0f, 0.5f, 1});
    choice = new TQXTComboBox(this, IDC_CHOICE, TComboArgs{CBS_DROPDOWN, 0, "one\0two\0three\0"});
    choice->DisableTransfer();
    SetTransferBuffer(&data);
  }
  bool Apply() override {
    log_.push_back("apply numbers");
    return TQVPropertyPage::Apply();
  }
  bool IsPageValid() override {
    log_.push_back("valid numbers");
    return TQVPropertyPage::IsPageValid();
  }
  TNumbersData data{4, 1.5f};
  TEditNumber* count;
  TEditRealNumber* rate;
  TQXTComboBox* choice;

private:
  TLog& log_;
};

class TPlainPage : public TQVPropertyPage {
public:
  TPlainPage(TQVPropertyDialog* sheet, TLog& log) : TQVPropertyPage(sheet, IDD_PAGE_PLAIN), log_(log) {}
  bool Apply() override {
    log_.push_back("apply plain");
    return true;
  }

private:
  TLog& log_;
};

class TTestSheet : public TQVPropertyDialog {
public:
  TTestSheet(TWindow* parent, TLog& log, uint32_t style = psfNormal, int pages = 3, int resource = IDD_SHEET)
      : TQVPropertyDialog(parent, resource, style) {
    if (pages > 0) AddPage("&General", name = new TNamePage(this, log));
    if (pages > 1) AddPage("N&umbers", numbers = new TNumbersPage(this, log));
    if (pages > 2) AddPage("&Plain", plain = new TPlainPage(this, log));
  }
  bool CanChangePage(int index) override {
    changes.push_back(index);
    return index != refuse;
  }
  TNamePage* name = nullptr;
  TNumbersPage* numbers = nullptr;
  TPlainPage* plain = nullptr;
  std::vector<int> changes;
  int refuse = -1;
};

class SheetTest : public ::testing::Test {
protected:
  void Open(TTestSheet& sheet) {
    ASSERT_TRUE(sheet.Create());
    sheet.ShowWindow(SW_SHOW);
    PumpAppFor(app, 80);
  }
  HWND Item(TWindow* w, int id) { return ::GetDlgItem(w->GetHandle(), id); }
  bool CurrentIs(TTestSheet& sheet, int index) {
    return PumpApp(app, [&] { return sheet.GetCurrentIndex() == index; }, 2000);
  }
  void Press(WORD vk, unsigned modifiers = kNoModifiers) {
    PressKey(vk, modifiers);
    PumpAppFor(app, 60);
  }

  TApplication app{"Sheets"};
  TLog log;
};

TEST_F(SheetTest, OneHookForAllOpenSheetsAndNoneWithoutPages) {
  {
    TTestSheet empty(nullptr, log, psfNormal, 0);
    Open(empty);
    EXPECT_EQ(empty.GetTabStrip(), nullptr) << "a sheet without pages runs as a plain dialog";
    EXPECT_FALSE(TQVPropertyDialog::IsHookInstalled());
  }
  auto* first = new TTestSheet(nullptr, log);
  auto* second = new TTestSheet(nullptr, log);
  Open(*first);
  EXPECT_TRUE(TQVPropertyDialog::IsHookInstalled());
  Open(*second);
  EXPECT_EQ(TQVPropertyDialog::OpenSheetCount(), 2);
  first->Destroy(IDCANCEL);
  PumpAppFor(app, 30);
  EXPECT_TRUE(TQVPropertyDialog::IsHookInstalled()) << "the second sheet still needs it";
  delete first;
  second->Destroy(IDCANCEL);
  PumpAppFor(app, 30);
  EXPECT_FALSE(TQVPropertyDialog::IsHookInstalled());
  EXPECT_EQ(TQVPropertyDialog::OpenSheetCount(), 0);
  delete second;
}

TEST_F(SheetTest, PageKeysWorkFromAnyControlAndSkipDisabledPages) {
  TTestSheet sheet(nullptr, log);
  Open(sheet);
  ASSERT_EQ(sheet.GetCurrentIndex(), 0);
  ASSERT_TRUE(Focus(Item(sheet.name, IDC_NAME)));
  Press(VK_TAB, kControl);
  EXPECT_TRUE(CurrentIs(sheet, 1));
  Press(VK_TAB, kControl);
  EXPECT_TRUE(CurrentIs(sheet, 2));
  Press(VK_TAB, kControl);
  EXPECT_TRUE(CurrentIs(sheet, 0)) << "wraps to the first page";
  Press(VK_TAB, kControl | kShift);
  EXPECT_TRUE(CurrentIs(sheet, 2));
  Press(VK_PRIOR, kControl);
  EXPECT_TRUE(CurrentIs(sheet, 1));

  // From the edit inside a combo box.
  HWND comboEdit = GetWindow(Item(sheet.numbers, IDC_CHOICE), GW_CHILD);
  ASSERT_NE(comboEdit, nullptr);
  ASSERT_TRUE(Focus(comboEdit));
  Press(VK_NEXT, kControl);
  EXPECT_TRUE(CurrentIs(sheet, 2));
  Press(VK_HOME, kAlt);
  EXPECT_TRUE(CurrentIs(sheet, 0)) << "Alt+Home goes to the first page";

  sheet.GetTabStrip()->EnableTab(1, false);
  ASSERT_TRUE(Focus(Item(sheet.name, IDC_NAME)));
  Press(VK_TAB, kControl);
  EXPECT_TRUE(CurrentIs(sheet, 2)) << "the disabled page is skipped";
  EXPECT_FALSE(sheet.SelectPage(1));
  EXPECT_FALSE(sheet.SelectPage(7));
  EXPECT_EQ(sheet.GetCurrentIndex(), 2);
}

TEST_F(SheetTest, OneSelectablePageStaysCurrent) {
  TTestSheet sheet(nullptr, log, psfNormal, 2);
  Open(sheet);
  sheet.GetTabStrip()->EnableTab(1, false);
  EXPECT_TRUE(sheet.NextPage());
  EXPECT_EQ(sheet.GetCurrentIndex(), 0);
  ASSERT_TRUE(Focus(sheet.GetTabStrip()->GetHandle()));
  Press(VK_RIGHT);
  EXPECT_EQ(sheet.GetCurrentIndex(), 0);
}

TEST_F(SheetTest, TabRingsThroughSheetStripAndPage) {
  TTestSheet sheet(nullptr, log);
  Open(sheet);
  HWND strip = sheet.GetTabStrip()->GetHandle();
  HWND name = Item(sheet.name, IDC_NAME);
  HWND loud = Item(sheet.name, IDC_LOUD);
  HWND ok = Item(&sheet, IDOK);
  HWND cancel = Item(&sheet, IDCANCEL);
  ASSERT_TRUE(Focus(strip));
  Press(VK_TAB);
  EXPECT_TRUE(FocusIs(app, name)) << "strip -> the page's first tab stop";
  Press(VK_TAB);
  EXPECT_TRUE(FocusIs(app, loud)) << "inside the page";
  Press(VK_TAB);
  EXPECT_TRUE(FocusIs(app, ok)) << "the page's last -> the sheet's control after the strip";
  Press(VK_TAB);
  EXPECT_TRUE(FocusIs(app, cancel)) << "the sheet's own order";
  Press(VK_TAB);
  EXPECT_TRUE(FocusIs(app, strip)) << "the control before the strip -> the strip";
  Press(VK_TAB, kShift);
  EXPECT_TRUE(FocusIs(app, cancel)) << "strip backwards -> the sheet's previous tab stop";
  ASSERT_TRUE(Focus(ok));
  Press(VK_TAB, kShift);
  EXPECT_TRUE(FocusIs(app, loud)) << "backwards from the control after the strip -> the page's last";
  Press(VK_TAB, kShift);
  Press(VK_TAB, kShift);
  EXPECT_TRUE(FocusIs(app, strip)) << "the page's first backwards -> the strip";
}

TEST_F(SheetTest, MnemonicsChooseTabsBeforeControls) {
  TTestSheet sheet(nullptr, log);
  Open(sheet);
  ASSERT_TRUE(Focus(Item(sheet.name, IDC_NAME)));
  Press('U', kAlt);
  EXPECT_TRUE(CurrentIs(sheet, 1)) << "N&umbers";
  Press('P', kAlt);
  EXPECT_TRUE(CurrentIs(sheet, 2));
  Press('G', kAlt);
  EXPECT_TRUE(CurrentIs(sheet, 0));
  // No tab has C: the label "&Count:" of the current page hands the focus to its edit.
  sheet.SelectPage(1);
  ASSERT_TRUE(Focus(sheet.GetTabStrip()->GetHandle()));
  Press('C', kAlt);
  EXPECT_TRUE(FocusIs(app, Item(sheet.numbers, IDC_COUNT)));
  EXPECT_EQ(sheet.GetCurrentIndex(), 1);
}

TEST_F(SheetTest, EscapeInAnEditCancelsTheSheet) {
  TTestSheet sheet(nullptr, log);
  Open(sheet);
  HWND hwnd = sheet.GetHandle();
  ASSERT_TRUE(Focus(Item(sheet.name, IDC_NAME)));
  Press(VK_ESCAPE);
  EXPECT_TRUE(PumpApp(app, [&] { return !IsWindow(hwnd); }));
}

TEST_F(SheetTest, OkValidatesEveryPageBeforeAnyApplyThenAppliesEachOnce) {
  TTestSheet sheet(nullptr, log);
  Open(sheet);
  SetWindowTextA(Item(sheet.numbers, IDC_COUNT), "42");
  log.clear();
  std::string said;
  TScript answer([&] {
    HWND box = WaitForMessageBox("Error", 3000);
    if (!box) return;
    said = ReadMessageBox(box).text;
    ClickButton(box, IDOK);
  });
  sheet.SendMessage(WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(answer.Join(4000));
  EXPECT_EQ(said, "Value is out of range");
  PumpAppFor(app, 50);
  EXPECT_TRUE(IsWindow(sheet.GetHandle())) << "the sheet stays open";
  EXPECT_EQ(sheet.GetCurrentIndex(), 1) << "the invalid page comes forward";
  for (const std::string& call : log) EXPECT_NE(call.rfind("apply", 0), 0u) << call;

  SetWindowTextA(Item(sheet.numbers, IDC_COUNT), "7");
  SetWindowTextA(Item(sheet.numbers, IDC_RATE), "2.5");
  SetWindowTextA(Item(sheet.name, IDC_NAME), "Tenor");
  log.clear();
  sheet.SendMessage(WM_COMMAND, IDOK, 0);
  PumpAppFor(app, 50);
  EXPECT_EQ(log, (TLog{"valid numbers", "apply name", "apply numbers", "apply plain"}));
  EXPECT_EQ(sheet.numbers->data.count, 7);
  EXPECT_FLOAT_EQ(sheet.numbers->data.rate, 2.5f);
  EXPECT_STREQ(sheet.name->data.name, "Tenor");
}

TEST_F(SheetTest, ModalRunKeepsTheParentDisabledAndGivesItBack) {
  TMessageRecorder owner(50, 50, 300, 200);
  TWindow parent(owner.GetHandle());
  {
    TTestSheet broken(&parent, log, psfNormal, 1, 9999);  // no such dialog resource
    EXPECT_EQ(broken.Execute(), IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(owner.GetHandle())) << "a sheet that could not be created gives the parent back";
  }
  TTestSheet sheet(&parent, log);
  bool disabledWhileOpen = false;
  TScript script([&] {
    HWND s = WaitForWindow(nullptr, "Sheet", 3000);
    if (!s) return;
    disabledWhileOpen = !IsWindowEnabled(owner.GetHandle());
    PostMessageA(s, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(sheet.Execute(), IDCANCEL);
  ASSERT_TRUE(script.Join());
  EXPECT_TRUE(disabledWhileOpen);
  EXPECT_TRUE(IsWindowEnabled(owner.GetHandle()));
}

TEST_F(SheetTest, RefusedChangeKeepsThePageAndStripClicksSelect) {
  TTestSheet sheet(nullptr, log);
  Open(sheet);
  TQVPropertyTab* strip = sheet.GetTabStrip();
  sheet.refuse = 2;
  EXPECT_FALSE(sheet.SelectPage(2));
  EXPECT_EQ(sheet.GetCurrentIndex(), 0);
  const TRect r = strip->GetTabRect(1);
  Click(strip->GetHandle(), r.left + r.Width() / 2, r.top + r.Height() / 2);
  EXPECT_TRUE(CurrentIs(sheet, 1));
  EXPECT_TRUE(IsWindowVisible(sheet.numbers->GetHandle()));
  EXPECT_FALSE(IsWindowVisible(sheet.name->GetHandle()));
  // Keys on the strip step through the tabs.
  ASSERT_TRUE(Focus(strip->GetHandle()));
  Press(VK_LEFT);
  EXPECT_TRUE(CurrentIs(sheet, 0));
  EXPECT_EQ(SendMessageA(strip->GetHandle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
  strip->SetTabWidth(0);
  EXPECT_GE(strip->GetTabWidth(2), kDefaultTabWidth) << "width 0 restores 64";
}

// Many pages in several rows: a tab of a lastTab row comes down next to the pages when chosen.
class TManySheet : public TQVPropertyDialog {
public:
  TManySheet(TLog& log, uint32_t style) : TQVPropertyDialog(nullptr, IDD_SHEET, style) {
    const char* names[] = {"&Color", "&Editor", "&File", "F&olders", "&Import", "&Midi", "&Record", "&Keys", "&View"};
    for (const char* n : names) AddPage(n, new TPlainPage(this, log));
  }
};

TEST_F(SheetTest, MultipleRowsBringTheChosenRowToThePages) {
  TManySheet sheet(log, psfMultiRow | psfFixedWidthTabs);
  sheet.SetTabWidth(90);
  ASSERT_TRUE(sheet.Create());
  PumpAppFor(app, 80);
  TQVPropertyTab* strip = sheet.GetTabStrip();
  ASSERT_GT(strip->GetRowCount(), 1);
  const int bottomRowTop = strip->GetRowHeight() * (strip->GetRowCount() - 1);
  EXPECT_EQ(strip->GetTabRect(0).top, bottomRowTop);
  const int lastTab = strip->GetEntryCount() - 1;
  EXPECT_LT(strip->GetTabRect(lastTab).top, bottomRowTop);
  const TRect r = strip->GetTabRect(lastTab);
  Click(strip->GetHandle(), r.left + 5, r.top + 5);
  EXPECT_TRUE(PumpApp(app, [&] { return sheet.GetCurrentIndex() == lastTab; }));
  EXPECT_EQ(strip->GetTabRect(lastTab).top, bottomRowTop);
  EXPECT_EQ(strip->GetPageRect().top, strip->GetRowHeight() * strip->GetRowCount() + 1);
  // The picture for the README.
  const char* out = getenv("VC_SCREENSHOT_DIR");
  if (out) {
    PumpAppFor(app, 200);
    RECT wr;
    GetWindowRect(sheet.GetHandle(), &wr);
    HDC screen = GetDC(nullptr);
    SaveBmp(CaptureDC(screen, wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top),
            std::string(out) + "\\property-sheet.bmp");
    ReleaseDC(nullptr, screen);
  }
}

TEST_F(SheetTest, SingleRowScrollsWithArrows) {
  TManySheet sheet(log, psfNormal);
  ASSERT_TRUE(sheet.Create());
  PumpAppFor(app, 80);
  TQVPropertyTab* strip = sheet.GetTabStrip();
  ASSERT_TRUE(strip->ArrowsShown());
  EXPECT_EQ(strip->GetRowCount(), 1);
  const TRect left = strip->GetArrowRect(-1), right = strip->GetArrowRect(+1);
  Click(strip->GetHandle(), left.left + 3, left.top + 3);
  PumpAppFor(app, 50);
  EXPECT_EQ(strip->GetFirstVisible(), 0) << "the inactive left arrow does nothing";
  Click(strip->GetHandle(), right.left + 3, right.top + 3);
  EXPECT_TRUE(PumpApp(app, [&] { return strip->GetFirstVisible() == 1; }));
  EXPECT_EQ(sheet.GetCurrentIndex(), 0) << "scrolling does not select";
  EXPECT_TRUE(sheet.SelectPage(8));
  EXPECT_LE(strip->GetTabRect(8).right, right.left) << "the chosen tab is scrolled into view";
}

// Pictures on the tabs: each tab is wider by the picture and its margins, and shows its own cel
// through the mask.
class TPictureSheet : public TQVPropertyDialog {
public:
  explicit TPictureSheet(TLog& log)
      : TQVPropertyDialog(nullptr, IDD_SHEET, psfNormal, MAKEINTRESOURCEA(IDB_TAB_PICTURES), 7) {
    AddPage("&General", new TPlainPage(this, log));
    AddPage("N&umbers", new TPlainPage(this, log));
    AddPage("&Plain", new TPlainPage(this, log));
  }
};

TEST_F(SheetTest, TabPicturesWidenTheTabsAndShowThroughTheirMask) {
  TTestSheet plain(nullptr, log);
  TPictureSheet pictured(log);
  EXPECT_TRUE(pictured.GetStyleWord() & psfTabImages);
  plain.SetTabWidth(1);
  pictured.SetTabWidth(1);
  Open(plain);
  ASSERT_TRUE(pictured.Create());
  pictured.ShowWindow(SW_SHOW);
  SetWindowPos(pictured.GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  PumpAppFor(app, 120);
  TQVPropertyTab* with = pictured.GetTabStrip();
  TQVPropertyTab* without = plain.GetTabStrip();
  ASSERT_TRUE(with->HasTabImages());
  EXPECT_EQ(with->GetCelWidth(), 16) << "the bitmap is cut into one cel per page";
  EXPECT_EQ(with->GetImageArg(), 7);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(with->GetTabWidth(i), without->GetTabWidth(i) + 16 + 12) << "tab " << i;
  }
  // The second tab's cel: a green square in the middle, the tab's face around it.
  const TRect r = with->GetTabRect(1);
  const int top = r.top + (r.Height() - 16) / 2;
  const TPixels pixels = CaptureClient(with->GetHandle());
  ASSERT_GT(pixels.width, r.left + 22);
  EXPECT_EQ(pixels.At(r.left + 6 + 8, top + 8), RGB(0, 160, 0));
  EXPECT_EQ(pixels.At(r.left + 6 + 1, top + 1), GetSysColor(COLOR_BTNFACE)) << "the mask lets the tab show";
  const TRect first = with->GetTabRect(0);
  EXPECT_EQ(pixels.At(first.left + 6 + 8, first.top + (first.Height() - 16) / 2 + 8), RGB(255, 0, 0));
  pictured.Destroy(IDCANCEL);
  plain.Destroy(IDCANCEL);
}

// Showing a page runs the waiting messages itself: the focus has moved when the selection returns,
// before the caller pumps anything.
TEST_F(SheetTest, ShowingAPageMovesTheFocusBeforeReturning) {
  TTestSheet sheet(nullptr, log, psfFocusPage);
  Open(sheet);
  ASSERT_TRUE(sheet.SelectPage(1));
  EXPECT_EQ(::GetFocus(), Item(sheet.numbers, IDC_COUNT)) << "the page's first tab stop";
  ASSERT_TRUE(sheet.SelectPage(2));
  EXPECT_EQ(::GetFocus(), Item(sheet.plain, IDC_PLAIN_TEXT));
  sheet.Destroy(IDCANCEL);
}

// A colour change recolours the strips; only an application on the 3D-controls library also gets
// a new shared brush and the library's own colour change.
TEST_F(SheetTest, ColourChangeRebuildsTheBrushOnlyUnderTheThreeDLibrary) {
  TTestSheet sheet(nullptr, log);
  Open(sheet);
  const HBRUSH before = TQVPropertyDialog::SharedFaceBrush();
  ASSERT_NE(before, nullptr);
  ctl3dColorChanges = 0;
  TQVPropertyDialog::PropertySheetsColorChange(&app);
  EXPECT_EQ(TQVPropertyDialog::SharedFaceBrush(), before);
  EXPECT_EQ(ctl3dColorChanges, 0);

  app.SetCtl3dLibrary(GetModuleHandleA(nullptr));
  TQVPropertyDialog::PropertySheetsColorChange(&app);
  app.SetCtl3dLibrary(nullptr);
  const HBRUSH after = TQVPropertyDialog::SharedFaceBrush();
  EXPECT_EQ(ctl3dColorChanges, 1);
  ASSERT_NE(after, nullptr);
  LOGBRUSH lb{};
  GetObjectA(after, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
  sheet.Destroy(IDCANCEL);
}

}  // namespace
