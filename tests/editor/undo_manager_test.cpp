// The undo ring alone: levels, rotation, the redo side and stepping back from a record that
// could not be applied.
#include <gtest/gtest.h>

#include "editor/UndoActionMgr.h"

namespace {

// Pushes a record whose snapshot is one int16 tag.
void PushTagged(TUndoActionMgr& undo, int tag) {
  undo.Push(TUndoKind::Items, 100 + tag).WriteInt16(tag);
  undo.EndRecord();
}

int ReadTag(TQXTStream* in) { return static_cast<int16_t>(in->ReadUInt16()); }

}  // namespace

TEST(UndoManager, KeepsOnlyItsLevelsAndRotatesTheOldestOut) {
  TUndoActionMgr undo(2, 16);
  for (int tag = 1; tag <= 3; ++tag) PushTagged(undo, tag);
  EXPECT_EQ(undo.UndoCount(), 2);
  TQXTStream *in, *out;
  ASSERT_TRUE(undo.Undo(in, out));
  EXPECT_EQ(ReadTag(in), 3);
  ASSERT_TRUE(undo.Undo(in, out));
  EXPECT_EQ(ReadTag(in), 2);
  EXPECT_FALSE(undo.Undo(in, out)) << "the first edit can no longer be undone";
}

TEST(UndoManager, RedoReadsWhatUndoWroteAndANewEditDropsIt) {
  TUndoActionMgr undo(4, 8);
  PushTagged(undo, 1);
  PushTagged(undo, 2);
  TQXTStream *in, *out;
  ASSERT_TRUE(undo.Undo(in, out));
  out->WriteInt16(-2);  // the inverse
  ASSERT_TRUE(undo.Undo(in, out));
  out->WriteInt16(-1);
  TUndoKind kind;
  int command;
  undo.PeekRedo(kind, command);
  EXPECT_EQ(command, 101);
  ASSERT_TRUE(undo.Redo(in, out));
  EXPECT_EQ(ReadTag(in), -1);
  out->WriteInt16(1);
  ASSERT_TRUE(undo.Redo(in, out));
  EXPECT_EQ(ReadTag(in), -2);
  out->WriteInt16(2);
  EXPECT_FALSE(undo.CanRedo());
  ASSERT_TRUE(undo.Undo(in, out));
  EXPECT_EQ(ReadTag(in), 2) << "the record Redo rewrote is undone again";
  PushTagged(undo, 9);
  EXPECT_FALSE(undo.CanRedo()) << "an edit after an undo clears the redo side";
  undo.PeekUndo(kind, command);
  EXPECT_EQ(command, 109);
}

TEST(UndoManager, ForgetInverseOffersTheSameRecordAgain) {
  TUndoActionMgr undo(3, 8);
  PushTagged(undo, 1);
  PushTagged(undo, 2);
  TQXTStream *in, *out;
  ASSERT_TRUE(undo.Undo(in, out));
  undo.ForgetInverse();
  EXPECT_EQ(undo.UndoCount(), 2);
  EXPECT_EQ(undo.RedoCount(), 0);
  ASSERT_TRUE(undo.Undo(in, out));
  EXPECT_EQ(ReadTag(in), 2);
}

TEST(UndoManager, DiscardClearAndNewLevelsEmptyTheRing) {
  TUndoActionMgr undo(3, 8);
  PushTagged(undo, 1);
  PushTagged(undo, 2);
  undo.DiscardLast();
  TUndoKind kind;
  int command;
  undo.PeekUndo(kind, command);
  EXPECT_EQ(command, 101);
  undo.Clear();
  EXPECT_FALSE(undo.CanUndo());
  PushTagged(undo, 3);
  undo.SetLevels(5);
  EXPECT_FALSE(undo.CanUndo());
  EXPECT_EQ(undo.GetLevels(), 5);
}
