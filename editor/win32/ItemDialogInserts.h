// The Insert menu's item dialogs of the current line (Bar Line... to Multi-Point Controller...):
// the notation properties sheet on the command's template item, and a copy of it inserted at the
// caret on OK. The earlier line answers these commands with its own dialogs before the view
// asks here.
#pragma once

struct TEvent;
class TScoreEdit;

bool FindItemDialogInsert(TScoreEdit& view, TEvent& ev);
