#include "bench/engine/HostEnginePlatform.h"

#include <algorithm>
#include <chrono>

uint32_t HostNowMs() {
  using namespace std::chrono;
  return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool PeriodicThread::Start(uint32_t periodMs, std::function<void()> tick) {
  if (periodMs == 0 || thread_.joinable()) return false;
  stop_ = false;
  thread_ = std::thread([this, periodMs, tick = std::move(tick)] {
    auto next = std::chrono::steady_clock::now();
    for (;;) {
      next += std::chrono::milliseconds(periodMs);
      std::this_thread::sleep_until(next);
      if (stop_.load()) return;
      if (noted_ < lateness_.size()) {
        lateness_[noted_++] = std::chrono::duration_cast<std::chrono::microseconds>(
                                  std::chrono::steady_clock::now() - next).count();
      }
      tick();
    }
  });
  return true;
}

void PeriodicThread::Stop() {
  stop_ = true;
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

std::vector<int64_t> PeriodicThread::LatenessUs() const {
  return std::vector<int64_t>(lateness_.begin(), lateness_.begin() + ptrdiff_t(noted_));
}

uint32_t HostEnginePlatform::SendShort(EngineHandle output, uint32_t message) {
  const size_t i = next_.fetch_add(1);
  if (i < sent_.size()) sent_[i] = {HostNowMs(), output, message};
  return 0;
}

void HostEnginePlatform::Post(EngineHandle, uint32_t, uintptr_t wParam, uintptr_t) {
  std::lock_guard<std::mutex> hold(postedLock_);
  posted_.push_back(wParam);
}

uint32_t HostEnginePlatform::StartTimer(uint32_t periodMs, uint32_t, EngineState* state) {
  return timer_.Start(periodMs, [this, state] { EngineConductTick(*state, *this); }) ? 1 : 0;
}

std::vector<uintptr_t> HostEnginePlatform::TakePosted() {
  std::lock_guard<std::mutex> hold(postedLock_);
  std::vector<uintptr_t> out;
  out.swap(posted_);
  return out;
}
