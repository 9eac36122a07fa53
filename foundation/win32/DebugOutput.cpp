#include "foundation/win32/DebugOutput.h"

#include <windows.h>

#include "foundation/BoundedFormat.h"

void DebugPrintF(const char* format, ...) {
  va_list args;
  va_start(args, format);
  DebugPrintV(format, args);
  va_end(args);
}

void DebugPrintV(const char* format, va_list args) {
  if (!format) return;
  char text[kDebugTextSize];
  FormatBoundedV(text, sizeof text, format, args);
  OutputDebugStringA(text);
}
