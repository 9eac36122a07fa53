#include "tests/support/guidriver/GuiDriver.h"
#include <vector>

namespace guidriver {

namespace {

struct TFindWindow {
  const char* className;
  const char* caption;
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM lParam) {
  TFindWindow* f = reinterpret_cast<TFindWindow*>(lParam);
  if (!IsWindowVisible(hwnd)) return TRUE;
  if (f->processId) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != f->processId) return TRUE;
  }
  if (f->className && GetClass(hwnd) != f->className) return TRUE;
  if (f->caption && GetText(hwnd) != f->caption) return TRUE;
  f->found = hwnd;
  return FALSE;
}

// The main text of a message box is its static control with id 0xFFFF; other dialogs are read
// by their longest static text.
BOOL CALLBACK LongestStatic(HWND hwnd, LPARAM lParam) {
  std::string* best = reinterpret_cast<std::string*>(lParam);
  if (GetClass(hwnd) != "Static") return TRUE;
  std::string t = GetText(hwnd);
  if (t.size() > best->size()) *best = t;
  return TRUE;
}

void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR || vk == VK_NEXT ||
      vk == VK_HOME || vk == VK_END || vk == VK_INSERT || vk == VK_DELETE) {
    in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  }
  SendInput(1, &in, sizeof in);
}

}  // namespace

void PumpFor(DWORD ms) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(1);
  } while (GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(2);
  }
}

std::string GetText(HWND hwnd) {
  char buf[1024] = "";
  // WM_GETTEXT with a time-out: the window's thread may be busy or gone.
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000,
                           &len)) {
    return {};
  }
  return std::string(buf, len < sizeof buf ? len : sizeof buf - 1);
}

std::string GetClass(HWND hwnd) {
  char buf[256] = "";
  int n = GetClassNameA(hwnd, buf, sizeof buf);
  return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs, DWORD processId) {
  DWORD start = GetTickCount();
  for (;;) {
    TFindWindow f{className, caption, processId, nullptr};
    EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&f));
    if (f.found) return f.found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(10);
  }
}

bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (IsWindow(hwnd)) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(10);
  }
  return true;
}

HWND WaitForMessageBox(const char* caption, DWORD timeoutMs) { return WaitForWindow("#32770", caption, timeoutMs); }

TMessageBoxText ReadMessageBox(HWND box) {
  TMessageBoxText r;
  r.caption = GetText(box);
  HWND text = GetDlgItem(box, 0xFFFF);
  if (text) {
    r.text = GetText(text);
  } else {
    EnumChildWindows(box, &LongestStatic, reinterpret_cast<LPARAM>(&r.text));
  }
  return r;
}

namespace {
struct TControlSearch {  // what FindControl looks for and found
  int id;
  bool visibleOnly;
  const char* className;  // any class when null
  HWND found;
};

BOOL CALLBACK MatchControl(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<TControlSearch*>(p);
  if (GetDlgCtrlID(w) != s->id || (s->visibleOnly && !IsWindowVisible(w))) return TRUE;
  if (s->className && _stricmp(GetClass(w).c_str(), s->className) != 0) return TRUE;
  s->found = w;
  return FALSE;
}

HWND SearchControl(HWND top, TControlSearch search) {
  EnumChildWindows(top, &MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
}  // namespace

HWND FindControl(HWND top, int id, bool visibleOnly) { return SearchControl(top, {id, visibleOnly, nullptr, nullptr}); }

HWND FindVisibleControl(HWND top, int id, const char* className) {
  return SearchControl(top, {id, true, className ? className : "", nullptr});
}

bool ClickButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool PostCommand(HWND hwnd, UINT id) { return PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void KeyDown(WORD vk) { SendKey(vk, false); }
void KeyUp(WORD vk) { SendKey(vk, true); }

void PressKey(WORD vk, unsigned modifiers) {
  if (modifiers & kShift) KeyDown(VK_SHIFT);
  if (modifiers & kControl) KeyDown(VK_CONTROL);
  if (modifiers & kAlt) KeyDown(VK_MENU);
  KeyDown(vk);
  KeyUp(vk);
  if (modifiers & kAlt) KeyUp(VK_MENU);
  if (modifiers & kControl) KeyUp(VK_CONTROL);
  if (modifiers & kShift) KeyUp(VK_SHIFT);
}

void MouseMoveTo(int screenX, int screenY) {
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  // Absolute coordinates are normalised to 0..65535 over the primary screen.
  in.mi.dx = static_cast<LONG>((screenX * 65535LL + (w - 1) / 2) / (w - 1));
  in.mi.dy = static_cast<LONG>((screenY * 65535LL + (h - 1) / 2) / (h - 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

void MouseMoveTo(HWND hwnd, int clientX, int clientY) {
  POINT p{clientX, clientY};
  ClientToScreen(hwnd, &p);
  MouseMoveTo(p.x, p.y);
}

void MouseButton(bool down, bool right) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                        : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  SendInput(1, &in, sizeof in);
}

void Click(HWND hwnd, int clientX, int clientY, bool right) {
  MouseMoveTo(hwnd, clientX, clientY);
  MouseButton(true, right);
  MouseButton(false, right);
}

bool Focus(HWND hwnd) {
  HWND top = GetAncestor(hwnd, GA_ROOT);
  SetForegroundWindow(top);
  SetActiveWindow(top);
  SetFocus(hwnd);
  PumpUntil([&] { return GetFocus() == hwnd; }, 1000);
  return GetFocus() == hwnd;
}

TScript::TScript(std::function<void()> body) : done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  thread_ = std::thread([this, body = std::move(body)] {
    body();
    SetEvent(done_);
  });
}

TScript::~TScript() {
  // A script that is still waiting ends on its own time-outs; never leave the thread running.
  if (thread_.joinable()) thread_.join();
  CloseHandle(done_);
}

bool TScript::Join(DWORD timeoutMs) {
  if (WaitForSingleObject(done_, timeoutMs) != WAIT_OBJECT_0) return false;
  thread_.join();
  return true;
}

bool TScript::Finished() const { return WaitForSingleObject(done_, 0) == WAIT_OBJECT_0; }

}  // namespace guidriver
