#include "bench/engine/BenchScore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/mididriver/VmidiClient.h"

int32_t DenseStepFor(int seconds) {
  const int64_t capacity = int64_t(TMidiFileBuf::kMaxBuffers) * kMidiBufEvents - 64;
  int32_t step = 8;
  // 32 messages per step over the run's ticks.
  while (int64_t(seconds) * 1000 / kBenchMsPerTick / step * 32 > capacity) step *= 2;
  return step;
}

void BuildDenseScore(TMidiFileBuf& list, int seconds, int32_t stepTicks) {
  list.Reset();
  TMidiEvent tempo = {0, {uint8_t(kBenchTempoUs), uint8_t(kBenchTempoUs >> 8),
                          uint8_t(kBenchTempoUs >> 16), kMidiEventTempo << 4}};
  list.AddEvent(tempo);
  for (uint8_t ch = 0; ch < 16; ++ch) list.AddShortEvent(0, kMidiProgram, 0, ch, ch, 0);
  const int32_t lastTick = int32_t(seconds * 1000 / kBenchMsPerTick);
  for (int32_t tick = stepTicks; tick < lastTick; tick += stepTicks) {
    for (uint8_t ch = 0; ch < 16; ++ch) {
      const uint8_t key = uint8_t(36 + (tick / stepTicks + ch * 3) % 60);
      const int32_t at = tick + ch % 4;  // a little stagger between channels
      list.AddShortEvent(at, kMidiNoteOn, 0, ch, key, 100);
      list.AddShortEvent(at + 4, kMidiNoteOff, 0, ch, key, 0);
    }
  }
}

BenchArgs ParseBenchArgs(int argc, char** argv) {
  BenchArgs args;
  if (argc > 1) args.seconds = std::atoi(argv[1]);
  if (argc > 2) args.period = uint16_t(std::atoi(argv[2]));
  return args;
}

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

Percentiles Summarise(std::vector<int64_t> values) {
  if (values.empty()) return {0, 0, 0, 0};
  std::sort(values.begin(), values.end());
  auto at = [&](double q) { return values[size_t(q * double(values.size() - 1))]; };
  return {at(0.5), at(0.99), values.back(), values.front()};
}
