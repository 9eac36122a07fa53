// The texts of the About box: the product name and the version line.
#pragma once

#include <cstddef>

constexpr int kProgramVersion = 331;  // high byte major, low byte minor
constexpr const char kProductName[] = "Vellichord";

// "major.minor" of the version, then "b" and " (32-bit)": "1.75b (32-bit)".
void FormatAboutVersion(char* buffer, size_t size);
