#include "midi/MidiListSink.h"

#include "midi/MidiFileBuf.h"

void TMidiListSink::AddShortEvent(int32_t tick, int port, uint8_t status, uint8_t data1, uint8_t data2) {
  list_.AddShortEvent(tick, uint8_t((status >> 4) & 7), uint8_t(port), uint8_t(status & 0x0F), data1, data2);
}

void TMidiListSink::AddTempoEvent(int32_t tick, int beatsPerMinute) { list_.AddTempoEvent(tick, beatsPerMinute); }

void TMidiListSink::AddKeySigEvent(int32_t tick, int sharpsOrFlats) {
  list_.AddKeySigEvent(tick, int16_t(sharpsOrFlats), false);
}

void TMidiListSink::AddHoldEvent(int32_t tick, int count) { list_.AddHoldEvent(tick, uint16_t(count < 0 ? 0 : count)); }

bool TMidiListSink::IsFull() const { return list_.IsOverflowed(); }
