// Wizards under real keys: Back, Next and Finish follow the enabled pages, Enter goes on with
// the default button, Tab never stops on the hidden strip, Finish validates and applies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/BitmapControl.h"
#include "framework/Edit.h"
#include "framework/PropertyTab.h"
#include "framework/WizardDialog.h"
#include "framework/WizardPage.h"
#include "tests/dialogs/DialogsFixture.h"
#include "tests/dialogs/DialogsResources.h"
#include "tests/support/guidriver/Screenshot.h"

using namespace guidriver;
using namespace dialogs_test;

namespace {

class TStepPage : public TWizardPage {
public:
  TStepPage(TWizardDialog* wizard, std::vector<std::string>& log, const char* name)
      : TWizardPage(wizard, IDD_WIZ_PAGE, MAKEINTRESOURCEA(IDB_WIZARD), TPictureFrame::Sunken),
        log_(log),
        name_(name) {
    new TEdit(this, IDC_WIZ_TEXT, sizeof text);
    SetTransferBuffer(text);
  }
  bool Apply() override {
    log_.push_back("apply " + name_);
    return TWizardPage::Apply();
  }
  char text[32] = "";

private:
  std::vector<std::string>& log_;
  std::string name_;
};

class TTestWizard : public TWizardDialog {
public:
  TTestWizard(std::vector<std::string>& log, int pages) : TWizardDialog(nullptr, IDD_WIZARD) {
    const char* names[] = {"Intro", "Step 1", "Step 2", "Finish"};
    for (int i = 0; i < pages; ++i) {
      auto* p = new TStepPage(this, log, names[i]);
      AddPage(names[i], p);
      steps.push_back(p);
    }
  }
  std::vector<TStepPage*> steps;
};

class WizardTest : public ::testing::Test {
protected:
  void Open(TTestWizard& w) {
    ASSERT_TRUE(w.Create());
    w.ShowWindow(SW_SHOW);
    PumpAppFor(app, 100);
  }
  HWND Button(TTestWizard& w, int id) { return ::GetDlgItem(w.GetHandle(), id); }
  LRESULT DefaultId(HWND dialog) { return LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)); }
  void Press(WORD vk, unsigned modifiers = kNoModifiers) {
    PressKey(vk, modifiers);
    PumpAppFor(app, 60);
  }
  TApplication app{"Wizards"};
  std::vector<std::string> log;
};

TEST_F(WizardTest, ButtonsFollowThePages) {
  TTestWizard w(log, 3);
  Open(w);
  HWND back = Button(w, 500), next = Button(w, 501), finish = Button(w, IDOK);
  EXPECT_FALSE(IsWindowEnabled(back)) << "the first page has no Back";
  EXPECT_TRUE(IsWindowEnabled(next));
  EXPECT_FALSE(IsWindowEnabled(finish));
  EXPECT_EQ(DefaultId(w.GetHandle()), 501);
  EXPECT_TRUE(PumpApp(app, [&] { return GetFocus() == next; })) << "Next has the focus";

  ClickButton(w.GetHandle(), 501);
  EXPECT_TRUE(PumpApp(app, [&] { return w.GetCurrentIndex() == 1; }));
  EXPECT_TRUE(IsWindowEnabled(back));
  ClickButton(w.GetHandle(), 501);
  EXPECT_TRUE(PumpApp(app, [&] { return w.GetCurrentIndex() == 2; }));
  EXPECT_FALSE(IsWindowEnabled(next)) << "the last page";
  EXPECT_TRUE(IsWindowEnabled(finish));
  EXPECT_EQ(DefaultId(w.GetHandle()), IDOK);
  EXPECT_FALSE(w.NextPage()) << "Next is off: no wrap to the first page";
  EXPECT_EQ(w.GetCurrentIndex(), 2);
  ClickButton(w.GetHandle(), 500);
  EXPECT_TRUE(PumpApp(app, [&] { return w.GetCurrentIndex() == 1; }));

  // Disabling the later pages makes this one the last at the next change.
  w.GetTabStrip()->EnableTab(2, false);
  ClickButton(w.GetHandle(), 500);
  ClickButton(w.GetHandle(), 501);
  EXPECT_TRUE(PumpApp(app, [&] { return w.GetCurrentIndex() == 1 && IsWindowEnabled(finish); }));
  EXPECT_FALSE(IsWindowEnabled(next));
}

TEST_F(WizardTest, OnePageHasOnlyFinish) {
  TTestWizard w(log, 1);
  Open(w);
  EXPECT_FALSE(IsWindowEnabled(Button(w, 500)));
  EXPECT_FALSE(IsWindowEnabled(Button(w, 501)));
  EXPECT_TRUE(IsWindowEnabled(Button(w, IDOK)));
  EXPECT_EQ(DefaultId(w.GetHandle()), IDOK);
}

TEST_F(WizardTest, EnterGoesOnTabSkipsTheStripFinishAppliesAll) {
  TTestWizard w(log, 3);
  Open(w);
  HWND edit0 = ::GetDlgItem(w.steps[0]->GetHandle(), IDC_WIZ_TEXT);
  ASSERT_TRUE(Focus(edit0));
  Press(VK_RETURN);
  EXPECT_TRUE(PumpApp(app, [&] { return w.GetCurrentIndex() == 1; })) << "Enter on the page is Next";

  // Tab from the page's only control goes on to the wizard's buttons, never to the strip.
  HWND strip = w.GetTabStrip()->GetHandle();
  HWND edit1 = ::GetDlgItem(w.steps[1]->GetHandle(), IDC_WIZ_TEXT);
  ASSERT_TRUE(Focus(edit1));
  for (int i = 0; i < 6; ++i) {
    Press(VK_TAB);
    EXPECT_NE(GetFocus(), strip) << "Tab " << i;
  }
  ASSERT_TRUE(Focus(edit1));
  for (int i = 0; i < 6; ++i) {
    Press(VK_TAB, kShift);
    EXPECT_NE(GetFocus(), strip) << "Shift+Tab " << i;
  }

  SetWindowTextA(edit1, "quarter");
  ClickButton(w.GetHandle(), 501);
  EXPECT_TRUE(PumpApp(app, [&] { return w.GetCurrentIndex() == 2; }));
  const char* out = getenv("VC_SCREENSHOT_DIR");
  if (out) {
    PumpAppFor(app, 200);
    RECT wr;
    GetWindowRect(w.GetHandle(), &wr);
    HDC screen = GetDC(nullptr);
    SaveBmp(CaptureDC(screen, wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top),
            std::string(out) + "\\wizard.bmp");
    ReleaseDC(nullptr, screen);
  }
  log.clear();
  ClickButton(w.GetHandle(), IDOK);
  HWND hwnd = w.GetHandle();
  EXPECT_TRUE(PumpApp(app, [&] { return !IsWindow(hwnd); }));
  EXPECT_EQ(log, (std::vector<std::string>{"apply Intro", "apply Step 1", "apply Step 2"}));
  EXPECT_STREQ(w.steps[1]->text, "quarter");
}

TEST_F(WizardTest, PagesShowTheirPicture) {
  TTestWizard w(log, 2);
  Open(w);
  TBitmapControl* picture = w.steps[0]->GetPicture();
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(picture->PicturePainted());
  EXPECT_TRUE(picture->HasOwnPalette()) << "an 8-bit picture brings its palette";
  const TPixels px = CaptureClient(picture->GetHandle());
  ASSERT_GT(px.width, 10);
  // Sunken frame: the outer top line in the shadow colour, the picture inside.
  EXPECT_EQ(px.At(5, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_NE(px.At(px.width / 2, px.height / 2), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
