// Captures the debugger output (OutputDebugString) of other processes the way a system-wide
// debug monitor does: the "DBWIN_BUFFER" shared memory and its two events. One capture at a time
// per desktop session; texts arrive on a thread of its own.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace guidriver {

class TDebugOutputCapture {
public:
  TDebugOutputCapture();
  ~TDebugOutputCapture();
  TDebugOutputCapture(const TDebugOutputCapture&) = delete;
  TDebugOutputCapture& operator=(const TDebugOutputCapture&) = delete;

  // False when another monitor holds the buffer or the objects could not be made.
  bool Started() const { return started_; }
  // The texts written so far by the process (all processes when 0), in order.
  std::vector<std::string> Texts(DWORD processId = 0) const;
  void Clear();
  // Waits until the process wrote exactly this text; false after the time-out.
  bool WaitForText(const std::string& text, DWORD processId, DWORD timeoutMs) const;

private:
  void Run();

  struct TEntry {
    DWORD processId;
    std::string text;
  };
  HANDLE bufferReady_ = nullptr;
  HANDLE dataReady_ = nullptr;
  HANDLE mapping_ = nullptr;
  HANDLE stop_ = nullptr;
  const char* view_ = nullptr;
  bool started_ = false;
  mutable std::mutex lock_;
  std::vector<TEntry> entries_;
  std::thread thread_;
};

}  // namespace guidriver
