// The editing rules of a score view without its window: the caret and selection on the current
// staff, and the edits that go through undo first (record, then model change). The Win32 view
// wraps it and adds layout, painting and input; note entry and the clipboard hook into
// InsertItemAtCaret and DeleteItems.
#pragma once

#include "editor/ScoreUndo.h"
#include "editor/UndoActionMgr.h"

class TMusicScore;
class TMusicStaff;
class TNotatedItem;
class TQXTStream;

class TScoreEditing {
public:
  // Called with every recorded edit: the window marks itself modified.
  class TModifiedSink {
  public:
    virtual ~TModifiedSink() = default;
    virtual void SetModified() = 0;
  };

  TScoreEditing(TMusicScore& score, TUndoActionMgr& undo, TModifiedSink* sink);

  TMusicScore& Score() const { return *score_; }
  void SetScore(TMusicScore& score);
  TMusicStaff* CurrentStaff() const;
  const TEditPlace& Place() const { return place_; }
  TEditPlace& Place() { return place_; }
  int GetCaretIndex() const { return place_.caret; }
  int GetAnchor() const { return place_.anchor; }
  bool HasSelection() const { return place_.caret != place_.anchor; }
  // The selection's first and last index (anchor..caret-1 in order); equal values without one.
  int GetSelectionStart() const;
  int GetSelectionEnd() const;

  void SetCurrentStaff(int index);
  // The caret moves to index (kept in 1..last index); without extend the anchor follows.
  void MoveCaretTo(int index, bool extend);
  void MoveCaretBy(int delta, bool extend) { MoveCaretTo(place_.caret + delta, extend); }
  // Just after the bar line before (dir < 0) or after (dir > 0) the caret.
  int BarStepTarget(int dir) const;
  void CollapseSelection() { place_.anchor = place_.caret; }

  // Undo first: pushes and writes a record; false (and no record) when it could not be written.
  bool RecordUndo(TUndoKind kind, int command, int count);
  // Records a snapshot taken before a change already made (a dialog that edits the score in
  // place, as page setup does); false (and no record) when it could not be copied.
  bool RecordKeptUndo(TUndoKind kind, int command, TQXTStream& snapshot);
  // The record just pushed changed nothing after all.
  void DiscardLastRecord() { undo_.DiscardLast(); }

  // Inserts the item before the caret (replacing a selection); the view owns nothing after.
  // False, with the item deleted, when the staff has no room.
  bool InsertItemAtCaret(TNotatedItem* item, int command) { return InsertItemAtCaret(item, TUndoKind::Items, command); }
  // The same under a record of the given kind (MIDI input records as an internal action).
  bool InsertItemAtCaret(TNotatedItem* item, TUndoKind kind, int command);
  // The Delete key: the selection, else the item at the caret. False when there was nothing.
  bool DeleteAtCaret();
  // Backspace: the selection, else the item before the caret.
  bool DeleteBeforeCaret();
  // Moves the selected items' staff positions by delta (Ctrl+Shift+Up/Down).
  bool ShiftSelection(int delta);

  // Undo and Redo; Skipped/Failed leave the score and the ring as they were.
  TUndoOutcome Undo(TUndoEffects& effects);
  TUndoOutcome Redo(TUndoEffects& effects);

private:
  bool Apply(bool redo, TUndoEffects& effects);
  TUndoOutcome last_ = TUndoOutcome::Applied;

  TMusicScore* score_;
  TUndoActionMgr& undo_;
  TModifiedSink* sink_;
  TEditPlace place_;
};
