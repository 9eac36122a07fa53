#include "midi/MidiFileBuf.h"

#include <cstring>
#include <new>

namespace {

constexpr int32_t kHoldStepTicks = 48;
// DurationMs converts long spans piece by piece, as the engine's steps would.
constexpr uint32_t kDurationChunkTicks = 96000;

bool SortsAfter(const TMidiEvent& a, const TMidiEvent& b) {
  if (a.tick != b.tick) return a.tick > b.tick;
  return MidiEventSortClass(a) > MidiEventSortClass(b);
}

// Same kind for the start-tick rewrite: the later event replaces the earlier one.
bool SameKind(const TMidiEvent& a, const TMidiEvent& b) {
  if (MidiEventType(a) != MidiEventType(b)) return false;
  if (!IsMidiShortEvent(a)) return true;
  if (MidiEventPort(a) != MidiEventPort(b) || MidiEventChannel(a) != MidiEventChannel(b) ||
      MidiEventClass(a) != MidiEventClass(b)) {
    return false;
  }
  return MidiEventClass(a) != kMidiControl || a.b[1] == b.b[1];
}

// An event carried out of an earlier buffer was added before every event of this buffer with the
// same key, so it goes in front of them; a new event goes behind them.
bool GoesBehind(const TMidiEvent& existing, const TMidiEvent& e, bool earlier) {
  return earlier ? SortsAfter(e, existing) : !SortsAfter(existing, e);
}

void InsertSorted(TSingleMidiBuf& b, const TMidiEvent& e, bool earlier) {
  int at = b.count;
  while (at > 0 && !GoesBehind(b.events[at - 1], e, earlier)) --at;
  std::memmove(&b.events[at + 1], &b.events[at], sizeof(TMidiEvent) * size_t(b.count - at));
  b.events[at] = e;
  ++b.count;
}

uint32_t TicksToMs(uint32_t tempo, uint64_t ticks) {
  uint32_t ms = 0;
  while (ticks > 0) {
    const uint32_t chunk = ticks > kDurationChunkTicks ? kDurationChunkTicks : uint32_t(ticks);
    ms += EngineTicksToMs(tempo, chunk);
    ticks -= chunk;
  }
  return ms;
}

}  // namespace

TMidiFileBuf::TMidiFileBuf(int32_t growth) : lastAllocated_(-1), growth_(growth) {
  std::memset(buffers_, 0, sizeof buffers_);
  Reset();
}

TMidiFileBuf::~TMidiFileBuf() { FreeAll(); }

void TMidiFileBuf::FreeAll() {
  for (int i = 0; i <= lastAllocated_; ++i) {
    delete buffers_[i];
    buffers_[i] = nullptr;
  }
  lastAllocated_ = -1;
  lastUsed_ = -1;
}

// A buffer that cannot be had ends the list there: the list counts as full beyond it.
bool TMidiFileBuf::AddBuffer() {
  if (lastAllocated_ + 1 >= kMaxBuffers) return false;
  TSingleMidiBuf* b = new (std::nothrow) TSingleMidiBuf;
  if (!b) return false;
  b->count = 0;
  b->reserved = 0;
  buffers_[++lastAllocated_] = b;
  return true;
}

int TMidiFileBuf::Allocate(int n) {
  FreeAll();
  overflow_ = 0;
  if (n > kMaxBuffers) n = kMaxBuffers;
  for (int i = 0; i < n && AddBuffer(); ++i) {
  }
  return lastAllocated_ + 1;
}

void TMidiFileBuf::Reset() {
  for (int i = 0; i <= lastAllocated_; ++i) buffers_[i]->count = 0;
  lastUsed_ = -1;
  overflow_ = 0;
  startTick_ = 0;
  typeFilter_ = 0;
}

bool TMidiFileBuf::ReplaceAtStart(const TMidiEvent& event) {
  if (lastAllocated_ < 0) return false;
  TSingleMidiBuf& first = *buffers_[0];
  for (int i = 0; i < first.count && first.events[i].tick == 0; ++i) {
    if (SameKind(first.events[i], event)) {
      first.events[i] = event;
      return true;
    }
  }
  return false;
}

// True when the event is consumed here and must not be inserted.
bool TMidiFileBuf::ApplyStartTick(TMidiEvent& event) {
  if (startTick_ == 0) return false;
  if (event.tick > startTick_) {
    event.tick -= startTick_;
    return false;
  }
  const bool onStart = event.tick == startTick_;
  event.tick = 0;
  if (MidiEventType(event) == kMidiEventHold) return true;
  if (IsMidiShortEvent(event) &&
      (MidiEventClass(event) == kMidiNoteOff || MidiEventClass(event) == kMidiNoteOn)) {
    return !onStart;
  }
  return ReplaceAtStart(event);
}

// Every full buffer whose last event the new one goes behind would only pass it on; the full
// buffers are in order, so the first one that takes part is found by bisection.
int TMidiFileBuf::FirstBufferTaking(const TMidiEvent& e) const {
  int lo = 0, hi = lastUsed_ < 0 ? 0 : lastUsed_;
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    const TSingleMidiBuf& b = *buffers_[mid];
    if (b.count == kMidiBufEvents && GoesBehind(b.events[kMidiBufEvents - 1], e, false)) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

// Inserts into buffer `index`; true when `carried` (then possibly the buffer's evicted last
// event, with `earlier` set) moves on to the next buffer.
bool TMidiFileBuf::InsertCarrying(int index, TMidiEvent& carried, bool& earlier) {
  TSingleMidiBuf& b = *buffers_[index];
  if (index > lastUsed_) lastUsed_ = index;
  if (b.count < kMidiBufEvents) {
    InsertSorted(b, carried, earlier);
    return false;
  }
  TMidiEvent& last = b.events[kMidiBufEvents - 1];
  if (GoesBehind(last, carried, earlier)) return true;
  const TMidiEvent evicted = last;
  --b.count;
  InsertSorted(b, carried, earlier);
  carried = evicted;
  earlier = true;
  return true;
}

void TMidiFileBuf::AddEvent(const TMidiEvent& event) {
  if (typeFilter_ & (1 << MidiEventType(event))) return;
  TMidiEvent carried = event;
  if (ApplyStartTick(carried)) return;

  bool earlier = false;
  for (int i = FirstBufferTaking(carried); i <= lastAllocated_; ++i) {
    if (!InsertCarrying(i, carried, earlier)) return;
  }
  if (growth_ > 0 && lastAllocated_ + 1 < kMaxBuffers) {
    const int first = lastAllocated_ + 1;
    const int end = first + growth_ > kMaxBuffers ? kMaxBuffers : first + growth_;
    for (int i = first; i < end && AddBuffer(); ++i) {
    }
    if (lastAllocated_ >= first && !InsertCarrying(first, carried, earlier)) return;
  }
  overflow_ = 1;
}

void TMidiFileBuf::AddTempoEvent(int32_t tick, int bpm) {
  TMidiEvent e = {tick, {}};
  SetMidiTempoEvent(e, bpm);
  AddEvent(e);
}

void TMidiFileBuf::AddTimeSigEvent(int32_t tick, uint8_t numerator, uint8_t denominatorCode) {
  TMidiEvent e = {tick, {}};
  SetMidiTimeSigEvent(e, numerator, denominatorCode);
  AddEvent(e);
}

void TMidiFileBuf::AddKeySigEvent(int32_t tick, int16_t sharpsOrFlats, bool minor) {
  TMidiEvent e = {tick, {}};
  SetMidiKeySigEvent(e, sharpsOrFlats, minor);
  AddEvent(e);
}

void TMidiFileBuf::AddHoldEvent(int32_t tick, uint16_t steps) {
  TMidiEvent e = {tick, {}};
  SetMidiHoldEvent(e, steps);
  AddEvent(e);
}

void TMidiFileBuf::AddShortEvent(int32_t tick, uint8_t statusClass, uint8_t port, uint8_t channel,
                                 uint8_t d1, uint8_t d2) {
  TMidiEvent e = {tick, {}};
  SetMidiShortEvent(e, statusClass, port, channel, d1, d2);
  AddEvent(e);
}

void TMidiFileBuf::AppendPause(int seconds) {
  // At 60 beats per minute a 48-tick step lasts a quarter of a second.
  const int32_t tick = LastTick() + startTick_ + 1;
  AddTempoEvent(tick, 60);
  const int steps = seconds <= 0 ? 0 : (seconds > 0xFFFF / 4 ? 0xFFFF : seconds * 4);
  AddHoldEvent(tick, uint16_t(steps));
}

bool TMidiFileBuf::IsEmpty() const { return lastAllocated_ < 0 || buffers_[0]->count == 0; }

int32_t TMidiFileBuf::EventCount() const {
  if (lastUsed_ < 0) return 0;
  return lastUsed_ * kMidiBufEvents + buffers_[lastUsed_]->count;
}

TMidiEvent TMidiFileBuf::EventAt(int32_t index) const {
  if (index < 0 || index >= EventCount()) return TMidiEvent{};
  return buffers_[index / kMidiBufEvents]->events[index % kMidiBufEvents];
}

int32_t TMidiFileBuf::LastTick() const {
  const int32_t n = EventCount();
  return n > 0 ? EventAt(n - 1).tick : 0;
}

uint32_t TMidiFileBuf::DurationMs() const {
  uint32_t tempo = 500000;
  int32_t anchor = 0, lastTick = 0;
  uint64_t holdTicks = 0;
  uint32_t ms = 0;
  const int32_t n = EventCount();
  for (int32_t i = 0; i < n; ++i) {
    const TMidiEvent e = EventAt(i);
    if (MidiEventType(e) == kMidiEventTempo) {
      ms += TicksToMs(tempo, uint64_t(e.tick > anchor ? e.tick - anchor : 0) + holdTicks);
      anchor = e.tick;
      holdTicks = 0;
      tempo = e.Tempo();
      continue;
    }
    if (MidiEventType(e) == kMidiEventHold) holdTicks += uint64_t(e.HoldSteps()) * kHoldStepTicks;
    lastTick = e.tick;
  }
  return ms + TicksToMs(tempo, uint64_t(lastTick > anchor ? lastTick - anchor : 0) + holdTicks);
}

int TMidiFileBuf::HighestVelocity(uint16_t channelMask) const {
  int v = 0;
  for (int32_t i = 0, n = EventCount(); i < n; ++i) {
    const TMidiEvent e = EventAt(i);
    if (IsMidiNoteStart(e) && (channelMask >> MidiEventChannel(e) & 1) && e.b[2] > v) v = e.b[2];
  }
  return v;
}

int TMidiFileBuf::LowestVelocity(uint16_t channelMask) const {
  int v = 127;
  for (int32_t i = 0, n = EventCount(); i < n; ++i) {
    const TMidiEvent e = EventAt(i);
    if (IsMidiNoteStart(e) && (channelMask >> MidiEventChannel(e) & 1) && e.b[2] < v) v = e.b[2];
  }
  return v;
}

uint16_t TMidiFileBuf::ChannelsUsing(uint8_t classMask) const {
  uint16_t channels = 0;
  for (int32_t i = 0, n = EventCount(); i < n; ++i) {
    const TMidiEvent e = EventAt(i);
    if (IsMidiShortEvent(e) && (e.b[0] & 0x80) && (classMask >> MidiEventClass(e) & 1)) {
      channels |= uint16_t(1u << MidiEventChannel(e));
    }
  }
  return channels;
}

int TMidiFileBuf::LargestChordSpan(uint16_t channelMask) const {
  bool sounding[128] = {};
  int largest = 0;
  for (int32_t i = 0, n = EventCount(); i < n; ++i) {
    const TMidiEvent e = EventAt(i);
    if (!(channelMask >> MidiEventChannel(e) & 1)) continue;
    const int key = e.b[1] & 0x7F;
    if (IsMidiNoteEnd(e)) {
      sounding[key] = false;
      continue;
    }
    if (!IsMidiNoteStart(e)) continue;
    sounding[key] = true;
    int low = 0, high = 127;
    while (!sounding[low]) ++low;
    while (!sounding[high]) --high;
    if (high - low > largest) largest = high - low;
  }
  return largest;
}

void TMidiFileBuf::PatchUsage(uint8_t port, uint16_t drumChannels, uint16_t programs[128],
                              uint16_t drumKeys[128]) const {
  std::memset(programs, 0, sizeof(uint16_t) * 128);
  std::memset(drumKeys, 0, sizeof(uint16_t) * 128);
  for (int32_t i = 0, n = EventCount(); i < n; ++i) {
    const TMidiEvent e = EventAt(i);
    if (!IsMidiShortEvent(e) || MidiEventPort(e) != port) continue;
    const uint16_t bit = uint16_t(1u << MidiEventChannel(e));
    if (MidiEventClass(e) == kMidiProgram) programs[e.b[1] & 0x7F] |= bit;
    if (IsMidiNoteStart(e) && (drumChannels & bit)) drumKeys[e.b[1] & 0x7F] |= bit;
  }
}

TSingleMidiBuf* TMidiFileBuf::Buffer(int index) const {
  return index >= 0 && index <= lastAllocated_ ? buffers_[index] : nullptr;
}
