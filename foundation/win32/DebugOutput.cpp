#include "foundation/win32/DebugOutput.h"

#include <windows.h>

#include <cstdio>

void DebugPrintF(const char* format, ...) {
  va_list args;
  va_start(args, format);
  DebugPrintV(format, args);
  va_end(args);
}

void DebugPrintV(const char* format, va_list args) {
  if (!format) return;
  char text[kDebugTextSize];
  std::vsnprintf(text, sizeof text, format, args);
  OutputDebugStringA(text);
}
