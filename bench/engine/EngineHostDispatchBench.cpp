// Dispatch error of the engine core on the build machine: the same dense 16-channel score as the
// Wine benchmark, conducted by a timer thread with a 1 ms period, every port-0 send timed against
// the time its tick is due. The baseline, measured first in the same run: the bare timer thread,
// and for every millisecond how long until its first tick at or after it.
// Usage: engine_host_dispatch_bench [seconds=60] [period ms=1]
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>

#include "bench/engine/HostPlayer.h"

namespace {

constexpr uint32_t kBaselineMs = 5000;

std::vector<int64_t> BareTimerErrors(uint16_t period) {
  std::vector<uint32_t> times;
  times.reserve(kBaselineMs * 2 / (period ? period : 1) + 100);
  std::mutex lock;
  PeriodicThread timer;
  if (!timer.Start(period, [&] {
        std::lock_guard<std::mutex> hold(lock);
        times.push_back(HostNowMs());
      })) {
    return {};
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(kBaselineMs));
  timer.Stop();
  return ErrorsAgainstEveryMs(times);
}

}  // namespace

int main(int argc, char** argv) {
  const BenchArgs args = ParseBenchArgs(argc, argv);
  TMidiFileBuf list(16);
  list.Allocate(16);
  const int32_t step = DenseStepFor(args.seconds);
  BuildDenseScore(list, args.seconds, step);
  if (list.IsOverflowed()) {
    std::fprintf(stderr, "the score does not fit the event list\n");
    return 1;
  }
  DispatchErrors errors(list, args.seconds);
  const std::vector<int64_t> bare = BareTimerErrors(args.period);

  HostPlayer player(size_t(list.EventCount()) + 4096);
  if (!player.Start(list, args.period)) {
    std::fprintf(stderr, "Play refused\n");
    return 1;
  }
  errors.SetStart(player.State().anchorTime);
  const uint32_t limit = uint32_t(args.seconds) * 1000 + 5000;
  const uint32_t start = HostNowMs();
  while (!player.Ended() && HostNowMs() - start < limit) player.Run(200, nullptr);
  player.Stop();

  const HostEnginePlatform& p = player.Platform();
  for (size_t i = 0; i < p.SentCount(); ++i) {
    if (p.SentAt(i).output == HostPlayer::kPort0) errors.Sent(p.SentAt(i).time);
  }
  errors.Report("engine dispatch (native core, timer thread)", args.seconds, args.period, step,
                bare);
  // The engine's own timer thread during the run: how late it woke for its deadlines.
  const Percentiles woke = Summarise(p.Timer().LatenessUs());
  std::printf("  engine timer thread during the run, wake-up lateness (us): p50 %lld  p99 %lld  "
              "max %lld\n", (long long)woke.p50, (long long)woke.p99, (long long)woke.max);
  return errors.Matched() == errors.Scheduled() ? 0 : 2;
}
