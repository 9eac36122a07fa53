// Number edits and the spin button in a dialog: arrow keys and the wheel, what typing lets
// through, the validation box, the spin button's place and its auto-repeat (once at once, after
// 300 ms, then every 50 ms; paused off the button; ended by a lost capture). Also the numeric
// combo box, the statics and the owner-drawn lists.
#include <gtest/gtest.h>

#include <string>

#include "framework/ColorComboBox.h"
#include "framework/Dialog.h"
#include "framework/EditNumber.h"
#include "framework/EditRealNumber.h"
#include "framework/MultiSelListBox.h"
#include "framework/QXTComboBox.h"
#include "framework/QXTStatic.h"
#include "framework/SpinButton.h"
#include "tests/dialogs/DialogsFixture.h"
#include "tests/dialogs/DialogsResources.h"
#include "tests/support/guidriver/MessageRecorder.h"
#include "tests/support/guidriver/Screenshot.h"

using namespace guidriver;
using namespace dialogs_test;

namespace {

class TValuesDialog : public TDialog {
public:
  TValuesDialog() : TDialog(nullptr, IDD_VALUES) {
    number = new TEditNumber(this, IDC_NUMBER, TNumberRange{-20, 40, 5});
    real = new TEditRealNumber(this, IDC_REAL, TRealRange{-2.0f, 10.0f, 0.5f, 2});
  }
  TEditNumber* number;
  TEditRealNumber* real;
};

class ValueEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dlg.Create());
    dlg.ShowWindow(SW_SHOW);
    PumpAppFor(app, 80);
  }
  std::string Text(TWindow* w) { return GetText(w->GetHandle()); }
  void Type(const char* keys) {
    for (const char* k = keys; *k; ++k) {
      const SHORT vk = VkKeyScanA(*k);
      PressKey(LOBYTE(vk), (HIBYTE(vk) & 1) ? kShift : kNoModifiers);
    }
    PumpAppFor(app, 80);
  }

  TApplication app{"Values"};
  TValuesDialog dlg;
};

TEST_F(ValueEditTest, KeysAndWheelStep) {
  dlg.number->SetValue(7);
  ASSERT_TRUE(Focus(dlg.number->GetHandle()));
  PressKey(VK_UP);
  EXPECT_TRUE(PumpApp(app, [&] { return Text(dlg.number) == "10"; }));
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  EXPECT_TRUE(PumpApp(app, [&] { return Text(dlg.number) == "0"; }));
  dlg.number->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(Text(dlg.number), "5") << "away from the user steps up";
  dlg.number->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(Text(dlg.number), "0");
  dlg.number->SetValue(99);
  EXPECT_EQ(Text(dlg.number), "40") << "clamped to the maximum";

  dlg.real->SetValue(1.24f);
  ASSERT_TRUE(Focus(dlg.real->GetHandle()));
  PressKey(VK_UP);
  EXPECT_TRUE(PumpApp(app, [&] { return Text(dlg.real) == "1.70"; }));
}

TEST_F(ValueEditTest, TypingFilters) {
  SetWindowTextA(dlg.number->GetHandle(), "");
  ASSERT_TRUE(Focus(dlg.number->GetHandle()));
  Type("1a-2.");
  EXPECT_EQ(Text(dlg.number), "1-2") << "letters and points are dropped";

  SetWindowTextA(dlg.real->GetHandle(), "");
  ASSERT_TRUE(Focus(dlg.real->GetHandle()));
  Type("-1.5.x");
  EXPECT_EQ(Text(dlg.real), "-1.5") << "a sign where the minimum is negative, one point";
  // The edit's own commands still work: select all and copy, clear, paste back.
  dlg.real->SetSelection(0, -1);
  PressKey('C', kControl);
  PressKey(VK_DELETE);
  PumpAppFor(app, 50);
  EXPECT_EQ(Text(dlg.real), "");
  PressKey('V', kControl);
  EXPECT_TRUE(PumpApp(app, [&] { return Text(dlg.real) == "-1.5"; })) << "Ctrl+C and Ctrl+V reach the edit";
}

TEST_F(ValueEditTest, InvalidValueKeepsTheDialogOpen) {
  SetWindowTextA(dlg.number->GetHandle(), "41");
  std::string said;
  TScript answer([&] {
    HWND box = WaitForMessageBox("Error", 3000);
    if (!box) return;
    said = ReadMessageBox(box).text;
    ClickButton(box, IDOK);
  });
  EXPECT_FALSE(dlg.CanClose());
  ASSERT_TRUE(answer.Join(4000));
  EXPECT_EQ(said, "Value is out of range");
  EXPECT_EQ(GetFocus(), dlg.number->GetHandle());
  SetWindowTextA(dlg.number->GetHandle(), "-20");
  SetWindowTextA(dlg.real->GetHandle(), "9.5");
  EXPECT_TRUE(dlg.CanClose());
  dlg.number->EnableWindow(false);
  SetWindowTextA(dlg.number->GetHandle(), "oops");
  EXPECT_TRUE(dlg.CanClose()) << "a disabled edit is valid";
  EXPECT_FALSE(IsWindowEnabled(dlg.number->GetSpinButton()->GetHandle())) << "the spin button follows";
}

TEST_F(ValueEditTest, SpinButtonSitsBesideItsEditAndRepeats) {
  TSpinButton* spin = dlg.number->GetSpinButton();
  RECT e = dlg.number->GetWindowRect(), s = spin->GetWindowRect();
  EXPECT_EQ(s.left, e.right + 3 * GetSystemMetrics(SM_CXBORDER));
  EXPECT_EQ((s.bottom - s.top) % 2, 1) << "an odd height";
  EXPECT_EQ(static_cast<WORD>(GetWindowLongPtrA(spin->GetHandle(), GWLP_ID)), 0xFFFF) << "control id -1";

  dlg.number->SetValue(-20);
  const TRect c = spin->GetClientRect();
  MouseMoveTo(spin->GetHandle(), c.Width() / 2, 2);
  MouseButton(true);
  PumpApp(app, [&] { return Text(dlg.number) == "-15"; }, 1000);
  const DWORD t0 = GetTickCount();
  EXPECT_EQ(Text(dlg.number), "-15") << "one step at once";
  EXPECT_EQ(GetFocus(), dlg.number->GetHandle()) << "the buddy takes the focus";
  PumpAppFor(app, 200);
  EXPECT_EQ(Text(dlg.number), "-15") << "nothing more before 300 ms";
  PumpAppFor(app, 400);  // 300 ms, then 50 ms steps
  const int after = atoi(Text(dlg.number).c_str());
  EXPECT_GE(after, 0) << "repeating after " << GetTickCount() - t0 << " ms";

  // Off the button the repeat pauses.
  MouseMoveTo(spin->GetHandle(), c.Width() + 30, 2);
  PumpAppFor(app, 60);
  const std::string paused = Text(dlg.number);
  PumpAppFor(app, 200);
  EXPECT_EQ(Text(dlg.number), paused);
  EXPECT_EQ(spin->GetPressedHalf(), 0);
  MouseMoveTo(spin->GetHandle(), c.Width() / 2, 2);
  PumpAppFor(app, 200);
  EXPECT_NE(Text(dlg.number), paused) << "back on the half it goes on";

  // Losing the capture ends the repeat although the button is still held.
  SetCapture(dlg.GetHandle());
  PumpAppFor(app, 60);
  EXPECT_FALSE(spin->IsCaptured());
  const std::string stopped = Text(dlg.number);
  PumpAppFor(app, 250);
  EXPECT_EQ(Text(dlg.number), stopped);
  MouseButton(false);
  ReleaseCapture();
  PumpAppFor(app, 30);
}

TEST_F(ValueEditTest, ComboNumbersAndStatics) {
  TQXTComboBox* combo = new TQXTComboBox(&dlg, 1500, 100, 10, 60, 100, TComboArgs{CBS_DROPDOWN, 8, nullptr});
  TQXTStatic* label = new TQXTStatic(&dlg, 1501, "", 100, 40, 150, 14);
  ASSERT_TRUE(combo->Create());
  ASSERT_TRUE(label->Create());
  combo->SetNumericRange(1, 10);
  combo->AddNumbers(1, 10, 3);
  EXPECT_EQ(combo->GetCount(), 4);
  EXPECT_EQ(combo->GetString(3), "10");
  combo->SetNumber(-5);
  EXPECT_EQ(combo->GetText(), "1") << "clamped to the minimum and chosen from the list";
  combo->SetNumber(5);
  EXPECT_EQ(combo->GetText(), "5") << "a number not in the list goes into the edit field";
  EXPECT_TRUE(combo->IsNumberValid());
  combo->SetText("abc");
  EXPECT_FALSE(combo->IsNumberValid());
  EXPECT_EQ(SendMessageA(combo->GetHandle(), CB_GETEXTENDEDUI, 0, 0), TRUE);

  label->SetTextF("%s has %d staves and %s", "Score", 4, std::string(400, 'x').c_str());
  EXPECT_EQ(GetText(label->GetHandle()).size(), TQXTStatic::kFormatSize - 1) << "formatted bounded";
  label->SetPathText("C:\\Scores\\Choral Piece.qvk", TPathShow::FileTitle);
  EXPECT_EQ(GetText(label->GetHandle()), "Choral Piece");
  label->SetPathText("C:\\Scores\\Choral Piece.qvk", TPathShow::WholePath);
  EXPECT_EQ(GetText(label->GetHandle()), "C:\\Scores\\Choral Piece.qvk");
}

}  // namespace


namespace {

// Owner-drawn lists: a selected line shows a cross in its box, the colour list shows swatches.
TEST(OwnerDrawnLists, CheckBoxesAndColourSwatches) {
  TApplication app{"Lists"};
  TMessageRecorder recorder(120, 120, 320, 240);
  TWindow parent(recorder.GetHandle());
  auto* checks = new TQXTMultiSelListBox(&parent, 601, 10, 10, 140, 80);
  checks->Attr.style |= LBS_MULTIPLESEL;
  auto* colours = new TQVColorComboBox(&parent, 602, 160, 10, 140, 120, TComboArgs{CBS_DROPDOWNLIST, 0, nullptr});
  ASSERT_TRUE(checks->Create());
  ASSERT_TRUE(colours->Create());
  checks->AddString("Soprano");
  checks->AddString("Alto");
  checks->SetSel(0, true);
  colours->AddColor("Pure red for the highlight of played notes", RGB(255, 0, 0));
  colours->SetSelIndex(0);
  PumpAppFor(app, 100);

  const TPixels list = CaptureClient(checks->GetHandle());
  const int h = static_cast<int>(checks->SendMessage(LB_GETITEMHEIGHT, 0));
  ASSERT_GT(h, 4);
  const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_EQ(list.At(h / 2, h / 2), ink) << "the cross of the selected line";
  EXPECT_NE(list.At(h / 2, h + h / 2), ink) << "no cross on the other line";

  const TPixels combo = CaptureClient(colours->GetHandle());
  bool red = false;
  for (int x = 0; x < combo.width / 3 && !red; ++x) {
    red = combo.At(x, combo.height / 2) == RGB(255, 0, 0);
  }
  EXPECT_TRUE(red) << "the swatch shows the colour";
}

}  // namespace
