#include "foundation/RegistrySettings.h"

#include <cstring>

#include "foundation/TextUtils.h"

int RegistryReadInt(const TRegistryPath&, const char*, int defaultValue) { return defaultValue; }
int RegistryWriteInt(const TRegistryPath&, const char*, int) { return 0; }

int RegistryReadString(const TRegistryPath&, const char*, const char* defaultText, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  StrCopyMax(buffer, defaultText, static_cast<size_t>(size));
  return static_cast<int>(std::strlen(buffer));
}

int RegistryWriteString(const TRegistryPath&, const char*, const char*) { return 0; }

int RegistryReadBinary(const TRegistryPath&, const char*, const void* defaultBytes, void* buffer, int length) {
  if (!defaultBytes || !buffer || length <= 0) return 0;
  std::memcpy(buffer, defaultBytes, static_cast<size_t>(length));
  return length;
}

int RegistryWriteBinary(const TRegistryPath&, const char*, const void*, int) { return 0; }
