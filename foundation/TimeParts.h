// A duration in milliseconds split into hours, minutes, seconds and milliseconds.
#pragma once

#include <cstdint>

class TTimeParts {
 public:
  explicit TTimeParts(uint32_t milliseconds = 0) { SetMilliseconds(milliseconds); }

  void SetMilliseconds(uint32_t ms);
  uint32_t GetHours() const { return Hours; }
  int GetMinutes() const { return Minutes; }
  int GetSeconds() const { return Seconds; }
  uint32_t GetMilliseconds() const { return Milliseconds; }

 private:
  uint32_t Hours = 0;
  uint32_t Milliseconds = 0;
  uint8_t Minutes = 0;
  uint8_t Seconds = 0;
};
