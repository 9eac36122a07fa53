// A message-only window that collects what the engine posts (no display needed), with a pump
// that waits for a condition.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

class NotifyWindow {
public:
  struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
  };

  NotifyWindow();
  ~NotifyWindow();
  HWND Handle() const { return hwnd_; }
  const std::vector<Message>& Messages() const { return messages_; }
  std::vector<WPARAM> WParamsOf(UINT message) const;
  void Clear() { messages_.clear(); }
  // Dispatches messages until `done` holds or `timeoutMs` passes; returns `done()`.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
  void PumpFor(DWORD ms);

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  std::vector<Message> messages_;
};
