// The test driver itself: winmm lists its ports, it logs what it is sent with time and thread,
// answers "not ready" on request, can be slow, and delivers scripted input from its own thread.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <atomic>

#include "tests/mididriver/VmidiClient.h"

namespace {

class VmidiDriver : public ::testing::Test {
protected:
  static void SetUpTestSuite() { installed = VmidiClient::InstallReporting(); }
  void SetUp() override {
    ASSERT_TRUE(installed);
    ASSERT_TRUE(driver.Bind()) << "winmm did not load winevmidi.drv";
  }
  static bool installed;
  VmidiClient driver;
};
bool VmidiDriver::installed = false;

struct Received {
  std::atomic<int> count{0};
  DWORD messages[16] = {};
  DWORD threads[16] = {};
};

void CALLBACK OnInput(HMIDIIN, UINT message, DWORD_PTR instance, DWORD_PTR p1, DWORD_PTR) {
  if (message != MIM_DATA) return;
  auto* r = reinterpret_cast<Received*>(instance);
  const int i = r->count;
  if (i >= 16) return;
  r->messages[i] = DWORD(p1);
  r->threads[i] = GetCurrentThreadId();
  r->count = i + 1;
}

TEST_F(VmidiDriver, ListsItsPorts) {
  for (int port = 0; port < kVmidiOutputs; ++port) EXPECT_GE(VmidiClient::OutputId(port), 0);
  EXPECT_GE(VmidiClient::InputId(0), 0);
}

TEST_F(VmidiDriver, LogsSendsAndAnswersNotReadyOnRequest) {
  HMIDIOUT out;
  ASSERT_EQ(midiOutOpen(&out, VmidiClient::OutputId(1), 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  const uint32_t mark = driver.LogCount();
  const DWORD before = timeGetTime();
  driver.SetNotReady(1, 2);
  EXPECT_EQ(midiOutShortMsg(out, 0x403C90), MIDIERR_NOTREADY);
  EXPECT_EQ(midiOutShortMsg(out, 0x403C90), MIDIERR_NOTREADY);
  EXPECT_EQ(midiOutShortMsg(out, 0x403C90), MMSYSERR_NOERROR);
  EXPECT_EQ(midiOutShortMsg(out, 0x003C80), MMSYSERR_NOERROR);
  midiOutClose(out);

  const auto sent = driver.SentSince(mark, 1);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].param, 0x403C90u);
  EXPECT_EQ(sent[1].param, 0x003C80u);
  EXPECT_EQ(sent[0].thread, GetCurrentThreadId());
  EXPECT_GE(int32_t(sent[0].time - before), 0);
  int busy = 0;
  for (const auto& e : driver.LogSince(mark)) busy += e.notReady;
  EXPECT_EQ(busy, 2);
}

TEST_F(VmidiDriver, ASlowPortKeepsTheSenderForItsDelay) {
  HMIDIOUT out;
  ASSERT_EQ(midiOutOpen(&out, VmidiClient::OutputId(0), 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  driver.SetDelay(0, 100);
  const DWORD before = timeGetTime();
  EXPECT_EQ(midiOutShortMsg(out, 0x403C90), MMSYSERR_NOERROR);
  EXPECT_GE(timeGetTime() - before, 99u);
  driver.SetDelay(0, 0);
  const DWORD fast = timeGetTime();
  EXPECT_EQ(midiOutShortMsg(out, 0x003C80), MMSYSERR_NOERROR);
  EXPECT_LT(timeGetTime() - fast, 99u);
  midiOutClose(out);
}

TEST_F(VmidiDriver, FeedsScriptedInputFromItsOwnThread) {
  Received received;
  HMIDIIN in;
  ASSERT_EQ(midiInOpen(&in, VmidiClient::InputId(0), reinterpret_cast<DWORD_PTR>(OnInput),
                       reinterpret_cast<DWORD_PTR>(&received), CALLBACK_FUNCTION),
            MMSYSERR_NOERROR);
  ASSERT_EQ(midiInStart(in), MMSYSERR_NOERROR);
  ASSERT_TRUE(driver.Feed(0, {{0, 0x403C90}, {5, 0x403C80}, {10, 0x7F07B0}}));
  ASSERT_TRUE(driver.FeedWait(5000));
  midiInStop(in);
  midiInClose(in);

  ASSERT_EQ(received.count.load(), 3);
  EXPECT_EQ(received.messages[0], 0x403C90u);
  EXPECT_EQ(received.messages[2], 0x7F07B0u);
  EXPECT_NE(received.threads[0], GetCurrentThreadId());
}

}  // namespace
