#include "app/FrameFlow.h"

#include <cstdio>
#include <cstring>

#include "app/CommandLineWalk.h"
#include "app/StatusTexts.h"
#include "foundation/PathText.h"
#include "foundation/TextUtils.h"

const char kExitStatusText[] = "Initiating Exit Procedures...";
const char kRecoveredFilesText[] =
    "One or more files have been automatically recovered from your last usage.\n\nYou should save these recovered "
    "files immediately in order to avoid losing any of the changes that you made in your last session.\n\n** If "
    "you quit the program before saving the recovered files, your changes will be permanently lost.";

namespace {

constexpr unsigned kPopupFlag = 0x0010;    // MF_POPUP
constexpr unsigned kSysMenuFlag = 0x2000;  // MF_SYSMENU
constexpr unsigned kFirstToolbarCommand = 20310;
constexpr unsigned kLastToolbarCommand = 20399;

}  // namespace

void RunFinishStartup(TFrameHost& host, const char* commandLine) {
  host.UpdateFrame();
  if (!host.StartTimer(kFrameTimerIdleMs)) host.ShowTimerFailure();
  if (host.Option(kOptStatusBarEnabled) == 0) host.ToggleStatusBar();
  if (host.Option(kOptUsageTipsOnStartup) != 0) host.ShowUsageTips();
  if (host.Option(kOptMidiPortUsage) != 1) host.OpenMidiPorts();
  RunCommandLine(host, commandLine);
  host.RecoverAutoSavedFiles();
  host.PushReadyStatus();
}

bool RunCommandLine(TFrameHost& host, const char* commandLine) {
  TCommandLineWalk walk(commandLine);
  bool noticeDue = false;
  while (walk.Next()) {
    switch (ClassifyCommandLineToken(walk.Token())) {
      case TCommandLineSwitch::EnableExperimentation:
        host.SetOption(kOptExperimentalActive, 1);
        noticeDue = true;
        break;
      case TCommandLineSwitch::DisableExperimentation:
        host.SetOption(kOptExperimentalActive, 0);
        noticeDue = true;
        break;
      case TCommandLineSwitch::Path: {
        // A path cut to its buffer would name some other file: it is skipped, not opened.
        if (walk.WasCut()) break;
        char path[260];
        if (host.ResolveExistingFile(walk.Token(), path)) host.OpenDocument(path, kOpenModeCommandLine);
        break;
      }
      default:
        break;
    }
  }
  if (!noticeDue) return false;
  char text[128];
  std::snprintf(text, sizeof text, "Experimental features have been %s for all non-experimental files.",
                host.Option(kOptExperimentalActive) ? "enabled" : "disabled");
  host.ShowExperimentationNotice(text);
  return true;
}

void RunTimerTick(TFrameHost& host, uint32_t& lastAutoSave) {
  host.RefreshClock();
  if (host.IsPlaying()) {
    if (host.IsRecording() && host.Option(kOptChasePlayingNotes) == 0) host.DrainRecordedInput();
    return;
  }
  const uint32_t now = host.Now();
  if (!IsAutoSaveDue(now, lastAutoSave, host.Option(kOptAutoSaveMinutes))) return;
  host.AutoSaveAll();
  lastAutoSave = now;
}

void RunStartPlayTimer(TFrameHost& host) {
  host.StopTimer();
  host.StartTimer(kFrameTimerPlayMs);
  host.StartPlayClock();
}

void RunRestorePlayTimer(TFrameHost& host) {
  host.StopTimer();
  host.StartTimer(kFrameTimerIdleMs);
  host.RefreshClock();
  host.StopPlayClock();
}

void RunStopMidiPlay(TFrameHost& host) {
  const bool playing = host.IsPlaying();
  const bool recording = host.IsRecording();
  if (recording) {
    host.DrainRecordedInput();
    host.EndRecording();
  }
  if (playing) {
    host.StopEngine();
    host.ShowStatus("Initiating halt procedures for MIDI play");
    if (host.Option(kOptChasePlayingNotes)) host.EndPlayFollow();
    host.ClearPlayingWindow();
    RunRestorePlayTimer(host);
  } else {
    host.ShowStatus("Performing full reset on each port and channel...");
    host.OpenMidiPorts();
    host.ResetAllPorts();
  }
  if (host.Option(kOptMidiPortUsage) == 1) host.CloseMidiPorts();
  host.ClearStatus();
  if (recording && host.HasRecordedData()) host.TakeRecording(host.Option(kOptRecImportAction), playing);
}

void RunActivateApp(TFrameHost& host, bool active) {
  if (host.Option(kOptMidiPortUsage) != 0) return;
  if (active) {
    host.OpenMidiPorts();
    if (host.HaveFailedMidiPorts()) host.AskMidiDeviceWarning();
    return;
  }
  if (host.IsPlaying()) RunStopMidiPlay(host);
  host.CloseMidiPorts();
}

bool RunShutDown(TFrameHost& host) {
  host.ShowStatus(kExitStatusText);
  host.SetOption(kOptStatusBarEnabled, host.IsStatusBarVisible() ? 1 : 0);
  if (host.IsPlaying()) {
    RunStopMidiPlay(host);
    host.ShowStatus(kExitStatusText);
  }
  if (!host.CloseAllScoreWindows()) {
    host.ClearStatus();
    return false;
  }
  host.ShowStatus(kExitStatusText);
  host.QuitHelp();
  host.ForgetFrame();
  return true;
}

namespace {

constexpr unsigned kDirectoryAttribute = 0x10;
constexpr unsigned kTemporaryAttribute = 0x100;

struct TRecoveryWalk {
  TRecoveryHost* host;
  const char* folder;
  int recovered;
};

void RecoverEntry(void* context, const TRecoveryHost::TEntry& entry) {
  TRecoveryWalk& walk = *static_cast<TRecoveryWalk*>(context);
  if (entry.attributes & (kDirectoryAttribute | kTemporaryAttribute)) return;
  char path[260];
  std::snprintf(path, sizeof path, "%s", walk.folder);
  if (!AppendPath(path, entry.name)) return;
  if (walk.host->OpenRecovered(path, walk.recovered + 1)) ++walk.recovered;
}

}  // namespace

int RunAutoSaveRecovery(TRecoveryHost& host) {
  char folder[260];
  if (!host.AutoSaveFolder(folder)) return 0;
  char pattern[260];
  std::snprintf(pattern, sizeof pattern, "%s", folder);
  if (!AppendPath(pattern, "qvk*.asv")) return 0;
  TRecoveryWalk walk{&host, folder, 0};
  host.ListFiles(pattern, &RecoverEntry, &walk);
  if (walk.recovered > 0) host.ShowRecoveryWarning(kRecoveredFilesText);
  return walk.recovered;
}

int MenuSelectHintId(unsigned id, unsigned flags, bool menuClosed) {
  if (menuClosed || (flags & (kPopupFlag | kSysMenuFlag))) return -1;
  if (id >= kFirstToolbarCommand && id <= kLastToolbarCommand) return static_cast<int>(kFirstToolbarCommand);
  return static_cast<int>(id);
}

void UndoActionText(int kind, int id, const char* menuText, char (&out)[80]) {
  std::snprintf(out, sizeof out, "%s", "Action");
  if (kind >= 1 && kind <= 6) {
    if (!menuText || !*menuText) return;
    char text[80];
    std::snprintf(text, sizeof text, "%s", menuText);  // a menu text is read up to 79 characters
    size_t n = 0;
    for (const char* p = text; *p && *p != '\t' && !(p[0] == '.' && p[1] == '.'); ++p) {
      if (*p != '&') out[n++] = *p;
    }
    out[n] = '\0';
    return;
  }
  static constexpr const char* kWords[] = {"Delete", "Delete", "Remove Chord Note", "Change Selection", "MIDI Input"};
  if (kind == 7 && id >= 1 && id <= 5) std::snprintf(out, sizeof out, "%s", kWords[id - 1]);
}

TDocumentKind ClassifyDocumentPath(const char* path) {
  const char* ext = GetExtensionPart(path ? path : "");
  if (!ext) return TDocumentKind::Unknown;
  if (CompareNoCase(ext, ".QVK") == 0 || CompareNoCase(ext, ".QXT") == 0) return TDocumentKind::Score;
  if (CompareNoCase(ext, ".MID") == 0 || CompareNoCase(ext, ".RMI") == 0 || CompareNoCase(ext, ".KAR") == 0) {
    return TDocumentKind::MidiFile;
  }
  return TDocumentKind::Unknown;
}
