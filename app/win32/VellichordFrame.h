// The editor's main window: a decorated MDI frame with the status bar and the printer object. It
// finishes the start-up once its window exists, runs timer 1 (status refresh, auto-save, recorded
// input), answers the sequencing engine's notifications, handles the frame's help, web and file
// commands and dropped files, and runs the shut-down chain.
#pragma once
#include "QVKNTN/EditorLine.h"
#include <cstdint>
#include <memory>

#include "app/FileOpening.h"
#include "app/FrameFlow.h"
#include "framework/DecoratedMDIFrame.h"
#include "framework/Printer.h"

class TMusicScore;
class TMusicStatusBar;
struct TScoreInfoTexts;

// The frame's printer; printer set-up, printing and preview use it.
class TQVPrinter : public TPrinter {
public:
  ~TQVPrinter() override = default;
};

class TVellichordFrame : public TDecoratedMDIFrame,
                         private TFrameHost,
                         private TRecoveryHost,
                         private TFileOpenHost {
public:
  static constexpr UINT kTimerId = 1;
  static constexpr UINT kIdlePeriodMs = 10000;
  static constexpr UINT kPlayPeriodMs = 500;

  TVellichordFrame(const char* caption, LPCSTR menuResource, TMDIClient& client);
  ~TVellichordFrame() override;

  // The earlier line registered its frame under the plain class name.
  const char* GetClassName() const override { return kEarlierLine ? "TVellichordFrame" : "TQVK17VellichordFrame"; }
  void GetWindowClass(WNDCLASSA& wc) override;
  void SetupWindow() override;
  void CleanupWindow() override;
  bool Find(TEvent& ev) override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;
  void EvCommandEnable(TCommandEnabler& enabler) override;

  // The one entry for every file the editor opens; `mode` is one of the kOpenMode values.
  void OpenDocumentFile(const char* path, int mode);
  // The score of a score file, or null after the message that says why (Revert reads with it).
  std::unique_ptr<TMusicScore> LoadScoreFile(const char* path, int mode);
  void ForEachScoreWindow(TWindow* except, int action);
  void StopMidiPlay();
  // The program became active or inactive.
  void ActivateApp(bool active) { RunActivateApp(*this, active); }
  void StartPlayTimer();
  void RestorePlayTimer();
  void RecoverAutoSavedScores();
  bool RestorePlacement();
  bool ShutDown();
  // The words of the Undo and Redo menu items for an undo record of `kind` and `id`.
  void GetUndoActionText(int kind, int id, char (&out)[80]) const;
  // The File Info dialog over a copy of the score's texts; true when it ended with OK.
  bool EditFileInfo(TScoreInfoTexts& info);

  TMusicStatusBar* GetStatusBar() const { return statusBar_; }
  TQVPrinter* GetPrinter() const { return printer_; }
  HMENU GetViewMenu() const { return viewMenu_; }
  uint32_t GetLastAutoSaveTime() const { return lastAutoSave_; }

  // Response-table handlers.
  LRESULT EvTimer(WPARAM, LPARAM);
  LRESULT EvClose(WPARAM, LPARAM);
  LRESULT EvCompacting(WPARAM, LPARAM);
  LRESULT EvDropFiles(WPARAM, LPARAM);
  LRESULT EvEnterIdle(WPARAM, LPARAM);
  LRESULT EvMenuSelect(WPARAM, LPARAM);
  LRESULT EvMidiSeq(WPARAM, LPARAM);
  LRESULT EvActivateApp(WPARAM, LPARAM);
  void CmFileNew();
  void CmFileOpen();
  void CmFileHistory();
  void CmImport();
  void CmSaveAll();
  void CmPrinterSetup();
  void CmExit();
  void CmStop();
  void CmOptions();
  void CeOptions(TCommandEnabler& ce);
  // Whether at least one score window is open.
  bool HasScoreWindow() const;
  void CmWebHome();
  void CmWebUpdates();
  void CmAbout();
  void CmStatusBar();
  void CmToolbars();
  void CmUsageTips();
  void CeSaveAll(TCommandEnabler& ce);
  void CeStatusBar(TCommandEnabler& ce);

private:
  void CmHelp(UINT id);
  void ShowHint(int id);

  // The frame's side of the start-up, timer, stop and shut-down orders.
  int Option(TAppOptionIndex i) const override;
  void SetOption(TAppOptionIndex i, int value) override;
  void UpdateFrame() override { UpdateWindow(); }
  bool StartTimer(unsigned periodMs) override;
  void StopTimer() override;
  void ShowTimerFailure() override;
  void ToggleStatusBar() override;
  bool IsStatusBarVisible() const override;
  uint32_t Now() const override;
  void ShowStatus(const char* text) override;
  void ClearStatus() override;
  void PushReadyStatus() override;
  void RefreshClock() override;
  void StartPlayClock() override;
  void StopPlayClock() override;
  // At start-up the tips dialog comes only when there are tips to show.
  void ShowUsageTips() override;
  void OpenMidiPorts() override;
  void CloseMidiPorts() override;
  bool HaveFailedMidiPorts() override;
  void AskMidiDeviceWarning() override;
  bool ResolveExistingFile(const char* token, char (&path)[260]) override;
  void OpenDocument(const char* path, int mode) override { OpenDocumentFile(path, mode); }
  void ShowExperimentationNotice(const char* text) override;
  void RecoverAutoSavedFiles() override { RecoverAutoSavedScores(); }
  bool IsPlaying() const override;
  bool IsRecording() const override;
  void DrainRecordedInput() override;
  void EndRecording() override;
  void StopEngine() override;
  void EndPlayFollow() override;
  void ClearPlayingWindow() override;
  void ResetAllPorts() override;
  bool HasRecordedData() const override;
  // A finished recording becomes a new score window, or joins the score that played.
  void TakeRecording(int importAction, bool windowWasPlaying) override;
  void AutoSaveAll() override { ForEachScoreWindow(nullptr, 4); }
  bool CloseAllScoreWindows() override;
  void QuitHelp() override;
  void ForgetFrame() override;

  // The frame's side of the auto-save recovery.
  bool AutoSaveFolder(char (&folder)[260]) override;
  void ListFiles(const char* pattern, void (*found)(void* context, const TEntry& entry), void* context) override;
  bool OpenRecovered(const char* path, int number) override;
  void ShowRecoveryWarning(const char* text) override;

  // The frame's side of the file opening.
  bool ActivateWindowShowing(const char* path) override;
  void ShowFileMessage(unsigned textId, const char* fileName, const char* detail) override;
  bool AskRepairTranslation(const char* fileName) override;
  void ShowExperimentalNotice(const char* fileName) override;
  bool IsExperimentalActive() const override;
  bool UsesExperimentalFeatures(const TMusicScore& score) const override;
  std::unique_ptr<TMusicScore> ImportMidiFile(const char* path, int mode) override;
  std::unique_ptr<TMusicScore> ReadScore(const char* path, TScoreLoadInfo& info) override;
  bool MakeTemporaryFile(char (&path)[260]) override;
  void RemoveFile(const char* path) override;
  void OpenScoreWindow(std::unique_ptr<TMusicScore> score, const char* path, bool imported) override;

  uint32_t lastAutoSave_;
  TMusicStatusBar* statusBar_;
  TQVPrinter* printer_;
  HMENU menu_ = nullptr;
  HMENU viewMenu_ = nullptr;
  bool memoryWarning_ = true;
  // The window that played last: a recording that ends there may be imported into it.
  HWND lastPlayedWindow_ = nullptr;
  // Numbers the new windows made from recordings through the run.
  int recordingCount_ = 0;
};
