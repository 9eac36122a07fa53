// The current line's view has every command in its own table; the earlier line replaces this
// file with its item dialog commands.
#include "editor/win32/ScoreEdit.h"

bool TScoreEdit::FindLineCommand(TEvent&) { return false; }
