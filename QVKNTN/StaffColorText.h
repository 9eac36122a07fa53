// The eight staff colour roles, their defaults, and a colour's form in the "StaffColors" section:
// "RGB(r,g,b)". Colours are Windows COLORREF values, 0x00BBGGRR.
#pragma once

#include <cstddef>
#include <cstdint>

namespace StaffColors {

constexpr int kCount = 8;
// Printer default, active staff, inactive staff, hidden notation, play highlight, highlights 1-3.
constexpr std::uint32_t kDefaults[kCount] = {0x000000, 0xC00000, 0x000000, 0xC0C0C0,
                                             0x0000FF, 0x0000FF, 0x00FF00, 0xFF0000};

// Reads "RGB(r,g,b)" as the settings have always been read: each number may carry blanks and a
// sign, and each is taken modulo 256 (so 300 is 44 and -1 is 255: never more than a byte).
// False unless all three numbers are there.
bool ParseColor(const char* text, std::uint32_t& color);
// Writes "RGB(r,g,b)"; false when the buffer is too small.
bool FormatColor(std::uint32_t color, char* buffer, std::size_t size);

}  // namespace StaffColors
