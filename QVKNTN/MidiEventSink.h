// Where items put the MIDI events they perform; the performance's event list implements it.
#pragma once
#include <cstdint>

class TMidiEventSink {
 public:
  virtual ~TMidiEventSink() = default;
  // A channel message: status byte with the channel in its low nibble, two data bytes.
  virtual void AddShortEvent(int32_t tick, int port, uint8_t status, uint8_t data1, uint8_t data2) = 0;
  // Tempo in quarter notes per minute; items never pass less than 1.
  virtual void AddTempoEvent(int32_t tick, int beatsPerMinute) = 0;
  // Key signature: sharps positive, flats negative.
  virtual void AddKeySigEvent(int32_t tick, int sharpsOrFlats) = 0;
  // The song position stands still for count steps (a breath mark or fermata).
  virtual void AddHoldEvent(int32_t tick, int count) = 0;
  // True once the list can take no more events; walks that fill it stop there.
  virtual bool IsFull() const { return false; }
};
