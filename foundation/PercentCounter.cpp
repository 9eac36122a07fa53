#include "foundation/PercentCounter.h"

TPercentCounter::TPercentCounter(uint32_t total) { SetTotal(total); }

void TPercentCounter::SetTotal(uint32_t total) { Total = total ? total : 1; }

int TPercentCounter::Step() {
  ++Current;
  return GetPercent();
}

int TPercentCounter::GetPercent() const {
  // In 64 bits current * 100 cannot overflow, so every total gets the exact percentage.
  const uint64_t percent = static_cast<uint64_t>(Current) * 100u / Total;
  return percent > 100 ? 100 : static_cast<int>(percent);
}
