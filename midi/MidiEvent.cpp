#include "midi/MidiEvent.h"

namespace {

void SetType(TMidiEvent& e, uint8_t type) { e.b[3] = uint8_t((e.b[3] & 0x0F) | type << 4); }

}  // namespace

int MidiEventSortClass(const TMidiEvent& e) {
  if (!IsMidiShortEvent(e)) return 2;
  if (IsMidiNoteEnd(e)) return 0;
  if (IsMidiNoteStart(e)) return 4;
  if (MidiEventClass(e) == kMidiControl && e.b[1] == 64) return e.b[2] < 65 ? 1 : 3;
  return 2;
}

void SetMidiEventStatus(TMidiEvent& e, uint8_t statusClass) {
  e.b[0] = uint8_t(0x80 + (statusClass & 7) * 16 + (e.b[0] & 0x0F));
  SetType(e, kMidiEventShort);
}

void SetMidiEventChannel(TMidiEvent& e, uint8_t channel) {
  e.b[0] = uint8_t((e.b[0] & 0xF0) | (channel & 0x0F));
}

void SetMidiEventPort(TMidiEvent& e, uint8_t port) {
  e.b[3] = uint8_t((e.b[3] & 0xF0) | (port & 0x0F));
}

void SetMidiEventData(TMidiEvent& e, uint8_t d1, uint8_t d2) {
  e.b[1] = d1;
  e.b[2] = d2;
}

void SetMidiEventData2(TMidiEvent& e, uint8_t d2) { e.b[2] = d2; }

void SetMidiShortEvent(TMidiEvent& e, uint8_t statusClass, uint8_t port, uint8_t channel,
                       uint8_t d1, uint8_t d2) {
  SetMidiEventStatus(e, statusClass);
  SetMidiEventChannel(e, channel);
  SetMidiEventPort(e, port);
  SetMidiEventData(e, d1, d2);
}

void SetMidiTempoEvent(TMidiEvent& e, int bpm) {
  if (bpm < 4) bpm = 4;
  const uint32_t us = 60000000u / uint32_t(bpm);
  e.b[0] = uint8_t(us);
  e.b[1] = uint8_t(us >> 8);
  e.b[2] = uint8_t(us >> 16);
  SetType(e, kMidiEventTempo);
}

int MidiEventTempoBpm(const TMidiEvent& e) {
  if (MidiEventType(e) != kMidiEventTempo) return 45;
  uint32_t us = e.Tempo();
  if (us == 0) us = 1;  // an imported tempo of 0 would divide by zero
  const uint32_t bpm = 60000000u / us;
  return bpm < 8 ? 8 : int(bpm);
}

void SetMidiTimeSigEvent(TMidiEvent& e, uint8_t numerator, uint8_t denominatorCode) {
  e.b[0] = numerator;
  e.b[1] = denominatorCode;
  e.b[2] = 0;
  SetType(e, kMidiEventTimeSig);
}

void SetMidiKeySigEvent(TMidiEvent& e, int16_t sharpsOrFlats, bool minor) {
  const uint16_t v = uint16_t(sharpsOrFlats);
  e.b[0] = uint8_t(v);
  e.b[1] = uint8_t(v >> 8);
  e.b[2] = minor ? 1 : 0;
  SetType(e, kMidiEventKeySig);
}

void SetMidiHoldEvent(TMidiEvent& e, uint16_t steps) {
  e.b[0] = uint8_t(steps);
  e.b[1] = uint8_t(steps >> 8);
  e.b[2] = 0;
  SetType(e, kMidiEventHold);
}
