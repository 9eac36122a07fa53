#include "foundation/WindowsVersion.h"

// The host build answers as the NT 5.1 system the Win32 build targets.
TWindowsVersion QueryWindowsVersion() {
  TWindowsVersion v;
  v.Packed = 0x0A280105u;
  v.PlatformId = 2;
  v.Major = 5;
  v.Minor = 1;
  return v;
}
