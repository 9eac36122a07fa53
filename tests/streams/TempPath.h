// A scratch file name for one test, removed again when the test ends. The process id keeps
// test runs of several checkouts on one machine apart.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <process.h>
#define VC_PROCESS_ID _getpid
#else
#include <unistd.h>
#define VC_PROCESS_ID getpid
#endif

class TempPath {
public:
  explicit TempPath(const char* stem) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("vc_") + stem + "_" + (info ? info->name() : "x") + "_" +
                       std::to_string(VC_PROCESS_ID()) + ".tmp";
    path = (std::filesystem::temp_directory_path() / name).string();
    std::remove(path.c_str());
  }
  ~TempPath() { std::remove(path.c_str()); }
  const char* c_str() const { return path.c_str(); }

  // The file's bytes as the system sees them, read without the stream under test.
  std::string Contents() const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void SetContents(const std::string& bytes) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  std::string path;
};
