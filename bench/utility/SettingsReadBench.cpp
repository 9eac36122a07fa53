// Time of the settings reads a start-up makes: an INI file of 10 sections with 30 keys each
// (integers, strings and 10-byte binary values), every key read once per pass.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "foundation/SysInfo.h"
#include "tests/utility/ScratchPath.h"

int main() {
  const std::string path = ScratchPath("settings_bench.ini");
  std::filesystem::remove(path);
  TSysInfo settings{TWindowsVersion{}};
  settings.SetStorageNames("Bench", path.c_str());
  settings.SetRegistryFlag(0);
  const unsigned char bytes[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  for (int s = 0; s < 10; ++s) {
    const std::string section = "Section" + std::to_string(s);
    for (int k = 0; k < 10; ++k) {
      settings.WriteInt(section.c_str(), ("Int" + std::to_string(k)).c_str(), -k * 1000);
      settings.WriteString(section.c_str(), ("Text" + std::to_string(k)).c_str(), "C:\\Program Files\\Scores");
      settings.WriteBinary(section.c_str(), ("Bin" + std::to_string(k)).c_str(), bytes, 10);
    }
  }
  settings.FlushSettings();

  const int passes = 5;
  double best = 1e9;
  long long check = 0;
  for (int pass = 0; pass < passes; ++pass) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int s = 0; s < 10; ++s) {
      const std::string section = "Section" + std::to_string(s);
      for (int k = 0; k < 10; ++k) {
        check += settings.ReadInt(section.c_str(), ("Int" + std::to_string(k)).c_str(), 0);
        char text[260];
        check += settings.ReadString(section.c_str(), ("Text" + std::to_string(k)).c_str(), "", text, sizeof text);
        unsigned char back[10];
        check += settings.ReadBinary(section.c_str(), ("Bin" + std::to_string(k)).c_str(), nullptr, back, 10);
      }
    }
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  std::printf("300 settings reads from a 300-key INI file: best %.2f ms (%.1f us per read), check %lld\n",
              best * 1000, best * 1e6 / 300, check);
  std::filesystem::remove(path);
  return 0;
}
