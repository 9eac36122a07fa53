// The view while its score plays: the item sounding now is drawn in the play colour, the one
// sounding before it in its own colour again, and the end of the play repaints the view plainly.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
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

}  // namespace

TEST(PlayDisplay, TheSoundingItemShowsInThePlayColourAndMovesOn) {
  InstallAuditPass();
  TApplication app("Play display");
  TMusicScore score;
  auto* staff = new TMusicStaff;
  FillStaff(*staff, "h@0 h@1 | h@2 h@3");
  RunStaffAudit(staff, -1, -1);
  score.AppendStaff(staff);
  TUndoActionMgr undo(4, 1000);
  auto* view = new TScoreEdit(nullptr, score, undo, nullptr);
  TPlayFrame frame(view);
  ASSERT_TRUE(frame.Create());
  frame.ShowWindow(SW_SHOW);
  PumpFor(300);
  HWND hwnd = view->GetHandle();
  ASSERT_TRUE(hwnd);
  EXPECT_EQ(PlayColouredPixels(hwnd).count, 0) << "nothing plays yet";

  TScoreMidiPlayer player;
  player.SetScore(&score);
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
  frame.Destroy();
}
