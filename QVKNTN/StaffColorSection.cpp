#include "QVKNTN/StaffColorSection.h"

#include <cstdio>

#include "foundation/SysInfo.h"

namespace StaffColors {

namespace {

struct Key {
  char text[4];
  explicit Key(int index) { std::snprintf(text, sizeof text, "%d", index); }
};

}  // namespace

int LoadSection(TSysInfo& settings, const char* section,
                const std::function<void(int index, std::uint32_t color)>& set) {
  for (int i = 0; i < kCount; ++i) {
    char text[64];
    settings.ReadString(section, Key(i).text, "", text, sizeof text);
    std::uint32_t color;
    if (!ParseColor(text, color)) return i;
    set(i, color);
  }
  return kCount;
}

void SaveSection(TSysInfo& settings, const char* section, const std::uint32_t (&colors)[kCount]) {
  for (int i = 0; i < kCount; ++i) {
    char text[32];
    if (FormatColor(colors[i], text, sizeof text)) settings.WriteString(section, Key(i).text, text);
  }
}

}  // namespace StaffColors
