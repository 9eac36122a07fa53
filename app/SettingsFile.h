// Where the settings live: "QVK.INI" beside the program, or the bare name "QVK.INI" (which the
// profile functions look up in the Windows folder) when the file beside the program exists and
// is read-only.
#pragma once
#include <string>

constexpr const char kSettingsFileName[] = "QVK.INI";

// `isReadOnlyFile` answers whether a path names an existing read-only file (not a folder).
std::string ChooseSettingsFile(const char* programPath, bool (*isReadOnlyFile)(const char* path));
