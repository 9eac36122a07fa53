// Scratch file names in the temporary folder that carry the process id, so that test runs of
// several checkouts at once never share a file.
#pragma once

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
inline unsigned long ScratchProcessId() { return GetCurrentProcessId(); }
#else
#include <unistd.h>
inline unsigned long ScratchProcessId() { return static_cast<unsigned long>(getpid()); }
#endif

inline std::string ScratchPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("vc_" + std::to_string(ScratchProcessId()) + "_" + name)).string();
}
