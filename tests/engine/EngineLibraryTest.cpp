// The engine library itself under Wine, through winmm and the test MIDI driver: its exports,
// instance life cycle, notifications to a message-only window, buffer hand-back, Stop's note-off
// sweep, "not ready" retries, the thru echo and recording stamps.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/engine/EngineLibrary.h"
#include "tests/engine/NotifyWindow.h"
#include "tests/engine/TestEvents.h"
#include "tests/mididriver/VmidiClient.h"

namespace {

constexpr UINT kNotify = 0x465;

struct Instance36 {
  EngineInstance head;
  uint8_t callerBytes[36 - sizeof(EngineInstance)];
};

class EngineLibraryTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ready = VmidiClient::InstallReporting(); }

  void SetUp() override {
    ASSERT_TRUE(ready);
    ASSERT_TRUE(driver.Bind());
    ASSERT_TRUE(engine.Open("QVMID32B.DLL"));
    inst = {};
    inst.head.size = 36;
    ASSERT_EQ(engine.AllocInst(&inst.head), 1);
    for (int port = 0; port < 2; ++port) {
      ASSERT_EQ(engine.QVmidiOutOpen(&outs[port], WORD(VmidiClient::OutputId(port))), 0u);
    }
    params = {};
    params.timerPeriod = 1;
    params.timerResolution = 1;
    params.notifyOffset = 101;
    params.outputs[0] = uint32_t(reinterpret_cast<uintptr_t>(outs[0]));
    params.outputs[1] = uint32_t(reinterpret_cast<uintptr_t>(outs[1]));
  }

  void TearDown() override {
    if (engine.module) {
      engine.Stop(&inst.head);
      engine.DeallocInst(&inst.head);
      for (HMIDIOUT out : outs) {
        if (out) engine.QVmidiOutClose(out);
      }
    }
  }

  // Waits until `n` messages have been accepted by output `device` since `mark`.
  bool WaitSent(uint32_t mark, int device, size_t n, DWORD timeoutMs = 5000) {
    return window.PumpUntil([&] { return driver.SentSince(mark, device).size() >= n; },
                            timeoutMs);
  }

  static bool ready;
  VmidiClient driver;
  EngineLibrary engine;
  Instance36 inst;
  HMIDIOUT outs[2] = {};
  PlayParams params;
  NotifyWindow window;
};
bool EngineLibraryTest::ready = false;

TEST(EngineLibraryFiles, EveryFileNameExportsAllEntryPoints) {
  for (const char* file : {"QVMID95A.DLL", "QVMID32A.DLL", "QVMID95B.DLL", "QVMID32B.DLL"}) {
    HMODULE m = LoadLibraryA(file);
    ASSERT_NE(m, nullptr) << file;
    for (const char* name : EngineLibrary::kExports) {
      EXPECT_NE(GetProcAddress(m, name), nullptr) << file << " " << name;
    }
    FreeLibrary(m);
  }
}

TEST(EngineLibraryFiles, InstanceLifeCycle) {
  EngineLibrary engine;
  ASSERT_TRUE(engine.Open("QVMID32B.DLL"));
  EngineInstance small = {11, 0, nullptr};
  EXPECT_EQ(engine.AllocInst(&small), 0);
  EXPECT_EQ(small.state, nullptr);

  EngineInstance never = {12, 0, nullptr};
  engine.DeallocInst(&never);  // never filled: harmless
  engine.Stop(&never);
  EXPECT_EQ(engine.IsPlaying(&never), 0);

  EngineInstance inst = {12, 0, nullptr};
  ASSERT_EQ(engine.AllocInst(&inst), 1);
  EXPECT_NE(inst.memory, 0u);
  ASSERT_NE(inst.state, nullptr);
  EXPECT_EQ(inst.state->tempo, 1000u);
  EXPECT_EQ(engine.IsPlaying(&inst), 0);
  EXPECT_EQ(engine.GetSPP(&inst), 0);
  engine.DeallocInst(&inst);
  EXPECT_EQ(inst.memory, 0u);
  EXPECT_EQ(inst.state, nullptr);
  engine.DeallocInst(&inst);  // twice: harmless
}

TEST_F(EngineLibraryTest, PlaysBuffersNotifiesAndHandsThemBack) {
  auto first = Buffer({Short(0, 0xC0, 5, 0), Short(0, 0x90, 60, 100), Short(24, 0x80, 60, 0)});
  auto second = Buffer({Short(48, 0x91, 62, 100, 1), Short(72, 0x81, 62, 0, 1)});
  const uint32_t mark = driver.LogCount();
  ASSERT_EQ(engine.Play(&inst.head, window.Handle(), &params, first.get()), 1);
  EXPECT_EQ(engine.IsPlaying(&inst.head), 1);
  // The program change went out at Play, on this thread, before any timer step.
  auto pre = driver.SentSince(mark, 0);
  ASSERT_EQ(pre.size(), 1u);
  EXPECT_EQ(pre[0].param, Word(0xC0, 5, 0));
  EXPECT_EQ(pre[0].thread, GetCurrentThreadId());

  // The caller answers wParam 1 with the next buffer, wParam 2 with Stop.
  bool loaded = false;
  ASSERT_TRUE(window.PumpUntil(
      [&] {
        if (!loaded && !window.WParamsOf(kNotify).empty()) {
          loaded = engine.Load(&inst.head, second.get()) == 1;
        }
        auto n = window.WParamsOf(kNotify);
        return std::find(n.begin(), n.end(), WPARAM(2)) != n.end();
      },
      5000));
  EXPECT_TRUE(loaded);
  EXPECT_EQ(window.WParamsOf(kNotify), (std::vector<WPARAM>{1, 1, 2}));
  for (const auto& m : window.Messages()) EXPECT_EQ(m.lParam, 0);
  EXPECT_EQ(first->count, 0);
  EXPECT_EQ(second->count, 0);
  EXPECT_EQ(engine.GetSPP(&inst.head), 72);
  EXPECT_EQ(engine.IsPlaying(&inst.head), 1);  // running out of data does not stop

  auto out0 = driver.SentSince(mark, 0);
  auto out1 = driver.SentSince(mark, 1);
  ASSERT_EQ(out0.size(), 3u);
  ASSERT_EQ(out1.size(), 2u);
  EXPECT_EQ(out0[1].param, Word(0x90, 60, 100));
  EXPECT_NE(out0[1].thread, GetCurrentThreadId());  // the timer thread sends
  EXPECT_EQ(out1[0].param, Word(0x91, 62, 100) | 0x01000000);
  EXPECT_LE(int32_t(out0[2].time - out0[1].time), int32_t(out1[0].time - out0[1].time));
  engine.Stop(&inst.head);
  EXPECT_EQ(engine.IsPlaying(&inst.head), 0);
}

TEST_F(EngineLibraryTest, StopSendsExactlyTheNoteOffsStillDue) {
  auto b = Buffer({Short(0, 0x90, 60, 100), Short(0, 0x92, 64, 100), Short(0, 0x90, 67, 90, 1),
                   Short(0, 0x90, 72, 100), Short(0, 0x80, 72, 0), Short(100000, 0x80, 60, 0)});
  const uint32_t mark = driver.LogCount();
  ASSERT_EQ(engine.Play(&inst.head, window.Handle(), &params, b.get()), 1);
  ASSERT_TRUE(WaitSent(mark, 0, 4));
  ASSERT_TRUE(WaitSent(mark, 1, 1));
  const uint32_t stopMark = driver.LogCount();
  engine.Stop(&inst.head);
  window.PumpFor(30);  // nothing may follow the sweep
  auto off0 = driver.SentSince(stopMark, 0);
  auto off1 = driver.SentSince(stopMark, 1);
  std::vector<uint32_t> got0, got1;
  for (const auto& e : off0) got0.push_back(e.param & 0xFFFFFF);
  for (const auto& e : off1) got1.push_back(e.param & 0xFFFFFF);
  EXPECT_EQ(got0, (std::vector<uint32_t>{Word(0x80, 60, 64), Word(0x82, 64, 64)}));
  EXPECT_EQ(got1, (std::vector<uint32_t>{Word(0x80, 67, 64)}));
  for (const auto& e : off0) EXPECT_EQ(e.thread, GetCurrentThreadId());
}

TEST_F(EngineLibraryTest, StopWaitsForAStepStillSendingBeforeItSweeps) {
  // Port 0 takes a millisecond over every message, so the timer thread spends most of its time
  // inside a step and Stop lands while a step is still sending note-ons. Nothing the timer thread
  // sends may follow the first note-off of the sweep, and no note may be left sounding.
  struct SlowPort {
    const VmidiClient& driver;
    explicit SlowPort(const VmidiClient& d) : driver(d) { driver.SetDelay(0, 1); }
    ~SlowPort() { driver.SetDelay(0, 0); }
  } slow(driver);
  int sweeps = 0;
  // A Stop that meets no note sounding proves nothing about the sweep; on a slow machine that can
  // happen several rounds in a row, so rounds go on (within a bound) until one has swept.
  for (int round = 0; round < 12 && (round < 4 || sweeps == 0); ++round) {
    auto b = Buffer({Tempo(0, 384000)});  // 2 ms a tick
    for (int32_t k = 0; k < 60; ++k) {
      for (uint8_t ch = 0; ch < 8; ++ch) {
        b->events[b->count++] = Short(4 * k, uint8_t(0x90 | ch), uint8_t(40 + (k + ch) % 40), 90);
      }
      for (uint8_t ch = 0; ch < 8; ++ch) {
        b->events[b->count++] = Short(4 * k + 2, uint8_t(0x80 | ch), uint8_t(40 + (k + ch) % 40), 0);
      }
    }
    const uint32_t mark = driver.LogCount();
    ASSERT_EQ(engine.Play(&inst.head, window.Handle(), &params, b.get()), 1);
    ASSERT_TRUE(WaitSent(mark, 0, size_t(40 + 23 * round)));
    engine.Stop(&inst.head);
    window.PumpFor(20);

    const DWORD me = GetCurrentThreadId();
    bool swept = false;
    int timerAfterSweep = 0;
    std::vector<int> sounding(16 * 128, 0);
    for (const auto& e : driver.SentSince(mark, 0)) {
      swept = swept || e.thread == me;
      if (swept && e.thread != me) ++timerAfterSweep;
      const uint32_t status = e.param & 0xF0, at = (e.param & 0x0F) * 128 + (e.param >> 8 & 0x7F);
      if (status == 0x90 && (e.param >> 16 & 0x7F)) ++sounding[at];
      if (status == 0x80 && sounding[at] > 0) --sounding[at];
    }
    sweeps += swept;
    EXPECT_EQ(timerAfterSweep, 0) << "round " << round;
    EXPECT_EQ(std::count_if(sounding.begin(), sounding.end(), [](int n) { return n > 0; }), 0)
        << "round " << round;
    window.Clear();
  }
  EXPECT_GT(sweeps, 0);  // at least one Stop met notes sounding
}

TEST_F(EngineLibraryTest, NotReadyEventsAreRetriedUntilSent) {
  auto b = Buffer({Short(0, 0xB0, 7, 100), Short(0, 0x90, 60, 100), Short(12, 0x90, 61, 100),
                   Short(24, 0x90, 62, 100)});
  const uint32_t mark = driver.LogCount();
  driver.SetNotReady(0, 3);  // three pre-roll passes fail, then the device takes it
  ASSERT_EQ(engine.Play(&inst.head, window.Handle(), &params, b.get()), 1);
  driver.SetNotReady(0, 5);  // the first timed steps meet a busy device too
  ASSERT_TRUE(WaitSent(mark, 0, 4));
  std::vector<uint32_t> got;
  for (const auto& e : driver.SentSince(mark, 0)) got.push_back(e.param & 0xFFFFFF);
  EXPECT_EQ(got, (std::vector<uint32_t>{Word(0xB0, 7, 100), Word(0x90, 60, 100),
                                        Word(0x90, 61, 100), Word(0x90, 62, 100)}));
}

TEST_F(EngineLibraryTest, PlayWithoutATimerPeriodFailsCleanly) {
  auto b = Buffer({Short(0, 0x90, 60, 100)});
  params.timerPeriod = 0;  // a fresh instance has none of its own
  params.timerResolution = 0;
  EXPECT_EQ(engine.Play(&inst.head, window.Handle(), &params, b.get()), 0);
  EXPECT_EQ(engine.IsPlaying(&inst.head), 0);
  window.PumpFor(20);
  EXPECT_TRUE(window.WParamsOf(kNotify).empty());
}

class EngineInputTest : public EngineLibraryTest {
protected:
  void SetUp() override {
    EngineLibraryTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(engine.QVmidiInOpen(&inst.head, &in, WORD(VmidiClient::InputId(0))), 0u);
    ASSERT_EQ(engine.QVmidiInStart(in), 0u);
  }
  void TearDown() override {
    if (in) {
      engine.QVmidiInStop(in);
      engine.QVmidiInClose(in);
    }
    EngineLibraryTest::TearDown();
  }
  void Feed(const std::vector<VmidiFeedItem>& items) {
    ASSERT_TRUE(driver.Feed(0, items));
    ASSERT_TRUE(driver.FeedWait(5000));
  }
  HMIDIIN in = nullptr;
};

TEST_F(EngineInputTest, EchoesThroughTheThruChannelAndPostsToTheEchoWindow) {
  engine.SetEcho(&inst.head, outs[1], 3);
  engine.SetEchoWindow(&inst.head, window.Handle());
  const uint32_t mark = driver.LogCount();
  Feed({{0, Word(0x90, 60, 100)}, {1, 0xF8}, {2, Word(0xA0, 60, 5)}});
  ASSERT_TRUE(WaitSent(mark, 1, 3));
  auto echoed = driver.SentSince(mark, 1);
  EXPECT_EQ(echoed[0].param, Word(0x92, 60, 100));
  EXPECT_EQ(echoed[1].param, 0xF8u);
  EXPECT_EQ(echoed[2].param, Word(0xA2, 60, 5));
  ASSERT_TRUE(window.PumpUntil([&] { return !window.WParamsOf(0x3C3).empty(); }, 2000));
  window.PumpFor(20);
  ASSERT_EQ(window.Messages().size(), 1u);  // pressure and clock are not posted
  EXPECT_EQ(window.Messages()[0].wParam, reinterpret_cast<WPARAM>(in));
  EXPECT_EQ(window.Messages()[0].lParam, LPARAM(Word(0x90, 60, 100)));
}

TEST_F(EngineInputTest, RecordsWithSongPositionStamps) {
  engine.SetRecording(&inst.head, 1);
  EXPECT_EQ(engine.IsRecording(&inst.head), 1);
  Feed({{0, Word(0x90, 60, 100)}, {1, 0xFE}});
  TRecordedEvent r;
  ASSERT_EQ(engine.GetRecorded(&inst.head, &r), 1);
  EXPECT_EQ(r.tick, -1);
  EXPECT_EQ(r.message, Word(0x90, 60, 100));
  EXPECT_EQ(engine.GetRecorded(&inst.head, &r), 0);  // active sensing was not kept

  // 192 ticks per 500 ms: input 700 ms into the song lies near tick 192 + 192 x 200 / 500.
  auto b = Buffer({Short(0, 0x90, 40, 1), Short(192, 0x80, 40, 0), Short(100000, 0x90, 41, 1)});
  ASSERT_EQ(engine.Play(&inst.head, window.Handle(), &params, b.get()), 1);
  ASSERT_TRUE(window.PumpUntil([&] { return engine.GetSPP(&inst.head) >= 240; }, 5000));
  const int before = engine.GetSPP(&inst.head);
  Feed({{0, Word(0x90, 61, 100)}});
  const int after = engine.GetSPP(&inst.head);
  ASSERT_EQ(engine.GetRecorded(&inst.head, &r), 1);
  EXPECT_GE(r.tick, before);
  EXPECT_LE(r.tick, after + 48);
  engine.SetRecording(&inst.head, 0);
  EXPECT_EQ(engine.IsRecording(&inst.head), 0);
}

}  // namespace
