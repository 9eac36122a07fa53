#include "midi/SMFOutStream.h"

#include <cstring>

#include "foundation/QXTStream.h"
#include "midi/MidiEvent.h"

namespace {

constexpr uint8_t kEndOfTrack[] = {0x00, 0xFF, 0x2F, 0x00};
constexpr uint32_t kHeaderLength = 6;

bool TakesTwoDataBytes(uint8_t status) {
  const int cls = (status >> 4) & 7;
  return cls != kMidiProgram && cls != kMidiChannelPressure;
}

}  // namespace

TSMFOutStream::TSMFOutStream(TQXTStream& out) : out_(out) {}

void TSMFOutStream::WriteByte(uint8_t byte) {
  out_.PutByte(byte);
  ++trackBytes_;
  if (out_.IsFailed() && !HasError()) SetError("Error writing MIDI data");
}

void TSMFOutStream::WriteBig(uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) WriteByte(uint8_t(value >> (8 * i)));
}

void TSMFOutStream::WriteVarLen(uint32_t value) {
  uint8_t bytes[5];
  int n = 0;
  do {
    bytes[n++] = uint8_t(value & 0x7F);
    value >>= 7;
  } while (value > 0);
  while (n > 1) WriteByte(uint8_t(bytes[--n] | 0x80));
  WriteByte(bytes[0]);
}

void TSMFOutStream::WriteDelta(int32_t tick) {
  // A list is sorted, so a tick never lies behind the last one; a stray one is written at once.
  WriteVarLen(tick > lastTick_ ? uint32_t(tick - lastTick_) : 0);
  if (tick > lastTick_) lastTick_ = tick;
}

void TSMFOutStream::WriteEvent(const TMidiEvent& e) {
  switch (MidiEventType(e)) {
    case kMidiEventShort:
      WriteDelta(e.tick);
      WriteByte(e.b[0]);
      WriteByte(e.b[1] & 0x7F);
      if (TakesTwoDataBytes(e.b[0])) WriteByte(e.b[2] & 0x7F);
      return;
    case kMidiEventTempo: {
      WriteDelta(e.tick);
      const uint8_t tempo[3] = {e.b[2], e.b[1], e.b[0]};
      WriteByte(0xFF);
      WriteByte(0x51);
      WriteByte(3);
      for (uint8_t b : tempo) WriteByte(b);
      return;
    }
    case kMidiEventTimeSig: {
      WriteDelta(e.tick);
      const uint8_t sig[] = {0xFF, 0x58, 0x04, e.b[0], e.b[1], 24, 8};
      for (uint8_t b : sig) WriteByte(b);
      return;
    }
    case kMidiEventKeySig: {
      WriteDelta(e.tick);
      const int16_t sharps = int16_t(e.b[0] | e.b[1] << 8);
      const uint8_t sig[] = {0xFF, 0x59, 0x02, uint8_t(int8_t(sharps)), uint8_t(e.b[2] ? 1 : 0)};
      for (uint8_t b : sig) WriteByte(b);
      return;
    }
    default:
      return;
  }
}

void TSMFOutStream::WriteMetaText(int type, const char* text, int32_t tick) {
  if (tick < 0) {
    WriteVarLen(0);
  } else {
    WriteDelta(tick);
  }
  const uint32_t length = uint32_t(std::strlen(text));
  WriteByte(0xFF);
  WriteByte(uint8_t(type));
  WriteVarLen(length);
  for (uint32_t i = 0; i < length; ++i) WriteByte(uint8_t(text[i]));
}

void TSMFOutStream::WriteMeta(int type, const uint8_t* data, uint32_t length) {
  WriteVarLen(0);
  WriteByte(0xFF);
  WriteByte(uint8_t(type));
  WriteVarLen(length);
  for (uint32_t i = 0; i < length; ++i) WriteByte(data[i]);
}

void TSMFOutStream::WriteTrack(bool tempoTrack, int track) {
  const uint32_t start = out_.Tell();
  const uint8_t tag[] = {'M', 'T', 'r', 'k', 0, 0, 0, 0};
  for (uint8_t b : tag) WriteByte(b);
  trackBytes_ = 0;
  lastTick_ = 0;
  if (tempoTrack) {
    WriteTempoTrackBody();
  } else {
    WriteTrackBody(track);
  }
  for (uint8_t b : kEndOfTrack) WriteByte(b);
  const uint32_t length = trackBytes_;
  const uint32_t end = out_.Tell();
  out_.Seek(start + 4);
  WriteBig(length, 4);
  out_.Seek(end);
  if (out_.IsFailed() && !HasError()) SetError("Error writing MIDI data");
}

bool TSMFOutStream::WriteMidiFile(int format, int trackCount, int division) {
  format_ = format;
  trackCount_ = format == 0 ? 1 : trackCount + 1;
  division_ = division;
  const uint8_t tag[] = {'M', 'T', 'h', 'd'};
  for (uint8_t b : tag) WriteByte(b);
  WriteBig(kHeaderLength, 4);
  WriteBig(uint32_t(format), 2);
  WriteBig(uint32_t(trackCount_), 2);
  WriteBig(uint32_t(division), 2);
  WriteTrack(true, 0);
  if (format != 0) {
    for (int i = 0; i < trackCount; ++i) WriteTrack(false, i);
  }
  return !HasError();
}
