// The sequencer itself, free of any operating-system call: conducting the timer ticks through
// the queued event buffers, sending, starting, stopping and recording input. The library's
// exports and callbacks are thin wrappers around these.
#pragma once
#include "engine/EnginePlatform.h"
#include "engine/EngineState.h"

// Fresh state after allocation.
void EngineInitState(EngineState& s);

// Sends one short-message event; 0 when the device answered "not ready", else 1.
int EngineSendEvent(EngineState& s, EnginePlatform& p, const TMidiEvent& e);

// 1 when playing started.
int EngineStartPlay(EngineState& s, EnginePlatform& p, EngineHandle notifyWindow,
                    const PlayParams& params, TSingleMidiBuf* first);
// One timer tick, on the timer thread.
void EngineConductTick(EngineState& s, EnginePlatform& p);
void EngineStopPlay(EngineState& s, EnginePlatform& p);
// 1 when the buffer was queued behind the one playing.
int EngineLoad(EngineState& s, TSingleMidiBuf* buffer);

// One message from the input device, on the driver's callback thread.
void EngineRecordInput(EngineState& s, EnginePlatform& p, EngineHandle input, uint32_t message,
                       uint32_t data);
void EngineSetRecording(EngineState& s, uint8_t flag);
// 1 when an entry was taken from the record ring.
int EngineGetRecorded(EngineState& s, TRecordedEvent* out);
void EngineSetEcho(EngineState& s, EngineHandle thru, uint8_t channel);

constexpr int32_t kConductStepTicks = 48;
constexpr uint32_t kPlayLeadInMs = 550;
constexpr uint32_t kEndRearmMs = 60000;
constexpr uint32_t kReanchorMs = 300000;
constexpr int kPrerollPasses = 20;
