// Load while playing, on the build machine: the engine core plays the dense score on a 1 ms timer
// thread while an input thread delivers 1000 messages a second, echoed through a thru port on
// channel 6 and recorded; the record ring is drained every 500 ms as the editor's timer does (or
// as the third argument says). Checks: every note-on sent has its note-off once Stop returns,
// every input message is echoed, and recorded plus dropped equals delivered.
// Usage: engine_host_load_bench [seconds=60] [period ms=1] [drain interval ms=500]
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>

#include "bench/engine/HostPlayer.h"

namespace {

constexpr EngineHandle kThru = 0x200, kInput = 0x300;

}  // namespace

int main(int argc, char** argv) {
  const BenchArgs args = ParseBenchArgs(argc, argv);
  const uint32_t drainMs = argc > 3 ? uint32_t(std::atoi(argv[3])) : 500;
  TMidiFileBuf list(16);
  list.Allocate(16);
  BuildDenseScore(list, args.seconds + 5, DenseStepFor(args.seconds + 5));  // outlasts the input
  HostPlayer player(size_t(list.EventCount()) + size_t(args.seconds) * 1000 + 8192);
  EngineState& state = player.State();
  HostEnginePlatform& platform = player.Platform();
  EngineSetEcho(state, kThru, 6);
  EngineSetRecording(state, 1);
  if (!player.Start(list, args.period)) {
    std::fprintf(stderr, "Play refused\n");
    return 1;
  }

  // 1000 messages a second: note-on and note-off pairs, one each millisecond, on absolute times.
  std::atomic<uint64_t> delivered{0};
  std::thread input([&] {
    const auto start = std::chrono::steady_clock::now();
    for (uint32_t ms = 0; ms < uint32_t(args.seconds) * 1000; ++ms) {
      std::this_thread::sleep_until(start + std::chrono::milliseconds(ms));
      const uint32_t key = 40 + (ms / 2) % 40;
      const uint32_t message = ms % 2 ? (0x80u | key << 8) : (0x90u | key << 8 | 100u << 16);
      EngineRecordInput(state, platform, kInput, kEngineEchoMessage, message);
      delivered.fetch_add(1, std::memory_order_relaxed);
    }
  });

  uint64_t recorded = 0, stampsBackwards = 0;
  int64_t lastStamp = -1;
  uint32_t lastDrain = HostNowMs();
  auto drain = [&](bool now) {
    if (!now && HostNowMs() - lastDrain < drainMs) return;
    lastDrain = HostNowMs();
    TRecordedEvent r;
    while (EngineGetRecorded(state, &r)) {
      ++recorded;
      if (r.tick < lastStamp) ++stampsBackwards;
      lastStamp = r.tick;
    }
  };
  const uint32_t start = HostNowMs();
  while (HostNowMs() - start < uint32_t(args.seconds) * 1000 + 500) {
    player.Run(100, [&] { drain(false); });
  }
  input.join();
  player.Stop();
  const uint32_t dropped = __atomic_load_n(&state.ringDropped, __ATOMIC_ACQUIRE);
  drain(true);

  // Every note-on the engine sent on port 0 must have met its note-off by now.
  std::map<uint32_t, int> sounding;
  uint64_t sent = 0, echoed = 0;
  for (size_t i = 0; i < platform.SentCount(); ++i) {
    const HostEnginePlatform::Sent& s = platform.SentAt(i);
    if (s.output == kThru) {
      echoed += (s.message & 0x0F) == 5;  // channel 6 on every echo
      continue;
    }
    if (s.output != HostPlayer::kPort0) continue;
    ++sent;
    const uint32_t status = s.message & 0xF0;
    const uint32_t key = (s.message >> 8 & 0x7F) | (s.message & 0x0F) << 8;
    const uint32_t velocity = s.message >> 16 & 0x7F;
    if (status == 0x90 && velocity > 0) ++sounding[key];
    if ((status == 0x80 || (status == 0x90 && velocity == 0)) && sounding[key] > 0) --sounding[key];
  }
  int hanging = 0;
  for (const auto& [key, n] : sounding) hanging += n;
  const bool complete = platform.SentTotal() == platform.SentCount();

  std::printf("engine load (native core, timer thread): %d s, dense score, 1000 input "
              "messages/s, timer period %u ms\n", args.seconds, args.period);
  std::printf("  input: %llu delivered, %llu echoed on the thru port with channel 6\n",
              (unsigned long long)delivered.load(), (unsigned long long)echoed);
  std::printf("  recorded: %llu drained, %u dropped by the full ring (drained every %u ms), "
              "%llu stamps going backwards\n",
              (unsigned long long)recorded, dropped, drainMs, (unsigned long long)stampsBackwards);
  std::printf("  output: %llu messages sent on port 0, notes left sounding after Stop: %d%s\n",
              (unsigned long long)sent, hanging, complete ? "" : " (send log overflowed)");
  const bool accounted = recorded + dropped == delivered.load() && echoed == delivered.load();
  if (!accounted) std::printf("  recorded + dropped or echoed != delivered\n");
  return hanging == 0 && accounted && complete ? 0 : 2;
}
