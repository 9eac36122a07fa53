// The native engine benchmarks' player: the engine core on the host platform, fed buffer by
// buffer as the notifications ask, the way the editor answers them.
#pragma once
#include <functional>
#include <memory>

#include "bench/engine/BenchScore.h"
#include "bench/engine/HostEnginePlatform.h"

class HostPlayer {
public:
  explicit HostPlayer(size_t sendCapacity);
  // Starts the list on ports 0 and 1; false when the core refused.
  bool Start(TMidiFileBuf& list, uint16_t periodMs);
  // Answers notifications for `ms`, polling every millisecond; `each` runs every poll.
  void Run(uint32_t ms, const std::function<void()>& each);
  void Stop() { EngineStopPlay(*state_, platform_); }
  bool Ended() const { return ended_; }
  EngineState& State() { return *state_; }
  HostEnginePlatform& Platform() { return platform_; }

  static constexpr EngineHandle kPort0 = 0x100, kPort1 = 0x101;

private:
  HostEnginePlatform platform_;
  std::unique_ptr<EngineState> state_;
  TMidiFileBuf* list_ = nullptr;
  int next_ = 1;
  bool ended_ = false;
};
