// The long-task dialog: the parent disabled while it is up, the gauges over their placeholders,
// bounded texts, and the Cancel confirmation answered through the GUI driver.
#include <gtest/gtest.h>

#include <string>

#include "framework/Application.h"
#include "framework/FrameWindow.h"
#include "framework/Gauge.h"
#include "framework/LongTaskDlg.h"
#include "tests/controls/ControlsResources.h"
#include "tests/support/guidriver/GuiDriver.h"

using namespace guidriver;

namespace {

class LongTaskTest : public ::testing::Test {
protected:
  void SetUp() override {
    frame.Attr.x = 40;
    frame.Attr.y = 40;
    frame.Attr.w = 500;
    frame.Attr.h = 400;
    ASSERT_TRUE(frame.Create());
    frame.ShowWindow(SW_SHOW);
  }
  // Polls the way an operation does until the condition holds or the time is up.
  bool PollUntil(TLongTaskDlg& dlg, bool wantCancelled, DWORD timeoutMs = kDefaultTimeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
      if (dlg.IsCancelled() == wantCancelled) return true;
      Sleep(5);
    }
    return false;
  }

  TApplication app{"Long tasks"};
  TFrameWindow frame{nullptr, "Score"};
};

RECT ClientRectIn(HWND child, HWND parent) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

TEST_F(LongTaskTest, DisablesTheParentPlacesTheGaugesAndEnablesTheParentAgain) {
  EXPECT_EQ(TLongTaskDlg::GetActive(), nullptr);
  TLongTaskDlg dlg(&frame, IDD_LONGTASK, 2, 2);
  ASSERT_TRUE(dlg.Create());
  HWND h = dlg.GetHandle();
  EXPECT_FALSE(IsWindowEnabled(frame.GetHandle()));
  EXPECT_EQ(TLongTaskDlg::GetActive(), &dlg);

  RECT r{};
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2) << "centred on the screen";

  for (int k = 0; k < 2; ++k) {
    RECT place = ClientRectIn(GetDlgItem(h, 110 + k), h);
    RECT gauge = ClientRectIn(GetDlgItem(h, 112 + k), h);
    EXPECT_EQ(gauge.left, place.left);
    EXPECT_EQ(gauge.top, place.top);
    EXPECT_EQ(gauge.right, place.right);
    EXPECT_EQ(gauge.bottom, place.bottom);
  }
  int lo = -1, hi = -1;
  dlg.GetGauge()->GetRange(lo, hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 100);
  EXPECT_EQ(dlg.GetGauge()->GetLedSpacing(), 0);
  EXPECT_EQ(dlg.GetGauge2()->GetLedSpacing(), 2);
  EXPECT_EQ(dlg.GetGauge2()->GetLedThickness(), 90);

  dlg.StartGauge(40);
  dlg.SetGaugeValue(55);
  EXPECT_EQ(dlg.GetGauge()->GetValue(), 40) << "clamped to the range";
  dlg.StartGauge2(0);
  dlg.GetGauge2()->GetRange(lo, hi);
  EXPECT_EQ(hi, 1) << "an empty range gets one step";
  dlg.SetGauge2Value(1);
  EXPECT_EQ(dlg.GetGauge2()->GetValue(), 1);

  dlg.CloseDialog();
  EXPECT_TRUE(IsWindowEnabled(frame.GetHandle()));
  EXPECT_EQ(TLongTaskDlg::GetActive(), nullptr);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(IsCancelRequested());
}

TEST_F(LongTaskTest, WithoutGaugesEveryGaugeCallDoesNothing) {
  TLongTaskDlg dlg(&frame, IDD_LONGTASK_BARE, 1, 0);
  ASSERT_TRUE(dlg.Create());
  EXPECT_EQ(dlg.GetGauge(), nullptr);
  EXPECT_EQ(GetDlgItem(dlg.GetHandle(), 112), nullptr);
  dlg.StartGauge(10);
  dlg.SetGaugeValue(5);
  dlg.SetGaugeLed(2, 50);
  dlg.StartGauge2(10);
  dlg.SetGauge2Value(5);
  dlg.SetGauge2Led(2, 50);
  dlg.SetLineText(1, "past the last line");
  dlg.SetFirstLineText("Reading track 3");
  EXPECT_EQ(GetText(GetDlgItem(dlg.GetHandle(), 101)), "Reading track 3");
  dlg.CloseDialog();
}

TEST_F(LongTaskTest, TextsAreFormattedAndBounded) {
  TLongTaskDlg dlg(&frame, IDD_LONGTASK, 2, 1);
  ASSERT_TRUE(dlg.Create());
  HWND h = dlg.GetHandle();
  dlg.SetMessage("Track %d of %d", 3, 16);
  EXPECT_EQ(GetText(GetDlgItem(h, 101)), "Track 3 of 16");
  dlg.SetLineF(1, "%s: %d%%", "Converting", 40);
  EXPECT_EQ(GetText(GetDlgItem(h, 102)), "Converting: 40%");
  dlg.SetLineF(2, "%s", "no third line");
  EXPECT_EQ(GetDlgItem(h, 103), nullptr);

  const std::string longName(3000, 'x');
  dlg.SetMessage("File %s", longName.c_str());
  EXPECT_EQ(GetText(GetDlgItem(h, 101)), "File " + std::string(250, 'x'));
  dlg.SetLineF(1, "%s", longName.c_str());
  EXPECT_EQ(GetText(GetDlgItem(h, 102)), std::string(255, 'x'));
  dlg.CloseDialog();
}

TEST_F(LongTaskTest, CancelAsksAndOnlyYesRequestsIt) {
  TLongTaskDlg dlg(&frame, IDD_LONGTASK, 2, 1);
  ASSERT_TRUE(dlg.Create());
  HWND h = dlg.GetHandle();

  // No: the task goes on, and the next Cancel asks again.
  TMessageBoxText asked;
  {
    TScript answer([&] {
      HWND box = WaitForMessageBox("Cancel Confirmation");
      if (!box) return;
      asked = ReadMessageBox(box);
      ClickButton(box, IDNO);
    });
    ClickButton(h, IDCANCEL);
    EXPECT_TRUE(PollUntil(dlg, false, 300));
    ASSERT_TRUE(answer.Join());
  }
  EXPECT_EQ(asked.text, "Are you sure?");
  EXPECT_FALSE(IsCancelRequested());
  EXPECT_TRUE(IsWindow(h)) << "the dialog stays open";
  EXPECT_FALSE(IsWindowEnabled(frame.GetHandle())) << "the box leaves the parent disabled";

  // Yes: the next poll answers true.
  {
    TScript answer([&] {
      if (HWND box = WaitForMessageBox("Cancel Confirmation")) ClickButton(box, IDYES);
    });
    ClickButton(h, IDCANCEL);
    EXPECT_TRUE(PollUntil(dlg, true));
    ASSERT_TRUE(answer.Join());
  }
  EXPECT_TRUE(IsCancelRequested());

  // Requested already: Cancel asks nothing more.
  ClickButton(h, IDCANCEL);
  EXPECT_TRUE(dlg.IsCancelled());
  EXPECT_EQ(WaitForMessageBox("Cancel Confirmation", 500), nullptr);

  // After ResetCancel a Cancel asks again.
  dlg.ResetCancel();
  EXPECT_FALSE(IsCancelRequested());
  {
    TScript answer([&] {
      if (HWND box = WaitForMessageBox("Cancel Confirmation")) ClickButton(box, IDYES);
    });
    ClickButton(h, IDCANCEL);
    EXPECT_TRUE(PollUntil(dlg, true));
    ASSERT_TRUE(answer.Join());
  }
  dlg.CloseDialog();
  EXPECT_TRUE(IsWindowEnabled(frame.GetHandle()));
}

TEST_F(LongTaskTest, WarningCancelGoesThroughTheConfirmation) {
  TLongTaskDlg dlg(&frame, IDD_LONGTASK, 2, 1);
  ASSERT_TRUE(dlg.Create());

  TMessageBoxText warning;
  {
    TScript answer([&] {
      HWND box = WaitForMessageBox("Warning");
      if (!box) return;
      warning = ReadMessageBox(box);
      ClickButton(box, IDOK);
    });
    dlg.WarningF("Track %d has no notes.", 7);
    ASSERT_TRUE(answer.Join());
  }
  EXPECT_EQ(warning.text, "Track 7 has no notes.");
  EXPECT_FALSE(dlg.IsCancelled());

  const std::string longText(5000, 'w');
  {
    TScript answer([&] {
      HWND box = WaitForMessageBox("Warning");
      if (!box) return;
      warning = ReadMessageBox(box);
      ClickButton(box, IDCANCEL);
      if (HWND confirm = WaitForMessageBox("Cancel Confirmation")) ClickButton(confirm, IDYES);
    });
    dlg.WarningF("%s", longText.c_str());
    ASSERT_TRUE(answer.Join());
  }
  EXPECT_EQ(warning.text, std::string(1023, 'w')) << "cut to the 1024-byte buffer";
  EXPECT_TRUE(dlg.IsCancelled());
  dlg.CloseDialog();
}

TEST(LongTaskNone, NoActiveTaskAnswersFalseWithoutProcessingMessages) {
  TApplication app("Long tasks");
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // makes sure this thread has a queue
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP + 7, 0, 0));
  EXPECT_FALSE(IsCancelRequested());
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_APP + 7, WM_APP + 7, PM_REMOVE)) << "the message still waits";
}
