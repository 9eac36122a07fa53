#include <sched.h>

#include <thread>

#include "foundation/AllowedProcessors.h"

int SystemAllowedProcessors() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) return CPU_COUNT(&set);
  const unsigned all = std::thread::hardware_concurrency();
  return all > 0 ? static_cast<int>(all) : 1;
}
