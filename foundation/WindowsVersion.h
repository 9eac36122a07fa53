// What the system reports about its version: the packed GetVersion value (low byte major,
// second byte minor, bit 31 set on the Windows 95 family) and GetVersionEx's platform and numbers.
#pragma once

#include <cstdint>

struct TWindowsVersion {
  uint32_t Packed = 0;
  uint32_t PlatformId = 0;  // 1 Windows 95 family, 2 NT
  uint32_t Major = 0;
  uint32_t Minor = 0;
};

TWindowsVersion QueryWindowsVersion();
