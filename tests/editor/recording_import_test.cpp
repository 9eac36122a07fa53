// A recording becomes notation for the score that played: the recording buffer keeps what was
// played in, and the recorded parts join the score named, grouped, on the
// last staff's port and the next free channel there.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "editor/RecordingImport.h"
#include "midi/MidiImportDocument.h"
#include "midi/RecordingBuffer.h"
#include "tests/staffutl/StaffText.h"

namespace {

uint32_t Short(int status, int key, int velocity) { return uint32_t(status | key << 8 | velocity << 16); }

// Three quarter notes of the right hand on channel 1 and a half note of the left on channel 2.
void RecordTwoHands(TRecordingBuffer& recording) {
  const TRecordedEvent events[] = {
      {-1, Short(0x90, 50, 90)},  // played in before the song started: no place in it
      {0, Short(0x90, 72, 100)},   {192, Short(0x80, 72, 0)},  {192, Short(0x90, 74, 100)},
      {384, Short(0x90, 74, 0)},   {384, Short(0x90, 76, 100)}, {576, Short(0x80, 76, 0)},
      {0, Short(0x91, 48, 80)},    {384, Short(0x81, 48, 0)},  {0, 0xF8},  // clock: not a channel message
  };
  for (const TRecordedEvent& e : events) recording.AddRecorded(e);
}

std::unique_ptr<TMusicScore> ScoreOf(const char* const* staves, int count) {
  auto score = std::make_unique<TMusicScore>();
  for (int i = 0; i < count; ++i) {
    auto* staff = new TMusicStaff;
    staff->SetName(staves[i]);
    staff->SetGroupName("Piano");
    staff->SetPort(1);
    staff->SetChannel(i);
    FillStaff(*staff, "q q q q | q q q q");
    score->AppendStaff(staff);
  }
  return score;
}

}  // namespace

TEST(RecordingBuffer, KeepsChannelMessagesPlayedInWhileTheSongRan) {
  TRecordingBuffer recording;
  EXPECT_FALSE(recording.HasData());
  RecordTwoHands(recording);
  EXPECT_TRUE(recording.HasData());
  EXPECT_EQ(recording.Track().EventCount(), 8) << "the early note and the clock are left out";
  EXPECT_EQ(recording.Data().TrackCount(), 1);
  recording.Reset();
  EXPECT_FALSE(recording.HasData());
  EXPECT_EQ(recording.Track().EventCount(), 0);
}

TEST(RecordingImport, RecordedPartsJoinTheScoreInTheRecordGroup) {
  InstallAuditPass();
  const char* names[] = {"Import", "Left"};
  std::unique_ptr<TMusicScore> score = ScoreOf(names, 2);
  TRecordingBuffer recording;
  RecordTwoHands(recording);
  std::unique_ptr<TMusicScore> recorded = ConvertMidiDataToScore(recording.Data(), TMidiImportOptions{});
  ASSERT_TRUE(recorded);
  ASSERT_EQ(recorded->StaffCount(), 3) << "one staff per channel and the tempo staff";

  EXPECT_EQ(MoveRecordedStaves(*score, *recorded), 2);
  ASSERT_EQ(score->StaffCount(), 4);
  EXPECT_EQ(recorded->StaffCount(), 1) << "the tempo staff stays behind";
  const TMusicStaff& right = *score->GetStaff(2);
  const TMusicStaff& left = *score->GetStaff(3);
  EXPECT_STREQ(right.GetGroupName(), "Record");
  EXPECT_STREQ(left.GetGroupName(), "Record");
  EXPECT_STRNE(right.GetName(), "Import") << "the score has an Import staff already";
  EXPECT_STRNE(right.GetName(), left.GetName());
  EXPECT_EQ(right.GetPort(), 1);
  EXPECT_EQ(left.GetPort(), 1);
  EXPECT_EQ(right.GetChannel(), 2) << "channels 0 and 1 of port 1 are taken";
  EXPECT_EQ(left.GetChannel(), 3);
  EXPECT_TRUE(score->Selection().GetBit(2) && score->Selection().GetBit(3)) << "the new staves are shown";
  // The played notes, C, D and E above the middle line, in a bar of 4/4 filled up with a rest.
  const std::string text = StaffText(right);
  EXPECT_NE(text.find("T4/4 q@-1 q@-2 q@-3 rq"), std::string::npos) << text;
  EXPECT_EQ(StaffTicks(right), 768) << text;
}

TEST(RecordingImport, AFullScoreTakesNoMoreStaves) {
  InstallAuditPass();
  TMusicScore score;
  for (int i = 0; i < 255; ++i) score.AppendStaff(new TMusicStaff);
  EXPECT_EQ(AppendRecordedStaff(score, new TMusicStaff, "Import", "Record"), -1);
  EXPECT_EQ(score.StaffCount(), 255);

  TMusicScore recorded;
  recorded.AppendStaff(new TMusicStaff);
  recorded.AppendStaff(new TMusicStaff);
  EXPECT_EQ(MoveRecordedStaves(score, recorded), -1);
  EXPECT_EQ(score.StaffCount(), 255);
}
