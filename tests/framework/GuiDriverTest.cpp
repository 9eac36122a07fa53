// The GUI test driver itself: real input reaches windows with the modifier state, waits end on
// their time-outs, message boxes are read and answered, programs are started and watched.
#include <gtest/gtest.h>
#include <vector>
#include "framework/Window.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/MessageRecorder.h"
#include "tests/support/guidriver/Screenshot.h"
#include "tests/support/guidriver/TestProcess.h"

using namespace guidriver;

namespace {

class TInputWindow : public TWindow {
public:
  TInputWindow() : TWindow(static_cast<TWindow*>(nullptr), "Input") {
    Attr.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    Attr.x = Attr.y = 100;
    Attr.w = 300;
    Attr.h = 200;
  }
  bool Find(TEvent& ev) override;
  LRESULT EvKeyDown(WPARAM vk, LPARAM) {
    keys.push_back({static_cast<int>(vk), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0});
    return 0;
  }
  LRESULT EvLButtonDown(WPARAM, LPARAM lp) {
    clicks.push_back(TPoint(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))));
    return 0;
  }
  struct TKey {
    int vk;
    bool shift;
    bool control;
  };
  std::vector<TKey> keys;
  std::vector<TPoint> clicks;
};
using R = TResponse<TInputWindow>;
constexpr R kResponses[] = {
    R::Message(WM_KEYDOWN, &TInputWindow::EvKeyDown),
    R::Message(WM_LBUTTONDOWN, &TInputWindow::EvLButtonDown),
};
bool TInputWindow::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TWindow::Find(ev); }

}  // namespace

TEST(GuiDriver, KeysArriveWithTheirModifiersDown) {
  TInputWindow w;
  ASSERT_TRUE(w.Create());
  ASSERT_TRUE(Focus(w.GetHandle()));
  PressKey('A', kShift);
  PressKey('B', kControl);
  PressKey(VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] {
    int letters = 0;
    for (auto& k : w.keys) letters += (k.vk == 'A' || k.vk == 'B' || k.vk == VK_RIGHT);
    return letters == 3;
  }));
  for (auto& k : w.keys) {
    if (k.vk == 'A') {
      EXPECT_TRUE(k.shift && !k.control);
    } else if (k.vk == 'B') {
      EXPECT_TRUE(k.control && !k.shift);
    } else if (k.vk == VK_RIGHT) {
      EXPECT_TRUE(!k.control && !k.shift);
    }
  }
}

TEST(GuiDriver, MouseClicksLandAtTheirClientPoint) {
  TInputWindow w;
  ASSERT_TRUE(w.Create());
  ASSERT_TRUE(Focus(w.GetHandle()));
  Click(w.GetHandle(), 40, 30);
  ASSERT_TRUE(PumpUntil([&] { return !w.clicks.empty(); }));
  EXPECT_EQ(w.clicks[0], TPoint(40, 30));
}

TEST(GuiDriver, WaitsEndOnTheirTimeOut) {
  DWORD start = GetTickCount();
  EXPECT_EQ(WaitForWindow("NoSuchClass", nullptr, 100), nullptr);
  EXPECT_FALSE(PumpUntil([] { return false; }, 100));
  EXPECT_LT(GetTickCount() - start, 2000u);
}

TEST(GuiDriver, MessageBoxIsReadAndAnsweredFromTheScript) {
  TMessageBoxText seen;
  TScript script([&] {
    HWND box = WaitForMessageBox("Driver Caption");
    if (!box) return;
    seen = ReadMessageBox(box);
    ClickButton(box, IDNO);
  });
  int answer = MessageBoxA(nullptr, "Line one\nLine two", "Driver Caption", MB_YESNO | MB_TASKMODAL);
  ASSERT_TRUE(script.Join());
  EXPECT_EQ(answer, IDNO);
  EXPECT_EQ(seen.caption, "Driver Caption");
  EXPECT_EQ(seen.text, "Line one\nLine two");
}

TEST(GuiDriver, RecorderSeesWhatItsChildSends) {
  TMessageRecorder parent;
  HWND button = CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 60, 20,
                                parent.GetHandle(), reinterpret_cast<HMENU>(77), GetModuleHandleA(nullptr), nullptr);
  parent.Clear();
  SendMessageA(button, BM_CLICK, 0, 0);
  PumpFor(20);
  auto commands = parent.Messages(WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(LOWORD(commands[0].wParam), 77);
  EXPECT_EQ(HIWORD(commands[0].wParam), BN_CLICKED);
}

TEST(GuiDriver, ScreenshotOfAWindowIsSavedAsBmp) {
  TMessageRecorder w;
  w.SetBackground(RGB(10, 200, 30));
  PumpFor(50);
  HDC dc = GetDC(w.GetHandle());
  RECT r{0, 0, 20, 20};
  HBRUSH b = CreateSolidBrush(RGB(10, 200, 30));
  FillRect(dc, &r, b);
  DeleteObject(b);
  ReleaseDC(w.GetHandle(), dc);
  TPixels px = CaptureClient(w.GetHandle());
  ASSERT_GT(px.width, 20);
  EXPECT_EQ(px.At(5, 5), RGB(10, 200, 30));
  char tmp[MAX_PATH];
  GetTempPathA(sizeof tmp, tmp);
  std::string path = std::string(tmp) + "vc_guidriver_shot.bmp";
  ASSERT_TRUE(SaveBmp(px, path));
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD expected = 54 + static_cast<DWORD>((px.width * 3 + 3) & ~3) * px.height;
  EXPECT_EQ(GetFileSize(f, nullptr), expected);
  CloseHandle(f);
  DeleteFileA(path.c_str());
}

TEST(GuiDriver, StartedProgramIsWatchedUntilItEnds) {
  char sys[MAX_PATH];
  GetSystemDirectoryA(sys, sizeof sys);
  TTestProcess p(std::string(sys) + "\\cmd.exe", "/c exit 3");
  ASSERT_TRUE(p.Started());
  DWORD code = 0;
  ASSERT_TRUE(p.WaitForExit(10000, &code));
  EXPECT_EQ(code, 3u);
  EXPECT_FALSE(p.IsRunning());
}
