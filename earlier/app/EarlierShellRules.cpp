#include "earlier/app/EarlierShellRules.h"

#include <cstdio>

namespace earlier_shell {

void FormatReleaseVersion(char* buffer, std::size_t size, int number, int stage, int subRelease) {
  if (!buffer || size == 0) return;
  char letter[2] = {0, 0};
  if (subRelease > 0) letter[0] = static_cast<char>(subRelease + 96);
  const char* kind = stage == 0 ? " Alpha" : stage == 1 ? " Beta" : "";
  std::snprintf(buffer, size, "%d.%d%s%s", number / 256, number % 256, letter, kind);
}

TExportOffer ExportOffer(const std::string& scorePath, const std::string& rememberedFolder) {
  if (scorePath.empty()) return {rememberedFolder, "*.mid"};
  const std::size_t slash = scorePath.find_last_of("\\/");
  TExportOffer offer;
  offer.folder = slash == std::string::npos ? std::string() : scorePath.substr(0, slash);
  std::string name = slash == std::string::npos ? scorePath : scorePath.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  offer.name = name + ".mid";
  return offer;
}

int ExportFormatForFilter(int filterIndex) { return filterIndex == 2 ? 0 : 1; }

}  // namespace earlier_shell
