#include "bench/engine/BenchScore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

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

Percentiles Summarise(std::vector<int64_t> values) {
  if (values.empty()) return {0, 0, 0, 0};
  std::sort(values.begin(), values.end());
  auto at = [&](double q) { return values[size_t(q * double(values.size() - 1))]; };
  return {at(0.5), at(0.99), values.back(), values.front()};
}

DispatchErrors::DispatchErrors(const TMidiFileBuf& list, int seconds)
    : tailFrom_(int32_t((seconds - 5) * 1000 / kBenchMsPerTick)) {
  bool leading = true;
  for (int32_t i = 0; i < list.EventCount(); ++i) {
    const TMidiEvent e = list.EventAt(i);
    leading = leading && IsMidiShortEvent(e) && MidiEventClass(e) != kMidiNoteOn;
    if (!IsMidiShortEvent(e)) continue;
    prerolled_ += leading;
    ticks_.push_back(e.tick);
  }
  all_.reserve(ticks_.size());
}

void DispatchErrors::Sent(uint32_t time) {
  const size_t i = matched_++;
  if (i >= ticks_.size() || i < prerolled_) return;
  const int64_t due = int64_t(t0_) + int64_t(ticks_[i]) * kBenchMsPerTick;
  const int64_t error = int64_t(int32_t(time - uint32_t(due)));
  all_.push_back(error);
  if (ticks_[i] < int32_t(5000 / kBenchMsPerTick)) head_.push_back(error);
  if (ticks_[i] >= tailFrom_) tail_.push_back(error);
}

namespace {

// "a / b" as text; a baseline that is never late has no ratio.
std::string Ratio(int64_t a, int64_t b) {
  if (b <= 0) return "n/a (baseline 0)";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", double(a) / double(b));
  return text;
}

}  // namespace

Percentiles DispatchErrors::Report(const char* title, int seconds, uint16_t period, int32_t step,
                                   const std::vector<int64_t>& bareTimer) const {
  const Percentiles all = Summarise(all_);
  const Percentiles first = Summarise(head_), last = Summarise(tail_);
  const Percentiles bare = Summarise(bareTimer);
  std::printf("%s: %d s dense score, 16 channels, timer period %u ms\n", title, seconds, period);
  std::printf("  messages: %zu scheduled (%u per second), %zu sent, %zu of them at Play\n",
              ticks_.size(), unsigned(32 * 1000 / (step * kBenchMsPerTick)), matched_, prerolled_);
  std::printf("  error (ms, sent - due): p50 %lld  p99 %lld  max %lld  min %lld\n",
              (long long)all.p50, (long long)all.p99, (long long)all.max, (long long)all.min);
  std::printf("  baseline, bare timer (ms from each due millisecond to the next callback): "
              "p50 %lld  p99 %lld  max %lld\n",
              (long long)bare.p50, (long long)bare.p99, (long long)bare.max);
  std::printf("  engine / bare timer: p99 %s  max %s\n", Ratio(all.p99, bare.p99).c_str(),
              Ratio(all.max, bare.max).c_str());
  std::printf("  drift: median error first 5 s %lld ms, last 5 s %lld ms\n", (long long)first.p50,
              (long long)last.p50);
  return all;
}

std::vector<int64_t> ErrorsAgainstEveryMs(const std::vector<uint32_t>& times) {
  std::vector<int64_t> errors;
  if (times.size() < 3) return errors;
  size_t k = 0;
  for (uint32_t due = times.front() + 1; int32_t(times.back() - due) >= 0; ++due) {
    while (int32_t(times[k] - due) < 0) ++k;
    errors.push_back(int64_t(times[k] - due));
  }
  return errors;
}
