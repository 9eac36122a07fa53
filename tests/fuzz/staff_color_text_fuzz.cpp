// Staff colour text from a settings file: any bytes either read as a colour within 24 bits or are
// refused, and what reads writes back to text that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "QVKNTN/StaffColorText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::uint32_t color = 0;
  if (!StaffColors::ParseColor(text.c_str(), color)) return 0;
  if (color > 0xFFFFFF) std::abort();
  char back[32];
  std::uint32_t again = 0;
  if (!StaffColors::FormatColor(color, back, sizeof back) || !StaffColors::ParseColor(back, again) ||
      again != color)
    std::abort();
  return 0;
}
