// The score and staff model: defaults, staff list and selection, names, sentinels and end bars,
// item insertion limits, searches and tick arithmetic.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItemFactory.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/TimeSignatureData.h"

namespace {

TMusicStaff* StaffNamed(const char* name) {
  auto* staff = new TMusicStaff;
  staff->SetName(name);
  return staff;
}

// Appends items to a staff, before its trailing sentinel.
void Fill(TMusicStaff& staff, const std::vector<TNotatedItem*>& items) {
  for (TNotatedItem* item : items) ASSERT_TRUE(staff.AppendItem(item));
}

TMusicNote* Quarter(int position = 0) { return new TMusicNote(position, 2); }

TEST(ScoreModel, NewScoreDefaults) {
  TMusicScore score;
  EXPECT_EQ(score.StaffCount(), 0);
  EXPECT_STREQ(score.Info().title, "");
  EXPECT_STREQ(score.Info().comments, "");
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(score.GetMargin(i), 0.5f);
  EXPECT_EQ(score.GetZoomIndex(), 8);
  EXPECT_EQ(score.GetMeasureStart(), 1);
  EXPECT_EQ(score.GetFlags(), TMusicScore::kFlagCompressed | TMusicScore::kFlagTitlePageInfo |
                                  TMusicScore::kFlagDurationSpacing | TMusicScore::kFlagAllowLayering);
  EXPECT_TRUE(score.Selection().GetBit(0));
  EXPECT_EQ(score.Selection().CountBits(true), 1);
  EXPECT_EQ(score.GetFonts()->GetStaffSize(), 16);
  EXPECT_EQ(score.GetFonts()->GetFont(0).size, 10);  // Staff Italic: base x 5 / 8
  EXPECT_EQ(score.GetFonts()->GetFont(3).size, 24);
}

TEST(ScoreModel, SelectionFollowsTheStaffList) {
  TMusicScore score;
  score.AppendStaff(StaffNamed("a"));
  score.AppendStaff(StaffNamed("b"));
  score.Selection().SetBit(1, false);
  score.AppendStaff(StaffNamed("c"));
  EXPECT_TRUE(score.Selection().GetBit(2));
  // Staff 0 selected, 1 not, 2 selected; removing staff 0 moves the others down.
  TMusicStaff* removed = score.RemoveStaff(0);
  EXPECT_STREQ(removed->GetName(), "a");
  delete removed;
  EXPECT_FALSE(score.Selection().GetBit(0));
  EXPECT_TRUE(score.Selection().GetBit(1));
  score.InsertStaff(StaffNamed("x"), 1);
  EXPECT_STREQ(score.GetStaff(1)->GetName(), "x");
  EXPECT_TRUE(score.Selection().GetBit(1));
  EXPECT_TRUE(score.Selection().GetBit(2));
  EXPECT_EQ(score.GetStaff(2)->GetName(), std::string("c"));
  EXPECT_EQ(score.GetStaff(3), nullptr);
  EXPECT_EQ(score.GetStaff(-1), nullptr);
  EXPECT_EQ(score.RemoveStaff(9), nullptr);
  EXPECT_EQ(score.IndexOfStaff(score.GetStaff(2)), 2);
}

TEST(ScoreModel, UniqueStaffNames) {
  TMusicScore score;
  score.AppendStaff(StaffNamed("Violin"));
  for (int i = 2; i <= 10; ++i) {
    TMusicStaff* staff = StaffNamed("Violin");
    score.AppendStaff(staff);
    score.MakeStaffNameUnique(staff);
    EXPECT_EQ(std::string(staff->GetName()), "Violin-" + std::to_string(i));
  }
  // A long name is cut so that the name and its suffix fit the field.
  TMusicStaff* longOne = StaffNamed("ABCDEFGHIJKLMNOPQRSTUVWX");
  score.AppendStaff(longOne);
  TMusicStaff* longTwo = StaffNamed("ABCDEFGHIJKLMNOPQRSTUVWX");
  score.AppendStaff(longTwo);
  score.MakeStaffNameUnique(longTwo);
  EXPECT_STREQ(longTwo->GetName(), "ABCDEFGHIJKLMNOPQRSTUV-2");
  TMusicStaff* blank = StaffNamed("");
  score.AppendStaff(blank);
  score.MakeStaffNameUnique(blank);
  EXPECT_STREQ(blank->GetName(), "Staff");
  char name[32];
  score.NewStaffName(name, sizeof name);
  EXPECT_STREQ(name, "Staff-1");
}

TEST(ScoreModel, ChannelsGroupsAndMutes) {
  TMusicScore score;
  for (int channel : {0, 1, 3}) {
    TMusicStaff* staff = new TMusicStaff;
    staff->SetChannel(channel);
    staff->SetGroupName(channel == 1 ? "Winds" : "Strings");
    score.AppendStaff(staff);
  }
  EXPECT_EQ(score.NextFreeChannel(0), 4);
  EXPECT_EQ(score.NextFreeChannel(1), 4);
  score.GetStaff(2)->SetChannel(15);
  EXPECT_EQ(score.NextFreeChannel(0), 2);  // wraps past 15 and skips the used 0 and 1

  struct Sink : TStringListSink {
    std::vector<std::string> names;
    void ClearStrings() override { names.clear(); }
    void AddString(const char* text) override { names.push_back(text); }
  } sink;
  EXPECT_EQ(score.FillGroupList(sink), 3);
  EXPECT_EQ(sink.names, (std::vector<std::string>{"Strings", "Winds"}));
  TQVBoolArray picked(255);
  score.SelectGroupStaves("Strings", picked);
  EXPECT_TRUE(picked.GetBit(0));
  EXPECT_FALSE(picked.GetBit(1));
  EXPECT_TRUE(picked.GetBit(2));

  TQVBoolArray muted(255);
  muted.SetBit(1, true);
  score.SetMutedStaves(muted);
  EXPECT_TRUE(score.GetStaff(1)->IsMuted());
  TQVBoolArray back(255);
  score.GetMutedStaves(back);
  EXPECT_TRUE(back.IsEqual(muted));
}

TEST(StaffModel, DefaultsAndSentinels) {
  TMusicStaff staff;
  EXPECT_STREQ(staff.GetName(), "Staff");
  EXPECT_STREQ(staff.GetGroupName(), "Standard");
  EXPECT_EQ(staff.GetVolume(), 127);
  EXPECT_EQ(staff.GetPan(), 64);
  EXPECT_EQ(staff.GetLineCount(), 5);
  EXPECT_EQ(staff.GetUpperSize(), -12);
  EXPECT_EQ(staff.GetLowerSize(), 12);
  ASSERT_EQ(staff.ItemCount(), 2);
  auto* lead = static_cast<TBarLineData*>(staff.GetItem(0));
  auto* tail = static_cast<TBarLineData*>(staff.GetItem(1));
  EXPECT_EQ(lead->GetStyle(), TBarLineData::blSingle);
  EXPECT_EQ(tail->GetStyle(), TBarLineData::blSectionClose);
  EXPECT_EQ(tail->GetRepeatCount(), 1);
  EXPECT_EQ(staff.FreeItemSlots(), 11998);
}

TEST(StaffModel, EndBarStyleDrivesTheTrailingSentinel) {
  struct Case {
    int endBar, style, visibility;
  };
  const Case cases[] = {{0, 3, 0}, {1, 7, 0}, {2, 0, 0}, {4, 0, 3}, {3, 1, 0}};
  TMusicStaff staff;
  for (const Case& c : cases) {
    staff.SetEndBarStyle(c.endBar);
    auto* tail = static_cast<TBarLineData*>(staff.GetItem(staff.LastIndex()));
    EXPECT_EQ(tail->GetStyle(), c.style) << c.endBar;
    EXPECT_EQ(tail->GetVisibility(), c.visibility) << c.endBar;
  }
}

TEST(StaffModel, SizesFollowTheLineCount) {
  TMusicStaff staff;
  staff.SetVerticalSize(12, -5);
  staff.SetLineCount(7);
  EXPECT_EQ(staff.GetUpperSize(), -7);
  EXPECT_EQ(staff.GetLowerSize(), 12);
  staff.SetVerticalSize(300, -300);
  EXPECT_EQ(staff.GetUpperSize(), -100);
  EXPECT_EQ(staff.GetLowerSize(), 100);
  staff.SetLineCount(40);
  EXPECT_EQ(staff.GetLineCount(), 5);
}

TEST(StaffModel, InsertionRespectsSentinelsAndTheLimit) {
  TMusicStaff staff;
  TMusicNote* note = Quarter();
  EXPECT_FALSE(staff.InsertItem(note, 0));
  EXPECT_FALSE(staff.InsertItem(note, 2));
  EXPECT_FALSE(staff.InsertItem(note, -3));
  ASSERT_TRUE(staff.InsertItem(note, 1));
  EXPECT_EQ(staff.GetItem(1), note);
  EXPECT_TRUE(staff.IsChanged());

  EXPECT_EQ(staff.DetachItem(0), nullptr);
  EXPECT_EQ(staff.DetachItem(staff.LastIndex()), nullptr);
  EXPECT_EQ(staff.DeleteItem(0), 0);
  EXPECT_EQ(staff.ItemCount(), 3);

  while (staff.FreeItemSlots() > 0) ASSERT_TRUE(staff.InsertItem(Quarter(), 1));
  EXPECT_EQ(staff.ItemCount(), TMusicStaff::kMaxItems);
  EXPECT_TRUE(staff.IsNearlyFull());
  TMusicNote* extra = Quarter();
  EXPECT_FALSE(staff.InsertItem(extra, 1));
  EXPECT_EQ(staff.FreeItemSlots(), 0);
  delete extra;

  staff.DeleteItems(1, 1000000);  // the trailing sentinel stays
  EXPECT_EQ(staff.ItemCount(), 2);
  staff.DeleteItems(0, 5);  // nothing from the leading sentinel
  EXPECT_EQ(staff.ItemCount(), 2);
}

TEST(StaffModel, InsertAndDetachRunTheLocalAudit) {
  static std::vector<std::pair<int, int>> calls;
  calls.clear();
  TScoreAuditHooks hooks;
  hooks.auditStaffAround = [](TMusicStaff*, int a, int b) { calls.push_back({a, b}); };
  const TScoreAuditHooks previous = SetScoreAuditHooks(hooks);
  TMusicStaff staff;
  staff.InsertNotify(Quarter(), 1);
  delete staff.DetachItem(1);
  SetScoreAuditHooks(previous);
  EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{1, 1}, {1, 1}}));
}

TEST(StaffModel, TicksBetweenClampsBothEnds) {
  TMusicStaff staff;
  Fill(staff, {Quarter(), new TBarLineData, Quarter(), Quarter()});  // 1..4, sentinel at 5
  EXPECT_EQ(staff.GetTicksBetween(1, 5), 576);
  EXPECT_EQ(staff.GetTicksBetween(5, 1), -576);
  EXPECT_EQ(staff.GetTicksBetween(-20, 99), 576);
  EXPECT_EQ(staff.GetTicksBetween(99, -20), 0);
  EXPECT_EQ(staff.GetTicksBetween(99, 3), -384);
  EXPECT_EQ(staff.GetTicksBetween(2, 2), 0);

  EXPECT_EQ(staff.SeekTick(0, 3, 192), 0);
  EXPECT_EQ(staff.SeekTick(192, 3, 192), 3);
  EXPECT_EQ(staff.SeekTick(384, 1, 0), 4);   // forwards: the item starting at the tick
  EXPECT_EQ(staff.SeekTick(100, 4, 384), 1);  // backwards: the item the tick lies in
  EXPECT_EQ(staff.SeekTick(9999, 1, 0), 5);
}

TEST(StaffModel, Searches) {
  TMusicStaff staff;
  Fill(staff, {new TClefData, Quarter(3), new TBarLineData, new TRestNote, Quarter(-2), new TBarLineData});
  // 0 bar, 1 clef, 2 note, 3 bar, 4 rest, 5 note, 6 bar, 7 sentinel
  EXPECT_EQ(staff.CountItemsOfKind(ntBarLine), 4);
  EXPECT_EQ(staff.FindNextOfType(ntBarLine, 3, 1), 6);
  EXPECT_EQ(staff.FindNextOfType(ntClef, 3, 1), 7);  // none: the first index outside 1..6
  EXPECT_EQ(staff.FindNextOfType(ntClef, 3, -1), 1);
  EXPECT_EQ(staff.FindNextNote(2, 1), 4);
  EXPECT_EQ(staff.FindNextNote(5, 1), 5);
  EXPECT_EQ(staff.FindNextNoteOrChord(2, 1), 5);
  EXPECT_EQ(staff.FindNextBar(3, -1), 0);
  EXPECT_EQ(staff.FindBarClamped(3, -1), 1);
  EXPECT_EQ(staff.IndexOfBar(0), 0);
  EXPECT_EQ(staff.IndexOfBar(2), 6);
  EXPECT_EQ(staff.IndexOfBar(9), 7);
  EXPECT_EQ(staff.FindNoteHeadAt(-2, 0, 1), 5);
  EXPECT_EQ(staff.FindNoteHeadAt(7, 0, 1), -1);
  EXPECT_TRUE(staff.HasNoteOrChord());
}

TEST(StaffModel, TimeSignatureInEffect) {
  TMusicStaff staff;
  Fill(staff, {new TTimeSignatureData(3, 3), Quarter(), new TBarLineData, Quarter()});
  int beats = 0, code = 0;
  staff.GetTimeSignatureAt(0, beats, code);
  EXPECT_EQ(beats * 10 + code, 42);
  staff.GetTimeSignatureAt(4, beats, code);
  EXPECT_EQ(beats * 10 + code, 33);
  staff.InsertItem(new TSpecialEnding, 3);  // behind an ending the playback walk answers
  staff.GetTimeSignatureAt(5, beats, code);
  EXPECT_EQ(beats * 10 + code, 33);
  int clef, key, timeSig;
  staff.FindLastSignatures(5, clef, key, timeSig);
  EXPECT_EQ(clef, -1);
  EXPECT_EQ(key, -1);
  EXPECT_EQ(timeSig, 1);
  EXPECT_EQ(staff.FindLastOfSameType(5), 2);
}

TEST(StaffModel, DynamicVelocities) {
  const int expected[] = {10, 30, 45, 60, 75, 92, 108, 127};
  for (int level = 0; level < 8; ++level) EXPECT_EQ(TMusicStaff::VelocityForDynamic(level), expected[level]);
  EXPECT_EQ(TMusicStaff::VelocityForDynamic(8), 0);
  EXPECT_EQ(TMusicStaff::VelocityForDynamic(-1), 0);
}

}  // namespace
