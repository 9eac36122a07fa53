// The sequencing core on a fake clock: exact send times through tempo changes and holds, buffer
// hand-over, Stop's note-off sweep, "not ready" retries, and the input side (echo, thru channel,
// recording stamps, the record ring).
#include <gtest/gtest.h>

#include <memory>

#include "tests/engine/FakeEnginePlatform.h"
#include "tests/engine/TestEvents.h"

namespace {

constexpr EngineHandle kWindow = 0x1234;
constexpr EngineHandle kPort0 = 0x100, kPort1 = 0x101, kThru = 0x200, kInput = 0x300;
constexpr uint32_t kNotify = 0x465;

class EngineCore : public ::testing::Test {
protected:
  void SetUp() override {
    state = std::make_unique<EngineState>();
    EngineInitState(*state);
    params = {};
    params.timerPeriod = 1;
    params.timerResolution = 1;
    params.notifyOffset = 101;
    params.outputs[0] = kPort0;
    params.outputs[1] = kPort1;
  }
  int Play(TSingleMidiBuf* b) { return EngineStartPlay(*state, clock, kWindow, params, b); }
  // The clock time of each accepted send of `message`.
  std::vector<uint32_t> TimesOf(uint32_t message) const {
    std::vector<uint32_t> t;
    for (const auto& s : clock.sent) {
      if ((s.message & 0xFFFFFF) == message) t.push_back(s.time);
    }
    return t;
  }
  std::vector<uintptr_t> Notifications() const {
    std::vector<uintptr_t> n;
    for (const auto& p : clock.posted) {
      if (p.message == kNotify) n.push_back(p.wParam);
    }
    return n;
  }

  FakeEnginePlatform clock;
  std::unique_ptr<EngineState> state;
  PlayParams params;
};

TEST_F(EngineCore, PlayRefusesAndStaysIdle) {
  auto empty = Buffer({});
  auto one = Buffer({Short(0, 0x90, 60, 100)});
  EXPECT_EQ(Play(empty.get()), 0);
  EXPECT_EQ(EngineStartPlay(*state, clock, 0, params, one.get()), 0);
  params.notifyOffset = 0;
  EXPECT_EQ(Play(one.get()), 0);
  params.notifyOffset = 101;
  one->count = 1025;  // more than a buffer holds
  EXPECT_EQ(Play(one.get()), 0);
  EXPECT_EQ(state->playing, 0u);
  EXPECT_EQ(clock.beginPeriods, clock.endPeriods);
  EXPECT_TRUE(clock.posted.empty());
}

TEST_F(EngineCore, PreRollSendsStateBeforeTheFirstTimedStep) {
  auto b = Buffer({Short(0, 0xB0, 7, 100), Short(0, 0xC0, 5, 0), Short(0, 0x90, 60, 100),
                   Short(96, 0x80, 60, 0)});
  const uint32_t start = clock.now;
  ASSERT_EQ(Play(b.get()), 1);
  EXPECT_EQ(TimesOf(Word(0xB0, 7, 100)), std::vector<uint32_t>{start});
  EXPECT_EQ(TimesOf(Word(0xC0, 5, 0)), std::vector<uint32_t>{start});
  EXPECT_TRUE(TimesOf(Word(0x90, 60, 100)).empty());
  EXPECT_EQ(Notifications(), std::vector<uintptr_t>{1});
  clock.Run(2000);
  EXPECT_EQ(TimesOf(Word(0x90, 60, 100)), std::vector<uint32_t>{start + 550});
  EXPECT_EQ(TimesOf(Word(0x80, 60, 0)), std::vector<uint32_t>{start + 550 + 250});
}

TEST_F(EngineCore, TempoChangeReanchorsTime) {
  // 192 ticks at 500000 us take 500 ms; after the change to 250000 they take 250 ms.
  auto b = Buffer({Short(0, 0x90, 60, 1), Short(192, 0x90, 61, 1), Tempo(192, 250000),
                   Short(384, 0x90, 62, 1), Short(600, 0x90, 63, 1), Tempo(600, 1000000),
                   Short(601, 0x90, 64, 1)});
  const uint32_t t0 = clock.now + 550;
  ASSERT_EQ(Play(b.get()), 1);
  clock.Run(3000);
  EXPECT_EQ(TimesOf(Word(0x90, 60, 1)), std::vector<uint32_t>{t0});
  EXPECT_EQ(TimesOf(Word(0x90, 61, 1)), std::vector<uint32_t>{t0 + 500});
  EXPECT_EQ(TimesOf(Word(0x90, 62, 1)), std::vector<uint32_t>{t0 + 750});
  // From the anchor at 192: 408 ticks at 250000 us are (1302 x 408 + (16 x 408) / 192) / 1000.
  EXPECT_EQ(TimesOf(Word(0x90, 63, 1)), std::vector<uint32_t>{t0 + 500 + 531});
  // One tick at 1000000 us: 5 ms.
  EXPECT_EQ(TimesOf(Word(0x90, 64, 1)), std::vector<uint32_t>{t0 + 500 + 531 + 5});
}

TEST_F(EngineCore, LongGapsReanchorWithoutLosingTime) {
  // 200000 ticks at 500000 us are 520833.3 ms; past 300 s from the anchor the engine re-anchors,
  // which may round down once more, never by more than a millisecond.
  auto b = Buffer({Short(0, 0x90, 60, 1), Short(200000, 0x90, 61, 1)});
  const uint32_t t0 = clock.now + 550;
  ASSERT_EQ(Play(b.get()), 1);
  clock.Run(550 + 521000);
  const auto t = TimesOf(Word(0x90, 61, 1));
  ASSERT_EQ(t.size(), 1u);
  EXPECT_GE(t[0], t0 + 520832);
  EXPECT_LE(t[0], t0 + 520833);
  EXPECT_LT(state->anchorTick, 200000);
  EXPECT_GT(state->anchorTick, 0);  // it did re-anchor on the way
}

TEST_F(EngineCore, HoldKeepsTheSongPositionForItsSteps) {
  // 48 ticks at 500000 us are 125 ms; a hold of 4 steps adds 500 ms at tick 192.
  auto b = Buffer({Short(0, 0x90, 60, 1), Hold(192, 4), Short(192, 0x90, 61, 1),
                   Short(240, 0x90, 62, 1)});
  const uint32_t t0 = clock.now + 550;
  ASSERT_EQ(Play(b.get()), 1);
  clock.Run(550 + 500 + 10);
  EXPECT_EQ(state->songPosition, 192);
  EXPECT_EQ(state->holdCount, 4);

  EngineSetRecording(*state, 1);
  EngineRecordInput(*state, clock, kInput, kEngineEchoMessage, Word(0x90, 70, 90));
  TRecordedEvent r;
  ASSERT_EQ(EngineGetRecorded(*state, &r), 1);
  EXPECT_EQ(r.tick, 192);

  clock.Run(400);
  EXPECT_EQ(state->songPosition, 192);
  clock.Run(1000);
  EXPECT_EQ(TimesOf(Word(0x90, 61, 1)), std::vector<uint32_t>{t0 + 1000});
  EXPECT_EQ(TimesOf(Word(0x90, 62, 1)), std::vector<uint32_t>{t0 + 1125});
}

TEST_F(EngineCore, HoldOfZeroHoldsNothing) {
  auto b = Buffer({Hold(0, 0), Short(48, 0x90, 60, 1)});
  const uint32_t t0 = clock.now + 550;
  ASSERT_EQ(Play(b.get()), 1);
  clock.Run(1000);
  EXPECT_EQ(TimesOf(Word(0x90, 60, 1)), std::vector<uint32_t>{t0 + 125});
}

TEST_F(EngineCore, BuffersAreHandedBackAndTheEndIsNotified) {
  auto first = Buffer({Short(0, 0x90, 60, 1), Short(48, 0x80, 60, 0)});
  auto second = Buffer({Short(96, 0x90, 62, 1), Short(144, 0x80, 62, 0)});
  auto third = Buffer({Short(200, 0x90, 64, 1)});
  const uint32_t t0 = clock.now + 550;
  ASSERT_EQ(Play(first.get()), 1);
  ASSERT_EQ(EngineLoad(*state, second.get()), 1);
  EXPECT_EQ(EngineLoad(*state, third.get()), 0);  // one buffer queued at a time
  EXPECT_EQ(state->queued, second.get());

  clock.Run(550 + 125 + 1);
  EXPECT_EQ(first->count, 0);
  EXPECT_EQ(second->count, 2);
  EXPECT_EQ(Notifications(), (std::vector<uintptr_t>{1, 1}));
  EXPECT_EQ(state->queued, nullptr);

  clock.Run(1000);
  EXPECT_EQ(second->count, 0);
  EXPECT_EQ(TimesOf(Word(0x90, 62, 1)), std::vector<uint32_t>{t0 + 250});
  EXPECT_EQ(Notifications(), (std::vector<uintptr_t>{1, 1, 2}));
  EXPECT_EQ(state->playing, 1u);  // running out of data does not stop

  // 60 s later the last event is met again and the end notified again.
  clock.Run(60000);
  EXPECT_EQ(TimesOf(Word(0x80, 62, 0)).size(), 2u);
  EXPECT_EQ(Notifications(), (std::vector<uintptr_t>{1, 1, 2, 2}));
  EXPECT_EQ(EngineLoad(*state, nullptr), 0);
}

TEST_F(EngineCore, StopSendsExactlyTheNoteOffsStillDue) {
  auto b = Buffer({Short(0, 0x90, 60, 100), Short(0, 0x93, 60, 100), Short(0, 0x90, 64, 100, 1),
                   Short(0, 0x90, 67, 100), Short(10, 0x80, 67, 0), Short(20, 0x90, 72, 0),
                   Short(5000, 0x90, 80, 100)});
  ASSERT_EQ(Play(b.get()), 1);
  clock.Run(700);
  clock.sent.clear();
  EngineStopPlay(*state, clock);
  EXPECT_EQ(state->playing, 0u);
  EXPECT_EQ(clock.timerId, 0u);
  EXPECT_EQ(clock.beginPeriods, 1);
  EXPECT_EQ(clock.endPeriods, 1);
  ASSERT_EQ(clock.sent.size(), 3u);
  EXPECT_EQ(clock.sent[0].output, kPort0);
  EXPECT_EQ(clock.sent[0].message & 0xFFFFFF, Word(0x80, 60, 64));
  EXPECT_EQ(clock.sent[1].message & 0xFFFFFF, Word(0x83, 60, 64));
  EXPECT_EQ(clock.sent[2].output, kPort1);
  EXPECT_EQ(clock.sent[2].message & 0xFFFFFF, Word(0x80, 64, 64));

  clock.sent.clear();
  EngineStopPlay(*state, clock);  // not playing: nothing
  clock.Run(10000);
  EXPECT_TRUE(clock.sent.empty());
  EXPECT_EQ(clock.endPeriods, 1);
}

TEST_F(EngineCore, StopRetriesANoteOffTheDeviceWasNotReadyFor) {
  auto b = Buffer({Short(0, 0x90, 60, 100), Short(5000, 0x80, 60, 0)});
  ASSERT_EQ(Play(b.get()), 1);
  clock.Run(600);
  clock.busyAnswers = 3;
  EngineStopPlay(*state, clock);
  EXPECT_EQ(TimesOf(Word(0x80, 60, 64)).size(), 1u);
  EXPECT_EQ(state->sounding[0][60], 0);
}

TEST_F(EngineCore, DataBytesAboveSevenBitsIndexTheirOwnKey) {
  // Key 0xBC must land on key 60 of port 0, not on a key of port 1.
  auto b = Buffer({Short(0, 0x90, 0xBC, 100), Short(5000, 0x80, 60, 0)});
  ASSERT_EQ(Play(b.get()), 1);
  clock.Run(600);
  clock.sent.clear();
  EngineStopPlay(*state, clock);
  ASSERT_EQ(clock.sent.size(), 1u);
  EXPECT_EQ(clock.sent[0].output, kPort0);
  EXPECT_EQ(clock.sent[0].message & 0xFFFFFF, Word(0x80, 60, 64));
}

TEST_F(EngineCore, NotReadyRetriesTheSameEventAtTheNextTick) {
  auto b = Buffer({Short(0, 0x90, 60, 1), Short(0, 0x90, 61, 1)});
  const uint32_t t0 = clock.now + 550;
  ASSERT_EQ(Play(b.get()), 1);
  clock.Run(549);
  clock.busyAnswers = 2;
  clock.Run(10);
  EXPECT_EQ(TimesOf(Word(0x90, 60, 1)), std::vector<uint32_t>{t0 + 2});
  EXPECT_EQ(TimesOf(Word(0x90, 61, 1)), std::vector<uint32_t>{t0 + 2});
}

TEST_F(EngineCore, PreRollGivesUpAfterTwentyBusyPasses) {
  auto b = Buffer({Short(0, 0xB0, 7, 100), Short(0, 0x90, 60, 1)});
  clock.busyAnswers = 20;
  EXPECT_EQ(Play(b.get()), 0);
  EXPECT_EQ(state->playing, 0u);
  EXPECT_EQ(clock.beginPeriods, clock.endPeriods);

  clock.busyAnswers = 19;  // the twentieth pass gets through
  EXPECT_EQ(Play(b.get()), 1);
  EXPECT_EQ(TimesOf(Word(0xB0, 7, 100)).size(), 1u);
}

TEST_F(EngineCore, TimerPeriodAndResolutionBalancedOnEveryPath) {
  auto b = Buffer({Short(0, 0x90, 60, 1)});
  clock.refuseTimer = true;
  EXPECT_EQ(Play(b.get()), 0);
  EXPECT_EQ(state->playing, 0u);
  EXPECT_EQ(clock.beginPeriods, 1);
  EXPECT_EQ(clock.endPeriods, 1);

  // A zero period in the record keeps the engine's value; a state that never had one fails cleanly.
  auto fresh = std::make_unique<EngineState>();
  EngineInitState(*fresh);
  clock.refuseTimer = false;
  params.timerPeriod = 0;
  params.timerResolution = 0;
  EXPECT_EQ(EngineStartPlay(*fresh, clock, kWindow, params, b.get()), 0);
  EXPECT_EQ(clock.beginPeriods, clock.endPeriods);

  EXPECT_EQ(Play(b.get()), 1);  // keeps the 1 ms of the earlier Play
  EXPECT_EQ(clock.timerPeriod, 1u);
  EngineStopPlay(*state, clock);
  EXPECT_EQ(clock.beginPeriods, clock.endPeriods);
}

class EngineInput : public EngineCore {
protected:
  void Input(uint32_t message) {
    EngineRecordInput(*state, clock, kInput, kEngineEchoMessage, message);
  }
  std::vector<TRecordedEvent> Drain() {
    std::vector<TRecordedEvent> all;
    TRecordedEvent r;
    while (EngineGetRecorded(*state, &r)) all.push_back(r);
    return all;
  }
};

TEST_F(EngineInput, ThruRewritesTheChannelOfChannelMessagesOnly) {
  EngineSetEcho(*state, kThru, 3);
  Input(Word(0x90, 60, 100));
  Input(Word(0xB5, 7, 10));
  Input(0xF8);        // clock
  Input(0xF0);        // system exclusive
  EngineSetEcho(*state, kThru, 0);
  Input(Word(0x94, 61, 100));
  EngineSetEcho(*state, 0, 3);
  Input(Word(0x90, 62, 100));

  ASSERT_EQ(clock.sent.size(), 5u);
  EXPECT_EQ(clock.sent[0].output, kThru);
  EXPECT_EQ(clock.sent[0].message, Word(0x92, 60, 100));
  EXPECT_EQ(clock.sent[1].message, Word(0xB2, 7, 10));
  EXPECT_EQ(clock.sent[2].message, 0xF8u);
  EXPECT_EQ(clock.sent[3].message, 0xF0u);
  EXPECT_EQ(clock.sent[4].message, Word(0x94, 61, 100));
}

TEST_F(EngineInput, ThruSendsOnceMoreWhenNotReady) {
  EngineSetEcho(*state, kThru, 0);
  clock.busyAnswers = 1;
  Input(Word(0x90, 60, 100));
  EXPECT_EQ(clock.sent.size(), 1u);
  clock.busyAnswers = 2;
  Input(Word(0x90, 61, 100));
  EXPECT_EQ(clock.sent.size(), 1u);
}

TEST_F(EngineInput, EchoWindowGetsNotesControllersProgramsAndBendsOnly) {
  state->echoWindow = kWindow;
  const uint32_t posted[] = {Word(0x80, 60, 0), Word(0x91, 60, 9), Word(0xB0, 1, 2),
                             Word(0xC3, 4, 0), Word(0xE0, 0, 64)};
  const uint32_t kept[] = {Word(0xA0, 60, 9), Word(0xD0, 9, 0), 0xF8, Word(0xF2, 1, 1)};
  for (uint32_t m : posted) Input(m);
  for (uint32_t m : kept) Input(m);
  ASSERT_EQ(clock.posted.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(clock.posted[i].window, kWindow);
    EXPECT_EQ(clock.posted[i].message, kEngineEchoMessage);
    EXPECT_EQ(clock.posted[i].wParam, kInput);
    EXPECT_EQ(clock.posted[i].lParam, posted[i]);
  }
  // Recording takes the input away from the echo window.
  EngineSetRecording(*state, 1);
  Input(Word(0x90, 60, 9));
  EXPECT_EQ(clock.posted.size(), 5u);
}

TEST_F(EngineInput, RecordingStampsWithTheSongPosition) {
  EngineSetRecording(*state, 1);
  Input(Word(0x90, 60, 100) | 0x45000000);
  Input(0xF8);  // system messages are not kept
  auto idle = Drain();
  ASSERT_EQ(idle.size(), 1u);
  EXPECT_EQ(idle[0].tick, -1);
  EXPECT_EQ(idle[0].message, Word(0x90, 60, 100) | 0x05000000);

  auto b = Buffer({Short(0, 0x90, 60, 1), Tempo(192, 250000), Short(10000, 0x80, 60, 0)});
  ASSERT_EQ(Play(b.get()), 1);
  Input(Word(0x90, 61, 100));  // before the first step: stamped 0
  clock.Run(550 + 250);        // 96 ticks at 500000 us
  Input(Word(0x90, 62, 100));
  clock.Run(250 + 125);        // to tick 192, then 96 ticks at 250000 us
  Input(Word(0x90, 63, 100));
  auto playing = Drain();
  ASSERT_EQ(playing.size(), 3u);
  EXPECT_EQ(playing[0].tick, 0);
  EXPECT_EQ(playing[1].tick, 96);
  EXPECT_EQ(playing[2].tick, 192 + 96);
}

TEST_F(EngineInput, TempoUnderAMillisecondPerQuarterStampsWithoutDividingByZero) {
  auto b = Buffer({Tempo(0, 500), Short(100000, 0x90, 60, 1)});
  ASSERT_EQ(Play(b.get()), 1);
  clock.Run(560);
  EngineSetRecording(*state, 1);
  Input(Word(0x90, 61, 100));
  auto r = Drain();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_GT(r[0].tick, 0);
}

TEST_F(EngineInput, AFullRingDropsTheNewcomerAndCountsIt) {
  EngineSetRecording(*state, 1);
  for (int i = 0; i < 300; ++i) Input(Word(0x90, uint8_t(i & 0x7F), 1));
  EXPECT_EQ(state->ringDropped, 300u - 255u);
  auto r = Drain();
  ASSERT_EQ(r.size(), 255u);
  EXPECT_EQ(r.front().message, Word(0x90, 0, 1));  // the oldest entries survive
  EXPECT_EQ(r.back().message, Word(0x90, 254 & 0x7F, 1));
  Input(Word(0x90, 5, 1));
  EXPECT_EQ(Drain().size(), 1u);
}

TEST_F(EngineInput, SwitchingRecordingOnEmptiesTheRing) {
  EngineSetRecording(*state, 1);
  Input(Word(0x90, 60, 1));
  EngineSetRecording(*state, 1);  // no change: the entry stays
  EngineSetRecording(*state, 0);
  EngineSetRecording(*state, 1);
  EXPECT_TRUE(Drain().empty());
}

}  // namespace
