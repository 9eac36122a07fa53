// What both engine benchmarks share: a dense 16-channel score, the engine library bound by name,
// and a player that answers the engine's notifications the way the editor does.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "midi/MidiFileBuf.h"
#include "tests/engine/EngineLibrary.h"
#include "tests/engine/NotifyWindow.h"

// At 384000 us per quarter a tick lasts exactly 2 ms, so every scheduled time is exact.
constexpr uint32_t kBenchTempoUs = 384000;
constexpr uint32_t kBenchMsPerTick = 2;

// Every channel strikes a note every `stepTicks` ticks (8: every 16 ms), staggered by channel,
// held for 4 ticks: 2000 short messages a second on port 0 at the densest.
void BuildDenseScore(TMidiFileBuf& list, int seconds, int32_t stepTicks);
// The densest step whose score still fits one event list (about 1M events).
int32_t DenseStepFor(int seconds);

class VmidiClient;

struct BenchArgs {
  int seconds = 60;
  uint16_t period = 1;  // ms
};
// [seconds] [timer period in ms]
BenchArgs ParseBenchArgs(int argc, char** argv);

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

struct Percentiles {
  int64_t p50, p99, max, min;
};
Percentiles Summarise(std::vector<int64_t> values);
