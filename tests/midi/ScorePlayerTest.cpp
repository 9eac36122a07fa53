// The performance builder: lead-in before a start tick, passes across staves, muted staves and the
// cursors' seeks.
#include <gtest/gtest.h>

#include <algorithm>

#include "MidiTestScores.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/TempoData.h"
#include "midi/MidiListSink.h"
#include "midi/ScoreMidiPlayer.h"

namespace {

struct TPlayerTest : ::testing::Test {
  TAuditCount audit;
  TMusicScore score;
  TMidiFileBuf list{16};
  TScoreMidiPlayer player;
  TPlayerTest() { list.Allocate(4); }
};

TEST_F(TPlayerTest, LeadInCountsTheTempiBeforeTheStartTick) {
  // Four quarters at 120, then tempo 60 at tick 768 and eight more quarters.
  TMusicStaff* staff = AddStaff(score, "q q q q");
  staff->AppendItem(new TTempoData(60));
  FillStaff(*staff, "q q q q q q q q");
  player.SetScore(&score);
  ASSERT_TRUE(player.Perform(list, 1536));
  EXPECT_EQ(player.LeadInMs(), 6000u);
  EXPECT_EQ(player.StartTick(), 1536);
  const TMidiEvent first = list.EventAt(0);
  ASSERT_EQ(MidiEventType(first), kMidiEventTempo);
  EXPECT_EQ(first.tick, 0);
  EXPECT_EQ(MidiEventTempoBpm(first), 60);
  int tempi = 0, noteStarts = 0;
  for (int32_t i = 0; i < list.EventCount(); ++i) {
    tempi += MidiEventType(list.EventAt(i)) == kMidiEventTempo;
    noteStarts += IsMidiNoteStart(list.EventAt(i));
  }
  EXPECT_EQ(tempi, 1) << "one tempo in force at the start";
  EXPECT_EQ(noteStarts, 4) << "the last four quarters";
  EXPECT_EQ(player.TotalMs(), 6000u + list.DurationMs());
  EXPECT_GE(list.DurationMs(), 3000u) << "three quarters and the last one's sounding part at 60";
}

TEST_F(TPlayerTest, EmptyStaffGivesTheTempoAndItsInitialEventsOnly) {
  TMusicStaff* staff = AddStaff(score, "");
  staff->SetVolume(100);
  player.SetScore(&score);
  ASSERT_TRUE(player.Perform(list));
  ASSERT_GE(list.EventCount(), 2);
  EXPECT_EQ(MidiEventType(list.EventAt(0)), kMidiEventTempo);
  bool volume = false;
  for (int32_t i = 1; i < list.EventCount(); ++i) {
    const TMidiEvent e = list.EventAt(i);
    EXPECT_EQ(e.tick, 0);
    EXPECT_EQ(MidiEventClass(e), kMidiControl) << "volume and pan only";
    volume = volume || (e.b[1] == 7 && e.b[2] == 100);
  }
  EXPECT_TRUE(volume);
  EXPECT_EQ(player.TotalMs(), 0u);
}

TEST_F(TPlayerTest, PassesAcrossStavesGiveEachStaffsOwnEventsInOrder) {
  AddStaff(score, "q e e h | w | q q q q", 0);
  AddStaff(score, "w | h h | e e e e e e e e", 1)->SetMuted(0);
  TMusicStaff* third = AddStaff(score, "h. q | w | w", 2);
  third->AppendItem(new TTempoData(90));
  FillStaff(*third, "w w");
  player.SetScore(&score);
  ASSERT_TRUE(player.Perform(list));
  // The same events as each staff played on its own, and sorted.
  std::vector<TEventValue> expected;
  TMidiFileBuf one(16);
  one.Allocate(1);
  one.AddTempoEvent(0, 120);
  for (int i = 0; i < score.StaffCount(); ++i) {
    TMidiListSink sink(one);
    TStaffContext context;
    score.GetStaff(i)->Play(sink, context);
  }
  std::vector<TEventValue> got = ValuesOf(list);
  expected = ValuesOf(one);
  ASSERT_EQ(got.size(), expected.size());
  EXPECT_TRUE(std::is_sorted(got.begin(), got.end(), [](const TEventValue& a, const TEventValue& b) { return std::get<0>(a) < std::get<0>(b); }));
  std::sort(got.begin(), got.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(got, expected);
  EXPECT_EQ(player.PerformedLength(), 5 * 768) << "the third staff's five bars";
}

TEST_F(TPlayerTest, MutedStaffKeepsItsTempoButSendsNoNotes) {
  TMusicStaff* staff = AddStaff(score, "q q");
  staff->AppendItem(new TTempoData(80));
  FillStaff(*staff, "q q");
  staff->SetMuted(1);
  player.SetScore(&score);
  player.Perform(list);
  int notes = 0, tempi = 0;
  for (int32_t i = 0; i < list.EventCount(); ++i) {
    notes += IsMidiShortEvent(list.EventAt(i)) && MidiEventClass(list.EventAt(i)) <= kMidiNoteOn;
    tempi += MidiEventType(list.EventAt(i)) == kMidiEventTempo;
  }
  EXPECT_EQ(notes, 0);
  EXPECT_EQ(tempi, 2);
}

TEST_F(TPlayerTest, SeekAllStopsAtTheSoundingItem) {
  AddStaff(score, "q w q");   // items: sentinel, q, w (from 192 to 960), q
  AddStaff(score, "h h h");
  player.SetScore(&score);
  EXPECT_TRUE(player.SeekAll(500));
  EXPECT_EQ(player.GetStaffPosition(0).index, 2);
  EXPECT_EQ(player.GetStaffPosition(0).tick, 192);
  EXPECT_EQ(player.GetStaffPosition(1).index, 2);
  EXPECT_EQ(player.GetStaffPosition(1).tick, 384);
  // Back to an earlier tick: the walk starts again; the last position is the one before.
  EXPECT_TRUE(player.SeekAll(100));
  EXPECT_EQ(player.GetStaffPosition(0).index, 1);
  EXPECT_EQ(player.GetStaffLastPosition(0).index, 2);
  EXPECT_FALSE(player.SeekAll(100)) << "already there";
  // Past the end: the cursors finish.
  player.SeekAll(100000);
  EXPECT_EQ(player.GetStaffPosition(0).index, -1);
  EXPECT_FALSE(player.SeekAll(200000));
}

}  // namespace
