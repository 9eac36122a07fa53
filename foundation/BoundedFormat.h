// printf formatting into a fixed buffer: the text is cut to size - 1 characters and always
// terminated; a buffer of size 0 or a null format is left alone.
#pragma once

#include <cstdarg>
#include <cstddef>

void FormatBoundedV(char* buffer, size_t size, const char* format, va_list args);
void FormatBounded(char* buffer, size_t size, const char* format, ...);
