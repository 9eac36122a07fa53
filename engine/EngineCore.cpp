#include "engine/EngineCore.h"

#include <cstring>

// Three threads share the state without a lock. Every hand-over is a single store that the other
// side reads; these keep the compiler from tearing, caching or reordering those accesses.
namespace {

template <typename T> T LoadShared(const T& v) { return __atomic_load_n(&v, __ATOMIC_ACQUIRE); }
template <typename T> void StoreShared(T& v, T x) { __atomic_store_n(&v, x, __ATOMIC_RELEASE); }

constexpr uint8_t kClassNoteOff = 0;
constexpr uint8_t kClassNoteOn = 1;
constexpr uint8_t kClassControl = 3;
constexpr uint8_t kClassProgram = 4;
constexpr uint8_t kClassPitchBend = 6;
// Bounded retries of a note-off the device was not ready for while sweeping at Stop, so that a
// busy device does not leave notes hanging.
constexpr int kSweepRetries = 1000;

uint8_t StatusClass(uint8_t status) { return (status >> 4) & 7; }
bool IsSystemStatus(uint8_t status) { return status >= 0xF0; }

bool ValidCount(const TSingleMidiBuf* b) {
  if (!b) return false;
  const int16_t n = LoadShared(b->count);
  return n > 0 && n <= kMidiBufEvents;
}

void Notify(EngineState& s, EnginePlatform& p, uint32_t what) {
  const EngineHandle window = LoadShared(s.notifyWindow);
  if (window) p.Post(window, s.notifyMessage, what, 0);
}

void MakeCurrent(EngineState& s, TSingleMidiBuf* b) {
  s.current = b;
  s.cursor = &b->events[0];
  s.last = &b->events[LoadShared(b->count) - 1];
}

// Hands the played buffer back and moves on to the queued one. False when nothing is queued.
bool MoveToQueued(EngineState& s, EnginePlatform& p, uint32_t now) {
  StoreShared(s.current->count, int16_t(0));
  TSingleMidiBuf* next = LoadShared(s.queued);
  if (!next || !ValidCount(next)) {
    StoreShared(s.queued, static_cast<TSingleMidiBuf*>(nullptr));
    Notify(s, p, kEngineNotifyEnd);
    s.dueTime = now + kEndRearmMs;
    return false;
  }
  MakeCurrent(s, next);
  StoreShared(s.queued, static_cast<TSingleMidiBuf*>(nullptr));
  Notify(s, p, kEngineNotifyPlaying);
  return true;
}

void Reanchor(EngineState& s) {
  StoreShared(s.anchorTick, s.nextEventTick);
  StoreShared(s.anchorTime, s.dueTime);
}

// The due time of the next step, always measured from the last anchor so rounding never adds up.
void ScheduleNextStep(EngineState& s) {
  int32_t steps = kConductStepTicks;
  if (s.holdCount == 0) {
    int32_t target = s.targetTick + kConductStepTicks;
    if (target > s.nextEventTick) target = s.nextEventTick;
    s.targetTick = target;
    steps = target - s.anchorTick;
  }
  const uint32_t ms = EngineTicksToMs(s.tempo, uint32_t(steps));
  s.dueTime = s.anchorTime + ms;
  if (ms > kReanchorMs) {
    StoreShared(s.anchorTime, s.dueTime);
    StoreShared(s.anchorTick, s.targetTick);
  }
}

// Sends the short messages before the first note-on, so controllers and programs are in place
// when the first timed step plays. False when the device stayed busy.
bool PreRoll(EngineState& s, EnginePlatform& p) {
  for (int pass = 0; pass < kPrerollPasses; ++pass) {
    bool busy = false;
    while (s.cursor != s.last && s.cursor->Type() == kMidiEventShort &&
           StatusClass(s.cursor->b[0]) != kClassNoteOn) {
      if (!EngineSendEvent(s, p, *s.cursor)) {
        busy = true;
        break;
      }
      ++s.cursor;
      s.nextEventTick = s.cursor->tick;
    }
    if (!busy) return true;
  }
  return false;
}

uint32_t RecordStamp(const EngineState& s, uint32_t now) {
  if (!(LoadShared(s.playing) & 0xFF)) return uint32_t(-1);
  const int32_t anchorTick = LoadShared(s.anchorTick);
  if (LoadShared(s.holdCount) != 0) return uint32_t(anchorTick);
  int32_t elapsed = int32_t(now - LoadShared(s.anchorTime));
  if (elapsed < 0) elapsed = 0;
  // A tempo under 1000 us per quarter would make the divisor 0.
  uint32_t msPerQuarter = LoadShared(s.tempo) / 1000;
  if (msPerQuarter == 0) msPerQuarter = 1;
  return uint32_t(uint64_t(elapsed) * 192 / msPerQuarter) + uint32_t(anchorTick);
}

void Record(EngineState& s, EnginePlatform& p, uint32_t message) {
  if (IsSystemStatus(uint8_t(message))) return;
  const uint8_t write = s.ringWrite;
  const uint8_t next = uint8_t(write + 1);
  // A full ring keeps its unread entries; the newcomer is dropped and counted.
  if (next == LoadShared(s.ringRead)) {
    StoreShared(s.ringDropped, s.ringDropped + 1);
    return;
  }
  TRecordedEvent& e = s.ring[write];
  e.message = message & 0x0FFFFFFF;
  e.tick = int32_t(RecordStamp(s, p.Now()));
  StoreShared(s.ringWrite, next);
}

}  // namespace

void EngineInitState(EngineState& s) {
  std::memset(&s, 0, sizeof s);
  s.tempo = 1000;
}

int EngineSendEvent(EngineState& s, EnginePlatform& p, const TMidiEvent& e) {
  const uint8_t port = e.Port();
  const EngineHandle out = s.outputs[port];
  if (!out) return 1;
  if (p.SendShort(out, e.Word()) == kMidiErrNotReady) return 0;
  const uint8_t status = e.b[0];
  const uint16_t bit = uint16_t(1u << (status & 0x0F));
  uint16_t& keys = s.sounding[port][e.b[1] & 0x7F];
  switch (StatusClass(status)) {
  case kClassNoteOff: keys &= ~bit; break;
  case kClassNoteOn: keys = e.b[2] > 0 ? (keys | bit) : (keys & ~bit); break;
  default: break;
  }
  return 1;
}

int EngineStartPlay(EngineState& s, EnginePlatform& p, EngineHandle notifyWindow,
                    const PlayParams& params, TSingleMidiBuf* first) {
  if ((s.playing & 0xFF) || !ValidCount(first) || !notifyWindow || !params.notifyOffset) return 0;

  s.notifyMessage = kEngineNotifyBase + params.notifyOffset;
  StoreShared(s.notifyWindow, notifyWindow);
  if (params.timerPeriod) s.timerPeriod = params.timerPeriod;
  if (params.timerResolution) s.timerResolution = params.timerResolution;

  std::memset(s.sounding, 0, sizeof s.sounding);
  s.periodBegun = p.BeginPeriod(s.timerPeriod) ? s.timerPeriod : 0;
  for (int port = 0; port < 16; ++port) s.outputs[port] = params.outputs[port];

  const uint32_t start = p.Now() + kPlayLeadInMs;
  StoreShared(s.anchorTime, start);
  s.dueTime = start;
  StoreShared(s.anchorTick, 0);
  s.targetTick = 0;
  StoreShared(s.holdCount, 0);
  MakeCurrent(s, first);
  StoreShared(s.queued, static_cast<TSingleMidiBuf*>(nullptr));
  StoreShared(s.songPosition, 0);
  s.nextEventTick = s.cursor->tick;
  StoreShared(s.tempo, uint32_t(500000));

  if (!PreRoll(s, p)) {
    if (s.periodBegun) p.EndPeriod(s.periodBegun);
    s.periodBegun = 0;
    StoreShared(s.notifyWindow, EngineHandle(0));
    return 0;
  }

  StoreShared(s.playing, uint32_t(1));
  s.timerId = p.StartTimer(s.timerPeriod, s.timerResolution, &s);
  if (!s.timerId) EngineStopPlay(s, p);
  if (s.playing & 0xFF) Notify(s, p, kEngineNotifyPlaying);
  return s.playing & 0xFF;
}

void EngineConductTick(EngineState& s, EnginePlatform& p) {
  const uint32_t now = p.Now();
  if (int32_t(now - s.dueTime) < 0) return;  // wrap-safe: the clock turns over every 49 days
  if (!(LoadShared(s.playing) & 0xFF)) return;

  StoreShared(s.songPosition, s.targetTick);
  while (s.nextEventTick <= s.songPosition) {
    const TMidiEvent& e = *s.cursor;
    switch (e.Type()) {
    case kMidiEventShort:
      if (!EngineSendEvent(s, p, e)) return;  // the same event again at the next tick
      break;
    case kMidiEventTempo:
      StoreShared(s.tempo, e.Tempo());
      Reanchor(s);
      break;
    case kMidiEventHold:
      Reanchor(s);
      StoreShared(s.holdCount, s.holdCount == 0 ? int32_t(e.HoldSteps()) : s.holdCount - 1);
      break;
    default: break;
    }
    if (s.holdCount != 0) break;  // the hold event is met again at each following step
    if (s.cursor == s.last) {
      if (!MoveToQueued(s, p, now)) return;
    } else {
      ++s.cursor;
    }
    s.nextEventTick = s.cursor->tick;
  }
  ScheduleNextStep(s);
}

void EngineStopPlay(EngineState& s, EnginePlatform& p) {
  if (!(s.playing & 0xFF)) return;
  StoreShared(s.playing, uint32_t(0));
  StoreShared(s.notifyWindow, EngineHandle(0));
  // The kill waits for a running tick, so no note-on can follow the sweep below.
  if (s.timerId) {
    p.KillTimer(s.timerId);
    s.timerId = 0;
  }
  if (s.periodBegun) {
    p.EndPeriod(s.periodBegun);
    s.periodBegun = 0;
  }
  for (int port = 0; port < 16; ++port) {
    for (int key = 0; key < 128; ++key) {
      for (int channel = 0; channel < 16; ++channel) {
        if (!(s.sounding[port][key] & (1u << channel))) continue;
        const TMidiEvent off = {0, {uint8_t(0x80 | channel), uint8_t(key), 64, uint8_t(port)}};
        for (int i = 0; i < kSweepRetries && !EngineSendEvent(s, p, off); ++i) {
        }
      }
    }
  }
}

int EngineLoad(EngineState& s, TSingleMidiBuf* buffer) {
  if (!(LoadShared(s.playing) & 0xFF) || LoadShared(s.queued) || !ValidCount(buffer)) return 0;
  StoreShared(s.queued, buffer);
  return 1;
}

void EngineRecordInput(EngineState& s, EnginePlatform& p, EngineHandle input, uint32_t message,
                       uint32_t data) {
  if (message != kEngineEchoMessage) return;
  const uint8_t status = uint8_t(data);
  if (!(status & 0x80)) return;  // a bare data byte carries no message

  const EngineHandle thru = LoadShared(s.thru);
  if (thru) {
    uint32_t echo = data;
    const uint8_t channel = LoadShared(s.thruChannel);
    if (channel && !IsSystemStatus(status)) echo = (echo & ~0x0Fu) | ((channel - 1) & 0x0F);
    if (p.SendShort(thru, echo) == kMidiErrNotReady) p.SendShort(thru, echo);
  }

  if (LoadShared(s.recording)) {
    Record(s, p, data);
    return;
  }
  const EngineHandle window = LoadShared(s.echoWindow);
  if (!window || IsSystemStatus(status)) return;
  switch (StatusClass(status)) {
  case kClassNoteOff:
  case kClassNoteOn:
  case kClassControl:
  case kClassProgram:
  case kClassPitchBend: p.Post(window, kEngineEchoMessage, input, data); break;
  default: break;
  }
}

void EngineSetRecording(EngineState& s, uint8_t flag) {
  if (flag == s.recording) return;
  if (flag) StoreShared(s.ringRead, LoadShared(s.ringWrite));
  StoreShared(s.recording, flag);
}

int EngineGetRecorded(EngineState& s, TRecordedEvent* out) {
  const uint8_t read = s.ringRead;
  if (read == LoadShared(s.ringWrite)) return 0;
  *out = s.ring[read];
  StoreShared(s.ringRead, uint8_t(read + 1));
  return 1;
}

void EngineSetEcho(EngineState& s, EngineHandle thru, uint8_t channel) {
  StoreShared(s.thruChannel, channel);
  StoreShared(s.thru, thru);
}
