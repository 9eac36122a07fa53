// The records the engine library shares with its callers: the 8-byte MIDI event, the event buffer
// the engine plays, the Play parameter record and the caller's instance record.
#pragma once
#include <cstdint>

// A device or window handle as the engine keeps it (32 bits in the Win32 library).
typedef uintptr_t EngineHandle;

// Event types live in the high nibble of the last data byte, the output port in its low nibble.
enum TMidiEventType : uint8_t {
  kMidiEventShort = 0,
  kMidiEventTempo = 1,
  kMidiEventTimeSig = 2,
  kMidiEventKeySig = 3,
  kMidiEventHold = 4,
};

struct TMidiEvent {
  int32_t tick;  // 192 per quarter note
  uint8_t b[4];  // status, data 1, data 2, type << 4 | port

  uint8_t Type() const { return b[3] >> 4; }
  uint8_t Port() const { return b[3] & 0x0F; }
  // The short message word as the device takes it (the device ignores the fourth byte).
  uint32_t Word() const {
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  }
  uint32_t Tempo() const { return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16; }
  uint16_t HoldSteps() const { return uint16_t(b[0] | b[1] << 8); }
};
static_assert(sizeof(TMidiEvent) == 8);

constexpr int kMidiBufEvents = 1024;

// One block of events as the engine plays it; the engine writes 0 into count when it is done.
struct TSingleMidiBuf {
  int16_t count;
  uint16_t reserved;
  TMidiEvent events[kMidiBufEvents];
};
static_assert(sizeof(TSingleMidiBuf) == 8196);

struct PlayParams {
  uint16_t timerPeriod;      // ms, 0 keeps the engine's value
  uint16_t timerResolution;  // ms, 0 keeps the engine's value
  uint16_t notifyOffset;     // the engine posts WM_USER + offset
  uint16_t reserved;
  uint32_t outputs[16];      // output handle per port, 0 = not open
};
static_assert(sizeof(PlayParams) == 72);

struct EngineState;

// The caller's record; a caller may pass a larger one (the editor passes 36 bytes).
struct EngineInstance {
  uint32_t size;
  EngineHandle memory;  // the global memory block holding the state
  EngineState* state;
};

// Milliseconds that `ticks` take at `tempo` microseconds per quarter, the way the conductor
// counts them, so that estimates made elsewhere agree with playback. The products are 64-bit:
// the same figures as 32-bit arithmetic wherever that does not overflow.
inline uint32_t EngineTicksToMs(uint32_t tempo, uint32_t ticks) {
  const uint64_t t = ticks;
  return uint32_t(((tempo / 192) * t + ((tempo % 192) * t) / 192) / 1000);
}

constexpr uint32_t kEngineMinInstanceSize = 12;
constexpr uint32_t kEngineNotifyBase = 0x400;  // WM_USER
constexpr uint32_t kEngineEchoMessage = 0x3C3; // the value of MIM_DATA
constexpr uint32_t kEngineNotifyPlaying = 1;
constexpr uint32_t kEngineNotifyEnd = 2;
constexpr uint32_t kMidiErrNotReady = 67;      // MIDIERR_NOTREADY
