// The commands a toolbar button may carry, with the texts the customisation lists show, and the
// contents of the four factory toolbars. The resource menu "ToolbarCmds" lists the same commands
// in the same order; its bitmaps are resources of the command's id.
#pragma once
#include <cstdint>

struct TToolbarCommand {
  uint16_t id;
  const char* text;
};

// Menu order of the command table.
const TToolbarCommand* ToolbarCommands();
int ToolbarCommandCount();
// The entry of a command id, or null.
const TToolbarCommand* FindToolbarCommand(int id);
// The command whose text matches exactly, searched from the last entry backwards; 0 when none.
int FindToolbarCommandByText(const char* text);

// Factory toolbars: 0 "File", 1 "Notes", 2 "Insert", 3 "Xtra". A content value of 0xFFFF is a
// separator.
struct TFactoryToolbar {
  const char* name;
  uint16_t flags;
  const uint16_t* items;
  int count;
};
constexpr int kFactoryToolbarCount = 4;
// Null for any n outside 0..3.
const TFactoryToolbar* FactoryToolbar(int n);
