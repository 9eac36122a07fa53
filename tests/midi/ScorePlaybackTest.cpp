// A score played from the model through the engine library and the test MIDI driver: the driver
// receives exactly the short messages the performance builder computed, in order, at their times.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "MidiTestScores.h"
#include "QVKNTN/TempoData.h"
#include "midi/ScoreMidiPlayer.h"
#include "tests/engine/MidiManagerFixture.h"

namespace {

struct TExpected {
  uint32_t word;
  uint32_t ms;
};

// The time of every short message as the engine counts it, tempo segment by tempo segment.
std::vector<TExpected> ExpectedOf(const TMidiFileBuf& list) {
  std::vector<TExpected> out;
  uint32_t tempo = 500000, anchorMs = 0;
  int32_t anchor = 0;
  for (int32_t i = 0; i < list.EventCount(); ++i) {
    const TMidiEvent e = list.EventAt(i);
    const uint32_t ms = anchorMs + EngineTicksToMs(tempo, uint32_t(e.tick - anchor));
    if (MidiEventType(e) == kMidiEventTempo) {
      anchorMs = ms;
      anchor = e.tick;
      tempo = e.Tempo();
    } else if (IsMidiShortEvent(e)) {
      out.push_back({uint32_t(e.b[0] | e.b[1] << 8 | e.b[2] << 16), ms});
    }
  }
  return out;
}

class ScorePlaybackTest : public MidiManagerTest {};

TEST_F(ScorePlaybackTest, TheDriverReceivesThePerformanceInOrderAtItsTimes) {
  TAuditCount audit;
  TMusicScore score;
  TMusicStaff* melody = AddStaff(score, "", 0, "Melody");
  melody->AppendItem(new TTempoData(240));
  FillStaff(*melody, "q e e q q | h");
  melody->AppendItem(new TTempoData(180));
  FillStaff(*melody, "q q");
  AddStaff(score, "h h | c h c q q", 1, "Chords")->SetVolume(90);

  TMidiFileBuf list(16);
  list.Allocate(16);
  TScoreMidiPlayer player;
  player.SetScore(&score);
  ASSERT_TRUE(player.Perform(list));
  const std::vector<TExpected> expected = ExpectedOf(list);  // before the engine empties the buffers
  ASSERT_GT(expected.size(), 20u);

  Set("MIDI Out Ports", "0", "VMIDI Out A");
  TMidiManager& m = Make();
  m.LoadPortSettings();
  m.AcquireDevices(true);
  m.SetTimerSettings(1, 1);
  const uint32_t mark = driver.LogCount();
  ASSERT_EQ(m.Play(window.Handle(), &list), 1);
  bool ended = false;
  ASSERT_TRUE(window.PumpUntil(
      [&] {
        for (const auto& msg : window.Messages()) {
          if (msg.message == WM_USER + 101 && msg.wParam == 1) m.FeedNextBuffer();
          ended = ended || (msg.message == WM_USER + 101 && msg.wParam == 2);
        }
        window.Clear();
        return ended;
      },
      20000));
  const std::vector<VmidiLogEntry> sent = driver.SentSince(mark, OutId(0));
  m.Stop();

  ASSERT_EQ(sent.size(), expected.size());
  long worst = 0;
  for (size_t i = 0; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i].param, expected[i].word) << "message " << i;
    const long late = long(sent[i].time - sent[0].time) - long(expected[i].ms - expected[0].ms);
    worst = std::max(worst, std::labs(late));
  }
  // The multimedia timer ticks every millisecond or so; a loaded machine may stretch a few steps.
  EXPECT_LE(worst, 40) << "ms off the computed time";
  EXPECT_NEAR(double(sent.back().time - sent[0].time), double(expected.back().ms), 40.0);
}

}  // namespace
