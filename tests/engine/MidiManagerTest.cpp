// The device manager under Wine with the real engine library and the test MIDI driver: loading
// with its fallback and failure box, the settings sections, ports opened by name, failed-port
// masks, echo, playback hand-over, recording, resets and patch caching.
#include "midi/MidiStringIds.h"
#include "tests/engine/MidiManagerFixture.h"

namespace {

const char kEngineMissing[] =
    "Unable to load the MIDI utility library DLL!\n\nMIDI input and output functions will not "
    "function.";

TEST(MidiManagerLoading, FallsBackFromTheWindows95Library) {
  boxes.clear();
  {
    TMidiManager manager(EngineFiles("QVMID95B.DLL", "QVMID32B.DLL", 1));
    EXPECT_TRUE(manager.IsBound());
    EXPECT_NE(GetModuleHandleA("QVMID95B.DLL"), nullptr);
    EXPECT_EQ(gMidiManager, &manager);
  }
  EXPECT_EQ(GetModuleHandleA("QVMID95B.DLL"), nullptr);  // unloaded with the manager
  EXPECT_EQ(gMidiManager, nullptr);
  {
    TMidiManager manager(EngineFiles("NOSUCH95.DLL", "QVMID32B.DLL", 1));
    EXPECT_TRUE(manager.IsBound());
  }
  {
    TMidiManager manager(EngineFiles("QVMID95B.DLL", "QVMID32B.DLL", 0));  // not tried off Windows 95
    EXPECT_TRUE(manager.IsBound());
    EXPECT_EQ(GetModuleHandleA("QVMID95B.DLL"), nullptr);
  }
  EXPECT_TRUE(boxes.empty());
}

TEST(MidiManagerLoading, FailureShowsTheBoxAndEverythingIsANoOp) {
  // No file at all, then a library that lacks the entry points.
  for (const char* file : {"NOSUCH32.DLL", "winevmidi.drv"}) {
    boxes.clear();
    TMidiManager manager(EngineFiles("NOSUCH95.DLL", file, 1));
    EXPECT_FALSE(manager.IsBound());
    ASSERT_EQ(boxes.size(), 1u) << file;
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, kEngineMissing);
    EXPECT_EQ(boxes[0].style & (MB_ICONMASK | MB_MODEMASK), UINT(MB_ICONSTOP | MB_TASKMODAL));

    TMidiFileBuf list(0);
    list.Allocate(1);
    list.AddShortEvent(0, kMidiNoteOn, 0, 0, 60, 100);
    manager.AcquireDevices(true);
    EXPECT_FALSE(manager.AreDevicesAcquired());
    EXPECT_EQ(manager.Play(HWND(1), &list), 0);
    EXPECT_EQ(manager.FeedNextBuffer(), 0);
    EXPECT_EQ(manager.IsPlaying(), 0);
    EXPECT_EQ(manager.GetSongPosition(), 0);
    EXPECT_FALSE(manager.TrySendShort(0x403C90));
    manager.StartRecording();
    EXPECT_EQ(manager.IsRecording(), 0);
    EXPECT_EQ(manager.GetFailedOutPorts(), 0);
  }
}

TEST_F(MidiManagerTest, ReadsPortsUpToTheFirstEmptyKeyAndOpensThemByName) {
  Configure();
  TMidiManager& m = Make();
  m.LoadPortSettings();
  ASSERT_EQ(m.GetPortCount(), 2);
  EXPECT_STREQ(m.GetPortName(1), "VMIDI Out B");
  EXPECT_FALSE(m.AreDevicesAcquired());
  EXPECT_TRUE(m.IsInputMissing());

  m.AcquireDevices(true);
  EXPECT_NE(m.GetOutDevice(0), nullptr);
  EXPECT_NE(m.GetOutDevice(1), nullptr);
  EXPECT_EQ(m.GetOutDevice(2), nullptr);
  EXPECT_NE(m.GetInDevice(), nullptr);  // input names match whatever their case
  EXPECT_FALSE(m.IsInputMissing());
  EXPECT_EQ(m.GetFailedOutPorts(), 0);
  char name[kMidiDeviceNameSize];
  ASSERT_TRUE(m.GetOutDeviceName(1, name));
  EXPECT_STREQ(name, "VMIDI Out B");
  ASSERT_TRUE(m.GetInDeviceName(name));
  EXPECT_STREQ(name, "VMIDI In A");

  // Echo: input reaches port 1 unchanged.
  const uint32_t mark = driver.LogCount();
  ASSERT_TRUE(driver.Feed(0, {{0, 0x403C91}}));
  ASSERT_TRUE(driver.FeedWait(5000));
  window.PumpUntil([&] { return !SentWords(mark, 1).empty(); }, 2000);
  EXPECT_EQ(SentWords(mark, 1), std::vector<uint32_t>{0x403C91});
  EXPECT_TRUE(SentWords(mark, 0).empty());

  // Releasing closes everything.
  const uint32_t closeMark = driver.LogCount();
  m.AcquireDevices(false);
  int closes = 0;
  for (const auto& e : driver.LogSince(closeMark)) {
    closes += (e.kind == kVmidiOutMessage && e.code == MODM_CLOSE) ||
              (e.kind == kVmidiInMessage && e.code == MIDM_CLOSE);
  }
  EXPECT_EQ(closes, 3);
  EXPECT_EQ(m.GetOutDevice(0), nullptr);
}

TEST_F(MidiManagerTest, OutputNamesMatchExactlyAndFailedPortsAreMasked) {
  Configure("vmidi out b");  // wrong case: no such output
  TMidiManager& m = Make();
  m.LoadPortSettings();
  EXPECT_EQ(m.GetFailedOutPorts(), 1 << 1);
  EXPECT_FALSE(m.AreDevicesAcquired());  // the test restores the released state
  m.AcquireDevices(true);
  EXPECT_NE(m.GetOutDevice(0), nullptr);
  EXPECT_EQ(m.GetOutDevice(1), nullptr);
  EXPECT_EQ(m.GetFailedOutPorts(), 1 << 1);
  EXPECT_TRUE(m.AreDevicesAcquired());

  // With the echo port closed there is no echo at all.
  const uint32_t mark = driver.LogCount();
  ASSERT_TRUE(driver.Feed(0, {{0, 0x403C90}}));
  ASSERT_TRUE(driver.FeedWait(5000));
  window.PumpFor(30);
  for (int port = 0; port < kVmidiOutputs; ++port) EXPECT_TRUE(SentWords(mark, port).empty());

  HWND list = Control(HWND_MESSAGE, "LISTBOX", 0);
  ASSERT_NE(list, nullptr);
  m.FillPortNameList(list);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 16);
  char text[64];
  SendMessageA(list, LB_GETTEXT, 1, LPARAM(text));
  EXPECT_STREQ(text, "vmidi out b");
  for (int i = 2; i < 16; ++i) {
    SendMessageA(list, LB_GETTEXT, i, LPARAM(text));
    EXPECT_STREQ(text, "<Unavailable>") << i;
  }
  EXPECT_EQ(m.TestOutPorts(list), 0xFFFE);  // only "VMIDI Out A" opens
  DestroyWindow(list);
}

TEST_F(MidiManagerTest, SettingsSectionsRoundTrip) {
  Configure();
  Set("MIDI Timer", "Timer Period", "0");
  Set("MIDI Timer", "Timer Resolution", "0");
  TMidiManager& m = Make();
  EXPECT_EQ(m.GetTimerPeriod(), 2);
  EXPECT_EQ(m.GetTimerResolution(), 2);
  m.LoadTimerSettings();  // 0 from a hand-edited file: clamped to the dialog's ranges
  EXPECT_EQ(m.GetTimerPeriod(), 1);
  EXPECT_EQ(m.GetTimerResolution(), 1);
  Set("MIDI Timer", "Timer Period", "99");
  Set("MIDI Timer", "Timer Resolution", "99");
  m.LoadTimerSettings();
  EXPECT_EQ(m.GetTimerPeriod(), 50);
  EXPECT_EQ(m.GetTimerResolution(), 25);
  m.SetTimerSettings(7, 3);
  m.SaveTimerSettings();
  EXPECT_EQ(Get("MIDI Timer", "Timer Period"), "7");
  EXPECT_EQ(Get("MIDI Timer", "Timer Resolution"), "3");

  m.LoadPortSettings();
  EXPECT_TRUE(m.IsEchoEnabled());
  EXPECT_EQ(m.GetEchoPort(), 1);
  m.SetEcho(0, 5);
  m.SavePortSettings();
  EXPECT_EQ(Get("MIDI Out Ports", "0"), "VMIDI Out A");
  EXPECT_EQ(Get("MIDI Out Ports", "1"), "VMIDI Out B");
  EXPECT_EQ(Get("MIDI Out Ports", "3"), "<none>");  // the section was written anew
  EXPECT_EQ(Get("MIDI In Ports", "0"), "vmidi IN a");
  EXPECT_EQ(Get("MIDI Echo", "Enabled"), "1");
  EXPECT_EQ(Get("MIDI Echo", "DeviceNum"), "0");
  EXPECT_EQ(Get("MIDI Echo", "ChnlOvrd"), "5");

  m.ClearEcho();
  m.UseMapperOutPort();
  m.SavePortSettings();
  EXPECT_EQ(Get("MIDI Echo", "Enabled"), "0");
  char mapper[kMidiDeviceNameSize];
  ASSERT_TRUE(MidiOutDeviceName(-1, mapper));
  EXPECT_EQ(m.GetPortCount(), 1);
  EXPECT_EQ(Get("MIDI Out Ports", "0"), mapper);
  EXPECT_EQ(Get("MIDI Out Ports", "1"), "<none>");
  m.AcquireDevices(true);  // the mapper opens through the engine's device number above 64
  EXPECT_NE(m.GetOutDevice(0), nullptr);
}

TEST_F(MidiManagerTest, PlaysAListBufferByBufferAndStops) {
  Configure();
  TMidiManager& m = Make();
  m.LoadPortSettings();
  m.AcquireDevices(true);
  m.SetTimerSettings(1, 1);

  TMidiFileBuf list(4);
  list.Allocate(1);
  list.AddTempoEvent(0, 2000);  // fast: three buffers in well under a second
  for (int i = 0; i < 2100; ++i) {
    list.AddShortEvent(i / 4, kMidiNoteOn, uint8_t(i % 2), 0, uint8_t(40 + i % 40), 0);
  }
  ASSERT_EQ(list.LastUsedBuffer(), 2);
  const uint32_t mark = driver.LogCount();
  ASSERT_EQ(m.Play(window.Handle(), &list), 1);
  std::vector<int> answers;
  size_t seen = 0;
  bool ended = false;
  ASSERT_TRUE(window.PumpUntil(
      [&] {
        for (; seen < window.Messages().size(); ++seen) {
          const auto& msg = window.Messages()[seen];
          if (msg.message != WM_USER + 101) continue;
          if (msg.wParam == 1) answers.push_back(m.FeedNextBuffer());
          if (msg.wParam == 2) ended = true;
        }
        return ended;
      },
      10000));
  EXPECT_EQ(answers, (std::vector<int>{1, 1, 1}));  // buffers 1 and 2, then nothing left
  EXPECT_EQ(list.Buffer(2)->count, 0);
  EXPECT_EQ(SentWords(mark, 0).size(), 1050u);
  EXPECT_EQ(SentWords(mark, 1).size(), 1050u);
  EXPECT_EQ(m.IsPlaying(), 1);
  m.Stop();
  EXPECT_EQ(m.IsPlaying(), 0);
  EXPECT_EQ(m.FeedNextBuffer(), 0);
}

TEST_F(MidiManagerTest, ARefusedPlayLeavesTheFeedWithTheListThatPlays) {
  Configure();
  TMidiManager& m = Make();
  m.LoadPortSettings();
  m.AcquireDevices(true);
  TMidiFileBuf playing(4), other(4);
  playing.Allocate(1);
  other.Allocate(1);
  for (int i = 0; i < 1100; ++i) {
    playing.AddShortEvent(100000 + i, kMidiNoteOn, 0, 0, 60, 0);  // far off: nothing moves here
  }
  for (int i = 0; i < 2100; ++i) other.AddShortEvent(i, kMidiNoteOn, 0, 0, 61, 0);
  ASSERT_EQ(playing.LastUsedBuffer(), 1);
  ASSERT_EQ(other.LastUsedBuffer(), 2);
  ASSERT_EQ(m.Play(window.Handle(), &playing), 1);
  EXPECT_EQ(m.Play(window.Handle(), &other), 0);  // still playing: refused
  EXPECT_EQ(m.FeedNextBuffer(), 1);  // the playing list's second buffer is queued
  // Nothing is left of the playing list; the other list's third buffer would find the queue full.
  EXPECT_EQ(m.FeedNextBuffer(), 1);
  m.Stop();
}

TEST_F(MidiManagerTest, RecordsOnlyWithAnOpenInput) {
  TMidiManager& m = Make();
  m.LoadPortSettings();  // nothing configured
  m.AcquireDevices(true);
  m.StartRecording();
  EXPECT_EQ(m.IsRecording(), 0);

  Configure();
  m.LoadPortSettings();
  m.StartRecording();
  EXPECT_EQ(m.IsRecording(), 1);
  ASSERT_TRUE(driver.Feed(0, {{0, 0x403C90}, {1, 0x003C80}}));
  ASSERT_TRUE(driver.FeedWait(5000));
  TRecordedEvent r;
  ASSERT_EQ(m.GetRecordedEvent(&r), 1);
  EXPECT_EQ(r.tick, -1);
  EXPECT_EQ(r.message, 0x403C90u);
  m.StopRecording();
  EXPECT_EQ(m.IsRecording(), 0);
  EXPECT_EQ(m.GetRecordedEvent(&r), 0);
}

TEST_F(MidiManagerTest, SendsResetsAndShortMessagesThroughBusyDevices) {
  Configure();
  TMidiManager& m = Make();
  m.LoadPortSettings();
  m.AcquireDevices(true);

  uint32_t mark = driver.LogCount();
  EXPECT_TRUE(m.TrySendShort(0x05403C90));  // port 5 is beyond the ports: counts as sent
  driver.SetNotReady(OutId(1), 1);
  EXPECT_FALSE(m.TrySendShort(0x01403C90));
  EXPECT_TRUE(m.TrySendShort(0x01403C90));
  EXPECT_EQ(SentWords(mark, 1), std::vector<uint32_t>{0x01403C90});

  mark = driver.LogCount();
  driver.SetNotReady(OutId(0), 25);
  m.ResetAllPorts();
  const auto port0 = SentWords(mark, 0);
  ASSERT_EQ(port0.size(), 16u * (4 + 128));
  EXPECT_EQ(port0[0], 0x0040B0u);
  EXPECT_EQ(port0[1], 0x7F07B0u);
  EXPECT_EQ(port0[2], 0x400AB0u);
  EXPECT_EQ(port0[3], 0x4000E0u);
  EXPECT_EQ(port0[4], 0x000080u);
  EXPECT_EQ(port0.back(), 0x007F8Fu);
  EXPECT_EQ(SentWords(mark, 1).size(), 16u * (4 + 128));
}

TEST_F(MidiManagerTest, PatchCachingFailureShowsItsBoxOnce) {
  Set("MIDI Out Ports", "0", "VMIDI Out A");
  Set("MIDI Out Ports", "1", "VMIDI Out C");  // claims caching and fails it
  TMidiManager& m = Make();
  m.LoadPortSettings();
  TMidiFileBuf list(0);
  list.Allocate(1);
  list.AddShortEvent(0, kMidiProgram, 1, 0, 5, 0);
  list.AddShortEvent(0, kMidiNoteOn, 1, 9, 36, 100);
  m.CachePatches(list);  // not acquired: nothing
  EXPECT_TRUE(boxes.empty());
  m.AcquireDevices(true);
  m.CachePatches(list);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Patch Cache");
  EXPECT_EQ(boxes[0].text, "An attempt to cache patches failed");
  EXPECT_EQ(boxes[0].style & (MB_ICONMASK | MB_MODEMASK), UINT(MB_ICONINFORMATION | MB_TASKMODAL));
}

TEST_F(MidiManagerTest, DeletingTheManagerStopsAndReleasesEverything) {
  Configure();
  TMidiManager& m = Make();
  m.LoadPortSettings();
  m.AcquireDevices(true);
  m.StartRecording();
  TMidiFileBuf list(0);
  list.Allocate(1);
  list.AddShortEvent(0, kMidiNoteOn, 0, 0, 60, 100);
  list.AddShortEvent(100000, kMidiNoteOff, 0, 0, 60, 0);
  const uint32_t mark = driver.LogCount();
  ASSERT_EQ(m.Play(window.Handle(), &list), 1);
  ASSERT_TRUE(window.PumpUntil([&] { return !SentWords(mark, 0).empty(); }, 5000));
  manager.reset();
  EXPECT_EQ(gMidiManager, nullptr);
  EXPECT_EQ(SentWords(mark, 0), (std::vector<uint32_t>{0x643C90, 0x403C80}));
  int closes = 0;
  for (const auto& e : driver.LogSince(mark)) {
    closes += (e.kind == kVmidiOutMessage && e.code == MODM_CLOSE) ||
              (e.kind == kVmidiInMessage && e.code == MIDM_CLOSE);
  }
  EXPECT_EQ(closes, 3);
}

}  // namespace
