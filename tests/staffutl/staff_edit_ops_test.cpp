// Insertion at a tick, chord merges and removals, ungrouping and automatic stems.
#include <gtest/gtest.h>

#include "QVKNTN/ChordData.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffRange.h"
#include "QVKNTN/SustainPedal.h"
#include "StaffText.h"

namespace {

TEST(InsertAtTick, SplitsTheNoteThatHoldsTheTick) {
  const struct {
    const char* before;
    long tick;
    const char* after;
  } rows[] = {
      {"h h", 192, "q~ P q h"},
      {"h h", 384, "h P h"},
      {"h h", 0, "P h h"},
      {"h h", 96, "e~ P q. h"},
      {"h~ h", 192, "q~ P q~ h"},
      {"rh q", 96, "re P rq. q"},
      {"ch ch", 192, "cq~@0 P cq@0 ch@0"},
      {"cw.@4", 768, "cw~@4 P ch@4"},
      {"q | q", 192, "q P | q"},
      // Past the end: before the trailing sentinel.
      {"h h", 5000, "h h P"},
      // Triplet members and grace notes are never cut: the item goes after the one holding the tick.
      {"3q 3q 3q q", 64, "3q P 3q 3q q"},
      // A cut that would leave less than a sixty-fourth on one side is not made.
      {"q q", 186, "q P q"},
      // Far beyond a long rest's start the rest is not cut.
      {"rq P", 0, "P rq P"},
  };
  TAuditCount audits;
  for (const auto& row : rows) {
    TMusicStaff staff;
    FillStaff(staff, row.before);
    const long ticks = StaffTicks(staff);
    ASSERT_TRUE(staff.InsertAtTick(new TSustainPedal(1), row.tick));
    EXPECT_EQ(StaffText(staff), row.after) << row.before << " at " << row.tick;
    EXPECT_EQ(StaffTicks(staff), ticks) << row.before << " at " << row.tick;
  }
}

TEST(InsertAtTick, LongRestBeyondTheReachIsNotCut) {
  TAuditCount audits;
  TMusicStaff staff;
  auto* rest = new TRestNote(0);
  rest->SetExplicitTicks(768 * 4);
  staff.AppendItem(rest);
  FillStaff(staff, "q");
  ASSERT_TRUE(staff.InsertAtTick(new TSustainPedal(1), 768 * 3));
  EXPECT_EQ(StaffText(staff), "rw=3072 P q");
  ASSERT_TRUE(staff.InsertAtTick(new TSustainPedal(0), 1536));
  EXPECT_EQ(StaffText(staff), "rw. rh p rw. rh P q") << "within eight quarters of its start it is cut";
}

TEST(InsertAtTick, NotifyingTwinAuditsOnceAndAFullStaffRefuses) {
  TAuditCount audits;
  TMusicStaff staff;
  FillStaff(staff, "h h");
  ASSERT_TRUE(staff.InsertAtTickNotify(new TSustainPedal(1), 192));
  EXPECT_EQ(audits.Total(), 1);
  EXPECT_FALSE(staff.InsertAtTick(nullptr, 0));

  TMusicStaff full;
  while (full.FreeItemSlots() > 0) FillStaff(full, "h");
  auto* pedal = new TSustainPedal(1);
  EXPECT_FALSE(full.InsertAtTick(pedal, 192));
  delete pedal;
  // Nearly full: no split, so no slot is spent on pieces.
  TMusicStaff nearly;
  while (!nearly.IsNearlyFull()) FillStaff(nearly, "h");
  const int count = nearly.ItemCount();
  EXPECT_EQ(nearly.SplitAtTick(1, 0, 192), 0);
  EXPECT_EQ(nearly.ItemCount(), count);
}

TEST(SplitAtTick, PiecesLoseDotsTheyNoLongerHave) {
  // A double-dotted quarter given a plain quarter's length must not keep its second dot.
  TMusicNote note(0, 2);
  note.SetAttribute(naDoubleDotted);
  ASSERT_EQ(note.GetDuration(), 336);
  EXPECT_EQ(NtnSetDurationFromTicks(&note, 192), 192);
  EXPECT_EQ(note.GetDuration(), 192);
  EXPECT_EQ(NtnSetDurationFromTicks(&note, 300), 288);
  EXPECT_EQ(note.GetDuration(), 288);
}

TMusicNote* Note(int position, int code, int stem = stAuto) {
  auto* note = new TMusicNote(position, code);
  note->SetStemDirection(stem);
  return note;
}

TEST(MergeIntoChord, TableOfTargets) {
  const struct {
    const char* name;
    const char* staff;
    int position, code, stem;
    bool grace;
    int merged;
    int type;   // of the item afterwards
    int heads;  // of the item afterwards
  } rows[] = {
      {"note into note", "q", -2, 2, stAuto, false, 1, ntChord, 2},
      {"note into chord", "cq@2", -3, 2, stAuto, false, 1, ntChord, 3},
      {"longer note into rest", "re", 2, 2, stAuto, false, 1, ntRestChord, 1},
      {"shorter note into rest", "rh", 2, 2, stAuto, false, 0, ntRest, 0},
      {"grace note into normal note", "q", -2, 2, stAuto, true, 0, ntNote, 1},
      {"into a bar line", "|", -2, 2, stAuto, false, 0, ntBarLine, 0},
      // One stem for a half and a quarter, both up: the chord cannot split its stems.
      {"quarter up into half up", "h", -2, 2, stUp, false, 0, ntNote, 1},
  };
  TAuditCount audits;
  for (const auto& row : rows) {
    TMusicStaff staff;
    FillStaff(staff, row.staff);
    if (std::string(row.name) == "quarter up into half up")
      static_cast<TSongNote*>(staff.GetItem(1))->SetStemDirection(stUp);
    const std::string before = StaffText(staff);
    const long auditsBefore = audits.Total();
    TMusicNote* note = Note(row.position, row.code, row.stem);
    if (row.grace) note->SetAttribute(naGrace);
    const int merged = staff.MergeIntoChord(note, 1);
    EXPECT_EQ(merged, row.merged) << row.name;
    EXPECT_EQ(staff.GetItem(1)->GetType(), row.type) << row.name;
    EXPECT_EQ(staff.GetItem(1)->GetNoteCount(), row.heads) << row.name;
    EXPECT_EQ(audits.Total() - auditsBefore, merged) << row.name << ": audited only on success";
    if (!merged) {
      EXPECT_EQ(StaffText(staff), before) << row.name;
      delete note;
    }
  }
}

TEST(MergeIntoChord, RefusedMergeHandsTheNoteBackAsItWas) {
  TAuditCount audits;
  TMusicStaff staff;
  auto* old = Note(0, 1, stUp);
  old->SetAttribute(naStaccato);
  old->SetBeamState(0);
  old->SetAccidental(acSharp);
  staff.AppendItem(old);
  const uint16_t attributes = old->GetAttributeWord();
  const uint8_t duration = old->GetDurationByte(), pitch = old->GetPitchByte(), group = old->GetGroupByte();
  TMusicNote* note = Note(-2, 2, stUp);
  EXPECT_EQ(staff.MergeIntoChord(note, 1), 0);
  ASSERT_EQ(staff.GetItem(1), old);
  EXPECT_EQ(old->GetAttributeWord(), attributes);
  EXPECT_EQ(old->GetDurationByte(), duration);
  EXPECT_EQ(old->GetPitchByte(), pitch);
  EXPECT_EQ(old->GetGroupByte(), group);
  EXPECT_EQ(old->GetPosition(), 0);
  delete note;
}

TEST(MergeIntoChord, SplitStemChordRefusesAnEighth) {
  TAuditCount audits;
  TMusicStaff staff;
  FillStaff(staff, "ch@2");
  ASSERT_EQ(staff.MergeIntoChord(Note(-3, 2), 1), 1);
  ASSERT_TRUE(static_cast<TChordData*>(staff.GetItem(1))->HasSplitStems());
  TMusicNote* eighth = Note(-5, 3);
  EXPECT_EQ(staff.MergeIntoChord(eighth, 1), 0);
  EXPECT_EQ(staff.GetItem(1)->GetNoteCount(), 3);
  delete eighth;
}

TEST(RemoveFromChord, TableOfChords) {
  TAuditCount audits;
  // Three heads: one leaves, the chord stays.
  TMusicStaff three;
  FillStaff(three, "cq@2");
  ASSERT_EQ(three.MergeIntoChord(Note(-3, 2), 1), 1);
  TMusicNote* head = three.RemoveFromChord(1, -3);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->GetPosition(), -3);
  EXPECT_FALSE(head->HasAttribute(naChordMember));
  delete head;
  EXPECT_EQ(three.GetItem(1)->GetType(), ntChord);
  // Two heads: the chord gives way to the note left.
  head = three.RemoveFromChord(1, 0);
  ASSERT_NE(head, nullptr);
  delete head;
  EXPECT_EQ(StaffText(three), "q@2");
  // Not a chord, or no head there.
  EXPECT_EQ(three.RemoveFromChord(1, 2), nullptr);
  EXPECT_EQ(three.RemoveFromChord(1, 7), nullptr);
  EXPECT_EQ(three.RemoveFromChord(0, 0), nullptr);
}

TEST(RemoveFromChord, RestChordLeftWithoutNotesIsARestAgain) {
  TAuditCount audits;
  TMusicStaff staff;
  FillStaff(staff, "re");
  auto* rest = static_cast<TRestNote*>(staff.GetItem(1));
  rest->SetVerticalOffset(-2);
  ASSERT_EQ(staff.MergeIntoChord(Note(2, 2), 1), 1);
  ASSERT_EQ(staff.GetItem(1)->GetType(), ntRestChord);
  EXPECT_EQ(static_cast<TRestNote*>(staff.GetItem(1))->GetVerticalOffset(), -2);
  TMusicNote* head = staff.RemoveFromChord(1, 2);
  ASSERT_NE(head, nullptr);
  delete head;
  ASSERT_EQ(staff.GetItem(1)->GetType(), ntRest);
  EXPECT_EQ(StaffText(staff), "re");
  EXPECT_EQ(static_cast<TRestNote*>(staff.GetItem(1))->GetVerticalOffset(), -2);
}

TEST(UngroupAt, ClearsTheWholeGroupAroundTheIndex) {
  TAuditCount audits;
  TMusicStaff staff;
  FillStaff(staff, "e e e e q");
  ASSERT_TRUE(TStaffRange(&staff, 1, 3).MakeGroup(kNtnGroupBeam));
  ASSERT_EQ(StaffText(staff, true), "e[ e- e] e q");
  staff.UngroupAt(kNtnGroupBeam, 2);
  EXPECT_EQ(StaffText(staff, true), "e e e e q");
}

int StemCode(const TMusicStaff& staff, int i) { return static_cast<const TSongNote*>(staff.GetItem(i))->GetStemCode(); }

TEST(AutoStems, SingleNotesAndGroups) {
  TAuditCount audits;
  TMusicStaff staff;
  // A lone note, a group reaching far up, a group reaching far down, one with equal extremes.
  FillStaff(staff, "q@3 e@-5 e@-1 e@1 e@6 e@2 e@2 q@-2");
  ASSERT_TRUE(TStaffRange(&staff, 2, 3).MakeGroup(kNtnGroupBeam));
  ASSERT_TRUE(TStaffRange(&staff, 4, 5).MakeGroup(kNtnGroupBeam));
  ASSERT_TRUE(TStaffRange(&staff, 6, 7).MakeGroup(kNtnGroupBeam));
  static_cast<TSongNote*>(staff.GetItem(8))->SetStemDirection(stUp);
  staff.ApplyAutoStems();
  EXPECT_EQ(StemCode(staff, 1), stAuto);
  EXPECT_EQ(StemCode(staff, 2), stDown);
  EXPECT_EQ(StemCode(staff, 3), stDown);
  EXPECT_EQ(StemCode(staff, 4), stUp);
  EXPECT_EQ(StemCode(staff, 5), stUp);
  EXPECT_EQ(StemCode(staff, 6), stUp) << "equal extremes below the middle line";
  EXPECT_EQ(StemCode(staff, 8), stAuto) << "a lone note returns to the automatic stem";
  // An explicit sign for one note of a group turns the whole group.
  staff.ApplyAutoStem(4, 1);
  staff.ApplyAutoStem(2, -1);
  EXPECT_EQ(StemCode(staff, 2), stDown);
  staff.ApplyAutoStem(3, 1);
  EXPECT_EQ(StemCode(staff, 2), stUp);
  EXPECT_EQ(StemCode(staff, 3), stUp);
  staff.ApplyAutoStem(0, 1);  // the sentinel: nothing happens
}

}  // namespace
