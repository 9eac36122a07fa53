// What a benchmark reports about the process it ran in: the cores it may run on (a taskset or an
// affinity mask narrows them), its peak resident memory and the heap bytes it holds. Figures the
// platform does not give come back as -1 and are printed as such.
#pragma once

#include <thread>

#if defined(_WIN32)
#include <windows.h>
#include <psapi.h>
#elif defined(__linux__)
#include <malloc.h>
#include <sched.h>
#include <cstdio>
#include <cstring>
#endif

inline int AllowedCores() {
#if defined(_WIN32)
  DWORD_PTR process = 0, system = 0;
  if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system)) {
    int n = 0;
    for (; process; process &= process - 1) ++n;
    return n;
  }
#elif defined(__linux__)
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0) return CPU_COUNT(&set);
#endif
  return static_cast<int>(std::thread::hardware_concurrency());
}

// The most memory the process has held resident, in KiB.
inline long PeakResidentKiB() {
#if defined(_WIN32)
  PROCESS_MEMORY_COUNTERS counters{};
  if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#elif defined(__linux__)
  FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long kib = -1;
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, "VmHWM:", 6) == 0) kib = std::atol(line + 6);
  std::fclose(f);
  return kib;
#endif
  return -1;
}

// Bytes the C heap has handed out and not taken back (blocks and large mappings alike).
inline long long HeapBytesInUse() {
#if defined(__linux__) && defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 33)
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long long>(info.uordblks + info.hblkhd);
#else
  return -1;
#endif
}
