// Undo records against a real score: every kind written before an edit, read back by Undo and
// Redo, must give the score's bytes exactly as they were before and after the edit.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/ItemRange.h"
#include "QVKNTN/LyricText.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/StaffLyrics.h"
#include "editor/ScoreEditing.h"
#include "foundation/QXTSegRamStream.h"
#include "tests/editor/EditTestSupport.h"
#include "tests/staffutl/StaffText.h"

namespace {

// A two-staff score; the first staff from text, the second a short melody.
struct TFixture {
  TMusicScore score;
  TUndoActionMgr undo{16, 1000};
  TModifiedCount modified;
  TScoreEditing edit{score, undo, &modified};

  explicit TFixture(const std::string& first, const std::string& second = "q@2 q@1 | h@0") {
    InstallAuditPass();
    for (const std::string* text : {&first, &second}) {
      auto* staff = new TMusicStaff;
      staff->SetName(text == &first ? "One" : "Two");
      FillStaff(*staff, *text);
      RunStaffAudit(staff, -1, -1);
      score.AppendStaff(staff);
    }
  }
  std::string Text(int staff = 0) const { return StaffText(*score.GetStaff(staff)); }

  // Runs the edit, then checks Undo gives the bytes before and Redo the bytes after, twice over.
  void ExpectRoundTrip(const std::function<bool(TScoreEditing&)>& op, const char* what) {
    SCOPED_TRACE(what);
    const auto before = ScoreBytes(score);
    const TEditPlace placeBefore = edit.Place();
    ASSERT_TRUE(op(edit));
    const auto after = ScoreBytes(score);
    const TEditPlace placeAfter = edit.Place();
    ASSERT_NE(before, after) << "the edit changed nothing";
    for (int round = 0; round < 2; ++round) {
      TUndoEffects effects;
      ASSERT_EQ(edit.Undo(effects), TUndoOutcome::Applied);
      EXPECT_EQ(ScoreBytes(score), before) << "undo, round " << round;
      EXPECT_EQ(edit.GetCaretIndex(), placeBefore.caret);
      EXPECT_EQ(edit.GetAnchor(), placeBefore.anchor);
      ASSERT_EQ(edit.Redo(effects), TUndoOutcome::Applied);
      EXPECT_EQ(ScoreBytes(score), after) << "redo, round " << round;
      EXPECT_EQ(edit.GetCaretIndex(), placeAfter.caret);
    }
  }
};

TMusicNote* Quarter(int position) { return new TMusicNote(position, 2); }

}  // namespace

TEST(UndoRecords, ItemEditsRoundTripByteForByte) {
  struct Case {
    const char* name;
    const char* staff;
    int caret, anchor;
    std::function<bool(TScoreEditing&)> op;
  };
  const Case cases[] = {
      {"insert before the first note", "q@0 q@1 | q@2 q@3 |", 1, 1,
       [](TScoreEditing& e) { return e.InsertItemAtCaret(Quarter(-2), 128); }},
      {"insert mid bar", "q@0 q@1 | q@2 q@3 |", 5, 5,
       [](TScoreEditing& e) { return e.InsertItemAtCaret(Quarter(4), 128); }},
      {"insert into an empty staff", "", 1, 1, [](TScoreEditing& e) { return e.InsertItemAtCaret(Quarter(0), 128); }},
      {"insert at the end", "q@0 | q@1", 4, 4, [](TScoreEditing& e) { return e.InsertItemAtCaret(Quarter(0), 128); }},
      {"replace a selection across a bar", "q@0 q@1 | q@2 q@3 | h@0", 2, 5,
       [](TScoreEditing& e) { return e.InsertItemAtCaret(Quarter(-1), 128); }},
      {"delete the first note", "q@0 q@1 | q@2", 1, 1, [](TScoreEditing& e) { return e.DeleteAtCaret(); }},
      {"delete a bar line", "q@0 q@1 | q@2", 3, 3, [](TScoreEditing& e) { return e.DeleteAtCaret(); }},
      {"delete a selection", "q@0 q@1 | q@2 q@3 | q@4", 2, 6, [](TScoreEditing& e) { return e.DeleteAtCaret(); }},
      {"backspace the last note", "q@0 q@1 | q@2", 5, 5, [](TScoreEditing& e) { return e.DeleteBeforeCaret(); }},
      {"backspace the first note", "q@0 q@1", 2, 2, [](TScoreEditing& e) { return e.DeleteBeforeCaret(); }},
      {"move selected notes up", "q@0 q@1 | q@2", 1, 3, [](TScoreEditing& e) { return e.ShiftSelection(-1); }},
  };
  for (const Case& c : cases) {
    TFixture f(c.staff);
    f.edit.Place().caret = c.caret;
    f.edit.Place().anchor = c.anchor;
    f.ExpectRoundTrip(c.op, c.name);
  }
}

TEST(UndoRecords, UndoingTheFirstNoteNeverDuplicatesItems) {
  TFixture f("q@0 q@1 | q@2");
  ASSERT_TRUE(f.edit.DeleteAtCaret());
  EXPECT_EQ(f.Text(), "q@1 | q@2");
  TUndoEffects effects;
  ASSERT_EQ(f.edit.Undo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(f.Text(), "q q@1 | q@2");
  EXPECT_EQ(f.score.GetStaff(0)->ItemCount(), 6) << "two sentinels and four items";
}

TEST(UndoRecords, SeveralEditsUndoToTheStartAndRedoToTheEnd) {
  TFixture f("q@0 q@1 | q@2 q@3 | h@0");
  const auto start = ScoreBytes(f.score);
  f.edit.MoveCaretTo(3, false);
  ASSERT_TRUE(f.edit.InsertItemAtCaret(Quarter(-3), 128));
  ASSERT_TRUE(f.edit.DeleteAtCaret());
  f.edit.MoveCaretTo(1, false);
  f.edit.MoveCaretTo(3, true);
  ASSERT_TRUE(f.edit.ShiftSelection(2));
  f.edit.MoveCaretTo(7, false);
  ASSERT_TRUE(f.edit.DeleteBeforeCaret());
  const auto end = ScoreBytes(f.score);
  TUndoEffects effects;
  while (f.undo.CanUndo()) ASSERT_EQ(f.edit.Undo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(ScoreBytes(f.score), start);
  while (f.undo.CanRedo()) ASSERT_EQ(f.edit.Redo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(ScoreBytes(f.score), end);
}

TEST(UndoRecords, StaffAndScoreRecordsRoundTrip) {
  TFixture f("q@0 q@1 | q@2");
  f.ExpectRoundTrip(
      [](TScoreEditing& e) {
        // New Staff is recorded after the change.
        auto* staff = new TMusicStaff;
        staff->SetName("Three");
        e.Score().AppendStaff(staff);
        e.Place().staff = 2;
        return e.RecordUndo(TUndoKind::StaffPresence, 217, 0);
      },
      "new staff");
  f.ExpectRoundTrip(
      [](TScoreEditing& e) {
        e.Place().staff = 0;
        if (!e.RecordUndo(TUndoKind::StaffPresence, 218, 0)) return false;
        delete e.Score().RemoveStaff(0);
        return true;
      },
      "delete staff");
  f.ExpectRoundTrip(
      [](TScoreEditing& e) {
        const int to = e.Score().StaffCount() - 1;
        e.Score().InsertStaff(e.Score().RemoveStaff(0), to);
        e.Place().staff = to;
        return e.RecordUndo(TUndoKind::StaffMove, 223, 0);
      },
      "move staff");
  f.ExpectRoundTrip(
      [](TScoreEditing& e) {
        e.Place().staff = 1;
        if (!e.RecordUndo(TUndoKind::StaffInfo, 219, 0)) return false;
        e.CurrentStaff()->SetName("Renamed");
        e.CurrentStaff()->SetChannel(7);
        return true;
      },
      "staff properties");
  f.ExpectRoundTrip(
      [](TScoreEditing& e) {
        if (!e.RecordUndo(TUndoKind::StaffInfo, 220, 0)) return false;
        e.CurrentStaff()->SetMuted(!e.CurrentStaff()->IsMuted());
        return true;
      },
      "mute staff");
  f.ExpectRoundTrip(
      [](TScoreEditing& e) {
        if (!e.RecordUndo(TUndoKind::ScoreInfo, 64, 0)) return false;
        for (int i = 0; i < e.Score().StaffCount(); ++i) e.Score().GetStaff(i)->SetMuted(i == 0);
        return true;
      },
      "mute list");
  f.ExpectRoundTrip(
      [](TScoreEditing& e) {
        if (!e.RecordUndo(TUndoKind::ScoreInfo, 11, 0)) return false;
        std::strcpy(e.Score().Info().title, "A new title");
        return true;
      },
      "file info");
  f.ExpectRoundTrip(
      [](TScoreEditing& e) {
        if (!e.RecordUndo(TUndoKind::ScoreInfo, 52, 0)) return false;
        e.Score().SetAllowLayering(!e.Score().GetAllowLayering());
        return true;
      },
      "allow layering");
  f.ExpectRoundTrip(
      [](TScoreEditing& e) {
        e.Place().staff = 0;
        if (!e.RecordUndo(TUndoKind::StaffContent, 66, 0)) return false;
        e.CurrentStaff()->Transpose(2, 0);
        e.CurrentStaff()->SetTransposition(5);
        return true;
      },
      "transpose staff");
  f.ExpectRoundTrip(
      [](TScoreEditing& e) {
        if (!e.RecordUndo(TUndoKind::StaffContent, 37, 0)) return false;
        auto* lyrics = new TStaffLyrics;
        lyrics->AddLine(new TLyricText);
        e.CurrentStaff()->SetLyrics(lyrics);
        e.CurrentStaff()->SetVerticalSize(20, -20);
        return true;
      },
      "lyrics");
}

// Page setup changes the score while its sheet is open and records the settings it kept before.
TEST(UndoRecords, KeptPageSettingsUndoTheWholeSheet) {
  TFixture f("q@0 q@1 | q@2");
  int markedByRecord = -1;
  f.ExpectRoundTrip(
      [&](TScoreEditing& e) {
        TQXTSegRamStream kept(1000);
        e.Score().WriteInfo(kept);
        e.Score().SetMargin(1, 1.25f);
        e.Score().SetMirrorMargins(1);
        e.Score().SetPageNumberingFrom(5);
        e.Score().SetStaffLabels(3);
        e.Score().GetFonts()->GetFont(3).size = 31;
        e.Score().SetAllowLayering(true);
        const int before = f.modified.count;
        const bool recorded = e.RecordKeptUndo(TUndoKind::ScoreInfo, 208, kept);
        markedByRecord = f.modified.count - before;
        return recorded;
      },
      "page setup");
  TUndoKind kind;
  int command;
  f.undo.PeekUndo(kind, command);
  EXPECT_EQ(kind, TUndoKind::ScoreInfo);
  EXPECT_EQ(command, 208);
  EXPECT_EQ(markedByRecord, 1) << "the window is marked changed";
}

TEST(UndoRecords, AKeptSnapshotThatFailedRecordsNothing) {
  TFixture f("q@0");
  TQXTSegRamStream kept(1000);
  f.score.WriteInfo(kept);
  kept.SetFail();
  EXPECT_FALSE(f.edit.RecordKeptUndo(TUndoKind::ScoreInfo, 208, kept));
  EXPECT_FALSE(f.undo.CanUndo());
  EXPECT_EQ(f.modified.count, 0);
}

TEST(UndoRecords, ARecordForAMissingStaffIsSkippedAndStaysOffered) {
  TFixture f("q@0 q@1");
  f.edit.Place().staff = 1;
  ASSERT_TRUE(f.edit.InsertItemAtCaret(Quarter(0), 128));
  delete f.score.RemoveStaff(1);
  const auto before = ScoreBytes(f.score);
  TUndoEffects effects;
  EXPECT_EQ(f.edit.Undo(effects), TUndoOutcome::Skipped);
  EXPECT_EQ(ScoreBytes(f.score), before);
  EXPECT_EQ(f.undo.UndoCount(), 1);
  EXPECT_EQ(f.undo.RedoCount(), 0);
}

TEST(UndoRecords, ABrokenOrOversizedRecordFailsWithoutLosingItems) {
  // A record cut short: nothing is deleted.
  {
    TFixture f("q@0 q@1 | q@2");
    TQXTStream& out = f.undo.Push(TUndoKind::Items, 128);
    out.WriteInt16(0);  // staff
    out.WriteInt16(1);  // start
    out.WriteInt16(2);  // count after
    out.WriteInt16(3);  // stored
    out.WriteInt16(1);
    out.WriteInt16(1);
    TQXTSegRamStream items(1000);
    WriteItemRange(*f.score.GetStaff(0), 1, 3, items);
    items.Rewind();
    out.CopyBytesFrom(items, items.Size() - 3);
    const auto before = ScoreBytes(f.score);
    TUndoEffects effects;
    EXPECT_EQ(f.edit.Undo(effects), TUndoOutcome::Failed);
    EXPECT_EQ(ScoreBytes(f.score), before);
  }
  // A staff without room for what the record would put back: refused before anything is deleted.
  {
    TFixture f("q@0");
    TMusicStaff& staff = *f.score.GetStaff(0);
    while (staff.ItemCount() < TMusicStaff::kMaxItems) staff.AppendItem(Quarter(0));
    TQXTStream& out = f.undo.Push(TUndoKind::Items, 128);
    out.WriteInt16(0);
    out.WriteInt16(1);
    out.WriteInt16(1);  // one item there now
    out.WriteInt16(3);  // three to put back
    out.WriteInt16(1);
    out.WriteInt16(1);
    WriteItemRange(staff, 1, 3, out);
    const auto before = ScoreBytes(f.score);
    TUndoEffects effects;
    EXPECT_EQ(f.edit.Undo(effects), TUndoOutcome::Failed);
    EXPECT_EQ(ScoreBytes(f.score), before);
    EXPECT_EQ(staff.ItemCount(), TMusicStaff::kMaxItems);
  }
}

TEST(UndoRecords, AnEditThatDoesNothingLeavesNoRecord) {
  TFixture f("q@0 q@1");
  f.edit.MoveCaretTo(3, false);  // at the trailing sentinel
  EXPECT_FALSE(f.edit.DeleteAtCaret());
  f.edit.MoveCaretTo(1, false);
  EXPECT_FALSE(f.edit.DeleteBeforeCaret());
  EXPECT_FALSE(f.edit.ShiftSelection(1));
  EXPECT_FALSE(f.undo.CanUndo());
  EXPECT_EQ(f.modified.count, 0);
  ASSERT_TRUE(f.edit.DeleteAtCaret());
  EXPECT_EQ(f.modified.count, 1) << "every recorded edit marks the window modified";
}

TEST(UndoRecords, ItemRangesAreWholeBarsWithoutSentinels) {
  TFixture f("q@0 q@1 | q@2 q@3 | q@4");
  const TMusicStaff& staff = *f.score.GetStaff(0);
  struct Case {
    int caret, anchor, count;
    TUndoKind kind;
    int command;
    int start, stored, after;
  } cases[] = {
      {1, 1, 1, TUndoKind::Items, 128, 1, 2, 3},    // at the start: the first bar, never the leading sentinel
      {4, 4, 1, TUndoKind::Items, 128, 3, 3, 4},    // from the bar line before to the end of the bar
      {8, 8, 1, TUndoKind::Items, 128, 7, 1, 2},    // at the end: never the trailing sentinel
      {2, 5, 1, TUndoKind::Items, 128, 1, 5, 3},    // a selection of three replaced by one
      {2, 2, -1, TUndoKind::Internal, 2, 1, 2, 1},  // Delete at the caret
      {2, 2, -1, TUndoKind::Internal, 1, 1, 2, 1},  // Backspace
  };
  for (const Case& c : cases) {
    TEditPlace place{0, c.caret, c.anchor};
    const TUndoItemRange r = ChooseUndoItemRange(staff, place, c.count, c.kind, c.command);
    EXPECT_EQ(r.start, c.start) << c.caret << "," << c.anchor;
    EXPECT_EQ(r.stored, c.stored) << c.caret << "," << c.anchor;
    EXPECT_EQ(r.countAfter, c.after) << c.caret << "," << c.anchor;
  }
}

TEST(UndoRecords, AFullStaffRefusesAnInsertWithoutARecord) {
  TFixture f("q@0");
  TMusicStaff& staff = *f.score.GetStaff(0);
  while (staff.ItemCount() < TMusicStaff::kMaxItems) staff.AppendItem(Quarter(0));
  EXPECT_FALSE(f.edit.InsertItemAtCaret(Quarter(1), 128));
  EXPECT_FALSE(f.undo.CanUndo());
  EXPECT_EQ(staff.ItemCount(), TMusicStaff::kMaxItems);
  // Replacing a selection of two by one fits.
  f.edit.MoveCaretTo(3, true);
  EXPECT_TRUE(f.edit.InsertItemAtCaret(Quarter(1), 128));
  EXPECT_EQ(staff.ItemCount(), TMusicStaff::kMaxItems - 1);
}
