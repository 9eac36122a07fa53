#include "bench/engine/BenchPlayer.h"

#include <cstdio>
#include <string>

#include "tests/mididriver/VmidiClient.h"

bool BenchPlayer::Open(std::vector<HMIDIOUT>& outputs, VmidiClient& driver) {
  std::string error;
  if (!VmidiClient::Install(&error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  if (!driver.Bind() || !engine_.Open("QVMID32B.DLL") || !engine_.AllocInst(&instance_)) {
    std::fprintf(stderr, "engine or test driver not available\n");
    return false;
  }
  outputs.clear();
  for (int port = 0; port < 2; ++port) {
    HMIDIOUT out = nullptr;
    if (engine_.QVmidiOutOpen(&out, WORD(VmidiClient::OutputId(port))) != 0) return false;
    outputs.push_back(out);
    params_.outputs[port] = uint32_t(reinterpret_cast<uintptr_t>(out));
  }
  return true;
}

bool BenchPlayer::Start(TMidiFileBuf& list, uint16_t periodMs) {
  params_.timerPeriod = periodMs;
  params_.timerResolution = periodMs;
  params_.notifyOffset = 101;
  list_ = &list;
  next_ = 1;
  return engine_.Play(&instance_, window_.Handle(), &params_, list.Buffer(0)) == 1;
}

void BenchPlayer::Run(uint32_t ms, const std::function<void()>& each) {
  window_.PumpUntil(
      [&] {
        const auto& messages = window_.Messages();
        for (; seen_ < messages.size(); ++seen_) {
          if (messages[seen_].message != 0x465) continue;
          if (messages[seen_].wParam == 2) ended_ = true;
          if (messages[seen_].wParam == 1 && next_ <= list_->LastUsedBuffer()) {
            engine_.Load(&instance_, list_->Buffer(next_++));
          }
        }
        if (each) each();
        return false;
      },
      ms);
}

void BenchPlayer::Stop() { engine_.Stop(&instance_); }
