// Note entry at the caret of a score view, without its window: notes, rests, chord members and
// bar lines built from the note tools, chord-note removal, and the tool commands applied to a
// selection. Every change is recorded for undo before the staff changes; a refused change
// leaves no record behind.
#pragma once

#include "editor/NoteTools.h"
#include "editor/ScoreEditing.h"

class TMusicNote;
class TNotatedItem;

enum class TEntryResult {
  Done,     // the staff changed (and a record was pushed)
  Refused,  // nothing could take the change: the view beeps; no record stays
  NoRoom,   // the staff is full: the view shows the capacity box
};

class TNoteEntry {
public:
  TNoteEntry(TScoreEditing& edit, TNoteTools& tools) : edit_(edit), tools_(tools) {}

  TScoreEditing& Editing() const { return edit_; }
  TNoteTools& Tools() const { return tools_; }

  // Tools that do not persist are cleared after each note and rest.
  void SetPersistent(bool persistent) { persistent_ = persistent; }
  bool IsPersistent() const { return persistent_; }

  // A note at the staff position with the tools' duration, attributes, accidental and stem.
  TMusicNote* MakeNote(int position) const;
  // Commands 128, 129, 131.
  TEntryResult InsertNote(int position);
  TEntryResult InsertRest();
  TEntryResult InsertBarLine();
  // Any item at the caret under the command's record; the entry owns the item from here on.
  TEntryResult InsertItem(TNotatedItem* item, int command) { return InsertItem(item, TUndoKind::Items, command); }
  TEntryResult InsertItem(TNotatedItem* item, TUndoKind kind, int command);
  // A copy of an item dialog's template under the dialog's command: placed as a new expression
  // when `placed`, else exactly as the template stands.
  TEntryResult InsertCopy(const TNotatedItem& item, int command, bool placed);
  // The fast inserts 256-275 (clefs, time signatures, dynamics, fermata and breath mark, pedal
  // down and up), each recorded under its kind's Insert dialog command.
  static bool IsFastInsert(int command);
  TEntryResult FastInsert(int command);
  // Command 65: the whole current staff beamed by beats, under one record of the staff.
  TEntryResult AutoBeamStaff();
  // A note at the position joins the note or chord before the caret (command 130).
  TEntryResult AddChordMember(int position);
  // The chord before the caret loses its head at the position (command 212).
  TEntryResult RemoveChordNote(int position);

  // A tool command with a selection: the selected items take the choice (one record, "Change
  // Selection"); the tools then show the selection again. Longer (108) and shorter (109) change
  // every selected duration by one step.
  TEntryResult ApplyToSelection(int command);
  // Every selected item takes the duration class, under one "Change Selection" record.
  TEntryResult SetSelectionDuration(int durationClass);
  // The tools show the selection when there is one, the user's own tools when there is none.
  void FollowSelection();

private:
  bool HasRoom(int adding) const;
  TEntryResult Insert(TNotatedItem* item, TUndoKind kind, int command, bool placed);
  TStaffRange SelectionRange() const;
  TEntryResult ChangeSelection(bool (*change)(TStaffRange&, int), int value);

  TScoreEditing& edit_;
  TNoteTools& tools_;
  bool persistent_ = false;
};
