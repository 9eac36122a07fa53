// The main frame's orders of events, kept apart from its window: the deferred start, the timer
// tick, stopping playback and the shut-down chain. The frame window carries each step out
// through TFrameHost; the order, the conditions and the texts live here.
#pragma once
#include <cstdint>

#include "app/AppOptions.h"

class TFrameHost {
public:
  virtual ~TFrameHost() = default;

  virtual int Option(TAppOptionIndex i) const = 0;
  virtual void SetOption(TAppOptionIndex i, int value) = 0;

  // Window and timer.
  virtual void UpdateFrame() = 0;
  virtual bool StartTimer(unsigned periodMs) = 0;
  virtual void StopTimer() = 0;
  virtual void ShowTimerFailure() = 0;
  virtual void ToggleStatusBar() = 0;
  virtual bool IsStatusBarVisible() const = 0;
  virtual uint32_t Now() const = 0;

  // Status bar.
  virtual void ShowStatus(const char* text) = 0;
  virtual void ClearStatus() = 0;
  virtual void PushReadyStatus() = 0;
  virtual void RefreshClock() = 0;
  virtual void StartPlayClock() = 0;
  virtual void StopPlayClock() = 0;

  // Start-up pieces.
  virtual void ShowUsageTips() = 0;
  virtual void OpenMidiPorts() = 0;
  virtual void CloseMidiPorts() = 0;
  virtual bool HaveFailedMidiPorts() = 0;
  // The "Midi Device Warning" question; Yes leads to the MIDI page of the options.
  virtual void AskMidiDeviceWarning() = 0;
  // A full path of an existing file for a command-line token, or false.
  virtual bool ResolveExistingFile(const char* token, char (&path)[260]) = 0;
  virtual void OpenDocument(const char* path, int mode) = 0;
  virtual void ShowExperimentationNotice(const char* text) = 0;
  virtual void RecoverAutoSavedFiles() = 0;

  // Playback.
  virtual bool IsPlaying() const = 0;
  virtual bool IsRecording() const = 0;
  virtual void DrainRecordedInput() = 0;
  virtual void EndRecording() = 0;
  virtual void StopEngine() = 0;
  virtual void EndPlayFollow() = 0;
  virtual void ClearPlayingWindow() = 0;
  virtual void ResetAllPorts() = 0;
  virtual bool HasRecordedData() const = 0;
  virtual void TakeRecording(int importAction, bool windowWasPlaying) = 0;

  // Score windows and shut-down.
  virtual void AutoSaveAll() = 0;
  virtual bool CloseAllScoreWindows() = 0;
  virtual void QuitHelp() = 0;
  virtual void ForgetFrame() = 0;
};

constexpr unsigned kFrameTimerIdleMs = 10000;
constexpr unsigned kFrameTimerPlayMs = 500;
constexpr int kOpenModeCommandLine = 6;

extern const char kExitStatusText[];

// On "QVINIT": timer 1, the status-bar option, usage tips, the MIDI ports, the command line, the
// auto-save recovery and "Ready", in that order.
void RunFinishStartup(TFrameHost& host, const char* commandLine);
// The command line's files and switches; answers whether the experimentation notice was shown.
bool RunCommandLine(TFrameHost& host, const char* commandLine);
// One tick of timer 1. `lastAutoSave` is the time of the last auto-save pass.
void RunTimerTick(TFrameHost& host, uint32_t& lastAutoSave);
void RunStopMidiPlay(TFrameHost& host);
void RunStartPlayTimer(TFrameHost& host);
void RunRestorePlayTimer(TFrameHost& host);
// The program became active or inactive: with "MidiPortUsage" 0 the ports are opened on
// activation (with the warning when one fails) and, after stopping playback, released on
// deactivation; other settings change nothing.
void RunActivateApp(TFrameHost& host, bool active);
// True when every score window closed and the frame may go.
bool RunShutDown(TFrameHost& host);

// The auto-save recovery at start: each "qvk*.asv" entry of the auto-save folder that is neither
// a folder nor a temporary file is read and, when it yields a score, opened as recovered file
// 1, 2, ...; one warning follows when anything was recovered.
class TRecoveryHost {
public:
  struct TEntry {
    const char* name;
    unsigned attributes;
  };
  virtual ~TRecoveryHost() = default;
  // The auto-save folder; false when there is none.
  virtual bool AutoSaveFolder(char (&folder)[260]) = 0;
  // Calls `found` for each entry matching the pattern, in the order the system lists them.
  virtual void ListFiles(const char* pattern, void (*found)(void* context, const TEntry& entry), void* context) = 0;
  // Reads the file; answers true when it gave a score and a window now shows it.
  virtual bool OpenRecovered(const char* path, int number) = 0;
  virtual void ShowRecoveryWarning(const char* text) = 0;
};

extern const char kRecoveredFilesText[];
// Answers the number of recovered files.
int RunAutoSaveRecovery(TRecoveryHost& host);

// The hint id the status bar shows for a menu selection: -1 for pop-ups, the system menu and a
// closed menu, and one id for all toolbar toggle items.
int MenuSelectHintId(unsigned id, unsigned flags, bool menuClosed);

// The word of the Undo and Redo items: the menu text of a command (kinds 1-6) without '&', up to a
// tab or "..", the fixed words of kind 7, else "Action".
void UndoActionText(int kind, int id, const char* menuText, char (&out)[80]);

// What a path is to the file opening: a score file, a Standard MIDI File or something else.
enum class TDocumentKind { Score, MidiFile, Unknown };
TDocumentKind ClassifyDocumentPath(const char* path);
