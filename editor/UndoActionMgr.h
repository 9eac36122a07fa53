// The undo and redo ring of one score window: each record is a snapshot, in the score file's own
// item and staff forms, of what an edit is about to change. Undoing reads a record back while
// writing the inverse into the record above it, which is what Redo then reads.
#pragma once

#include <memory>
#include <vector>

#include "foundation/QXTSegRamStream.h"

// What a record's snapshot holds.
enum class TUndoKind {
  None = 0,
  Items = 1,        // a bar-aligned run of one staff's items
  StaffContent = 2, // every item of a staff (or its lyrics, for the Lyrics command)
  StaffPresence = 3,// a staff added or deleted
  StaffMove = 4,    // a staff moved to another index
  StaffInfo = 5,    // a staff's settings
  ScoreInfo = 6,    // the score information, or every staff's muted flag
  Internal = 7,     // as Items, for actions without a menu command
};

// The action codes of internal (kind 7) records.
enum class TUndoInternal { Delete = 1, DeleteBefore = 2, RemoveChordNote = 3, ChangeSelection = 4, MidiInput = 5 };

class TEditUndoAction {
public:
  explicit TEditUndoAction(unsigned blockSize) : data_(static_cast<uint16_t>(blockSize)) {}

  TUndoKind GetKind() const { return kind_; }
  int GetCommand() const { return command_; }
  void SetAction(TUndoKind kind, int command) {
    kind_ = kind;
    command_ = command;
  }
  TQXTStream& Data() { return data_; }
  // Empties the snapshot for writing; the segments already made stay for reuse.
  void Empty() { data_.Reset(); }

private:
  TUndoKind kind_ = TUndoKind::None;
  int command_ = 0;
  TQXTSegRamStream data_;
};

class TUndoActionMgr {
public:
  TUndoActionMgr(int levels, unsigned blockSize);

  // Drops every record and makes levels + 1 fresh ones.
  void SetLevels(int levels);
  int GetLevels() const { return static_cast<int>(records_.size()) - 1; }

  // A new record on top (the oldest is dropped when the ring is full); the redo side is lost.
  TQXTStream& Push(TUndoKind kind, int command);
  void EndRecord() {}
  // The last pushed record changed nothing.
  void DiscardLast();

  bool CanUndo() const { return top_ > 0; }
  bool CanRedo() const { return redo_ > 0; }
  int UndoCount() const { return top_; }
  int RedoCount() const { return redo_; }
  // Kind and command of the record Undo (Redo) would read; None when there is none.
  void PeekUndo(TUndoKind& kind, int& command) const;
  void PeekRedo(TUndoKind& kind, int& command) const;

  // The streams an undo (a redo) reads from and writes the inverse into; false when there is
  // nothing to undo (redo). The input is rewound, the output emptied.
  bool Undo(TQXTStream*& input, TQXTStream*& output);
  bool Redo(TQXTStream*& input, TQXTStream*& output);
  // Forgets the record Undo or Redo just opened, when the record could not be applied.
  void ForgetInverse();

  void Clear();

private:
  // Record `to` takes the action of record `from`, whose snapshot is read into it inverted.
  bool Step(int from, int to, TQXTStream*& input, TQXTStream*& output);

  std::vector<std::unique_ptr<TEditUndoAction>> records_;
  unsigned blockSize_;
  int top_ = 0;
  int redo_ = 0;
  int lastStep_ = 0;  // +1 after Redo, -1 after Undo, 0 otherwise
};
