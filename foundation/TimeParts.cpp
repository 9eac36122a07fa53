#include "foundation/TimeParts.h"

void TTimeParts::SetMilliseconds(uint32_t ms) {
  Hours = ms / 3600000u;
  Minutes = static_cast<uint8_t>((ms % 3600000u) / 60000u);
  Seconds = static_cast<uint8_t>((ms % 60000u) / 1000u);
  Milliseconds = ms % 1000u;
}
