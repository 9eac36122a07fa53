// A settings store writing to an INI file of its own in the temporary folder, removed afterwards.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "foundation/SysInfo.h"

class TempSettings {
public:
  TempSettings() {
    static int counter = 0;
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = (std::filesystem::temp_directory_path() /
             ("vc_colors_" + std::to_string(stamp) + "_" + std::to_string(counter++) + ".ini"))
                .string();
    std::filesystem::remove(path_);
    settings.SetStorageNames("Vellichord", path_.c_str());
    settings.SetRegistryFlag(0);
  }
  ~TempSettings() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  TempSettings(const TempSettings&) = delete;
  TempSettings& operator=(const TempSettings&) = delete;

  void Put(const char* key, const char* value) { settings.WriteString("StaffColors", key, value); }
  std::string Get(const char* key) {
    char text[64];
    settings.ReadString("StaffColors", key, "", text, sizeof text);
    return text;
  }

  TSysInfo settings;

private:
  std::string path_;
};
