// What a benchmark reports about the process it ran in besides the processors it may use
// (foundation/AllowedProcessors.h): its peak resident memory and the heap bytes it holds. Figures
// the platform does not give come back as -1.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#include <psapi.h>
#elif defined(__linux__)
#include <malloc.h>
#include <sys/resource.h>
#include <cstdio>
#include <cstring>
#endif

// Processor time all the process's threads have spent so far (user and system), in ms.
inline double ProcessCpuMilliseconds() {
#if defined(_WIN32)
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
  const auto ticks = [](const FILETIME& t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e4;
#elif defined(__linux__)
  struct rusage usage;
  if (getrusage(RUSAGE_SELF, &usage) != 0) return -1;
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
#else
  return -1;
#endif
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
