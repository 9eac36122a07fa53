// The rules of the New dialog's template tabs and of the File History dialog's rows: which
// folders become tabs, which files a tab lists, what the choice opens, and a history row's text.
#pragma once
#include <string>
#include <vector>

struct TFileHistoryEntry;

struct TFolderEntry {
  std::string name;
  bool folder = false;
  bool temporary = false;
};

constexpr int kMaxTemplateSubTabs = 15;
extern const char kBlankScoreEntry[];

struct TTemplateTab {
  std::string title;
  std::string folder;  // with its trailing backslash
};
// "General" for the Templates folder itself, then one tab per subfolder in listing order: not
// beginning with '.', not "General" in any case, at most 15.
std::vector<TTemplateTab> TemplateTabs(const std::string& templatesFolder, const std::vector<TFolderEntry>& entries);
// The list of one tab: "<Blank Score>" first on the first tab, then the base names of the
// ".qvk" files that are neither folders nor temporary.
std::vector<std::string> TemplateListEntries(const std::vector<TFolderEntry>& entries, bool firstTab);
// The template to open: empty for "<Blank Score>" on the first tab.
std::string TemplateResultPath(const TTemplateTab& tab, const std::string& selected, bool firstTab);
// A dropped file that a template tab takes: a ".qvk" extension in any case.
bool IsTemplateFile(const char* path);
// The name the new score gets from the run's counter.
std::string NewScoreName(int& counter);

// "%d\t" of the index, the base name, a tab, the title, a tab and the folder part of the path.
std::string HistoryRowText(int index, const TFileHistoryEntry& entry);
