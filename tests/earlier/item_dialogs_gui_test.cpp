// The earlier line's item dialogs run modally on real items: what they show, what OK stores and
// what every other way out leaves alone, with their owner disabled while they are open. A script
// thread works each dialog while the test's thread is inside its modal loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/KeySignatureCount.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TextExpression.h"
#include "earlier/editor/win32/ItemDialogs.h"
#include "framework/Application.h"
#include "framework/FrameWindow.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/OwnerWindowTest.h"

using namespace guidriver;

namespace {

constexpr DWORD kWaitMs = 10000;

class ItemDialogsTest : public TOwnerWindowTest {
protected:
  // Runs the item's dialog while the script works it; answers RunItemDialog's result.
  bool Run(TNotatedItem& item, const char* caption, const std::function<void(HWND)>& work) {
    bool ownerDisabled = false;
    TScript script([&] {
      HWND dialog = WaitForWindow(nullptr, caption, kWaitMs);
      if (!dialog) return;
      ownerDisabled = !IsWindowEnabled(owner_);
      work(dialog);
      WaitForWindowGone(dialog, kWaitMs);
    });
    const bool ok = RunItemDialog(ownerObject_.get(), item);
    EXPECT_TRUE(script.Join(kWaitMs)) << caption;
    EXPECT_TRUE(ownerDisabled) << caption << ": the owner takes no input while the dialog is open";
    EXPECT_TRUE(IsWindowEnabled(owner_)) << caption << ": the owner is enabled again";
    return ok;
  }

  static bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
  static void Choose(HWND dialog, int id, UINT selectMessage, int index, WORD notification) {
    SendDlgItemMessageA(dialog, id, selectMessage, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, notification), LPARAM(GetDlgItem(dialog, id)));
  }
  static void SetCheck(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

};

TEST_F(ItemDialogsTest, KeySignaturePresetSetsTheButtonsAndOkStoresThem) {
  TKeyData key;
  uint16_t flats = 0, sharps = 0;
  NtnKeyMasksFromSize(-3, flats, sharps);  // E flat: B, E and A flat
  key.SetMasks(flats, sharps);
  bool shownFlats = false, presetShown = false;
  const bool ok = Run(key, "Key Signature", [&](HWND d) {
    // Rows A..G, buttons flat, sharp, neither.
    shownFlats = Checked(d, 100) && Checked(d, 103) && Checked(d, 112) && Checked(d, 108);
    Choose(d, 121, LB_SETCURSEL, 3, LBN_SELCHANGE);  // "D Major": F and C sharp
    presetShown = Checked(d, 116) && Checked(d, 107) && Checked(d, 105) && Checked(d, 102);
    ClickButton(d, IDOK);
  });
  EXPECT_TRUE(shownFlats);
  EXPECT_TRUE(presetShown);
  EXPECT_TRUE(ok);
  EXPECT_EQ(NtnSignedKeySize(key.GetFlatMask(), key.GetSharpMask()), 2);
}

TEST_F(ItemDialogsTest, EveryWayOutButOkLeavesTheItem) {
  struct Way {
    const char* name;
    std::function<void(HWND)> leave;
  };
  const Way ways[] = {{"Cancel", [](HWND d) { ClickButton(d, IDCANCEL); }},
                      {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
                      {"Escape", [](HWND d) { PostMessageA(GetDlgItem(d, 101), WM_KEYDOWN, VK_ESCAPE, 0); }}};
  for (const Way& way : ways) {
    TBarLineData bar(TBarLineData::blDouble);
    const bool ok = Run(bar, "Bar Lines", [&](HWND d) {
      Choose(d, 101, CB_SETCURSEL, TBarLineData::blSectionClose, CBN_SELCHANGE);
      way.leave(d);
    });
    EXPECT_FALSE(ok) << way.name;
    EXPECT_EQ(bar.GetStyle(), TBarLineData::blDouble) << way.name;
  }
}

TEST_F(ItemDialogsTest, BarLineRepeatCountOnlyForTheCountedStyle) {
  TBarLineData bar(TBarLineData::blSingle);
  bool disabledFirst = false, enabledAfter = false;
  const bool ok = Run(bar, "Bar Lines", [&](HWND d) {
    disabledFirst = !IsWindowEnabled(GetDlgItem(d, 103));
    Choose(d, 101, CB_SETCURSEL, TBarLineData::blLocalRepeatClose, CBN_SELCHANGE);
    enabledAfter = IsWindowEnabled(GetDlgItem(d, 103));
    SetDlgItemTextA(d, 103, "4");
    ClickButton(d, IDOK);
  });
  EXPECT_TRUE(disabledFirst);
  EXPECT_TRUE(enabledAfter);
  ASSERT_TRUE(ok);
  EXPECT_EQ(bar.GetStyle(), TBarLineData::blLocalRepeatClose);
  EXPECT_EQ(bar.GetRepeatCount(), 4);
}

// The clef's octave shift is stored as the list's index, which the staff context and the drawing
// read: "Octave Down" is 2, not -1 (which they would take for no shift).
TEST_F(ItemDialogsTest, ClefOctaveDownIsStoredAsTheListsIndex) {
  TClefData clef(clBass, osOctaveDown);
  int shown = -1;
  const bool ok = Run(clef, "Clef", [&](HWND d) {
    shown = int(SendDlgItemMessageA(d, 102, CB_GETCURSEL, 0, 0));
    Choose(d, 101, CB_SETCURSEL, clTreble, CBN_SELCHANGE);
    ClickButton(d, IDOK);
  });
  ASSERT_TRUE(ok);
  EXPECT_EQ(shown, osOctaveDown) << "the stored shift is shown";
  EXPECT_EQ(clef.GetClef(), clTreble);
  EXPECT_EQ(clef.GetOctaveShift(), osOctaveDown);
}

TEST_F(ItemDialogsTest, SpecialEndingWithNoEndingCheckedCountsAsCancel) {
  TSpecialEnding ending(0x3);
  const bool ok = Run(ending, "Repeat Loop Special Endings", [&](HWND d) {
    SetCheck(d, 100, false);
    SetCheck(d, 101, false);
    ClickButton(d, IDOK);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(ending.GetMask(), 0x3u);
  const bool ok2 = Run(ending, "Repeat Loop Special Endings", [&](HWND d) {
    SetCheck(d, 107, true);
    ClickButton(d, IDOK);
  });
  EXPECT_TRUE(ok2);
  EXPECT_EQ(ending.GetMask(), 0x83u);
}

TEST_F(ItemDialogsTest, TextEditTakes31Characters) {
  TTextExpression text;
  const bool ok = Run(text, "Text Expression", [&](HWND d) {
    HWND edit = GetDlgItem(d, 101);
    SendMessageA(edit, WM_SETTEXT, 0, LPARAM(""));
    for (int i = 0; i < 40; ++i) SendMessageA(edit, WM_CHAR, 'a' + i % 26, 0);
    ClickButton(d, IDOK);
  });
  ASSERT_TRUE(ok);
  EXPECT_EQ(text.GetText().size(), 31u);
  EXPECT_EQ(text.GetText().substr(0, 3), "abc");
}

TEST_F(ItemDialogsTest, TempoBaseChangeKeepsTheSpeed) {
  TTempoData tempo(120, TTempoData::tbQuarter);
  std::string shown;
  const bool ok = Run(tempo, "Tempo", [&](HWND d) {
    Choose(d, 101, CB_SETCURSEL, TTempoData::tbHalf, CBN_SELCHANGE);
    shown = GetText(GetDlgItem(d, 100));
    ClickButton(d, IDOK);
  });
  EXPECT_EQ(shown, "60");
  ASSERT_TRUE(ok);
  EXPECT_EQ(tempo.GetBase(), TTempoData::tbHalf);
  EXPECT_EQ(tempo.GetTempo(TTempoData::tbQuarter), 120);
}

TEST_F(ItemDialogsTest, ControllerOffersFiveKindsAndRefusesAGapInTheSettings) {
  TGenericControl control;
  int kinds = 0;
  bool refused = false;
  std::string sliderClass, shownValue;
  const bool ok = Run(control, "MIDI Multi-Point Controller", [&](HWND d) {
    kinds = int(SendDlgItemMessageA(d, 100, CB_GETCOUNT, 0, 0));
    // A new kind starts from its own values: first setting on, the others off.
    Choose(d, 100, CB_SETCURSEL, 4, CBN_SELCHANGE);
    SetCheck(d, 111, true);  // setting 3 without setting 2
    ClickButton(d, IDOK);
    HWND box = WaitForWindow(nullptr, "Discontinuous Settings Used", kWaitMs);
    refused = box && ReadMessageBox(box).text == "Setting 3 cannot be enabled unless Setting 2 is also enabled";
    if (box) ClickButton(box, IDOK);
    WaitForWindowGone(box, kWaitMs);
    SetCheck(d, 110, true);
    // The values are sliders, as on the current line's controller page: the second one taken
    // to 10000 shows it around pitch bend's centre.
    char slider[32] = {};
    GetClassNameA(GetDlgItem(d, 131), slider, sizeof slider);
    sliderClass = slider;
    SendMessageA(d, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10000), reinterpret_cast<LPARAM>(GetDlgItem(d, 131)));
    shownValue = GetText(GetDlgItem(d, 141));
    ClickButton(d, IDOK);
  });
  EXPECT_EQ(kinds, 5);
  EXPECT_TRUE(refused);
  EXPECT_EQ(sliderClass, "TQVSlider");
  EXPECT_EQ(shownValue, "1808");
  ASSERT_TRUE(ok);
  EXPECT_EQ(control.GetController(), 4);
  EXPECT_TRUE(control.GetSetting(2).present);
  EXPECT_FALSE(control.GetSetting(3).present);
  EXPECT_EQ(control.GetSetting(1).value, 10000);
}

TEST_F(ItemDialogsTest, PatchDialogListsAndBank) {
  TStaffInstrument in{1, 2 * 128 + 9, 5};
  TPatchData patch(&in);
  int entries = 0;
  std::string controller0, firstZeroBased;
  const bool ok = Run(patch, "Sound (Instrument) Patch", [&](HWND d) {
    entries = int(SendDlgItemMessageA(d, 102, LB_GETCOUNT, 0, 0));
    controller0 = GetText(GetDlgItem(d, 101));
    Choose(d, 103, CB_SETCURSEL, 1, CBN_SELCHANGE);  // "Numeric, 0 Based"
    char text[16] = {};
    SendDlgItemMessageA(d, 102, LB_GETTEXT, 1, LPARAM(text));
    firstZeroBased = text;
    SetCheck(d, 100, false);
    ClickButton(d, IDOK);
  });
  EXPECT_EQ(entries, 129);
  EXPECT_EQ(controller0, "2");
  EXPECT_EQ(firstZeroBased, "0");
  ASSERT_TRUE(ok);
  EXPECT_EQ(patch.GetPatch().patch, 5) << "the same entry stays chosen";
  EXPECT_EQ(patch.GetPatch().bankSelect, 0);
  EXPECT_EQ(patch.GetPatch().bank, 0);
}

}  // namespace
