// The Win32 engine benchmarks' player: the engine library bound by name and a notify window
// that answers the engine's notifications the way the editor does.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "bench/engine/BenchScore.h"
#include "tests/engine/EngineLibrary.h"
#include "tests/engine/NotifyWindow.h"

class VmidiClient;

class BenchPlayer {
public:
  // Installs and binds the test driver, loads the engine and opens outputs A and B.
  bool Open(std::vector<HMIDIOUT>& outputs, VmidiClient& driver);
  // Starts the list; false when the engine refused.
  bool Start(TMidiFileBuf& list, uint16_t periodMs);
  // Pumps messages for `ms`, feeding buffers as the engine asks; `each` runs every pass.
  void Run(uint32_t ms, const std::function<void()>& each);
  void Stop();
  EngineLibrary& Engine() { return engine_; }
  EngineInstance* Instance() { return &instance_; }
  uint32_t AnchorTime() const { return instance_.state->anchorTime; }
  HWND Window() const { return window_.Handle(); }
  bool Ended() const { return ended_; }

private:
  EngineLibrary engine_;
  EngineInstance instance_ = {36, 0, nullptr};
  uint8_t callerBytes_[24] = {};
  NotifyWindow window_;
  PlayParams params_ = {};
  TMidiFileBuf* list_ = nullptr;
  int next_ = 1;
  size_t seen_ = 0;
  bool ended_ = false;
};
