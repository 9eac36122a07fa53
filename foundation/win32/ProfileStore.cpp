#include "foundation/ProfileStore.h"

#include <windows.h>

int ProfileReadString(const char* file, const char* section, const char* key, const char* defaultText,
                      char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  return static_cast<int>(GetPrivateProfileStringA(section, key, defaultText ? defaultText : "", buffer,
                                                   static_cast<DWORD>(size), file));
}

bool ProfileWriteString(const char* file, const char* section, const char* key, const char* value) {
  return WritePrivateProfileStringA(section, key, value, file) != FALSE;
}

void ProfileFlush(const char* file) { WritePrivateProfileStringA(nullptr, nullptr, nullptr, file); }
