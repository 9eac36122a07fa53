// Load while playing: the dense score plays while the test driver feeds 1000 input messages a
// second, echoed through a thru port and recorded; the record ring is drained every 500 ms as the
// editor's timer does (or as often as the third argument says). Checks: no crash, every note-on
// sent has its note-off once Stop returns, ring drops are counted.
// Usage: engine_load_bench [seconds=60] [period ms=1] [drain interval ms=500]
#include <cstdio>
#include <cstdlib>
#include <map>

#include "bench/engine/BenchPlayer.h"
#include "tests/mididriver/VmidiClient.h"

#include <mmddk.h>

int main(int argc, char** argv) {
  const BenchArgs args = ParseBenchArgs(argc, argv);
  const int seconds = args.seconds;
  const uint16_t period = args.period;
  const DWORD drainMs = argc > 3 ? DWORD(std::atoi(argv[3])) : 500;
  BenchPlayer player;
  std::vector<HMIDIOUT> outputs;
  VmidiClient driver;
  if (!player.Open(outputs, driver)) return 1;
  EngineLibrary& engine = player.Engine();
  EngineInstance* inst = player.Instance();
  HMIDIIN in = nullptr;
  if (engine.QVmidiInOpen(inst, &in, WORD(VmidiClient::InputId(0))) != 0 ||
      engine.QVmidiInStart(in) != 0) {
    std::fprintf(stderr, "input not available\n");
    return 1;
  }
  engine.SetEcho(inst, outputs[1], 5);

  // 1000 messages a second: note-on and note-off pairs, one each millisecond.
  std::vector<VmidiFeedItem> feed;
  for (uint32_t ms = 0; ms < uint32_t(seconds) * 1000; ++ms) {
    const uint8_t key = uint8_t(40 + (ms / 2) % 40);
    const uint32_t message = ms % 2 ? (0x80u | key << 8) : (0x90u | key << 8 | 100u << 16);
    feed.push_back({ms, message});
  }

  TMidiFileBuf list(16);
  list.Allocate(16);
  BuildDenseScore(list, seconds + 5, DenseStepFor(seconds + 5));  // outlasts the input
  const uint32_t mark = driver.LogCount();
  engine.SetRecording(inst, 1);
  if (!player.Start(list, period) || !driver.Feed(0, feed)) {
    std::fprintf(stderr, "Play or feed refused\n");
    return 1;
  }
  uint64_t recorded = 0;
  int64_t lastStamp = -1;
  uint64_t stampsBackwards = 0;
  DWORD lastDrain = timeGetTime();
  auto drain = [&] {
    if (timeGetTime() - lastDrain < drainMs) return;
    lastDrain = timeGetTime();
    TRecordedEvent r;
    while (engine.GetRecorded(inst, &r)) {
      ++recorded;
      if (r.tick < lastStamp) ++stampsBackwards;
      lastStamp = r.tick;
    }
  };
  const DWORD start = timeGetTime();
  while (timeGetTime() - start < uint32_t(seconds) * 1000 + 500) player.Run(100, drain);
  driver.FeedWait(10000);
  player.Stop();
  const uint32_t dropped = inst->state->ringDropped;
  lastDrain = 0;
  drain();

  // Every note-on the engine sent on port 0 must have met its note-off by now.
  std::map<uint32_t, int> sounding;
  uint64_t sent = 0, delivered = 0, inputDropped = 0, echoed = 0;
  const uint32_t end = driver.LogCount();
  if (end - mark > (1u << 20)) std::printf("  (driver log wrapped: the note check covers the tail)\n");
  for (uint32_t i = end - mark > (1u << 20) ? end - (1u << 20) : mark; i != end; ++i) {
    VmidiLogEntry e;
    if (!driver.ReadLog(i, &e)) continue;
    if (e.kind == kVmidiInDelivered) ++delivered;
    if (e.kind == kVmidiInDropped) ++inputDropped;
    if (e.kind != kVmidiOutMessage || e.code != MODM_DATA || e.notReady) continue;
    if (e.device == 1) {
      ++echoed;
      continue;
    }
    ++sent;
    const uint32_t status = e.param & 0xF0, key = (e.param >> 8 & 0x7F) | (e.param & 0x0F) << 8;
    const uint32_t velocity = e.param >> 16 & 0x7F;
    if (status == 0x90 && velocity > 0) ++sounding[key];
    if (status == 0x80 || (status == 0x90 && velocity == 0)) {
      if (sounding[key] > 0) --sounding[key];
    }
  }
  int hanging = 0;
  for (const auto& [key, n] : sounding) hanging += n;

  std::printf("engine load: %d s, dense score, 1000 input messages/s, timer period %u ms\n",
              seconds, period);
  std::printf("  input: %zu fed, %llu delivered, %llu found no client, %llu echoed on the thru port\n",
              feed.size(), (unsigned long long)delivered, (unsigned long long)inputDropped,
              (unsigned long long)echoed);
  std::printf("  recorded: %llu drained, %u dropped by the full ring (drained every %lu ms), "
              "%llu stamps going backwards\n",
              (unsigned long long)recorded, dropped, (unsigned long)drainMs,
              (unsigned long long)stampsBackwards);
  std::printf("  output: %llu messages sent, notes left sounding after Stop: %d\n",
              (unsigned long long)sent, hanging);
  engine.SetRecording(inst, 0);
  engine.QVmidiInStop(in);
  engine.QVmidiInClose(in);
  for (HMIDIOUT out : outputs) engine.QVmidiOutClose(out);
  engine.DeallocInst(inst);
  const bool accounted = recorded + dropped == delivered;
  if (!accounted) std::printf("  recorded + dropped != delivered\n");
  return hanging == 0 && accounted ? 0 : 2;
}
