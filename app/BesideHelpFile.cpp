#include "app/BesideHelpFile.h"

#include <cstdio>
#include <cstring>

bool PathBesideHelpFile(const char* helpFile, const char* name, char (&path)[260]) {
  path[0] = '\0';
  const char* slash = helpFile ? std::strrchr(helpFile, '\\') : nullptr;
  if (!slash) return false;
  const int folder = static_cast<int>(slash - helpFile) + 1;
  const int n = std::snprintf(path, sizeof path, "%.*s%s", folder, helpFile, name);
  if (n < 0 || n >= static_cast<int>(sizeof path)) {
    path[0] = '\0';
    return false;
  }
  return true;
}
