// The rules of the toolbar list and of the Customize Toolbars dialog over plain data: name
// lookup and new names, renaming, and the edits of one toolbar's gadget list (command ids,
// 0xFFFF for a separator) that the dialog's buttons make.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The index of the name (letter case ignored), or -1.
int FindToolbarName(const std::vector<std::string>& names, const char* name);
// "Custom %d" with the smallest number from 1 that no toolbar has.
std::string NewCustomToolbarName(const std::vector<std::string>& names);
// A new toolbar needs a command id of its own.
bool CanAddToolbar(int toolbarCount);

enum class TRenameCheck {
  Take,       // `taken` holds the name to give
  Unchanged,  // the same name exactly: as Cancel
  NotUnique,  // empty, or the name of another toolbar
};
// The entered text trimmed of blanks, tabs, carriage returns and line feeds and cut to what the
// toolbar file keeps, checked against the other toolbars' names.
TRenameCheck CheckToolbarRename(const std::vector<std::string>& names, int index, const char* entered,
                                std::string& taken);

// The texts of the active list: a separator, a command's menu text, or the unknown mark.
extern const char kSeparatorText[];
extern const char kUnknownToolText[];
const char* ToolbarItemText(uint16_t item);
// The menu texts of the commands the toolbar does not hold yet, in menu order.
std::vector<const char*> AvailableToolbarTexts(const std::vector<uint16_t>& items);

// Inserts after the selected entry (or appends when none is selected, selected < 0); a toolbar
// that holds only its first lone separator loses it first. Answers the new entry's index, or -1
// when the toolbar is full. `removedLone` tells whether the lone separator went.
int InsertToolbarItem(std::vector<uint16_t>& items, int selected, uint16_t item, bool* removedLone = nullptr);
// The last gadget of a toolbar stays.
bool RemoveToolbarItem(std::vector<uint16_t>& items, int index);
bool MoveToolbarItemUp(std::vector<uint16_t>& items, int index);
bool MoveToolbarItemDown(std::vector<uint16_t>& items, int index);
