#include "app/FolderSettings.h"

#include <cstdio>

#include "foundation/PathText.h"
#include "foundation/SysInfo.h"

bool GetFolderSetting(TSysInfo& settings, int kind, const char* programFolder, char (&out)[260]) {
  out[0] = '\0';
  if (kind < 0 || kind >= kFolderCount) return false;
  settings.ReadString(kFoldersSection, kFolderKeys[kind], "", out, sizeof out);
  if (out[0] == '\0') {
    std::snprintf(out, sizeof out, "%s", programFolder ? programFolder : "");
    PathToDirectory(out, false);
    if (kFolderDefaults[kind] && !AppendPath(out, kFolderDefaults[kind])) {
      out[0] = '\0';
      return false;
    }
  }
  PathToDirectory(out, false);
  return true;
}

void SetFolderSetting(TSysInfo& settings, int kind, const char* path) {
  if (kind < 0 || kind >= kFolderCount) return;
  char folder[260];
  std::snprintf(folder, sizeof folder, "%s", path ? path : "");
  PathToDirectory(folder, false);
  settings.WriteString(kFoldersSection, kFolderKeys[kind], folder);
}
