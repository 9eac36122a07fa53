// A real message box on the X display: its caption and text are read back from the dialog
// window by another thread, which then answers it.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "foundation/win32/MessageBoxes.h"
#include "resources/StringIds.h"

namespace {

struct BoxSeen {
  std::string caption;
  std::string text;
  bool found = false;
};

BOOL CALLBACK CollectStatic(HWND child, LPARAM param) {
  char cls[32] = "";
  GetClassNameA(child, cls, sizeof cls);
  char text[1024] = "";
  GetWindowTextA(child, text, sizeof text);
  auto* seen = reinterpret_cast<BoxSeen*>(param);
  if (lstrcmpiA(cls, "Static") == 0 && text[0] && seen->text.size() < std::string(text).size()) seen->text = text;
  return TRUE;
}

struct ThreadSearch {
  HWND box = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
  char cls[16] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (std::string(cls) == "#32770" && IsWindowVisible(window)) {
    reinterpret_cast<ThreadSearch*>(param)->box = window;
    return FALSE;
  }
  return TRUE;
}

// Waits for the dialog on the given thread, reads it and answers it with the button.
void AnswerBox(DWORD threadId, int button, BoxSeen* seen) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    ThreadSearch search;
    EnumThreadWindows(threadId, FindDialog, reinterpret_cast<LPARAM>(&search));
    if (search.box) {
      char caption[256] = "";
      GetWindowTextA(search.box, caption, sizeof caption);
      seen->caption = caption;
      EnumChildWindows(search.box, CollectStatic, reinterpret_cast<LPARAM>(seen));
      seen->found = true;
      PostMessageA(search.box, WM_COMMAND, button, 0);
      return;
    }
    Sleep(50);
  }
}

TEST(MessageBoxOnScreen, ShowsTheJoinedTextAndAnswersTheButton) {
  BoxSeen seen;
  std::thread helper(AnswerBox, GetCurrentThreadId(), IDNO, &seen);
  const int result =
      MBLMessageN(nullptr, MB_ICONQUESTION | MB_YESNO, IDS_SAVE_RECOMMENDATION, IDS_SAVE_RECOMMENDATION_TEXT, 2);
  helper.join();
  ASSERT_TRUE(seen.found) << "no message box appeared";
  EXPECT_EQ(result, IDNO);
  EXPECT_EQ(seen.caption, "Save Recommendation");
  EXPECT_EQ(seen.text,
            "We recommend saving your work before executing this command. If you do not like the results, then "
            "you can always go back to the saved version.\n\nWould you like to save now?");
}

TEST(FindFrameWindow, WalksUpToTheFirstFramedWindow) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "VcFrameTest";
  RegisterClassA(&wc);
  HWND frame = CreateWindowA("VcFrameTest", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                             wc.hInstance, nullptr);
  ASSERT_NE(frame, nullptr);
  HWND pane = CreateWindowA("VcFrameTest", "", WS_CHILD, 0, 0, 50, 50, frame, nullptr, wc.hInstance, nullptr);
  HWND inner = CreateWindowA("VcFrameTest", "", WS_CHILD, 0, 0, 10, 10, pane, nullptr, wc.hInstance, nullptr);
  HWND bordered = CreateWindowA("VcFrameTest", "", WS_CHILD | WS_BORDER, 0, 0, 10, 10, pane, nullptr, wc.hInstance, nullptr);
  HWND bare = CreateWindowA("VcFrameTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);

  EXPECT_EQ(FindFrameWindow(inner), frame);
  EXPECT_EQ(FindFrameWindow(pane), frame);
  EXPECT_EQ(FindFrameWindow(frame), frame);
  EXPECT_EQ(FindFrameWindow(bordered), bordered);
  EXPECT_EQ(FindFrameWindow(bare), bare) << "no framed window: the given one";
  EXPECT_EQ(FindFrameWindow(nullptr), nullptr);

  va_list none{};
  TMessageBoxRequest request;
  BuildFormattedMessage(inner, MB_ICONEXCLAMATION, "Value is out of range", "", none, request);
  EXPECT_EQ(request.Owner, frame) << "a box for a control belongs to its frame";
  EXPECT_EQ(request.Style, static_cast<UINT>(MB_ICONEXCLAMATION));
  DestroyWindow(bare);
  DestroyWindow(frame);
}

}  // namespace
