// The event list: sort order at one tick, carrying across full buffers, growth and overflow, the
// start-tick rewrite, the type filter, the pause and duration (checked against the engine core
// itself), the queries and the event builders.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "midi/MidiFileBuf.h"
#include "tests/engine/FakeEnginePlatform.h"

namespace {

TMidiEvent Make(int32_t tick, uint8_t cls, uint8_t channel, uint8_t d1, uint8_t d2,
                uint8_t port = 0) {
  TMidiEvent e = {tick, {}};
  SetMidiShortEvent(e, cls, port, channel, d1, d2);
  return e;
}

std::vector<TMidiEvent> All(const TMidiFileBuf& list) {
  std::vector<TMidiEvent> out;
  for (int32_t i = 0; i < list.EventCount(); ++i) out.push_back(list.EventAt(i));
  return out;
}

uint32_t Word(const TMidiEvent& e) { return e.Word(); }

TEST(MidiFileBuf, AtOneTickNotesEndFirstAndStartLast) {
  TMidiFileBuf list(0);
  list.Allocate(1);
  const TMidiEvent in[] = {
      Make(0, kMidiNoteOn, 0, 60, 100),   // starts last
      Make(0, kMidiControl, 0, 64, 127),  // pedal down
      Make(0, kMidiProgram, 0, 5, 0),
      Make(0, kMidiControl, 0, 64, 64),   // pedal up (below 65)
      Make(0, kMidiNoteOff, 0, 60, 0),
      Make(0, kMidiNoteOn, 0, 61, 0),     // a note-on without velocity ends a note
  };
  for (const auto& e : in) list.AddEvent(e);
  list.AddTempoEvent(0, 120);
  const auto got = All(list);
  ASSERT_EQ(got.size(), 7u);
  EXPECT_EQ(Word(got[0]), Word(in[4]));
  EXPECT_EQ(Word(got[1]), Word(in[5]));
  EXPECT_EQ(Word(got[2]), Word(in[3]));
  EXPECT_EQ(Word(got[3]), Word(in[2]));
  EXPECT_EQ(MidiEventType(got[4]), kMidiEventTempo);  // equal keys keep their order
  EXPECT_EQ(Word(got[5]), Word(in[1]));
  EXPECT_EQ(Word(got[6]), Word(in[0]));
}

TEST(MidiFileBuf, StaysSortedAndStableAcrossFullBuffers) {
  TMidiFileBuf list(0);
  ASSERT_EQ(list.Allocate(4), 4);
  std::mt19937 random(7);
  std::vector<std::pair<TMidiEvent, int>> expected;
  for (int i = 0; i < 3000; ++i) {
    // Mostly rising ticks with stragglers, as a performance arrives.
    const int32_t tick = i / 2 - int32_t(random() % 4 == 0 ? random() % 400 : 0);
    const uint8_t cls = uint8_t(random() % 2 ? kMidiNoteOn : kMidiNoteOff);
    TMidiEvent e = Make(tick < 0 ? 0 : tick, cls, 0, uint8_t(i % 128), uint8_t(i % 3));
    e.b[3] = uint8_t(i >> 8);  // a serial number in the port bits tells events apart
    e.b[1] = uint8_t(i);
    list.AddEvent(e);
    expected.push_back({e, i});
  }
  auto key = [](const TMidiEvent& e) {
    return (IsMidiNoteEnd(e) ? 0 : 4) + e.tick * 8;
  };
  std::stable_sort(expected.begin(), expected.end(),
                   [&](const auto& a, const auto& b) { return key(a.first) < key(b.first); });
  const auto got = All(list);
  ASSERT_EQ(got.size(), expected.size());
  for (size_t i = 0; i < got.size(); ++i) {
    ASSERT_EQ(got[i].tick, expected[i].first.tick) << i;
    ASSERT_EQ(Word(got[i]), Word(expected[i].first)) << i;
  }
  EXPECT_EQ(list.LastUsedBuffer(), 2);
  EXPECT_EQ(list.Buffer(0)->count, 1024);
  EXPECT_FALSE(list.IsOverflowed());
}

TEST(MidiFileBuf, FullListOverflowsOrGrows) {
  for (int growth : {0, 1}) {
    TMidiFileBuf list(growth);
    list.Allocate(1);
    for (int i = 0; i < 1025; ++i) list.AddEvent(Make(i, kMidiNoteOn, 0, 60, 1));
    EXPECT_EQ(list.EventCount(), growth ? 1025 : 1024) << growth;
    EXPECT_EQ(list.IsOverflowed(), growth == 0) << growth;
    EXPECT_EQ(list.LastTick(), growth ? 1024 : 1023);
  }
  // An early event into a full list evicts the latest one.
  TMidiFileBuf list(0);
  list.Allocate(1);
  for (int i = 0; i < 1024; ++i) list.AddEvent(Make(10 + i, kMidiNoteOn, 0, 60, 1));
  list.AddEvent(Make(0, kMidiNoteOn, 0, 61, 1));
  EXPECT_TRUE(list.IsOverflowed());
  EXPECT_EQ(list.EventAt(0).tick, 0);
  EXPECT_EQ(list.LastTick(), 10 + 1022);
}

TEST(MidiFileBuf, GrowthNeverPassesTheBufferLimit) {
  TMidiFileBuf list(16);
  list.Allocate(1020);
  for (int i = 0; i < 1024 * 1024; ++i) list.AddEvent(Make(i, kMidiNoteOn, 0, 60, 1));
  EXPECT_FALSE(list.IsOverflowed());
  EXPECT_EQ(list.LastAllocatedBuffer(), 1023);
  list.AddEvent(Make(1 << 21, kMidiNoteOn, 0, 60, 1));
  EXPECT_TRUE(list.IsOverflowed());
  EXPECT_EQ(list.EventCount(), 1024 * 1024);
}

TEST(MidiFileBuf, StartTickKeepsTheStateInForceOncePerKind) {
  TMidiFileBuf list(0);
  list.Allocate(1);
  list.SetStartTick(768);
  list.AddTempoEvent(0, 100);
  list.AddEvent(Make(0, kMidiProgram, 2, 5, 0));
  list.AddEvent(Make(0, kMidiControl, 2, 7, 90));
  list.AddEvent(Make(100, kMidiControl, 2, 10, 30));
  list.AddEvent(Make(200, kMidiProgram, 3, 9, 0));   // another channel: its own kind
  list.AddEvent(Make(300, kMidiControl, 2, 7, 50));  // replaces volume 90
  list.AddEvent(Make(384, kMidiProgram, 2, 6, 0));   // replaces program 5
  list.AddEvent(Make(400, kMidiProgram, 2, 6, 0, 1));  // another port
  list.AddHoldEvent(450, 4);                         // dropped
  list.AddEvent(Make(500, kMidiNoteOn, 2, 60, 100)); // dropped
  list.AddEvent(Make(600, kMidiNoteOff, 2, 60, 0));  // dropped
  list.AddTempoEvent(700, 140);                      // replaces tempo 100
  list.AddEvent(Make(768, kMidiNoteOn, 2, 62, 100)); // on the start tick: kept at 0
  list.AddEvent(Make(800, kMidiNoteOn, 2, 64, 100));

  const auto got = All(list);
  ASSERT_EQ(got.size(), 8u);
  EXPECT_EQ(MidiEventTempoBpm(got[0]), 140);
  EXPECT_EQ(Word(got[1]), Word(Make(0, kMidiProgram, 2, 6, 0)));
  EXPECT_EQ(Word(got[2]), Word(Make(0, kMidiControl, 2, 7, 50)));
  EXPECT_EQ(Word(got[3]), Word(Make(0, kMidiControl, 2, 10, 30)));
  EXPECT_EQ(Word(got[4]), Word(Make(0, kMidiProgram, 3, 9, 0)));
  EXPECT_EQ(Word(got[5]), Word(Make(0, kMidiProgram, 2, 6, 0, 1)));
  EXPECT_EQ(Word(got[6]), Word(Make(0, kMidiNoteOn, 2, 62, 100)));
  EXPECT_EQ(got[7].tick, 32);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(got[i].tick, 0);
}

TEST(MidiFileBuf, TypeFilterDropsItsTypes) {
  TMidiFileBuf list(0);
  list.Allocate(1);
  list.SetTypeFilter(int16_t(1 << kMidiEventTempo | 1 << kMidiEventKeySig));
  list.AddTempoEvent(0, 120);
  list.AddKeySigEvent(0, -3, true);
  list.AddTimeSigEvent(0, 3, 2);
  list.AddEvent(Make(0, kMidiNoteOn, 0, 60, 1));
  ASSERT_EQ(list.EventCount(), 2);
  EXPECT_EQ(MidiEventType(list.EventAt(0)), kMidiEventTimeSig);
  list.Reset();
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.LastAllocatedBuffer(), 0);  // the allocation stays
  list.AddTempoEvent(0, 120);                // the filter went with the reset
  EXPECT_EQ(list.EventCount(), 1);
}

TEST(MidiFileBuf, PauseAndDurationFollowTheEngine) {
  TMidiFileBuf list(0);
  list.Allocate(2);
  list.AddEvent(Make(0, kMidiNoteOn, 0, 60, 100));
  list.AddTempoEvent(192, 90);
  list.AddEvent(Make(384, kMidiNoteOff, 0, 60, 0));
  list.AddHoldEvent(384, 3);
  list.AddTempoEvent(500, 200);
  list.AddEvent(Make(768, kMidiNoteOn, 0, 62, 100));
  list.AppendPause(2);
  const uint32_t duration = list.DurationMs();
  // The pause: tempo 60 and a hold of 8 steps one tick after the last event.
  EXPECT_EQ(MidiEventTempoBpm(list.EventAt(list.EventCount() - 2)), 60);
  EXPECT_EQ(list.EventAt(list.EventCount() - 1).HoldSteps(), 8);
  EXPECT_EQ(list.LastTick(), 769);

  // 192 ticks at 120 (500 ms), 192 + 3 x 48 ticks and 116 more at 90, 268 at 200, then 2 s.
  EXPECT_EQ(duration, 500u + EngineTicksToMs(666666, 192 + 144 + 116) +
                          EngineTicksToMs(300000, 269) + 2000u);

  // Played by the engine core, the end comes that long after the first step; each hold step
  // re-anchors the engine's clock and may round down by under a millisecond.
  FakeEnginePlatform clock;
  auto state = std::make_unique<EngineState>();
  EngineInitState(*state);
  PlayParams params = {};
  params.timerPeriod = 1;
  params.notifyOffset = 101;
  params.outputs[0] = 1;
  const uint32_t t0 = clock.now + kPlayLeadInMs;
  ASSERT_EQ(EngineStartPlay(*state, clock, 5, params, list.Buffer(0)), 1);
  clock.Run(duration + 1000);
  ASSERT_FALSE(clock.posted.empty());
  EXPECT_EQ(clock.posted.back().wParam, kEngineNotifyEnd);
  const int32_t played = int32_t(clock.posted.back().time - t0);
  EXPECT_LE(played, int32_t(duration));
  EXPECT_GE(played, int32_t(duration) - 3);
  EXPECT_EQ(list.Buffer(0)->count, 0);  // played: handed back
}

TEST(MidiFileBuf, AnswersTheQueriesOfImportAndPatchCaching) {
  TMidiFileBuf list(0);
  list.Allocate(1);
  list.AddEvent(Make(0, kMidiNoteOn, 0, 60, 90));
  list.AddEvent(Make(0, kMidiNoteOn, 0, 64, 30));
  list.AddEvent(Make(0, kMidiNoteOn, 1, 40, 127));
  list.AddEvent(Make(10, kMidiNoteOn, 0, 67, 0));   // no velocity: no note
  list.AddEvent(Make(20, kMidiNoteOff, 0, 60, 0));
  list.AddEvent(Make(30, kMidiNoteOn, 0, 72, 50));  // sounding: 64, 72
  list.AddEvent(Make(40, kMidiProgram, 3, 0x85, 0, 2));  // data byte beyond 7 bits
  list.AddEvent(Make(40, kMidiProgram, 4, 5, 0, 2));
  list.AddEvent(Make(40, kMidiProgram, 4, 6, 0, 1));
  list.AddEvent(Make(50, kMidiNoteOn, 9, 36, 100, 2));
  list.AddEvent(Make(50, kMidiNoteOn, 9, 38, 0, 2));
  list.AddEvent(Make(60, kMidiPitchBend, 5, 0, 64));

  EXPECT_EQ(list.HighestVelocity(0x0001), 90);
  EXPECT_EQ(list.LowestVelocity(0x0001), 30);
  EXPECT_EQ(list.HighestVelocity(0x0003), 127);
  EXPECT_EQ(list.LowestVelocity(0x0004), 127);  // nothing on channel 2
  EXPECT_EQ(list.HighestVelocity(0x0004), 0);
  EXPECT_EQ(list.ChannelsUsing(1 << kMidiProgram | 1 << kMidiPitchBend), 0x0038);
  EXPECT_EQ(list.ChannelsUsing(1 << kMidiNoteOn), 0x0203);
  EXPECT_EQ(list.LargestChordSpan(0x0001), 72 - 64);
  EXPECT_EQ(list.LargestChordSpan(0x0002), 0);

  uint16_t programs[128], drums[128];
  list.PatchUsage(2, 1 << 9, programs, drums);
  EXPECT_EQ(programs[5], 1 << 3 | 1 << 4);
  EXPECT_EQ(programs[6], 0);
  EXPECT_EQ(drums[36], 1 << 9);
  EXPECT_EQ(drums[38], 0);
}

TEST(MidiFileBuf, IndexesOutsideTheListAnswerNothing) {
  TMidiFileBuf list(0);
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.EventCount(), 0);
  EXPECT_EQ(list.LastTick(), 0);
  list.AddEvent(Make(5, kMidiNoteOn, 0, 60, 1));  // no buffers: lost
  EXPECT_TRUE(list.IsOverflowed());
  list.Allocate(1);
  list.AddEvent(Make(5, kMidiNoteOn, 0, 60, 1));
  list.AddEvent(Make(6, kMidiNoteOn, 0, 61, 1));
  EXPECT_EQ(list.EventAt(-1).tick, 0);
  EXPECT_EQ(list.EventAt(2).Word(), 0u);
  EXPECT_EQ(list.Buffer(1), nullptr);

  TMidiEventCursor cursor(list);
  EXPECT_FALSE(cursor.HasMore(false));
  EXPECT_TRUE(cursor.HasMore(true));
  cursor.SetIndex(1);
  EXPECT_FALSE(cursor.HasMore(true));
  EXPECT_EQ(cursor.Event().tick, 6);
}

TEST(MidiEventBuilders, BuildEveryKind) {
  TMidiEvent e = {0, {0x00, 0, 0, 0x40}};
  SetMidiEventChannel(e, 9);
  SetMidiEventStatus(e, kMidiControl);
  EXPECT_EQ(e.b[0], 0xB9);
  EXPECT_EQ(MidiEventType(e), kMidiEventShort);
  for (uint8_t port : {0, 7, 8, 15}) {
    SetMidiEventPort(e, port);
    EXPECT_EQ(MidiEventPort(e), port);
  }

  SetMidiTempoEvent(e, 2);  // below 4 counts as 4
  EXPECT_EQ(e.Tempo(), 15000000u);
  EXPECT_EQ(MidiEventTempoBpm(e), 8);
  SetMidiTempoEvent(e, 120);
  EXPECT_EQ(e.Tempo(), 500000u);
  EXPECT_EQ(MidiEventTempoBpm(e), 120);
  TMidiEvent zero = {0, {0, 0, 0, kMidiEventTempo << 4}};
  EXPECT_GE(MidiEventTempoBpm(zero), 8);
  EXPECT_EQ(MidiEventTempoBpm(Make(0, kMidiNoteOn, 0, 1, 1)), 45);

  SetMidiKeySigEvent(e, -4, true);
  EXPECT_EQ(MidiEventType(e), kMidiEventKeySig);
  EXPECT_EQ(int16_t(e.b[0] | e.b[1] << 8), -4);
  EXPECT_EQ(e.b[2], 1);
  SetMidiTimeSigEvent(e, 6, 3);
  EXPECT_EQ(MidiEventType(e), kMidiEventTimeSig);
  EXPECT_EQ(e.b[0], 6);
  SetMidiHoldEvent(e, 513);
  EXPECT_EQ(e.HoldSteps(), 513);
}

}  // namespace
