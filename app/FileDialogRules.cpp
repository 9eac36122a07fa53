#include "app/FileDialogRules.h"

#include <cstring>

#include "foundation/PathText.h"
#include "foundation/TextUtils.h"

const char kOpenDialogFilter[] =
    "QVK Files|*.qvk|Midi Files|*.mid;*.rmi;*.kar|Song Files|*.qvk;*.qxt;*.mid;*.rmi;*.kar|";

unsigned long FileDialogStyle(unsigned long flags, const TPlatformVersion& version) {
  if (version.major > 3) flags |= kOfnExplorer;
  const bool win95Sizing = !version.nt && (version.major > 4 || (version.major == 4 && version.minor >= 10));
  const bool ntSizing = version.nt && version.major >= 5;
  if (win95Sizing || ntSizing) flags |= kOfnEnableSizing;
  return flags & ~kOfnShowHelp;
}

bool FolderOfPath(const char* path, char (&folder)[260]) {
  folder[0] = '\0';
  if (!path || std::strlen(path) >= sizeof folder || !std::strchr(path, '\\')) return false;
  StrCopyMax(folder, path, sizeof folder);
  PathToDirectory(folder, true);
  return folder[0] != '\0';
}

bool FilterToSystem(const char* filter, char* out, std::size_t size) {
  if (!out || size < 2) return false;
  const std::size_t length = filter ? std::strlen(filter) : 0;
  if (length + 2 > size) {
    out[0] = out[1] = '\0';
    return false;
  }
  for (std::size_t i = 0; i < length; ++i) out[i] = filter[i] == '|' ? '\0' : filter[i];
  out[length] = '\0';
  out[length + 1] = '\0';
  return true;
}

bool FilterPattern(const char* filter, int index, char (&pattern)[260]) {
  pattern[0] = '\0';
  if (!filter || index < 1) return false;
  // The pattern is field 2 * index - 1 (0-based) of the '|'-separated list.
  const int wanted = 2 * index - 1;
  int field = 0;
  const char* start = filter;
  for (const char* p = filter;; ++p) {
    if (*p != '|' && *p != '\0') continue;
    if (field == wanted) {
      const std::size_t n = static_cast<std::size_t>(p - start);
      if (n >= sizeof pattern) return false;
      std::memcpy(pattern, start, n);
      pattern[n] = '\0';
      return *p == '|';
    }
    if (*p == '\0') return false;
    ++field;
    start = p + 1;
  }
}

void DefaultExtensionFromPattern(const char* pattern, char (&extension)[kDefaultExtensionSize]) {
  extension[0] = '\0';
  if (!pattern || std::strlen(pattern) < 3) return;
  std::size_t n = 0;
  for (const char* p = pattern + 2; *p && *p != ';' && n < kDefaultExtensionSize - 1; ++p) extension[n++] = *p;
  extension[n] = '\0';
  if (std::strpbrk(extension, "*?")) extension[0] = '\0';
}

bool ReplaceNameExtension(char (&name)[260], const char* extension) {
  char* dot = std::strrchr(name, '.');
  if (!name[0] || !dot || !extension) return false;
  const std::size_t keep = static_cast<std::size_t>(dot - name) + 1;
  if (keep + std::strlen(extension) >= sizeof name) return false;
  std::strcpy(dot + 1, extension);
  return true;
}
