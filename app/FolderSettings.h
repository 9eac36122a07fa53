// The four folder settings of section "Folders": songs, page copies, templates and auto-save
// copies. An empty or missing value means the program folder's own place for it.
#pragma once
#include <cstddef>

class TSysInfo;

enum TFolderKind { kFolderSongs = 0, kFolderPageCopy = 1, kFolderTemplates = 2, kFolderAutoSave = 3, kFolderCount };

constexpr const char kFoldersSection[] = "Folders";
constexpr const char* kFolderKeys[kFolderCount] = {"Songs", "PageCopy", "Templates", "AutoSave"};
// Joined with the program folder when the setting is empty (null: the program folder itself).
constexpr const char* kFolderDefaults[kFolderCount] = {"Samples", nullptr, "Template", "AutoSave"};

// The folder, without a trailing backslash unless it is a bare drive's root; false for an
// unknown kind or a path that does not fit 260 characters.
bool GetFolderSetting(TSysInfo& settings, int kind, const char* programFolder, char (&out)[260]);
void SetFolderSetting(TSysInfo& settings, int kind, const char* path);
