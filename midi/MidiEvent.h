// Builders and readers of the 8-byte MIDI event that the event lists hold and the engine plays.
#pragma once
#include "engine/EngineRecords.h"

// Status classes: the high nibble of a status byte less 8.
enum TMidiStatusClass : uint8_t {
  kMidiNoteOff = 0,
  kMidiNoteOn = 1,
  kMidiPolyPressure = 2,
  kMidiControl = 3,
  kMidiProgram = 4,
  kMidiChannelPressure = 5,
  kMidiPitchBend = 6,
  kMidiSystem = 7,
};

inline uint8_t MidiEventType(const TMidiEvent& e) { return e.b[3] >> 4; }
inline uint8_t MidiEventPort(const TMidiEvent& e) { return e.b[3] & 0x0F; }
inline uint8_t MidiEventClass(const TMidiEvent& e) { return (e.b[0] >> 4) & 7; }
inline uint8_t MidiEventChannel(const TMidiEvent& e) { return e.b[0] & 0x0F; }
inline bool IsMidiShortEvent(const TMidiEvent& e) { return MidiEventType(e) == kMidiEventShort; }
// A note-on that starts a note (velocity above 0).
inline bool IsMidiNoteStart(const TMidiEvent& e) {
  return IsMidiShortEvent(e) && MidiEventClass(e) == kMidiNoteOn && e.b[2] > 0;
}
// A note-off, or a note-on with velocity 0.
inline bool IsMidiNoteEnd(const TMidiEvent& e) {
  return IsMidiShortEvent(e) && (MidiEventClass(e) == kMidiNoteOff ||
                                 (MidiEventClass(e) == kMidiNoteOn && e.b[2] == 0));
}

// Order of events at one tick: notes end (0), the pedal lifts (1), state changes and meta events
// (2), the pedal goes down (3), notes start (4).
int MidiEventSortClass(const TMidiEvent& e);

void SetMidiEventStatus(TMidiEvent& e, uint8_t statusClass);
void SetMidiEventChannel(TMidiEvent& e, uint8_t channel);
// Ports 0-15: the whole low nibble of the last byte.
void SetMidiEventPort(TMidiEvent& e, uint8_t port);
void SetMidiEventData(TMidiEvent& e, uint8_t d1, uint8_t d2);
void SetMidiEventData2(TMidiEvent& e, uint8_t d2);
void SetMidiShortEvent(TMidiEvent& e, uint8_t statusClass, uint8_t port, uint8_t channel,
                       uint8_t d1, uint8_t d2);

// Tempo in beats per minute; below 4 counts as 4, so no event ever holds 0 microseconds.
void SetMidiTempoEvent(TMidiEvent& e, int bpm);
// Beats per minute of a tempo event, at least 8; 45 for any other event.
int MidiEventTempoBpm(const TMidiEvent& e);
void SetMidiTimeSigEvent(TMidiEvent& e, uint8_t numerator, uint8_t denominatorCode);
void SetMidiKeySigEvent(TMidiEvent& e, int16_t sharpsOrFlats, bool minor);
void SetMidiHoldEvent(TMidiEvent& e, uint16_t steps);
