// The staff tools' commands of a score window and its view: Staff Properties, Move Staff, Mute
// List, the whole-staff audits, Transpose, Find, Goto, Score Review, the properties of a selection
// and the Insert menu's item dialogs. Each runs its dialog, then the edit (undo first) and the
// view's refresh. The view and the window ask here after their own response tables.
#pragma once

struct TEvent;
class TScoreEdit;
class TScoreWindow;

bool FindViewToolCommand(TScoreEdit& view, TEvent& ev);
bool FindWindowToolCommand(TScoreWindow& window, TEvent& ev);
