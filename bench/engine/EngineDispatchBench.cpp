// Dispatch error of the engine against its schedule: a dense 16-channel score played through the
// test driver at a 1 ms timer period; every short message's driver time is compared with the time
// its tick is due. The baseline, measured first in the same run: a bare multimedia timer at the
// same period, and for every millisecond how long until its first callback at or after it.
// Usage: engine_dispatch_bench [seconds=60] [period ms=1]
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "bench/engine/BenchPlayer.h"
#include "tests/mididriver/VmidiClient.h"

#include <mmddk.h>

namespace {

constexpr uint32_t kBaselineMs = 5000;

struct TimerTrace {
  std::vector<uint32_t> times;
  std::atomic<size_t> count{0};
};

void CALLBACK TraceTick(UINT, UINT, DWORD_PTR data, DWORD_PTR, DWORD_PTR) {
  auto* trace = reinterpret_cast<TimerTrace*>(data);
  const size_t i = trace->count.load(std::memory_order_relaxed);
  if (i >= trace->times.size()) return;
  trace->times[i] = timeGetTime();
  trace->count.store(i + 1, std::memory_order_release);
}

std::vector<int64_t> BareTimerErrors(uint16_t period) {
  TimerTrace trace;
  trace.times.resize(kBaselineMs * 2 / (period ? period : 1) + 100);
  timeBeginPeriod(period);
  const UINT id = timeSetEvent(period, period, TraceTick, reinterpret_cast<DWORD_PTR>(&trace),
                               TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
  if (id) {
    Sleep(kBaselineMs);
    timeKillEvent(id);
  }
  timeEndPeriod(period);
  trace.times.resize(trace.count.load(std::memory_order_acquire));
  return ErrorsAgainstEveryMs(trace.times);
}

}  // namespace

int main(int argc, char** argv) {
  const BenchArgs args = ParseBenchArgs(argc, argv);
  const int seconds = args.seconds;
  const uint16_t period = args.period;
  BenchPlayer player;
  std::vector<HMIDIOUT> outputs;
  VmidiClient driver;
  if (!player.Open(outputs, driver)) return 1;
  TMidiFileBuf list(16);
  list.Allocate(16);
  const int32_t step = DenseStepFor(seconds);
  BuildDenseScore(list, seconds, step);
  if (list.IsOverflowed()) {
    std::fprintf(stderr, "the score does not fit the event list\n");
    return 1;
  }
  DispatchErrors errors(list, seconds);
  const std::vector<int64_t> bare = BareTimerErrors(period);

  uint32_t next = driver.LogCount();
  if (!player.Start(list, period)) {
    std::fprintf(stderr, "Play refused\n");
    return 1;
  }
  errors.SetStart(player.AnchorTime());
  auto drain = [&] {
    const uint32_t end = driver.LogCount();
    for (; next != end; ++next) {
      VmidiLogEntry e;
      if (!driver.ReadLog(next, &e)) break;  // still being written: read it next time
      if (e.kind != kVmidiOutMessage || e.code != MODM_DATA || e.device != 0 || e.notReady) continue;
      errors.Sent(e.time);
    }
  };
  const uint32_t limit = uint32_t(seconds) * 1000 + 5000;
  const DWORD start = timeGetTime();
  while (!player.Ended() && timeGetTime() - start < limit) player.Run(200, drain);
  player.Stop();
  drain();

  errors.Report("engine dispatch (Wine, test driver)", seconds, period, step, bare);
  for (HMIDIOUT out : outputs) player.Engine().QVmidiOutClose(out);
  player.Engine().DeallocInst(player.Instance());
  return errors.Matched() == errors.Scheduled() ? 0 : 2;
}
