// Window placement, window style changes, clipboard text and debugger notes.
#include <gtest/gtest.h>

#include <string>

#include "foundation/win32/ClipboardText.h"
#include "foundation/win32/DebugOutput.h"
#include "foundation/win32/WindowPlacement.h"
#include "foundation/win32/WindowStyle.h"

namespace {

HWND Popup(int x, int y, int w, int h, HWND owner = nullptr) {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, x, y, w, h, owner, nullptr, nullptr, nullptr);
}

RECT WindowRect(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<not opened>";
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(h))) {
      text = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return text;
}

// The texts passed to OutputDebugString, seen as the debug-print exception it raises.
std::string lastDebugText;
LONG CALLBACK CatchDebugText(EXCEPTION_POINTERS* e) {
  if (e->ExceptionRecord->ExceptionCode == DBG_PRINTEXCEPTION_C && e->ExceptionRecord->NumberParameters >= 2) {
    lastDebugText = reinterpret_cast<const char*>(e->ExceptionRecord->ExceptionInformation[1]);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

TEST(WindowPlacement, CentresRealWindows) {
  const int sw = GetSystemMetrics(SM_CXSCREEN);
  const int sh = GetSystemMetrics(SM_CYSCREEN);
  HWND owner = Popup(100, 120, 300, 200);
  HWND w = Popup(0, 0, 100, 60, owner);
  CenterWindowOver(owner, w);
  RECT r = WindowRect(w);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 190);
  EXPECT_EQ(r.right - r.left, 100);

  CenterWindowOnScreen(w, true);
  r = WindowRect(w);
  EXPECT_EQ(r.left, (sw - 100) / 2);
  EXPECT_EQ(r.top, (sh - 60) / 2);

  SetWindowPos(w, nullptr, 3, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  CenterWindow(w, false);
  EXPECT_EQ(WindowRect(w).left, (sw - 100) / 2);
  SetWindowPos(w, nullptr, 3, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  CenterWindowPos(w);
  r = WindowRect(w);
  EXPECT_EQ(r.top, (sh - 60) / 2);
  EXPECT_EQ(r.bottom - r.top, 60);

  CenterWindowOver(nullptr, w);
  EXPECT_EQ(WindowRect(w).left, (sw - 100) / 2);
  DestroyWindow(w);
  DestroyWindow(owner);
}

TEST(WindowStyle, BitsFontAndClassBrush) {
  HWND parent = Popup(10, 10, 200, 100);
  HWND child = CreateWindowExA(0, "STATIC", "a", WS_CHILD | WS_VISIBLE, 0, 0, 100, 50, parent, nullptr, nullptr, nullptr);
  HWND grandchild = CreateWindowExA(0, "STATIC", "b", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, child, nullptr, nullptr, nullptr);

  EXPECT_TRUE(SetWindowStyleBits(child, GWL_STYLE, WS_BORDER | SS_CENTER, WS_BORDER, SWP_FRAMECHANGED));
  const DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
  EXPECT_TRUE(style & WS_BORDER);
  EXPECT_TRUE(style & WS_VISIBLE) << "bits outside the mask stay";
  EXPECT_FALSE(SetWindowStyleBits(child, GWL_STYLE, WS_BORDER, WS_BORDER, 0)) << "nothing changed";
  EXPECT_TRUE(SetWindowStyleBits(child, GWL_STYLE, WS_BORDER, 0, 0));
  EXPECT_FALSE(GetWindowLongA(child, GWL_STYLE) & WS_BORDER);

  SetAnsiVarFontRecursive(parent);
  HGDIOBJ ansiVar = GetStockObject(ANSI_VAR_FONT);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)), ansiVar);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(grandchild, WM_GETFONT, 0, 0)), ansiVar);

  // A class of our own, so the system's classes keep their brushes.
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "VcBrushTest";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&wc);
  HWND own = CreateWindowExA(0, "VcBrushTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
  SetWindowClassBrush(own, brush);
  EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrA(own, GCLP_HBRBACKGROUND)), brush);
  DestroyWindow(own);
  DestroyWindow(parent);
}

TEST(ClipboardText, CopiesAndSetsText) {
  EXPECT_NE(CopyTextToClipboard("Allegro assai"), 0);
  EXPECT_EQ(ClipboardText(), "Allegro assai");

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  EXPECT_TRUE(SetClipboardText("Largo"));
  CloseClipboard();
  EXPECT_EQ(ClipboardText(), "Largo");

  EXPECT_NE(CopyTextToClipboard(""), 0);
  EXPECT_EQ(ClipboardText(), "");
}

TEST(DebugOutput, TextIsFormattedAndCutTo255Characters) {
  PVOID handler = AddVectoredExceptionHandler(1, &CatchDebugText);
  lastDebugText.clear();
  DebugPrintF("port %d: %s", 3, "VMIDI Out A");
  EXPECT_EQ(lastDebugText, "port 3: VMIDI Out A");

  const std::string longName(1000, 'n');
  DebugPrintF("name %s", longName.c_str());
  EXPECT_EQ(lastDebugText, "name " + std::string(250, 'n'));
  RemoveVectoredExceptionHandler(handler);
}
