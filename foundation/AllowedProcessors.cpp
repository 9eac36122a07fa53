#include "foundation/AllowedProcessors.h"

#include <atomic>

namespace {
std::atomic<int> overrideCount{0};
}

int AllowedProcessors() {
  const int stand = overrideCount.load(std::memory_order_relaxed);
  return stand > 0 ? stand : SystemAllowedProcessors();
}

void SetAllowedProcessorsOverride(int count) { overrideCount.store(count > 0 ? count : 0, std::memory_order_relaxed); }
