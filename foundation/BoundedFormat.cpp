#include "foundation/BoundedFormat.h"

#include <cstdio>

void FormatBoundedV(char* buffer, size_t size, const char* format, va_list args) {
  if (!buffer || size == 0) return;
  if (!format) {
    buffer[0] = '\0';
    return;
  }
  std::vsnprintf(buffer, size, format, args);
}

void FormatBounded(char* buffer, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatBoundedV(buffer, size, format, args);
  va_end(args);
}
