#include "app/ToolbarEditing.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "app/ToolbarCommands.h"
#include "app/ToolbarState.h"
#include "foundation/TextUtils.h"

const char kSeparatorText[] = "--------Separator--------";
const char kUnknownToolText[] = "##Unknown##";

int FindToolbarName(const std::vector<std::string>& names, const char* name) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (CompareNoCase(names[i].c_str(), name ? name : "") == 0) return static_cast<int>(i);
  }
  return -1;
}

std::string NewCustomToolbarName(const std::vector<std::string>& names) {
  // One more number than there are toolbars is always free.
  for (size_t n = 1;; ++n) {
    char name[kToolbarNameRoom];
    std::snprintf(name, sizeof name, "Custom %u", static_cast<unsigned>(n));
    if (FindToolbarName(names, name) < 0) return name;
  }
}

bool CanAddToolbar(int toolbarCount) { return toolbarCount >= 0 && toolbarCount < kMaxToolbars; }

TRenameCheck CheckToolbarRename(const std::vector<std::string>& names, int index, const char* entered,
                                std::string& taken) {
  std::string name = entered ? entered : "";
  const char* blanks = " \t\r\n";
  const size_t first = name.find_first_not_of(blanks);
  name = first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(blanks) - first + 1);
  if (name.size() > static_cast<size_t>(kMaxToolbarNameLength)) name.resize(kMaxToolbarNameLength);
  const std::string old = index >= 0 && index < static_cast<int>(names.size()) ? names[index] : std::string();
  if (name == old) return TRenameCheck::Unchanged;
  const int holder = FindToolbarName(names, name.c_str());
  if (name.empty() || (holder >= 0 && holder != index)) return TRenameCheck::NotUnique;
  taken = name;
  return TRenameCheck::Take;
}

const char* ToolbarItemText(uint16_t item) {
  if (item == kToolbarFileSeparator) return kSeparatorText;
  const TToolbarCommand* c = FindToolbarCommand(item);
  return c ? c->text : kUnknownToolText;
}

std::vector<const char*> AvailableToolbarTexts(const std::vector<uint16_t>& items) {
  std::vector<const char*> texts;
  const TToolbarCommand* commands = ToolbarCommands();
  for (int i = 0; i < ToolbarCommandCount(); ++i) {
    bool held = false;
    for (uint16_t item : items) held = held || item == commands[i].id;
    if (!held) texts.push_back(commands[i].text);
  }
  return texts;
}

int InsertToolbarItem(std::vector<uint16_t>& items, int selected, uint16_t item, bool* removedLone) {
  if (removedLone) *removedLone = false;
  if (static_cast<int>(items.size()) >= kMaxToolbarGadgets) return -1;
  if (items.size() == 1 && items[0] == kToolbarFileSeparator) {
    items.clear();
    // The selection pointed at the separator that is gone: the new entry is the first.
    selected = -1;
    if (removedLone) *removedLone = true;
  }
  if (selected < 0 || selected >= static_cast<int>(items.size())) {
    items.push_back(item);
    return static_cast<int>(items.size()) - 1;
  }
  items.insert(items.begin() + selected + 1, item);
  return selected + 1;
}

bool RemoveToolbarItem(std::vector<uint16_t>& items, int index) {
  if (items.size() < 2 || index < 0 || index >= static_cast<int>(items.size())) return false;
  items.erase(items.begin() + index);
  return true;
}

bool MoveToolbarItemUp(std::vector<uint16_t>& items, int index) {
  if (index <= 0 || index >= static_cast<int>(items.size())) return false;
  std::swap(items[index], items[index - 1]);
  return true;
}

bool MoveToolbarItemDown(std::vector<uint16_t>& items, int index) {
  if (index < 0 || index + 1 >= static_cast<int>(items.size())) return false;
  std::swap(items[index], items[index + 1]);
  return true;
}
