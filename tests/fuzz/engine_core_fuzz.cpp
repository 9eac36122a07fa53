// The engine core driven by arbitrary buffers, clock steps, input and busy devices on a fake
// clock: no fault, and once Stop returns no note is left sounding and every timer period begun
// has been ended.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "tests/engine/FakeEnginePlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  auto buffers = std::make_unique<TSingleMidiBuf[]>(2);
  size_t at = 8;
  for (int b = 0; b < 2; ++b) {
    const int n = data[b] % 40;
    buffers[b].count = int16_t(n);
    int32_t tick = 0;
    for (int i = 0; i < n; ++i) {
      TMidiEvent& e = buffers[b].events[i];
      std::memset(&e, 0, sizeof e);
      if (at + 5 <= size) {
        tick += data[at] % 64;  // sorted, as the callers hand them over
        std::memcpy(e.b, data + at + 1, 4);
        at += 5;
      }
      e.tick = tick;
    }
  }
  FakeEnginePlatform clock;
  auto state = std::make_unique<EngineState>();
  EngineInitState(*state);
  PlayParams params = {};
  params.timerPeriod = uint16_t(data[2] % 3);
  params.timerResolution = 1;
  params.notifyOffset = uint16_t(data[3] % 2 ? 101 : 0);
  for (int port = 0; port < 16; ++port) params.outputs[port] = data[4] >> (port % 8) & 1 ? port + 1 : 0;
  clock.busyAnswers = data[5] % 24;
  EngineSetEcho(*state, data[6] & 1 ? 99 : 0, data[6] >> 1);
  EngineSetRecording(*state, data[7] & 1);

  EngineStartPlay(*state, clock, 5, params, &buffers[0]);
  for (; at < size; ++at) {
    const uint8_t op = data[at];
    switch (op % 5) {
    case 0: clock.Run(op); break;
    case 1: EngineLoad(*state, &buffers[1]); break;
    case 2: EngineRecordInput(*state, clock, 7, kEngineEchoMessage, op * 0x01010101u); break;
    case 3: clock.busyAnswers = op % 4; break;
    default: {
      TRecordedEvent r;
      EngineGetRecorded(*state, &r);
    }
    }
  }
  clock.busyAnswers = 0;
  EngineStopPlay(*state, clock);
  for (const auto& port : state->sounding) {
    for (uint16_t bits : port) {
      if (bits) abort();
    }
  }
  if (clock.beginPeriods != clock.endPeriods || clock.timerId != 0) abort();
  return 0;
}
