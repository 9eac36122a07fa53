#include "bench/engine/HostPlayer.h"

#include <chrono>
#include <thread>

HostPlayer::HostPlayer(size_t sendCapacity)
    : platform_(sendCapacity), state_(std::make_unique<EngineState>()) {
  EngineInitState(*state_);
}

bool HostPlayer::Start(TMidiFileBuf& list, uint16_t periodMs) {
  PlayParams params = {};
  params.timerPeriod = periodMs;
  params.timerResolution = periodMs;
  params.notifyOffset = 101;
  params.outputs[0] = uint32_t(kPort0);
  params.outputs[1] = uint32_t(kPort1);
  list_ = &list;
  next_ = 1;
  return EngineStartPlay(*state_, platform_, 1, params, list.Buffer(0)) == 1;
}

void HostPlayer::Run(uint32_t ms, const std::function<void()>& each) {
  const uint32_t start = HostNowMs();
  while (HostNowMs() - start < ms) {
    for (uintptr_t what : platform_.TakePosted()) {
      if (what == kEngineNotifyEnd) ended_ = true;
      if (what == kEngineNotifyPlaying && next_ <= list_->LastUsedBuffer()) {
        EngineLoad(*state_, list_->Buffer(next_++));
      }
    }
    if (each) each();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}
