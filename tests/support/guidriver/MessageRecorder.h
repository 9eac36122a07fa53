// A plain window that records every message it receives, to stand as the parent of a control
// under test and show exactly what the control sends it.
#pragma once
#include <windows.h>
#include <vector>

namespace guidriver {

struct TRecordedMessage {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

class TMessageRecorder {
public:
  // A visible top-level window at the given screen rectangle.
  TMessageRecorder(int x = 100, int y = 100, int w = 400, int h = 300);
  ~TMessageRecorder();
  TMessageRecorder(const TMessageRecorder&) = delete;
  TMessageRecorder& operator=(const TMessageRecorder&) = delete;

  HWND GetHandle() const { return hwnd_; }
  // The messages of these kinds, in arrival order.
  std::vector<TRecordedMessage> Messages(UINT msg) const;
  const std::vector<TRecordedMessage>& All() const { return messages_; }
  void Clear() { messages_.clear(); }
  // The answer to WM_CTLCOLOR* requests, as a background colour.
  void SetBackground(COLORREF color);

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  HBRUSH background_ = nullptr;
  COLORREF backgroundColor_ = 0;
  std::vector<TRecordedMessage> messages_;
};

}  // namespace guidriver
