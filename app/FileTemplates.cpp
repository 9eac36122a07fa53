#include "app/FileTemplates.h"

#include <cstdio>
#include <cstring>

#include "app/FileHistory.h"
#include "foundation/PathText.h"
#include "foundation/TextUtils.h"

const char kBlankScoreEntry[] = "<Blank Score>";

std::vector<TTemplateTab> TemplateTabs(const std::string& templatesFolder, const std::vector<TFolderEntry>& entries) {
  std::string root = templatesFolder;
  if (!root.empty() && root.back() != '\\') root += '\\';
  std::vector<TTemplateTab> tabs{{"General", root}};
  for (const TFolderEntry& e : entries) {
    if (static_cast<int>(tabs.size()) > kMaxTemplateSubTabs) break;
    if (!e.folder || e.name.empty() || e.name[0] == '.' || CompareNoCase(e.name.c_str(), "General") == 0) continue;
    tabs.push_back({e.name, root + e.name + "\\"});
  }
  return tabs;
}

bool IsTemplateFile(const char* path) { return path && CompareNoCase(GetExtensionPart(path), ".qvk") == 0; }

std::vector<std::string> TemplateListEntries(const std::vector<TFolderEntry>& entries, bool firstTab) {
  std::vector<std::string> list;
  if (firstTab) list.push_back(kBlankScoreEntry);
  for (const TFolderEntry& e : entries) {
    if (e.folder || e.temporary || !IsTemplateFile(e.name.c_str())) continue;
    list.push_back(e.name.substr(0, GetExtensionOffset(e.name.c_str())));
  }
  return list;
}

std::string TemplateResultPath(const TTemplateTab& tab, const std::string& selected, bool firstTab) {
  if (firstTab && selected == kBlankScoreEntry) return std::string();
  return tab.folder + selected + ".qvk";
}

std::string NewScoreName(int& counter) {
  char name[32];
  std::snprintf(name, sizeof name, "<SONG%02d>", ++counter);
  return name;
}

std::string HistoryRowText(int index, const TFileHistoryEntry& entry) {
  char folder[kMaxPath];
  std::snprintf(folder, sizeof folder, "%s", entry.path);
  PathToDirectory(folder, true);
  char number[16];
  std::snprintf(number, sizeof number, "%d\t", index);
  return std::string(number) + GetFileNamePart(entry.path) + "\t" + entry.title + "\t" + folder;
}
