// A platform for the engine core that tests drive by hand: a millisecond clock that moves only
// when told, and recorders for every send, notification and timer call.
#pragma once
#include <cstdint>
#include <deque>
#include <vector>

#include "engine/EngineCore.h"

class FakeEnginePlatform final : public EnginePlatform {
public:
  struct Sent {
    uint32_t time;
    EngineHandle output;
    uint32_t message;
  };
  struct Posted {
    uint32_t time;
    EngineHandle window;
    uint32_t message;
    uintptr_t wParam;
    uintptr_t lParam;
  };

  uint32_t now = 100000;
  std::vector<Sent> sent;        // only the sends the device accepted
  std::vector<Posted> posted;
  int busyAnswers = 0;           // sends still to be answered "not ready"
  int beginPeriods = 0, endPeriods = 0;
  bool refuseTimer = false;
  uint32_t timerId = 0;          // the running timer, 0 when none
  uint32_t timerPeriod = 0;
  EngineState* timerState = nullptr;

  uint32_t Now() override { return now; }
  uint32_t SendShort(EngineHandle output, uint32_t message) override {
    if (busyAnswers > 0) {
      --busyAnswers;
      return kMidiErrNotReady;
    }
    sent.push_back({now, output, message});
    return 0;
  }
  void Post(EngineHandle window, uint32_t message, uintptr_t wParam, uintptr_t lParam) override {
    posted.push_back({now, window, message, wParam, lParam});
  }
  bool BeginPeriod(uint32_t ms) override {
    if (ms == 0) return false;  // as the system does
    ++beginPeriods;
    return true;
  }
  void EndPeriod(uint32_t ms) override { ++endPeriods; }
  uint32_t StartTimer(uint32_t periodMs, uint32_t resolutionMs, EngineState* state) override {
    if (refuseTimer || periodMs == 0) return 0;
    timerPeriod = periodMs;
    timerState = state;
    return timerId = 7;
  }
  void KillTimer(uint32_t id) override {
    if (id == timerId) timerId = 0;
  }

  // Runs the timer for `ms` milliseconds, one tick per period.
  void Run(uint32_t ms) {
    for (uint32_t t = 0; t < ms; t += timerPeriod ? timerPeriod : 1) {
      now += timerPeriod ? timerPeriod : 1;
      if (timerId && timerState) EngineConductTick(*timerState, *this);
    }
  }
};
