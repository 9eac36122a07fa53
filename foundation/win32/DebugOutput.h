// Notes for the debugger: formatted text passed to OutputDebugString, never shown to the user.
#pragma once

#include <cstdarg>

constexpr int kDebugTextSize = 256;

// The text is cut to 255 characters.
void DebugPrintF(const char* format, ...);
void DebugPrintV(const char* format, va_list args);
