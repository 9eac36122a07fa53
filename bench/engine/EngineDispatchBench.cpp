// Dispatch error of the engine against its schedule: a dense 16-channel score played through the
// test driver at a 1 ms timer period; every short message's driver time is compared with the time
// its tick is due. Usage: engine_dispatch_bench [seconds=60] [period ms=1]
#include <cstdio>
#include <cstdlib>

#include "bench/engine/BenchScore.h"
#include "tests/mididriver/VmidiClient.h"

#include <mmddk.h>

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
  std::vector<int32_t> ticks;  // the tick of every short message, in sending order
  for (int32_t i = 0; i < list.EventCount(); ++i) {
    const TMidiEvent e = list.EventAt(i);
    if (IsMidiShortEvent(e)) ticks.push_back(e.tick);
  }

  uint32_t next = driver.LogCount();
  if (!player.Start(list, period)) {
    std::fprintf(stderr, "Play refused\n");
    return 1;
  }
  const uint32_t t0 = player.AnchorTime();
  std::vector<int64_t> errors;
  errors.reserve(ticks.size());
  std::vector<int64_t> head, tail;  // first and last 5 seconds of the song
  const int32_t tailFrom = int32_t((seconds - 5) * 1000 / kBenchMsPerTick);
  auto drain = [&] {
    const uint32_t end = driver.LogCount();
    for (; next != end; ++next) {
      VmidiLogEntry e;
      if (!driver.ReadLog(next, &e)) break;  // still being written: read it next time
      if (e.kind != kVmidiOutMessage || e.code != MODM_DATA || e.device != 0) continue;
      const size_t i = errors.size();
      if (i >= ticks.size()) continue;
      const int64_t due = int64_t(t0) + int64_t(ticks[i]) * kBenchMsPerTick;
      const int64_t error = int64_t(e.time) - due;
      errors.push_back(error);
      if (ticks[i] < int32_t(5000 / kBenchMsPerTick)) head.push_back(error);
      if (ticks[i] >= tailFrom) tail.push_back(error);
    }
  };
  const uint32_t limit = uint32_t(seconds) * 1000 + 5000;
  const DWORD start = timeGetTime();
  while (!player.Ended() && timeGetTime() - start < limit) player.Run(200, drain);
  player.Stop();
  drain();

  const Percentiles all = Summarise(errors);
  const Percentiles first = Summarise(head), last = Summarise(tail);
  std::printf("engine dispatch: %d s dense score, 16 channels, timer period %u ms\n", seconds, period);
  std::printf("  messages: %zu scheduled (%u per second), %zu sent\n", ticks.size(),
              unsigned(32 * 1000 / (step * kBenchMsPerTick)), errors.size());
  std::printf("  error (ms, sent - due): p50 %lld  p99 %lld  max %lld  min %lld\n",
              (long long)all.p50, (long long)all.p99, (long long)all.max, (long long)all.min);
  std::printf("  drift: median error first 5 s %lld ms, last 5 s %lld ms\n", (long long)first.p50,
              (long long)last.p50);
  for (HMIDIOUT out : outputs) player.Engine().QVmidiOutClose(out);
  player.Engine().DeallocInst(player.Instance());
  return errors.size() == ticks.size() ? 0 : 2;
}
