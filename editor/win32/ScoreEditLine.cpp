// The current line's view has every command in its own table and works its staves' colours out
// from each staff and item; the earlier line replaces this file with its item dialog commands
// and the colours its options set.
#include "editor/win32/ScoreEdit.h"

namespace {
// The staff colour the sounding items are drawn in while the score plays.
constexpr int kPlayingItemColor = 4;
}  // namespace

bool TScoreEdit::FindLineCommand(TEvent&) { return false; }

void TScoreEdit::ColorLineStaves() {}

// An item no longer sounding goes back to its own colour (0 asks for it).
int TScoreEdit::ItemRedrawColor(int, bool playing) const { return playing ? kPlayingItemColor : 0; }
