// What the engine benchmarks share on every platform: a dense 16-channel score, the run's
// arguments and the percentile summary.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "midi/MidiFileBuf.h"

// At 384000 us per quarter a tick lasts exactly 2 ms, so every scheduled time is exact.
constexpr uint32_t kBenchTempoUs = 384000;
constexpr uint32_t kBenchMsPerTick = 2;

// Every channel strikes a note every `stepTicks` ticks (8: every 16 ms), staggered by channel,
// held for 4 ticks: 2000 short messages a second on port 0 at the densest.
void BuildDenseScore(TMidiFileBuf& list, int seconds, int32_t stepTicks);
// The densest step whose score still fits one event list (about 1M events).
int32_t DenseStepFor(int seconds);

struct BenchArgs {
  int seconds = 60;
  uint16_t period = 1;  // ms
};
// [seconds] [timer period in ms]
BenchArgs ParseBenchArgs(int argc, char** argv);

struct Percentiles {
  int64_t p50, p99, max, min;
};
Percentiles Summarise(std::vector<int64_t> values);

// The dispatch error of every port-0 short message of a dense score against the time its tick is
// due from the first step, in the order the engine sends them.
class DispatchErrors {
public:
  DispatchErrors(const TMidiFileBuf& list, int seconds);
  // The first timed step's clock time (the engine's anchor after Play).
  void SetStart(uint32_t t0) { t0_ = t0; }
  // The next port-0 message went out at `time`.
  void Sent(uint32_t time);
  size_t Scheduled() const { return ticks_.size(); }
  size_t Matched() const { return matched_; }
  // Prints p50, p99, max, min, the drift between the first and last 5 seconds and, against the
  // bare timer's errors, the ratios. Returns the summary of all errors.
  Percentiles Report(const char* title, int seconds, uint16_t period, int32_t step,
                     const std::vector<int64_t>& bareTimer) const;

private:
  std::vector<int32_t> ticks_;  // the tick of every short message, in sending order
  size_t prerolled_ = 0;        // the leading messages the engine sends at Play, ahead by design
  int32_t tailFrom_;
  uint32_t t0_ = 0;
  size_t matched_ = 0;
  std::vector<int64_t> all_, head_, tail_;
};

// For every millisecond D between the first and last of a periodic timer's callback times, how
// long until the first callback at or after D: the least error any sender on that timer can have.
std::vector<int64_t> ErrorsAgainstEveryMs(const std::vector<uint32_t>& callbackTimes);
