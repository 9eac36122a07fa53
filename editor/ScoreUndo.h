// The snapshots behind undo and redo: what each kind of record stores before an edit, and how a
// record is read back into the score while its inverse is written for the other direction. The
// editing view owns the caret and the shown staves; here they are a plain place on the score.
#pragma once

#include "editor/UndoActionMgr.h"

class TMusicScore;
class TMusicStaff;
class TQXTStream;

// Where the editing view stands: the current staff (score index), its caret and anchor.
struct TEditPlace {
  int staff = 0;
  int caret = 1;
  int anchor = 1;
};

// Command ids whose records carry more or other data than their kind's plain form.
constexpr int kUndoCmdInfo = 11;
constexpr int kUndoCmdLyrics = 37;
constexpr int kUndoCmdAllowLayering = 52;
constexpr int kUndoCmdMuteList = 64;
constexpr int kUndoCmdTransposeStaff = 66;

// The items an item record covers and the counts it stores.
struct TUndoItemRange {
  int start = 1;      // first stored index (never a sentinel)
  int stored = 0;     // items stored (start .. start + stored - 1)
  int countAfter = 0; // items the same stretch will hold after the edit
};

// Chooses the stretch of an item record: `count` > 0 items are about to be inserted (a selection
// is replaced), `count` < 0 removes -count items (without a selection, from the caret on). The
// stretch is widened to whole bars and never includes the sentinels.
TUndoItemRange ChooseUndoItemRange(const TMusicStaff& staff, const TEditPlace& place, int count,
                                   TUndoKind kind, int command);

// Writes the snapshot of an edit about to be made; false when the stream failed or the staff
// does not exist. Kind 3 (staff added) and kind 4 (staff moved; `count` is the index it came
// from) are written after the change, naming the place.staff where the staff now is.
bool WriteUndoSnapshot(TQXTStream& out, TMusicScore& score, const TEditPlace& place, TUndoKind kind, int command,
                       int count);
// The kind 3 record of a deleted staff (written before it is removed) or of an added one.
bool WriteStaffPresenceUndo(TQXTStream& out, TMusicScore& score, int staff, bool deleted);
// The kind 4 record of a move that took the staff now at `now` from `from`.
bool WriteStaffMoveUndo(TQXTStream& out, int now, int from);

enum class TUndoOutcome {
  Applied,  // the score changed; the inverse is in the output
  Skipped,  // the record no longer fits the score (its staff is gone): nothing changed
  Failed,   // the record could not be read or the staff has no room: nothing changed
};

// What the view must redo after an applied record.
struct TUndoEffects {
  bool staffSet = false;  // staves were added, removed or moved: the shown staves are chosen again
  bool reattach = false;  // the score's view settings were replaced
  bool zoom = false;      // the zoom may have changed
};

// Reads a record back into the score and writes its inverse; the place follows the edit.
TUndoOutcome ApplyUndoRecord(TMusicScore& score, TEditPlace& place, TUndoKind kind, int command, TQXTStream& in,
                             TQXTStream& out, TUndoEffects& effects);
