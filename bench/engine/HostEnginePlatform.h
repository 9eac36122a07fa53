// The engine core on the build machine, for the native benchmarks: a monotonic millisecond clock,
// a timer thread that runs the conductor on absolute deadlines every period, and every send and
// notification recorded with its time, so dispatch can be measured without Wine or a driver.
#pragma once
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/EngineCore.h"

// A thread that calls `tick` every `periodMs` on absolute deadlines; Stop waits for a running call.
// It notes how late it woke for each deadline (microseconds), up to `keepLateness` of them.
class PeriodicThread {
public:
  explicit PeriodicThread(size_t keepLateness = 0) : lateness_(keepLateness) {}
  ~PeriodicThread() { Stop(); }
  bool Start(uint32_t periodMs, std::function<void()> tick);
  void Stop();
  // The wake-up lateness noted so far (read once the thread has stopped).
  std::vector<int64_t> LatenessUs() const;

private:
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::vector<int64_t> lateness_;
  size_t noted_ = 0;
};

// Milliseconds of a monotonic clock (wraps like the multimedia clock).
uint32_t HostNowMs();

class HostEnginePlatform final : public EnginePlatform {
public:
  struct Sent {
    uint32_t time;
    EngineHandle output;
    uint32_t message;
  };

  // Room for `capacity` sends; later ones are counted but not kept.
  explicit HostEnginePlatform(size_t capacity) : sent_(capacity), timer_(capacity) {}

  uint32_t Now() override { return HostNowMs(); }
  uint32_t SendShort(EngineHandle output, uint32_t message) override;
  void Post(EngineHandle window, uint32_t message, uintptr_t wParam, uintptr_t lParam) override;
  bool BeginPeriod(uint32_t ms) override { return ms != 0; }
  void EndPeriod(uint32_t) override {}
  uint32_t StartTimer(uint32_t periodMs, uint32_t resolutionMs, EngineState* state) override;
  void KillTimer(uint32_t id) override { timer_.Stop(); }

  // Sends so far (read them once the senders are quiet).
  size_t SentCount() const { return std::min(next_.load(), sent_.size()); }
  size_t SentTotal() const { return next_.load(); }
  const Sent& SentAt(size_t i) const { return sent_[i]; }
  const PeriodicThread& Timer() const { return timer_; }
  // The notification wParams posted since the last call.
  std::vector<uintptr_t> TakePosted();

private:
  std::vector<Sent> sent_;
  std::atomic<size_t> next_{0};
  std::mutex postedLock_;
  std::vector<uintptr_t> posted_;
  PeriodicThread timer_;
};
