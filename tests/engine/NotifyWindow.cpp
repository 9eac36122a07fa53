#include "tests/engine/NotifyWindow.h"

namespace {
const char kClassName[] = "VcEngineTestNotify";
}

NotifyWindow::NotifyWindow() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);  // fails harmlessly when already registered
  hwnd_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                          wc.hInstance, nullptr);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

NotifyWindow::~NotifyWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK NotifyWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<NotifyWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && (message == 0x3C3 || message >= WM_USER)) {
    self->messages_.push_back({message, wParam, lParam, DWORD(GetMessageTime())});
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<WPARAM> NotifyWindow::WParamsOf(UINT message) const {
  std::vector<WPARAM> out;
  for (const Message& m : messages_) {
    if (m.message == message) out.push_back(m.wParam);
  }
  return out;
}

bool NotifyWindow::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      if (done()) return true;
    }
    Sleep(1);
  }
  return true;
}

void NotifyWindow::PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}
