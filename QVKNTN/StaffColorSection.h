// The staff colours' settings section: keys "0".."7" (the colour index in decimal), each
// "RGB(r,g,b)", read in order and written all eight at once.
#pragma once

#include <cstdint>
#include <functional>

#include "QVKNTN/StaffColorText.h"

class TSysInfo;

namespace StaffColors {

// Hands each colour read to `set`, key by key, and stops at the first key that is missing or does
// not hold three numbers, so that colour and the ones after it stay as they were. Answers how
// many keys were read.
int LoadSection(TSysInfo& settings, const char* section,
                const std::function<void(int index, std::uint32_t color)>& set);
void SaveSection(TSysInfo& settings, const char* section, const std::uint32_t (&colors)[kCount]);

}  // namespace StaffColors
