// The editor's application object: chooses the settings file, owns the option block, the file
// history, the folder settings, the insert templates and the MIDI device manager, builds the main
// window, runs the idle step that follows playback, and stores the settings at the end.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/win32/StaffColorHandles.h"
#include "app/AppOptions.h"
#include "app/FileHistory.h"
#include "app/win32/HintToolTip.h"
#include "app/win32/QVFileDialog.h"
#include "app/InsertItemTemplates.h"
#include "engine/EngineState.h"
#include "framework/Application.h"
#include "midi/MidiFileBuf.h"
#include "midi/RecordingBuffer.h"

class TMidiManager;
class TVellichordFrame;

class TVellichordApp : public TApplication {
public:
  static constexpr const char* kMakerKeyName = "Pelmora";

  // `commandLine` is the program's arguments (without the program name).
  TVellichordApp(const char* name, const char* commandLine = "");
  ~TVellichordApp() override;

  void InitInstance() override;
  void InitMainWindow() override;
  bool IdleAction(long idleCount) override;
  bool Find(TEvent& ev) override;

  void LoadOptions();
  void SaveSettings();
  bool GetFolder(int n, char (&out)[260]);
  void SetFolder(int n, const char* path);
  void AddToFileHistory(const char* path, const char* title);
  void DrainRecordedInput();
  void SetDefaultScoreInfo();
  void EvActivateApp(bool active);

  TAppOptions& Options() { return options_; }
  int Option(TAppOptionIndex i) const { return options_[i]; }
  TFileHistory& History() { return history_; }
  TInsertItemTemplates& Templates() { return templates_; }
  TStaffColorHandles& StaffColors() { return staffColors_; }
  TMidiFileBuf& EventList() { return eventList_; }
  const char* GetHelpFile() const { return helpFile_; }
  const char* GetCommandLine() const { return commandLine_.c_str(); }
  const char* GetRememberedFolder(int n) const { return n == 0 || n == 1 ? folders_[n].c_str() : ""; }
  const std::string& GetSettingsFile() const { return settingsFile_; }
  const char* GetProgramFolder() const { return programFolder_; }
  int GetCountryCode() const { return countryCode_; }
  HMENU GetDynamicMenus() const { return dynamicMenus_; }
  // Null before the main window is made.
  THintToolTip* GetToolTip() { return toolTip_.get(); }
  bool IsRecordedDataPresent() const { return recording_.HasData(); }
  TRecordingBuffer& Recording() { return recording_; }

  // The Open and Save dialogs' shared data and the folders they start in.
  TQVFileDialogData& FileDialogData() { return fileDialog_; }
  void SetFileDialogStyle();
  void SetInitialFolder(int n);
  void SetInitialFolderFromPath(const char* path);
  void RememberFolder(int n, const char* path);
  // The folder itself (not a path's folder part) becomes remembered folder n.
  void SetRememberedFolder(int n, const char* folder);

  // Command enablers of Undo and Redo when no score window answers them.
  void CeUndo(TCommandEnabler& ce);
  void CeRedo(TCommandEnabler& ce);

private:
  std::string commandLine_;
  int countryCode_;
  std::string folders_[2];
  TQVFileDialogData fileDialog_;
  TStaffColorHandles staffColors_;
  TMidiFileBuf eventList_;
  // The recorded input drained from the engine, as the first track of the import's MIDI data.
  TRecordingBuffer recording_;
  TAppOptions options_;
  TInsertItemTemplates templates_;
  TFileHistory history_;
  std::string settingsFile_;
  char programFolder_[260] = {};
  char helpFile_[260] = {};
  std::unique_ptr<TMidiManager> midi_;
  std::unique_ptr<THintToolTip> toolTip_;
  HMENU dynamicMenus_ = nullptr;
};
