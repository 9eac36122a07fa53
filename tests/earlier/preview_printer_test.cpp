// The earlier line's print preview on a real printer (a private PDF queue that the test's wrapper
// starts): its control's window class, zooming by clicks that ignore the point, scroll bars that
// run 0..100 and keep their places between levels above 1, and the button column that follows the
// dialog's right edge.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "app/win32/PrintPreviewDlg.h"
#include "app/win32/QVKPrintData.h"
#include "framework/Application.h"
#include "framework/Printer.h"
#include "resources/PrintIds.h"
#include "tests/drawing/SampleScores.h"
#include "tests/support/guidriver/GuiDriver.h"

using namespace guidriver;

namespace {

static_assert(kEarlierLine, "built with the earlier line's libraries");

// What the scroll bars of the preview control show: -1 for a hidden bar.
struct TBars {
  int vertical, horizontal, rangeMax;
  bool operator==(const TBars& o) const {
    return vertical == o.vertical && horizontal == o.horizontal && rangeMax == o.rangeMax;
  }
};
std::ostream& operator<<(std::ostream& out, const TBars& b) {
  return out << "{" << b.vertical << ", " << b.horizontal << ", 0.." << b.rangeMax << "}";
}

TBars BarsOf(HWND control) {
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_POS;
  TBars b{-1, -1, 0};
  if ((style & WS_VSCROLL) && GetScrollInfo(control, SB_VERT, &si)) {
    b.vertical = si.nPos;
    b.rangeMax = si.nMax;
  }
  if ((style & WS_HSCROLL) && GetScrollInfo(control, SB_HORZ, &si)) b.horizontal = si.nPos;
  return b;
}

// The left edges of the five buttons, in the dialog's client coordinates.
std::vector<int> ButtonLefts(HWND dialog) {
  std::vector<int> lefts;
  for (int id : {IDC_PREVIEW_START, IDC_PREVIEW_BACK, IDC_PREVIEW_NEXT, IDC_PREVIEW_COPY, IDCANCEL}) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    lefts.push_back(r.left);
  }
  return lefts;
}

}  // namespace

TEST(EarlierPrintPreview, ZoomsScrollsAndKeepsItsButtonColumnOnAPrinter) {
  TApplication app{"Earlier preview test"};
  InstallAuditPass();
  TPrinter printer;
  HDC dc = printer.CreatePrinterDC();
  ASSERT_NE(dc, nullptr) << "no default printer: run through tests/print/with-pdf-printer";
  std::unique_ptr<TMusicScore> score(MakeSampleScore(TSampleScore::Choral));
  TQVBoolArray staves(TMusicScore::kSelectionSize);
  staves.SetAll(true);
  TStaffColorHandles colors;
  TQVKPrintData job(nullptr, dc, score.get(), staves, &colors);
  job.Pages().SetPageRange(0, 20000);
  ASSERT_GE(job.CountPages(), 1);
  TPrintPreviewDlg preview(nullptr, &job, 0);

  std::string controlClass;
  std::vector<TBars> bars;  // after each step below
  std::vector<int> lefts, narrowLefts;
  int clientWidth = 0, narrowClientWidth = 0;
  RECT control{}, narrowControl{};
  TScript user([&] {
    HWND dlg = WaitForWindow(nullptr, "Score Print Preview");
    if (!dlg) return;
    HWND view = GetDlgItem(dlg, IDC_PREVIEW_CONTROL);
    PumpFor(500);
    controlClass = GetClass(view);
    auto seen = [&] { bars.push_back(BarsOf(view)); };
    auto click = [&](bool right, int x) {
      SendMessageA(view, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, 5));
    };
    auto scroll = [&](int code, int thumb = 0) { SendMessageA(view, WM_VSCROLL, MAKEWPARAM(code, thumb), 0); };
    seen();                   // 0: level 1
    click(false, 3);          // level 2
    seen();                   // 1
    scroll(SB_PAGEDOWN);
    seen();                   // 2
    click(false, 300);        // level 3: the place is kept, wherever the click was
    click(false, 30);         // level 4
    seen();                   // 3
    scroll(SB_THUMBPOSITION, 85);
    scroll(SB_PAGEDOWN);
    seen();                   // 4: less than a page left
    scroll(SB_LINEDOWN);
    seen();                   // 5: nothing past the end
    scroll(SB_PAGEUP);
    seen();                   // 6
    click(false, 3);          // level 8
    click(false, 3);          // stays at 8
    click(true, 3);           // 4
    click(true, 3);           // 3
    click(true, 3);           // 2
    seen();                   // 7: still where it was
    click(true, 3);           // level 1
    seen();                   // 8
    click(true, 3);           // stays at 1
    click(false, 3);          // level 2 starts from the top
    seen();                   // 9
    scroll(SB_LINEUP);
    seen();                   // 10: nothing before the start

    auto measure = [&](int& width, std::vector<int>& buttons, RECT& place) {
      RECT client;
      GetClientRect(dlg, &client);
      width = client.right;
      buttons = ButtonLefts(dlg);
      GetWindowRect(view, &place);
      MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&place), 2);
    };
    measure(clientWidth, lefts, control);
    ShowWindow(dlg, SW_RESTORE);
    SetWindowPos(dlg, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(300);
    measure(narrowClientWidth, narrowLefts, narrowControl);
    ClickButton(dlg, IDCANCEL);
  });
  EXPECT_EQ(preview.Execute(), IDCANCEL);
  ASSERT_TRUE(user.Join(30000));
  DeleteDC(dc);

  EXPECT_EQ(controlClass, "ScorePreviewCtl");
  const std::vector<TBars> expected = {
      {-1, -1, 0},    // level 1: no bars
      {0, 0, 100},    // level 2: both bars at the top of 0..100
      {20, 0, 100},   // a page is a fifth of the range
      {20, 0, 100},   // levels 3 and 4 keep it
      {100, 0, 100},  // page down from 85 goes to the end
      {100, 0, 100},
      {80, 0, 100},
      {80, 0, 100},   // through 8 and back down to 2, still there
      {-1, -1, 0},    // level 1 hides both bars
      {0, 0, 100},    // and level 2 starts afresh
      {0, 0, 100},
  };
  EXPECT_EQ(bars, expected);

  // The buttons stand in one column at the right edge, the page to their left; narrowed, the
  // column follows the edge.
  ASSERT_EQ(lefts.size(), 5u);
  ASSERT_EQ(narrowLefts.size(), 5u);
  for (int left : lefts) EXPECT_EQ(left, lefts[0]);
  for (int left : narrowLefts) EXPECT_EQ(left, narrowLefts[0]);
  EXPECT_EQ(clientWidth - lefts[0], narrowClientWidth - narrowLefts[0]) << "the column keeps its width";
  EXPECT_LT(narrowClientWidth, clientWidth);
  EXPECT_LE(control.right, lefts[0]);
  EXPECT_LE(narrowControl.right, narrowLefts[0]);
  EXPECT_GT(narrowControl.right - narrowControl.left, 0);
}
