#include "foundation/WindowsVersion.h"

#include <windows.h>

TWindowsVersion QueryWindowsVersion() {
  TWindowsVersion v;
  v.Packed = GetVersion();
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (GetVersionExA(&info)) {
    v.PlatformId = info.dwPlatformId;
    v.Major = info.dwMajorVersion;
    v.Minor = info.dwMinorVersion;
  }
  return v;
}
