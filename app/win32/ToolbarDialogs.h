// The View Toolbars command: the Toolbar List, where the user chooses which toolbars show, and
// the Customize Toolbars dialog, where toolbars are made, renamed, deleted, filled and restored.
#pragma once

class TDecoratedFrame;

void RunToolbarDialogs(TDecoratedFrame& frame);
