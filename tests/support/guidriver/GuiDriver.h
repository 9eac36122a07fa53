// Finding windows, reading their texts, clicking buttons and sending real keyboard and mouse
// input (SendInput, so GetKeyState sees the modifiers). Every wait has a time-out, so a test
// that goes wrong fails instead of hanging.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <thread>

namespace guidriver {

constexpr DWORD kDefaultTimeoutMs = 5000;

// Processes this thread's messages for a while, or until the condition holds (answers whether
// it did).
void PumpFor(DWORD ms);
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs);

// A visible top-level window of this class and/or caption (null = any), optionally of one
// process; null after the time-out.
HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs = kDefaultTimeoutMs,
                   DWORD processId = 0);
// Waits until the window is gone; answers false after the time-out.
bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs = kDefaultTimeoutMs);
std::string GetText(HWND hwnd);
// A control with this id anywhere inside the window (a sheet's page controls too), or with
// `visibleOnly` only a shown one (the current page's); null when none.
HWND FindControl(HWND top, int id, bool visibleOnly = false);
std::string GetClass(HWND hwnd);
// A visible control with this id and window class (any letter case) anywhere inside the window,
// as on the shown page of a property sheet; null when there is none.
HWND FindVisibleControl(HWND top, int id, const char* className);

// A message box (or any dialog) with its caption and main text.
struct TMessageBoxText {
  std::string caption;
  std::string text;
};
HWND WaitForMessageBox(const char* caption = nullptr, DWORD timeoutMs = kDefaultTimeoutMs);
TMessageBoxText ReadMessageBox(HWND box);
// Presses the dialog's button with this id as a click would (posted, so it never blocks).
bool ClickButton(HWND dialog, int id);
// Posts a menu command to a window.
bool PostCommand(HWND hwnd, UINT id);

// Real input. Keys take virtual-key codes; the modifiers are pressed around the key.
enum TModifiers : unsigned { kNoModifiers = 0, kShift = 1, kControl = 2, kAlt = 4 };
void KeyDown(WORD vk);
void KeyUp(WORD vk);
void PressKey(WORD vk, unsigned modifiers = kNoModifiers);
// Mouse at a point in screen coordinates, or in a window's client coordinates.
void MouseMoveTo(int screenX, int screenY);
void MouseMoveTo(HWND hwnd, int clientX, int clientY);
void MouseButton(bool down, bool right = false);
void Click(HWND hwnd, int clientX, int clientY, bool right = false);
// Makes the window foreground and gives it the keyboard focus.
bool Focus(HWND hwnd);

// Runs a piece of a test on a helper thread, typically to answer a modal box while the test's
// own thread is inside the modal loop. Join waits (with a time-out) for it to end.
class TScript {
public:
  explicit TScript(std::function<void()> body);
  ~TScript();
  bool Join(DWORD timeoutMs = kDefaultTimeoutMs);
  bool Finished() const;

private:
  HANDLE done_;
  std::thread thread_;
};

}  // namespace guidriver
