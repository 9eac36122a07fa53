#include "app/win32/VellichordApp.h"
#include "QVKNTN/AuditPass.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <ctime>

#include "app/FolderSettings.h"
#include "app/FileDialogRules.h"
#include "app/SettingsFile.h"
#include "app/win32/DdeServer.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/VellichordFrame.h"
#include "editor/win32/ScoreWindow.h"
#include "foundation/NewScoreInfo.h"
#include "foundation/PathText.h"
#include "foundation/SysInfo.h"
#include "foundation/win32/FileUtils.h"
#include "foundation/win32/MessageBoxes.h"
#include "framework/MDIClient.h"
#include "midi/win32/MidiManager.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"

namespace {

using R = TResponse<TVellichordApp>;
constexpr R kResponses[] = {
    R::Enable(CM_UNDO, &TVellichordApp::CeUndo),
    R::Enable(CM_REDO, &TVellichordApp::CeRedo),
};

bool IsReadOnlyPlainFile(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         (attributes & FILE_ATTRIBUTE_READONLY);
}

void ProgramFolder(char (&out)[260]) {
  DWORD n = GetModuleFileNameA(nullptr, out, sizeof out);
  if (n == 0 || n >= sizeof out) out[0] = '\0';
  PathToDirectory(out, true);
}

}  // namespace

TVellichordApp::TVellichordApp(const char* name, const char* commandLine)
    : TApplication(name),
      commandLine_(commandLine ? commandLine : ""),
      countryCode_(static_cast<int>(GetProfileIntA("intl", "iCountry", 1))),
      eventList_(16) {
  gApp = this;
  // Before any score can be read or edited: the model audits through these hooks.
  InstallAuditPass();
  ProgramFolder(programFolder_);
  char programPath[260];
  DWORD n = GetModuleFileNameA(nullptr, programPath, sizeof programPath);
  if (n == 0 || n >= sizeof programPath) programPath[0] = '\0';
  settingsFile_ = ChooseSettingsFile(programPath, &IsReadOnlyPlainFile);
  TSysInfo& settings = GetSysInfo();
  settings.SetStorageNames(kMakerKeyName, settingsFile_.c_str());
  settings.SetRegistryFlag(0);

  midi_ = std::make_unique<TMidiManager>();
  midi_->LoadPortSettings();
  midi_->LoadTimerSettings();

  staffColors_.Load(settings, "StaffColors");
  history_.Clear();
}

TVellichordApp::~TVellichordApp() {
  SaveSettings();
  midi_.reset();
  if (dynamicMenus_) DestroyMenu(dynamicMenus_);
  dynamicMenus_ = nullptr;
  // The tooltip goes before the frame; deleting it stops its timer and destroys its window.
  if (gToolTip == toolTip_.get()) gToolTip = nullptr;
  toolTip_.reset();
  TWindow* main = GetMainWindow();
  SetMainWindow(nullptr);
  delete main;
  if (gApp == this) gApp = nullptr;
}

bool TVellichordApp::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TApplication::Find(ev); }

void TVellichordApp::CeUndo(TCommandEnabler& ce) {
  ce.SetText("&Undo\tCtrl+Z");
  ce.Enable(false);
}

void TVellichordApp::CeRedo(TCommandEnabler& ce) {
  ce.SetText("Re&do\tCtrl+Y");
  ce.Enable(false);
}

void TVellichordApp::InitInstance() {
  nCmdShow = SW_SHOWMAXIMIZED;
  std::snprintf(helpFile_, sizeof helpFile_, "%s", programFolder_);
  if (!AppendPath(helpFile_, "qvk.hlp")) helpFile_[0] = '\0';
  for (int i = 0; i < 2; ++i) {
    char folder[260];
    GetFolder(i, folder);
    folders_[i] = folder;
  }
  LoadOptions();
  SetDefaultScoreInfo();
  dynamicMenus_ = LoadMenuA(GetInstance(), "DynamicMenus");
  SetAccelerators(LoadAcceleratorsA(GetInstance(), "MainMenu"));

  InitMainWindow();
  TVellichordFrame* frame = dynamic_cast<TVellichordFrame*>(GetMainWindow());
  if (!frame || !frame->Create()) throw std::runtime_error("The main window could not be created.");
  SetMessageMainWindow(frame->GetHandle());
  if (!frame->RestorePlacement()) frame->ShowWindow(SW_SHOWMAXIMIZED);
  frame->UpdateWindow();
}

void TVellichordApp::InitMainWindow() {
  TMDIClient* client = new TMDIClient();
  gMDIClient = client;
  TVellichordFrame* frame = new TVellichordFrame("Vellichord", "MainMenu", *client);
  SetMainWindow(frame);
  // Only the object: the frame creates its window while it sets itself up.
  toolTip_ = std::make_unique<THintToolTip>(GetInstance());
  gToolTip = toolTip_.get();
  RegisterDdeServer();
}

void TVellichordApp::SetFileDialogStyle() {
  const TSysInfo& info = GetSysInfo();
  fileDialog_.flags = FileDialogStyle(fileDialog_.flags, {info.GetMajorVersion(), info.GetMinorVersion(), info.IsNT()});
}

void TVellichordApp::SetInitialFolder(int n) { fileDialog_.initialFolder = GetRememberedFolder(n); }

void TVellichordApp::SetInitialFolderFromPath(const char* path) {
  char folder[260];
  FolderOfPath(path, folder);
  fileDialog_.initialFolder = folder;
}

void TVellichordApp::RememberFolder(int n, const char* path) {
  char folder[260];
  if ((n == 0 || n == 1) && FolderOfPath(path, folder)) folders_[n] = folder;
}

void TVellichordApp::SetRememberedFolder(int n, const char* folder) {
  if ((n == 0 || n == 1) && folder) folders_[n] = folder;
}

void TVellichordApp::LoadOptions() {
  TSysInfo& settings = GetSysInfo();
  options_.Load(settings);
  history_.Load(settings);
}

void TVellichordApp::SaveSettings() {
  TSysInfo& settings = GetSysInfo();
  options_.Save(settings);
  history_.Save(settings);
  if (settings.GetRegistryFlag() == 0) settings.FlushSettings();
}

bool TVellichordApp::GetFolder(int n, char (&out)[260]) {
  return GetFolderSetting(GetSysInfo(), n, programFolder_, out);
}

void TVellichordApp::SetFolder(int n, const char* path) { SetFolderSetting(GetSysInfo(), n, path); }

void TVellichordApp::AddToFileHistory(const char* path, const char* title) { history_.Add(path, title); }

void TVellichordApp::DrainRecordedInput() {
  if (!gMidiManager) return;
  TRecordedEvent event;
  while (gMidiManager->GetRecordedEvent(&event)) recording_.AddRecorded(event);
}

void TVellichordApp::SetDefaultScoreInfo() {
  TScoreInfoTexts& info = GetNewScoreInfoTemplate();
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  const int year = local ? local->tm_year + 1900 : 2000;
  info.Title[0] = '\0';
  std::snprintf(info.Author, sizeof info.Author, "%s", "<Name>");
  std::snprintf(info.Copyright1, sizeof info.Copyright1, "Copyright \xA9 %04d %s", year, "<Name>");
  std::snprintf(info.Copyright2, sizeof info.Copyright2, "%s", "All Rights Reserved");
}

bool TVellichordApp::IdleAction(long idleCount) {
  const bool more = TApplication::IdleAction(idleCount);
  if (!gPlayingWindow || !options_[kOptChasePlayingNotes] || !gMidiManager) return more;
  if (auto* window = dynamic_cast<TScoreWindow*>(gPlayingWindow)) window->FollowPlay(gMidiManager->GetSongPosition());
  if (gMidiManager->IsRecording()) DrainRecordedInput();
  return true;
}

void TVellichordApp::EvActivateApp(bool active) {
  if (gFrame) gFrame->ActivateApp(active);
}
