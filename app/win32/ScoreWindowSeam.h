// What the frame needs of a score window: the frame's per-window actions, a way to find the
// score window behind an MDI child, and the one place a read or imported score is handed to a new
// window (a test build of the editor registers a stand-in window there).
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

// The score window behind an MDI child, or null for any other window: the frame's walks over the
// open score windows go through it.
TScoreWindowActions* ScoreWindowOf(HWND child);

// Replaces the score window for scores the file opening hands over (`imported`: the score came
// from a Standard MIDI File); answers false (and deletes the score) when no window could be made.
// Null in the editor itself, which opens its own score windows.
using TOpenDocumentWindowFn = bool (*)(TMusicScore* score, const char* path, bool imported);
extern TOpenDocumentWindowFn gOpenDocumentWindow;
