// A MIDI performance as one sorted list of events, kept in the engine's own event buffers so that
// playing it means handing the buffers to the engine one after the other.
#pragma once
#include <cstdint>

#include "midi/MidiEvent.h"

class TMidiFileBuf {
public:
  static constexpr int kMaxBuffers = 1024;

  // growth: buffers added when the allocated ones are full (0 = never grow).
  explicit TMidiFileBuf(int32_t growth);
  ~TMidiFileBuf();
  TMidiFileBuf(const TMidiFileBuf&) = delete;
  TMidiFileBuf& operator=(const TMidiFileBuf&) = delete;

  // Frees every buffer and allocates min(n, 1024) empty ones; returns how many it got.
  int Allocate(int n);
  // Empties the list; the allocated buffers stay.
  void Reset();
  void SetStartTick(int32_t tick) { startTick_ = tick; }
  int32_t StartTick() const { return startTick_; }
  // Bit n set: events of type n are dropped.
  void SetTypeFilter(int16_t mask) { typeFilter_ = mask; }
  int16_t TypeFilter() const { return typeFilter_; }

  void AddEvent(const TMidiEvent& event);
  void AddTempoEvent(int32_t tick, int bpm);
  void AddTimeSigEvent(int32_t tick, uint8_t numerator, uint8_t denominatorCode);
  void AddKeySigEvent(int32_t tick, int16_t sharpsOrFlats, bool minor);
  void AddHoldEvent(int32_t tick, uint16_t steps);
  void AddShortEvent(int32_t tick, uint8_t statusClass, uint8_t port, uint8_t channel,
                     uint8_t d1, uint8_t d2);
  // Keeps the engine busy for `seconds` after the last event without moving the song position.
  void AppendPause(int seconds);

  bool IsOverflowed() const { return overflow_ != 0; }
  bool IsEmpty() const;
  int32_t EventCount() const;
  // The event at `index`; an all-zero event outside the list.
  TMidiEvent EventAt(int32_t index) const;
  int32_t LastTick() const;
  // Playing time up to the last event, counted the way the engine counts it.
  uint32_t DurationMs() const;

  int HighestVelocity(uint16_t channelMask) const;
  int LowestVelocity(uint16_t channelMask) const;
  // Bit c set for every channel with short messages of a status class in `classMask`.
  uint16_t ChannelsUsing(uint8_t classMask) const;
  // Largest distance in semitones between the lowest and highest sounding key.
  int LargestChordSpan(uint16_t channelMask) const;
  // Per program and per key, a bit for each channel of `port` that changes to the program or
  // strikes the key on a drum channel.
  void PatchUsage(uint8_t port, uint16_t drumChannels, uint16_t programs[128],
                  uint16_t drumKeys[128]) const;

  // The engine buffers, for playing.
  TSingleMidiBuf* Buffer(int index) const;
  int32_t LastUsedBuffer() const { return lastUsed_; }
  int32_t LastAllocatedBuffer() const { return lastAllocated_; }

private:
  bool ApplyStartTick(TMidiEvent& event);
  bool ReplaceAtStart(const TMidiEvent& event);
  int FirstBufferTaking(const TMidiEvent& e) const;
  bool InsertCarrying(int index, TMidiEvent& carried, bool& earlier);
  bool AddBuffer();
  void FreeAll();

  TSingleMidiBuf* buffers_[kMaxBuffers];
  int32_t lastAllocated_;
  int32_t lastUsed_;
  int32_t overflow_;
  int32_t startTick_;
  int16_t typeFilter_;
  int32_t growth_;
};

// A position in a list, for walking it in either direction.
class TMidiEventCursor {
public:
  explicit TMidiEventCursor(const TMidiFileBuf& list) : list_(list) {}
  int32_t Index() const { return index_; }
  void SetIndex(int32_t index) { index_ = index; }
  bool HasMore(bool forwards) const {
    return forwards ? index_ < list_.EventCount() - 1 : index_ > 0;
  }
  TMidiEvent Event() const { return list_.EventAt(index_); }

private:
  const TMidiFileBuf& list_;
  int32_t index_ = 0;
};
