// The engine's per-caller state block: everything the timer and input threads share with the
// caller's thread. It lives in zero-filled global memory that AllocInst hands to the caller.
#pragma once
#include "engine/EngineRecords.h"

struct TRecordedEvent {
  int32_t tick;      // song position of the input, -1 when nothing was playing
  uint32_t message;  // the short message, type nibble cleared
};

constexpr int kRecordRingSize = 256;  // 8-bit indexes wrap by themselves

struct EngineState {
  uint32_t playing;          // byte 0 is the flag
  int32_t songPosition;
  int32_t nextEventTick;
  uint16_t sounding[16][128];  // bit n = channel n holds a note-on not yet ended
  uint16_t timerPeriod;
  uint16_t timerResolution;
  int32_t targetTick;
  uint32_t dueTime;
  uint32_t anchorTime;
  int32_t anchorTick;
  int32_t holdCount;
  uint32_t tempo;            // microseconds per quarter note
  uint8_t recording;
  uint8_t ringRead;          // owned by the caller's thread
  uint8_t ringWrite;         // owned by the input thread
  TRecordedEvent ring[kRecordRingSize];
  TMidiEvent* cursor;
  TSingleMidiBuf* current;
  TMidiEvent* last;          // last event of the current buffer, not one past it
  TSingleMidiBuf* queued;    // written by Load, cleared by the timer
  EngineHandle outputs[16];
  EngineHandle thru;
  uint8_t thruChannel;       // 0 keeps the channel, 1-16 replaces it
  EngineHandle echoWindow;
  uint32_t timerId;
  uint32_t notifyMessage;
  EngineHandle notifyWindow;
  // Input that found the ring full: dropped rather than overwriting unread entries.
  uint32_t ringDropped;
  // The period timeBeginPeriod accepted, 0 when none is in force; Stop ends exactly this one.
  uint16_t periodBegun;
};
