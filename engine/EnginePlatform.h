// The engine's view of the operating system: the millisecond clock, short-message output,
// posted notifications and the periodic timer. The library binds it to the multimedia services;
// tests bind it to a fake clock and recorders.
#pragma once
#include "engine/EngineRecords.h"

struct EngineState;

class EnginePlatform {
public:
  virtual uint32_t Now() = 0;
  // Returns the device's result code (0 = sent, kMidiErrNotReady = try again later).
  virtual uint32_t SendShort(EngineHandle output, uint32_t message) = 0;
  virtual void Post(EngineHandle window, uint32_t message, uintptr_t wParam, uintptr_t lParam) = 0;
  // Raises the timer resolution; false when the system refuses the period.
  virtual bool BeginPeriod(uint32_t ms) = 0;
  virtual void EndPeriod(uint32_t ms) = 0;
  // Starts a periodic timer that runs EngineConductTick on the state; 0 when it fails.
  virtual uint32_t StartTimer(uint32_t periodMs, uint32_t resolutionMs, EngineState* state) = 0;
  // Kills the timer and waits for a running tick to finish.
  virtual void KillTimer(uint32_t id) = 0;

protected:
  ~EnginePlatform() = default;
};
