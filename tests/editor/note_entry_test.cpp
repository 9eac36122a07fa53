// Note entry at the caret against a real score: notes and rests from the tools, the clearing of
// tools that do not persist, chord members and their removal, tool commands applied to a
// selection, and the rule that a refused change leaves no undo record behind.
#include <gtest/gtest.h>

#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "editor/NoteEntry.h"
#include "resources/CommandIds.h"
#include "tests/editor/OneStaffScore.h"
#include "tests/staffutl/StaffText.h"

namespace {

using TEntryFixture = TOneStaffScore;

}  // namespace

TEST(NoteEntry, NotesTakeTheToolsAndToolsThatDoNotPersistClear) {
  TEntryFixture f("");
  f.tools.ChooseDuration(3);
  f.tools.ChooseAccidental(acSharp);
  f.tools.ToggleAttribute(naStaccato);
  f.tools.ChooseStem(stDown);
  ASSERT_EQ(f.entry.InsertNote(-2), TEntryResult::Done);
  EXPECT_EQ(f.Text(), "e@-2");
  TMusicNote* first = f.Head(1);
  EXPECT_EQ(first->GetAccidental(), acSharp);
  EXPECT_TRUE(first->HasAttribute(naStaccato));
  EXPECT_EQ(first->GetStemCode(), stDown);
  EXPECT_EQ(f.edit.GetCaretIndex(), 2);
  // The accidental and staccato went with the note; duration and stem stay.
  ASSERT_EQ(f.entry.InsertNote(0), TEntryResult::Done);
  EXPECT_EQ(f.Head(2)->GetAccidental(), acNone);
  EXPECT_FALSE(f.Head(2)->HasAttribute(naStaccato));
  EXPECT_EQ(f.Head(2)->GetStemCode(), stDown);
  // A rest keeps the accidental tool; persistent tools keep everything.
  f.tools.ChooseAccidental(acFlat);
  f.tools.ToggleAttribute(naAccent);
  ASSERT_EQ(f.entry.InsertRest(), TEntryResult::Done);
  EXPECT_EQ(f.tools.State().accidental, acFlat);
  EXPECT_FALSE(f.tools.State().Has(naAccent));
  f.entry.SetPersistent(true);
  f.tools.ToggleAttribute(naAccent);
  ASSERT_EQ(f.entry.InsertNote(1), TEntryResult::Done);
  EXPECT_EQ(f.tools.State().accidental, acFlat);
  EXPECT_TRUE(f.tools.State().Has(naAccent));
  EXPECT_EQ(f.Text(), "e@-2 e re e@1");
  EXPECT_EQ(f.undo.UndoCount(), 4);
}

TEST(NoteEntry, ChordMembersJoinTheNoteBeforeTheCaret) {
  TEntryFixture f("q q@2");
  // At the start of the staff there is nothing to join: a refusal and no record.
  ASSERT_EQ(f.entry.AddChordMember(-2), TEntryResult::Refused);
  EXPECT_EQ(f.undo.UndoCount(), 0);
  f.edit.MoveCaretTo(2, false);
  ASSERT_EQ(f.entry.AddChordMember(-4), TEntryResult::Done);
  ASSERT_EQ(f.Staff().GetItem(1)->GetNoteCount(), 2);
  // The same position again is refused and its record dropped.
  ASSERT_EQ(f.entry.AddChordMember(-4), TEntryResult::Refused);
  EXPECT_EQ(f.undo.UndoCount(), 1);
  ASSERT_EQ(f.entry.RemoveChordNote(-4), TEntryResult::Done);
  EXPECT_EQ(f.Text(), "q q@2") << "a chord left with one head is a note again";
  // A lone note is no chord: Remove Chord Note refuses it.
  EXPECT_EQ(f.entry.RemoveChordNote(0), TEntryResult::Refused);
  EXPECT_EQ(f.undo.UndoCount(), 2);
  TUndoEffects effects;
  ASSERT_EQ(f.edit.Undo(effects), TUndoOutcome::Applied);
  ASSERT_EQ(f.Staff().GetItem(1)->GetNoteCount(), 2) << "undo gives the head back";
}

TEST(NoteEntry, AFullStaffRefusesTheNote) {
  TEntryFixture f("q");
  TMusicStaff& staff = f.Staff();
  while (staff.FreeItemSlots() > 0) staff.AppendItem(new TMusicNote(0, 2));
  EXPECT_EQ(f.entry.InsertNote(0), TEntryResult::NoRoom);
  EXPECT_EQ(f.undo.UndoCount(), 0);
}

TEST(NoteEntry, ToolCommandsChangeTheSelectionUnderOneRecord) {
  // Command, the staff after it; the selection is items 1..2 of "e e@1 | q@2".
  struct Case {
    int command;
    const char* after;
  } cases[] = {
      {CM_SIXTEENTH, "s s@1 | q@2"},
      {CM_LONGER, "q q@1 | q@2"},
      {CM_SHORTER, "s s@1 | q@2"},
      {CM_DOTTED, "e. e.@1 | q@2"},
  };
  for (const Case& c : cases) {
    TEntryFixture f("e e@1 | q@2");
    f.edit.MoveCaretTo(3, false);
    f.edit.MoveCaretTo(1, true);
    f.entry.FollowSelection();
    ASSERT_EQ(f.entry.ApplyToSelection(c.command), TEntryResult::Done) << c.command;
    EXPECT_EQ(f.Text(), c.after) << c.command;
    EXPECT_EQ(f.undo.UndoCount(), 1);
    TUndoEffects effects;
    ASSERT_EQ(f.edit.Undo(effects), TUndoOutcome::Applied);
    EXPECT_EQ(f.Text(), "e e@1 | q@2") << c.command;
  }
}

TEST(NoteEntry, SelectionAccidentalStemAndBeam) {
  TEntryFixture f("e e@1 | q@2");
  f.edit.MoveCaretTo(3, false);
  f.edit.MoveCaretTo(1, true);
  f.entry.FollowSelection();
  ASSERT_EQ(f.entry.ApplyToSelection(CM_FLAT), TEntryResult::Done);
  EXPECT_EQ(f.Head(1)->GetAccidental(), acFlat);
  EXPECT_EQ(f.tools.State().accidental, acFlat) << "the tools show the selection again";
  ASSERT_EQ(f.entry.ApplyToSelection(CM_FLAT), TEntryResult::Done);
  EXPECT_EQ(f.Head(2)->GetAccidental(), acNone) << "choosing the current accidental takes it off";
  ASSERT_EQ(f.entry.ApplyToSelection(CM_STEMUP), TEntryResult::Done);
  EXPECT_EQ(f.Head(1)->GetStemCode(), stUp);
  ASSERT_EQ(f.entry.ApplyToSelection(CM_BEAM), TEntryResult::Done);
  EXPECT_EQ(StaffText(f.Staff(), true), "e[ e@1] | q@2");
  EXPECT_TRUE(f.tools.State().groups & kGroupBeam);
  ASSERT_EQ(f.entry.ApplyToSelection(CM_BEAM), TEntryResult::Done) << "a beamed selection is unbeamed";
  EXPECT_EQ(StaffText(f.Staff(), true), "e e@1 | q@2");
  EXPECT_EQ(f.undo.UndoCount(), 5);
  // Leaving the selection brings the user's tools back.
  f.edit.CollapseSelection();
  f.entry.FollowSelection();
  EXPECT_EQ(f.tools.State().accidental, acNone);
  EXPECT_EQ(f.tools.State().duration, 2);
}

TEST(NoteEntry, RefusedSelectionChangesLeaveNoRecord) {
  // A bar line alone takes no attribute and cannot be beamed; a quarter and an eighth across a
  // bar line cannot be tripleted.
  TEntryFixture f("q | e@1");
  f.edit.MoveCaretTo(3, false);
  f.edit.MoveCaretTo(2, true);
  f.entry.FollowSelection();
  EXPECT_EQ(f.entry.ApplyToSelection(CM_STACCATO), TEntryResult::Refused);
  EXPECT_EQ(f.entry.ApplyToSelection(CM_BEAM), TEntryResult::Refused);
  EXPECT_EQ(f.undo.UndoCount(), 0);
  EXPECT_EQ(f.Text(), "q | e@1");
}

TEST(NoteEntry, FastInsertsMakeTheirItemsUnderTheDialogsCommands) {
  struct Case {
    int command;
    int type;
    int recordedAs;
  } cases[] = {
      {CM_FAST_BASS, ntClef, CM_INS_CLEF},          {CM_FAST_68, ntTimeSignature, CM_INS_TIMESIG},
      {CM_FAST_COMMON, ntTimeSignature, CM_INS_TIMESIG}, {CM_FAST_P, ntDynamicLevel, CM_INS_DYNAMIC},
      {CM_FAST_FERMATA, ntTempoVariance, CM_INS_TEMPOVARIANCE}, {CM_FAST_PEDALUP, ntSustainPedal, CM_INS_PEDAL},
  };
  for (const Case& c : cases) {
    TEntryFixture f("q");
    f.edit.MoveCaretTo(2, false);
    ASSERT_EQ(f.entry.FastInsert(c.command), TEntryResult::Done) << c.command;
    const TNotatedItem* item = f.Staff().GetItem(2);
    EXPECT_EQ(item->GetType(), c.type) << c.command;
    TUndoKind kind;
    int recorded;
    f.undo.PeekUndo(kind, recorded);
    EXPECT_EQ(recorded, c.recordedAs) << c.command;
  }
  TEntryFixture f("");
  ASSERT_EQ(f.entry.FastInsert(CM_FAST_68), TEntryResult::Done);
  ASSERT_EQ(f.entry.FastInsert(CM_FAST_BASS), TEntryResult::Done);
  EXPECT_EQ(f.Text(), "T6/8 ?" + std::to_string(ntClef));
  EXPECT_EQ(f.entry.FastInsert(CM_INSERTNOTE), TEntryResult::Refused) << "not a fast insert";
  EXPECT_FALSE(TNoteEntry::IsFastInsert(CM_INS_CLEF));
}

TEST(NoteEntry, AutomaticBeamBeamsTheStaffByBeatsUnderOneRecord) {
  TEntryFixture f("T6/8 e e e e e e | q");
  ASSERT_EQ(f.entry.AutoBeamStaff(), TEntryResult::Done);
  EXPECT_EQ(StaffText(f.Staff(), true), "T6/8 e[ e- e] e[ e- e] | q");
  TUndoKind kind;
  int command;
  f.undo.PeekUndo(kind, command);
  EXPECT_EQ(kind, TUndoKind::StaffContent);
  EXPECT_EQ(command, CM_AUTOBEAM);
  TUndoEffects effects;
  ASSERT_EQ(f.edit.Undo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(StaffText(f.Staff(), true), "T6/8 e e e e e e | q");
}
