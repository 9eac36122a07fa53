#include "app/FileHistory.h"

#include <cstdio>
#include <cstring>

#include "foundation/SysInfo.h"
#include "foundation/TextUtils.h"

namespace {

const char kSection[] = "FileHistory";

void CopyText(char (&to)[260], const char* from) { std::snprintf(to, sizeof to, "%s", from ? from : ""); }

}  // namespace

void TFileHistory::Clear() { std::memset(entries_, 0, sizeof entries_); }

void TFileHistory::Add(const char* path, const char* title) {
  // The stop position: the first empty entry, the entry holding this path, or the last entry.
  int stop = 0;
  while (stop < kCount - 1 && entries_[stop].path[0] != '\0' && CompareNoCase(entries_[stop].path, path ? path : "") != 0) {
    ++stop;
  }
  for (int i = stop; i > 0; --i) entries_[i] = entries_[i - 1];
  CopyText(entries_[0].path, path);
  CopyText(entries_[0].title, title);
}

void TFileHistory::Load(TSysInfo& settings) {
  for (int i = 0; i < kCount; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "Title%d", i + 1);
    settings.ReadString(kSection, key, "", entries_[i].title, sizeof entries_[i].title);
    std::snprintf(key, sizeof key, "Name%d", i + 1);
    settings.ReadString(kSection, key, "", entries_[i].path, sizeof entries_[i].path);
  }
}

void TFileHistory::Save(TSysInfo& settings) const {
  for (int i = 0; i < kCount; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "Title%d", i + 1);
    settings.WriteString(kSection, key, entries_[i].title);
    std::snprintf(key, sizeof key, "Name%d", i + 1);
    settings.WriteString(kSection, key, entries_[i].path);
  }
}
