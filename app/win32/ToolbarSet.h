// The editor's toolbars as a set: built from "toolbars.dat" (or the factory toolbars) when the
// frame is made, written back after customisation, shown and hidden by their toggle commands,
// deleted and restored to the factory set.
#pragma once
#include <windows.h>

class TDecoratedFrame;
class TToolbar;

// "toolbars.dat" beside the help file.
void ToolbarDataPath(char (&path)[260]);
// The gadget font: 8 points from Windows 4 on, 10 before.
HFONT ToolbarGadgetFont();

// Reads "toolbars.dat" (a damaged file is reported and the factory toolbars are built instead).
void LoadToolbars(TDecoratedFrame& frame);
// Factory toolbar n (0 File, 1 Notes, 2 Insert, 3 Xtra); null for any other n.
TToolbar* CreateFactoryToolbar(TDecoratedFrame& frame, int n);
bool SaveToolbars();
// Deletes the whole "Toolbars" section of the settings.
void ClearToolbarSection();
// Toggles the hidden bit of the toolbar of a command 20310-20399; false when there is none.
bool ToggleToolbar(int commandId);
// Hides, unlists and destroys the toolbar.
void DeleteToolbar(TToolbar* toolbar);
