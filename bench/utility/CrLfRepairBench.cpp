// Time to test and repair a score file that went through a text-mode transfer: a file of the
// given size in MB (default 8) with one LF in every 40 bytes, translated to CR LF.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/CrLfRepair.h"
#include "tests/utility/ScratchPath.h"

int main(int argc, char** argv) {
  const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 8;
  const std::string source = ScratchPath("crlf_bench.in");
  const std::string target = ScratchPath("crlf_bench.out");
  std::string bytes;
  bytes.reserve(megabytes << 20);
  for (size_t i = 0; bytes.size() < (megabytes << 20); ++i) {
    if (i % 40 == 39) bytes += "\r\n";
    else bytes += static_cast<char>('a' + i % 26);
  }
  std::ofstream(source, std::ios::binary) << bytes;

  const int runs = 5;
  double bestTest = 1e9, bestUndo = 1e9;
  for (int run = 0; run < runs; ++run) {
    auto t0 = std::chrono::steady_clock::now();
    if (IsCrLfTranslated(source.c_str()) != 1) return 1;
    auto t1 = std::chrono::steady_clock::now();
    if (UndoCrLfTranslation(source.c_str(), target.c_str()) != 1) return 1;
    auto t2 = std::chrono::steady_clock::now();
    bestTest = std::min(bestTest, std::chrono::duration<double>(t1 - t0).count());
    bestUndo = std::min(bestUndo, std::chrono::duration<double>(t2 - t1).count());
  }
  const double mb = static_cast<double>(bytes.size()) / (1 << 20);
  std::printf("file %.1f MB, best of %d runs\n", mb, runs);
  std::printf("IsCrLfTranslated    %8.1f ms  %8.1f MB/s\n", bestTest * 1000, mb / bestTest);
  std::printf("UndoCrLfTranslation %8.1f ms  %8.1f MB/s\n", bestUndo * 1000, mb / bestUndo);
  std::filesystem::remove(source);
  std::filesystem::remove(target);
  return 0;
}
