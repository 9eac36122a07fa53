#include "app/SettingsFile.h"

std::string ChooseSettingsFile(const char* programPath, bool (*isReadOnlyFile)(const char* path)) {
  std::string folder = programPath ? programPath : "";
  const size_t slash = folder.find_last_of('\\');
  folder.erase(slash == std::string::npos ? 0 : slash + 1);
  const std::string beside = folder + kSettingsFileName;
  return isReadOnlyFile(beside.c_str()) ? std::string(kSettingsFileName) : beside;
}
