// The view while its score plays: the item sounding now is drawn in the play colour, the one
// sounding before it in its own colour again, and the end of the play repaints the view plainly.
// Also the view's scroll state across a staff command that moves the caret away.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "editor/UndoActionMgr.h"
#include "editor/win32/ScoreEdit.h"
#include "framework/Application.h"
#include "framework/FrameWindow.h"
#include "midi/ScoreMidiPlayer.h"
#include "resources/CommandIds.h"
#include "tests/staffutl/StaffText.h"
#include "tests/support/guidriver/GuiDriver.h"

using namespace guidriver;

namespace {

// The play colour of the default staff colours.
constexpr COLORREF kPlayColour = RGB(255, 0, 0);

struct TColoured {
  int count = 0;
  int left = INT_MAX;
};

// The pixels of the play colour in the view, read back in one copy.
TColoured PlayColouredPixels(HWND view) {
  RECT r;
  GetClientRect(view, &r);
  const int w = r.right, h = r.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(view);
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  GdiFlush();
  TColoured found;
  const auto* pixel = static_cast<const uint32_t*>(bits);
  const uint32_t wanted = GetRValue(kPlayColour) << 16 | GetGValue(kPlayColour) << 8 | GetBValue(kPlayColour);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if ((pixel[y * w + x] & 0xFFFFFF) != wanted) continue;
      ++found.count;
      found.left = std::min(found.left, x);
    }
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(dib);
  ReleaseDC(view, screen);
  return found;
}

class TPlayFrame : public TFrameWindow {
public:
  explicit TPlayFrame(TWindow* client) : TFrameWindow(nullptr, "Play display", client) {
    Attr.x = Attr.y = 20;
    Attr.w = 600;
    Attr.h = 300;
  }
};

// A view on a score of one staff in a frame on the screen, the staff audited as the editor keeps it.
struct TShownStaff {
  TMusicScore score;
  TMusicStaff* staff = new TMusicStaff;
  TUndoActionMgr undo{4, 1000};
  TScoreEdit* view = nullptr;
  std::unique_ptr<TPlayFrame> frame;
  HWND hwnd = nullptr;

  explicit TShownStaff(const std::string& text) {
    InstallAuditPass();
    FillStaff(*staff, text);
    RunStaffAudit(staff, -1, -1);
    score.AppendStaff(staff);
    view = new TScoreEdit(nullptr, score, undo, nullptr);
    frame = std::make_unique<TPlayFrame>(view);
    if (!frame->Create()) return;
    frame->ShowWindow(SW_SHOW);
    PumpFor(300);
    hwnd = view->GetHandle();
  }
  ~TShownStaff() {
    if (frame) frame->Destroy();
  }
};

}  // namespace

TEST(PlayDisplay, TheSoundingItemShowsInThePlayColourAndMovesOn) {
  TApplication app("Play display");
  TShownStaff shown("h@0 h@1 | h@2 h@3");
  HWND hwnd = shown.hwnd;
  ASSERT_TRUE(hwnd);
  TScoreEdit* view = shown.view;
  EXPECT_EQ(PlayColouredPixels(hwnd).count, 0) << "nothing plays yet";

  TScoreMidiPlayer player;
  player.SetScore(&shown.score);
  view->BeginPlayDisplay();
  PumpFor(200);
  player.SeekAll(0);
  view->ShowPlayPosition(player);
  const TColoured first = PlayColouredPixels(hwnd);
  EXPECT_GT(first.count, 0) << "the first note sounds";

  ASSERT_TRUE(player.SeekAll(384));
  view->ShowPlayPosition(player);
  const TColoured second = PlayColouredPixels(hwnd);
  EXPECT_GT(second.count, 0) << "the second note sounds";
  EXPECT_GT(second.left, first.left) << "the first note is drawn in its own colour again";

  view->EndPlayDisplay();
  PumpFor(300);
  EXPECT_EQ(PlayColouredPixels(hwnd).count, 0) << "the end of the play repaints the view plainly";
}

TEST(PlayDisplay, AuditBarLinesKeepsTheHorizontalScroll) {
  TApplication app("Audit bar lines");
  // Sixteen bars of three quarters under 4/4: far wider than the view, and barred wrongly.
  std::string text;
  for (int i = 0; i < 48; ++i) text += std::string(i % 2 ? "q@1 " : "q@-1 ") + (i % 3 == 2 ? "| " : "");
  TShownStaff shown(text);
  HWND hwnd = shown.hwnd;
  ASSERT_TRUE(hwnd);
  TScoreEdit* view = shown.view;
  TMusicStaff* staff = shown.staff;
  view->SetActive(true);
  view->MoveCaretTo(staff->LastIndex() - 4, false);
  PumpFor(100);
  const int before = GetScrollPos(hwnd, SB_HORZ);
  ASSERT_GT(before, 8) << "the view follows the caret to the end";
  constexpr long kBar = 4 * 192;
  const long tickBefore = staff->GetTicksBetween(1, before);
  ASSERT_GE(tickBefore, 2 * kBar);

  SendMessage(hwnd, WM_COMMAND, CM_AUDITBARLINES, 0);
  PumpFor(100);
  EXPECT_LT(staff->LastIndex(), 48 + 16 + 1) << "bars of four quarters: fewer bar lines";
  EXPECT_EQ(view->GetCaretIndex(), 1) << "the caret goes to the start";
  // The view starts at the bar holding its left-most music, before in a bar of three quarters,
  // now in one of four: the same place within a bar.
  const long tickAfter = staff->GetTicksBetween(1, GetScrollPos(hwnd, SB_HORZ));
  EXPECT_LT(std::labs(tickAfter - tickBefore), kBar) << "the view did not scroll back to the start";
}
