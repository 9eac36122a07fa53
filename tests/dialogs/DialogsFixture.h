// What the dialog machinery tests share: a message pump through the application (so dialogs get
// their keyboard pre-processing, as in the program), and a parent window.
#pragma once
#include <windows.h>

#include <functional>

#include "framework/Application.h"
#include "tests/support/guidriver/GuiDriver.h"

namespace dialogs_test {

// Runs the application's pre-processing on every waiting message until the condition holds.
inline bool PumpApp(TApplication& app, const std::function<bool()>& condition, DWORD timeoutMs = 3000) {
  const DWORD start = GetTickCount();
  for (;;) {
    app.PumpWaitingMessages();
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(2);
  }
}

inline void PumpAppFor(TApplication& app, DWORD ms) {
  PumpApp(app, [] { return false; }, ms);
}

inline bool FocusIs(TApplication& app, HWND expected) {
  return PumpApp(app, [&] { return GetFocus() == expected; }, 2000);
}

}  // namespace dialogs_test
