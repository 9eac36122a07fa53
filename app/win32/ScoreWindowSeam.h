// What the frame needs of a score window before the score windows exist in this program: the
// frame's per-window actions, and a way to open a recovered or loaded score in a new window.
#pragma once

#include <windows.h>

class TMusicScore;

// The frame's actions on a score window.
enum TScoreWindowAction {
  kActionDeactivateView = 0,
  kActionSaveIfModified = 1,
  kActionRefreshColors = 2,
  kActionResizeUndo = 3,
  kActionAutoSave = 4,
  kActionDiscardAutoSave = 5,
};

// Implemented by the score window; the frame skips MDI children that do not implement it.
class TScoreWindowActions {
public:
  virtual ~TScoreWindowActions() = default;
  virtual void FrameAction(int action) = 0;
  // Whether the window shows this file (compared without regard to case).
  virtual bool HasPath(const char* path) const = 0;
};

// Opens a new score window that owns the score; answers false (and deletes the score) when no
// window could be made. The score window registers it; until then it is null and scores cannot
// be shown.
// `recovered` is the number of a recovered auto-save copy (1, 2, ...), else 0.
using TOpenScoreWindowFn = bool (*)(TMusicScore* score, const char* path, int recovered);
extern TOpenScoreWindowFn gOpenScoreWindow;

// The score window behind an MDI child, or null for any other window: the frame's walks over the
// open score windows go through it.
TScoreWindowActions* ScoreWindowOf(HWND child);

// Opens a new score window for a file that was read or imported (`imported`: the score came from
// a Standard MIDI File); answers false (and deletes the score) when no window could be made.
// Registered by the score window; until then files are read but not shown.
using TOpenDocumentWindowFn = bool (*)(TMusicScore* score, const char* path, bool imported);
extern TOpenDocumentWindowFn gOpenDocumentWindow;
