#include "foundation/VersionText.h"

#include <cstdio>

void FormatVersion(char* buffer, size_t size, int version, int kind, int number) {
  if (!buffer || size == 0) return;
  const int major = version / 256;
  const int minor = version % 256;
  if (kind == kVersionPreview) {
    std::snprintf(buffer, size, "%d.%d Preview %d", major, minor, number + 1);
  } else if (kind == kVersionBeta) {
    std::snprintf(buffer, size, "%d.%d Beta %d", major, minor, number + 1);
  } else if (number != 0) {
    std::snprintf(buffer, size, "%d.%d.%d", major, minor, number);
  } else {
    std::snprintf(buffer, size, "%d.%d", major, minor);
  }
}
