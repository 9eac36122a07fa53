#include "midi/RecordingBuffer.h"

#include "midi/MidiEvent.h"

TRecordingBuffer::TRecordingBuffer() { Reset(); }

void TRecordingBuffer::Reset() {
  data_.SetTrackCount(1);
  Track().Reset();
  present_ = false;
}

bool TRecordingBuffer::AddRecorded(const TRecordedEvent& event) {
  if (event.tick < 0) return false;
  const uint8_t status = uint8_t(event.message);
  // The engine keeps channel messages only; anything else would not read back as a short event.
  if (status < 0x80 || status >= 0xF0) return false;
  TMidiEvent e = {event.tick, {status, uint8_t(event.message >> 8 & 0x7F), uint8_t(event.message >> 16 & 0x7F), 0}};
  Track().AddEvent(e);
  present_ = true;
  return true;
}
