// The frame's orders of events against a host that records what it is asked to do: the deferred
// start, the command line, the timer tick, Stop and the shut-down chain.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/FrameFlow.h"

namespace {

class TRecordingHost : public TFrameHost {
public:
  std::vector<std::string> calls;
  TAppOptions options;
  bool timerAvailable = true;
  bool statusBarVisible = true;
  bool playing = false;
  bool recording = false;
  bool recordedData = false;
  bool windowsClose = true;
  uint32_t now = 0;
  std::set<std::string> existingFiles;

  int Option(TAppOptionIndex i) const override { return options[i]; }
  void SetOption(TAppOptionIndex i, int value) override {
    options[i] = value;
    Note("option " + std::string(kAppOptionKeys[i].key) + "=" + std::to_string(value));
  }
  void UpdateFrame() override { Note("update"); }
  bool StartTimer(unsigned periodMs) override {
    Note("timer " + std::to_string(periodMs));
    return timerAvailable;
  }
  void StopTimer() override { Note("kill timer"); }
  void ShowTimerFailure() override { Note("timer failure box"); }
  void ToggleStatusBar() override {
    statusBarVisible = !statusBarVisible;
    Note("toggle status bar");
  }
  bool IsStatusBarVisible() const override { return statusBarVisible; }
  uint32_t Now() const override { return now; }
  void ShowStatus(const char* text) override { Note(std::string("status ") + text); }
  void ClearStatus() override { Note("clear status"); }
  void PushReadyStatus() override { Note("Ready"); }
  void RefreshClock() override { Note("clock"); }
  void StartPlayClock() override { Note("start play clock"); }
  void StopPlayClock() override { Note("stop play clock"); }
  void ShowUsageTips() override { Note("tips"); }
  void OpenMidiPorts() override { Note("open ports"); }
  void CloseMidiPorts() override { Note("close ports"); }
  bool failedPorts = false;
  bool HaveFailedMidiPorts() override { return failedPorts; }
  void AskMidiDeviceWarning() override { Note("device warning"); }
  bool ResolveExistingFile(const char* token, char (&path)[260]) override {
    if (!existingFiles.count(token)) return false;
    std::snprintf(path, sizeof path, "C:\\full\\%s", token);
    return true;
  }
  void OpenDocument(const char* path, int mode) override {
    Note(std::string("open ") + path + " mode " + std::to_string(mode));
  }
  void ShowExperimentationNotice(const char* text) override { Note(std::string("notice ") + text); }
  void RecoverAutoSavedFiles() override { Note("recover"); }
  bool IsPlaying() const override { return playing; }
  bool IsRecording() const override { return recording; }
  void DrainRecordedInput() override { Note("drain"); }
  void EndRecording() override {
    recording = false;
    Note("end recording");
  }
  void StopEngine() override { Note("stop engine"); }
  void EndPlayFollow() override { Note("end follow"); }
  void ClearPlayingWindow() override {
    playing = false;
    Note("clear playing");
  }
  void ResetAllPorts() override { Note("reset ports"); }
  bool HasRecordedData() const override { return recordedData; }
  void TakeRecording(int importAction, bool windowWasPlaying) override {
    Note("take recording " + std::to_string(importAction) + (windowWasPlaying ? " into window" : ""));
  }
  void AutoSaveAll() override { Note("auto-save"); }
  bool CloseAllScoreWindows() override {
    Note("close windows");
    return windowsClose;
  }
  void QuitHelp() override { Note("quit help"); }
  void ForgetFrame() override { Note("forget frame"); }

private:
  void Note(const std::string& s) { calls.push_back(s); }
};

using Calls = std::vector<std::string>;

}  // namespace

TEST(FrameFlow, DeferredStartRunsItsStepsInOrder) {
  TRecordingHost host;
  RunFinishStartup(host, "");
  EXPECT_EQ(host.calls, (Calls{"update", "timer 10000", "tips", "open ports", "recover", "Ready"}));
}

TEST(FrameFlow, DeferredStartFollowsTheOptionsAndGoesOnWithoutATimer) {
  TRecordingHost host;
  host.timerAvailable = false;
  host.options[kOptStatusBarEnabled] = 0;
  host.options[kOptUsageTipsOnStartup] = 0;
  host.options[kOptMidiPortUsage] = 1;  // ports opened for each play only
  RunFinishStartup(host, "");
  EXPECT_EQ(host.calls, (Calls{"update", "timer 10000", "timer failure box", "toggle status bar", "recover", "Ready"}));
  EXPECT_FALSE(host.statusBarVisible);
}

TEST(FrameFlow, CommandLineOpensFilesThenShowsTheExperimentationNotice) {
  TRecordingHost host;
  host.existingFiles = {"My Song.qvk", "b.mid"};
  RunCommandLine(host, "\"My Song.qvk\" /enableexperimentation /play \"missing.qvk\" b.mid");
  EXPECT_EQ(host.calls, (Calls{"open C:\\full\\My Song.qvk mode 6", "option ExperimentalActive=1",
                               "open C:\\full\\b.mid mode 6",
                               "notice Experimental features have been enabled for all non-experimental files."}));
  EXPECT_EQ(host.options[kOptExperimentalActive], 1);

  host.calls.clear();
  EXPECT_TRUE(RunCommandLine(host, "/DisableExperimentation"));
  EXPECT_EQ(host.calls.back(), "notice Experimental features have been disabled for all non-experimental files.");
  host.calls.clear();
  EXPECT_FALSE(RunCommandLine(host, "/play /close /unknown"));
  EXPECT_TRUE(host.calls.empty());
}

TEST(FrameFlow, ACommandLinePathLongerThanItsBufferIsNotOpened) {
  TRecordingHost host;
  const std::string longName(600, 'n');
  // The first 511 characters of the long name exist as a file: a cut token must not open it.
  host.existingFiles = {longName.substr(0, 511)};
  RunCommandLine(host, ("\"" + longName + "\"").c_str());
  EXPECT_TRUE(host.calls.empty());
}

TEST(FrameFlow, TimerAutoSavesOnlyWhileNothingPlaysAndOncePerPeriod) {
  TRecordingHost host;
  uint32_t last = 0xFFFFFFFFu - 1000u;  // the clock wraps during the run
  host.now = last + 15u * 60000u;       // exactly the period: not yet
  RunTimerTick(host, last);
  EXPECT_EQ(host.calls, (Calls{"clock"}));
  host.now += 1;
  host.playing = true;
  host.recording = true;
  host.options[kOptChasePlayingNotes] = 0;
  host.calls.clear();
  RunTimerTick(host, last);  // playing: drain only, never auto-save
  EXPECT_EQ(host.calls, (Calls{"clock", "drain"}));
  host.playing = false;
  host.calls.clear();
  RunTimerTick(host, last);  // the first tick after playback saves
  EXPECT_EQ(host.calls, (Calls{"clock", "auto-save"}));
  EXPECT_EQ(last, host.now);
  host.calls.clear();
  RunTimerTick(host, last);
  EXPECT_EQ(host.calls, (Calls{"clock"}));
  host.options[kOptAutoSaveMinutes] = 0;
  host.now += 100u * 60000u;
  host.calls.clear();
  RunTimerTick(host, last);
  EXPECT_EQ(host.calls, (Calls{"clock"}));
}

TEST(FrameFlow, StopWithNothingPlayingResetsThePortsAndClosesThemForPerPlayUse) {
  TRecordingHost host;
  host.options[kOptMidiPortUsage] = 1;
  RunStopMidiPlay(host);
  EXPECT_EQ(host.calls, (Calls{"status Performing full reset on each port and channel...", "open ports",
                               "reset ports", "close ports", "clear status"}));
}

TEST(FrameFlow, StopWhilePlayingAndRecordingEndsBothAndHandsTheRecordingOn) {
  TRecordingHost host;
  host.playing = true;
  host.recording = true;
  host.recordedData = true;
  host.options[kOptRecImportAction] = 1;
  RunStopMidiPlay(host);
  EXPECT_EQ(host.calls, (Calls{"drain", "end recording", "stop engine", "status Initiating halt procedures for MIDI play",
                               "end follow", "clear playing", "kill timer", "timer 10000", "clock", "stop play clock",
                               "clear status", "take recording 1 into window"}));
}

TEST(FrameFlow, ShutDownStoresTheBarStateStopsPlayAndClosesTheWindows) {
  TRecordingHost host;
  host.playing = true;
  host.statusBarVisible = false;
  host.options[kOptChasePlayingNotes] = 0;
  EXPECT_TRUE(RunShutDown(host));
  EXPECT_EQ(host.calls, (Calls{"status Initiating Exit Procedures...", "option StatusBarEnabled=0", "stop engine",
                               "status Initiating halt procedures for MIDI play", "clear playing", "kill timer",
                               "timer 10000", "clock", "stop play clock", "clear status",
                               "status Initiating Exit Procedures...", "close windows",
                               "status Initiating Exit Procedures...", "quit help", "forget frame"}));
}

TEST(FrameFlow, AScoreWindowThatRefusesToCloseStopsTheExit) {
  TRecordingHost host;
  host.windowsClose = false;
  EXPECT_FALSE(RunShutDown(host));
  EXPECT_EQ(host.calls, (Calls{"status Initiating Exit Procedures...", "option StatusBarEnabled=1", "close windows",
                               "clear status"}));
}

TEST(FrameFlow, SwitchingProgramsOpensAndReleasesThePortsOnlyWhenTheyAreHeldWhileActive) {
  TRecordingHost host;
  RunActivateApp(host, true);  // "MidiPortUsage" 2: ports stay as they are
  RunActivateApp(host, false);
  EXPECT_TRUE(host.calls.empty());
  host.options[kOptMidiPortUsage] = 0;
  host.failedPorts = true;
  RunActivateApp(host, true);
  EXPECT_EQ(host.calls, (Calls{"open ports", "device warning"}));
  host.calls.clear();
  host.playing = true;
  host.options[kOptChasePlayingNotes] = 0;
  RunActivateApp(host, false);  // a score that plays stops first
  EXPECT_EQ(host.calls, (Calls{"stop engine", "status Initiating halt procedures for MIDI play", "clear playing",
                               "kill timer", "timer 10000", "clock", "stop play clock", "clear status",
                               "close ports"}));
}

TEST(FrameFlow, PlayTimerSwitchesBetweenItsTwoPeriods) {
  TRecordingHost host;
  RunStartPlayTimer(host);
  RunRestorePlayTimer(host);
  EXPECT_EQ(host.calls, (Calls{"kill timer", "timer 500", "start play clock", "kill timer", "timer 10000", "clock",
                               "stop play clock"}));
}

TEST(FrameFlow, MenuSelectionsMapToTheirHintIds) {
  EXPECT_EQ(MenuSelectHintId(2, 0, false), 2);
  EXPECT_EQ(MenuSelectHintId(3, 0x0010, false), -1);  // a pop-up
  EXPECT_EQ(MenuSelectHintId(61536, 0x2000, false), -1);  // the system menu
  EXPECT_EQ(MenuSelectHintId(0, 0xFFFF, true), -1);  // the menu closed
  EXPECT_EQ(MenuSelectHintId(20315, 0, false), 20310);
  EXPECT_EQ(MenuSelectHintId(20399, 0, false), 20310);
  EXPECT_EQ(MenuSelectHintId(20400, 0, false), 20400);
}

TEST(FrameFlow, UndoActionWords) {
  char out[80];
  const struct {
    int kind, id;
    const char* menu;
    const char* expected;
  } cases[] = {{1, 35, "C&lear", "Clear"},
               {5, 219, "Staff &Properties...", "Staff Properties"},
               {2, 66, "&Transpose Staff...\tCtrl+T", "Transpose Staff"},
               {3, 217, "&New Staff\tIns", "New Staff"},
               {6, 11, "", "Action"},
               {7, 1, nullptr, "Delete"},
               {7, 3, nullptr, "Remove Chord Note"},
               {7, 5, nullptr, "MIDI Input"},
               {7, 6, nullptr, "Action"},
               {8, 1, "Whatever", "Action"}};
  for (const auto& c : cases) {
    UndoActionText(c.kind, c.id, c.menu, out);
    EXPECT_STREQ(out, c.expected) << c.kind << "/" << c.id;
  }
  const std::string longText(200, 'w');
  UndoActionText(1, 1, longText.c_str(), out);
  EXPECT_EQ(std::strlen(out), 79u);
}

TEST(FrameFlow, DocumentKindsByExtension) {
  EXPECT_EQ(ClassifyDocumentPath("C:\\a\\song.QVK"), TDocumentKind::Score);
  EXPECT_EQ(ClassifyDocumentPath("song.qxt"), TDocumentKind::Score);
  EXPECT_EQ(ClassifyDocumentPath("C:\\x.y\\tune.Mid"), TDocumentKind::MidiFile);
  EXPECT_EQ(ClassifyDocumentPath("tune.KAR"), TDocumentKind::MidiFile);
  EXPECT_EQ(ClassifyDocumentPath("tune.rmi"), TDocumentKind::MidiFile);
  EXPECT_EQ(ClassifyDocumentPath("notes.txt"), TDocumentKind::Unknown);
  EXPECT_EQ(ClassifyDocumentPath("C:\\dir.qvk\\noext"), TDocumentKind::Unknown);
  EXPECT_EQ(ClassifyDocumentPath("song.qvk.bak"), TDocumentKind::Unknown);
}

namespace {

class TRecordingRecovery : public TRecoveryHost {
public:
  bool haveFolder = true;
  std::vector<std::pair<std::string, unsigned>> entries;
  std::set<std::string> readable;
  std::vector<std::string> calls;

  bool AutoSaveFolder(char (&folder)[260]) override {
    std::snprintf(folder, sizeof folder, "%s", "C:\\Prog\\AutoSave");
    return haveFolder;
  }
  void ListFiles(const char* pattern, void (*found)(void*, const TEntry&), void* context) override {
    calls.push_back(std::string("list ") + pattern);
    for (const auto& e : entries) found(context, TEntry{e.first.c_str(), e.second});
  }
  bool OpenRecovered(const char* path, int number) override {
    calls.push_back(std::string("read ") + path + " as " + std::to_string(number));
    return readable.count(path) != 0;
  }
  void ShowRecoveryWarning(const char* text) override {
    calls.push_back(text == kRecoveredFilesText ? "warning" : "other text");
  }
};

}  // namespace

TEST(AutoSaveRecovery, OpensEachReadableCopyAndWarnsOnce) {
  TRecordingRecovery host;
  host.entries = {{"qvk000.asv", 0x20}, {"qvk001.asv", 0x10}, {"qvk002.asv", 0x100},
                  {"qvk003.asv", 0x20}, {"qvk004.asv", 0x01}};
  host.readable = {"C:\\Prog\\AutoSave\\qvk000.asv", "C:\\Prog\\AutoSave\\qvk004.asv"};
  EXPECT_EQ(RunAutoSaveRecovery(host), 2);
  EXPECT_EQ(host.calls, (Calls{"list C:\\Prog\\AutoSave\\qvk*.asv", "read C:\\Prog\\AutoSave\\qvk000.asv as 1",
                               "read C:\\Prog\\AutoSave\\qvk003.asv as 2", "read C:\\Prog\\AutoSave\\qvk004.asv as 2",
                               "warning"}));
}

TEST(AutoSaveRecovery, NothingRecoveredNoWarning) {
  TRecordingRecovery host;
  host.entries = {{"qvk000.asv", 0x20}};
  EXPECT_EQ(RunAutoSaveRecovery(host), 0);
  EXPECT_EQ(host.calls.back(), "read C:\\Prog\\AutoSave\\qvk000.asv as 1");
  host.calls.clear();
  host.haveFolder = false;
  EXPECT_EQ(RunAutoSaveRecovery(host), 0);
  EXPECT_TRUE(host.calls.empty());
}
