#include "editor/win32/ScoreWindow.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <vector>
#include <cstring>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/ScoreFile.h"
#include "app/win32/ImportProgressDlg.h"
#include "app/win32/MidiImportWizard.h"
#include "app/win32/MusicStatusBar.h"
#include "app/win32/OptionsSheet.h"
#include "app/win32/PageSetupSheet.h"
#include "app/win32/PrintCommands.h"
#include "app/win32/QVFileDialog.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/VellichordApp.h"
#include "app/win32/VellichordFrame.h"
#include "editor/PlayStart.h"
#include "editor/RecordingImport.h"
#include "editor/SaveRules.h"
#include "editor/UndoActionMgr.h"
#include "editor/win32/ScoreEdit.h"
#include "editor/win32/ScoreViewTools.h"
#include "editor/win32/WinSaveFiles.h"
#include "foundation/NewScoreInfo.h"
#include "foundation/PathText.h"
#include "foundation/QVBusyCursor.h"
#include "foundation/QXTSegRamStream.h"
#include "foundation/SysInfo.h"
#include "foundation/win32/FileUtils.h"
#include "foundation/win32/MessageBoxes.h"
#include "framework/MDIClient.h"
#include "midi/MidiFileBuf.h"
#include "midi/MidiImportDocument.h"
#include "midi/RecordingBuffer.h"
#include "midi/ScoreMidiPlayer.h"
#include <string>

#include "midi/win32/MidiExport.h"
#include "earlier/app/EarlierShellRules.h"
#include "earlier/editor/EarlierEditRules.h"
#include "QVKNTN/EditorLine.h"
#include "midi/win32/MidiManager.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"

namespace {

constexpr unsigned kUndoBlockSize = 1000;
constexpr int kDefaultUndoLevels = 16;
// Windows opened from auto-save files are numbered from 1.
int gRecoveredCount = 0;
TScoreWindow* gLastActivated = nullptr;

using R = TResponse<TScoreWindow>;
constexpr R kResponses[] = {
    R::Message(WM_MDIACTIVATE, &TScoreWindow::EvMDIActivate),
    R::Message(WM_NCHITTEST, &TScoreWindow::EvNCHitTest),
    R::Message(WM_SETFOCUS, &TScoreWindow::EvSetFocus),
    R::Message(WM_SIZE, &TScoreWindow::EvSize),
    R::Message(WM_GETMINMAXINFO, &TScoreWindow::EvGetMinMaxInfo),
    R::Message(WM_ENTERIDLE, &TScoreWindow::EvEnterIdle),
    R::Command(CM_FILESAVE, &TScoreWindow::CmSave),
    R::Command(CM_FILESAVEAS, &TScoreWindow::CmSaveAs),
    R::Command(CM_EXPORT, &TScoreWindow::CmExport),
    R::Command(CM_FILEREVERT, &TScoreWindow::CmRevert),
    R::Command(CM_FILECLOSE, &TScoreWindow::CmClose),
    R::Command(CM_FILEINFO, &TScoreWindow::CmInfo),
    R::Command(CM_REFRESHSCORE, &TScoreWindow::CmRefresh),
    R::Command(CM_PAGESETUP, &TScoreWindow::CmPageSetup),
    R::Command(CM_PRINT, &TScoreWindow::CmPrint),
    R::Command(CM_PRINTPREVIEW, &TScoreWindow::CmPrintPreview),
    R::Command(CM_PLAY, &TScoreWindow::CmPlay),
    R::Command(CM_STAFFPLAY, &TScoreWindow::CmStaffPlay),
    R::Command(CM_RECORD, &TScoreWindow::CmRecord),
    R::Command(CM_IMPORTRECORDING, &TScoreWindow::CmImportRecording),
    R::Enable(CM_PLAY, &TScoreWindow::CePlay),
    R::Enable(CM_RECORD, &TScoreWindow::CePlay),
    R::Enable(CM_IMPORTRECORDING, &TScoreWindow::CePlay),
    R::Enable(CM_STAFFPLAY, &TScoreWindow::CeStaffPlay),
    R::Enable(CM_FILEREVERT, &TScoreWindow::CeRevert),
    R::Enable(CM_REFRESHSCORE, &TScoreWindow::CeViewUsable),
    R::Enable(CM_FILESAVE, &TScoreWindow::CeAlways),
    R::Enable(CM_FILESAVEAS, &TScoreWindow::CeAlways),
    R::Enable(CM_FILECLOSE, &TScoreWindow::CeAlways),
    R::Enable(CM_FILEINFO, &TScoreWindow::CeAlways),
    R::Enable(CM_PAGESETUP, &TScoreWindow::CeAlways),
    R::Enable(CM_PRINT, &TScoreWindow::CeNotPlayingHere),
    R::Enable(CM_PRINTPREVIEW, &TScoreWindow::CeNotPlayingHere),
    R::Enable(CM_EXPORT, &TScoreWindow::CeAlways),
};

int Option(TAppOptionIndex i, int fallback) { return gApp ? gApp->Option(i) : fallback; }

bool AskSaveAnyway(void* context) {
  auto* window = static_cast<TScoreWindow*>(context);
  return MBLMessage(window->GetHandle(), MB_YESNO | MB_ICONQUESTION, IDS_BACKUP_FAILED, IDS_BACKUP_FAILED_TEXT,
                    GetFileNamePart(window->GetPath())) == IDYES;
}

bool EndsWithAsv(const char* path) {
  const char* ext = GetExtensionPart(path);
  return _stricmp(ext, ".asv") == 0;
}

}  // namespace

TScoreWindow::TScoreWindow(TMDIClient& client, const char* path, TMusicScore* score)
    : TMDIChild(client, ""), score_(score), printStaves_(TMusicScore::kSelectionSize) {
  printStaves_.SetAll(true);
  if (gStatusBar) gStatusBar->ShowStatusText("%s", "Constructing Score Window");
  std::snprintf(path_, sizeof path_, "%s", path ? path : "");
  if (path_[0] == '<') {
    untitled_ = true;
  } else if (EndsWithAsv(path_)) {
    // The recovered copy stays this window's auto-save file until it is saved or closed.
    autoSavePath_ = path_;
    untitled_ = fromAutoSave_ = true;
    std::snprintf(path_, sizeof path_, "<Recovered File %d>", ++gRecoveredCount);
  }
  undo_ = std::make_unique<TUndoActionMgr>(Option(kOptUndoLevels, kDefaultUndoLevels), kUndoBlockSize);
  view_ = new TScoreEdit(this, *score_, *undo_, this);
  SetClientWindow(view_);
  char title[260];
  ScoreWindowTitle(path_, title);
  SetTitleText(title);
  TMDIChild* active = client.GetActiveMDIChild();
  if (!active || IsZoomed(active->GetHandle())) Attr.style |= WS_MAXIMIZE;
}

TScoreWindow::~TScoreWindow() {
  DiscardAutoSave();
  if (gLastActivated == this) gLastActivated = nullptr;
  delete view_;
  view_ = nullptr;
  undo_.reset();
  // Its cursors point into the score's staves.
  player_.reset();
  delete score_;
}

void TScoreWindow::GetWindowClass(WNDCLASSA& wc) {
  TMDIChild::GetWindowClass(wc);
  wc.hIcon = LoadIconA(GetModule(), MAKEINTRESOURCEA(2));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

void TScoreWindow::SetupWindow() {
  TMDIChild::SetupWindow();
  if (!untitled_ && gApp) gApp->AddToFileHistory(path_, score_->Info().title);
  PostMessage(GetInitMessage());
}

void TScoreWindow::CleanupWindow() {
  if (!untitled_ && gApp) gApp->AddToFileHistory(path_, score_->Info().title);
  if (gLastActivated == this) gLastActivated = nullptr;
  if (gPlayingWindow == this && gFrame) gFrame->SendMessage(WM_COMMAND, CM_STOP);
  TMDIChild::CleanupWindow();
}

bool TScoreWindow::Find(TEvent& ev) {
  if (ev.msg == GetInitMessage() && ev.msg != 0) {
    ev.result = EvInit(ev.wParam, ev.lParam);
    return true;
  }
  if (ev.msg == GetCommDlgHelpMessage() && ev.msg != 0) {
    if (gStatusBar) gStatusBar->ShowHelpForHint();
    return true;
  }
  return ev.Dispatch(this, kResponses) || FindWindowToolCommand(*this, ev) || TMDIChild::Find(ev);
}

LRESULT TScoreWindow::EvInit(WPARAM, LPARAM) { return 0; }

bool TScoreWindow::CanClose() {
  if (gPlayingWindow == this && gFrame) gFrame->SendMessage(WM_COMMAND, CM_STOP);
  if (!modified_) return true;
  char title[260], text[400];
  ScoreWindowTitle(path_, title);
  std::snprintf(text, sizeof text, "%s:\n\nThis file has changed.\nDo you wish to save it?", title);
  const int answer = MessageBoxA(hwnd_, text, "Save Confirmation", MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDCANCEL) return false;
  if (answer == IDNO) return true;
  return untitled_ ? SaveAs() : Save();
}

void TScoreWindow::SetModified() {
  modified_ = true;
  changedSinceAutoSave_ = true;
}

bool TScoreWindow::HasPath(const char* path) const { return path && _stricmp(path, path_) == 0; }

void TScoreWindow::FrameAction(int action) {
  switch (action) {
    case kActionDeactivateView:
      if (view_) view_->SetActive(false);
      break;
    case kActionSaveIfModified:
      if (modified_) Save();
      break;
    case kActionRefreshColors:
      if (view_) view_->RefreshColors();
      break;
    case kActionResizeUndo:
      undo_->SetLevels(Option(kOptUndoLevels, kDefaultUndoLevels));
      break;
    case kActionAutoSave:
      AutoSave();
      break;
    case kActionDiscardAutoSave:
      DiscardAutoSave();
      break;
    default:
      break;
  }
}

void TScoreWindow::ShowStatus(const char* format, const char* name) {
  if (gStatusBar) gStatusBar->ShowStatusText(format, name);
}

bool TScoreWindow::ConfirmFormatChange() {
  if (!score_->IsConverted()) return true;
  const int answer = MBLMessage(hwnd_, MB_YESNOCANCEL | MB_ICONQUESTION, IDS_FILE_OPEN, IDS_FILE_OLDER_FORMAT,
                                GetFileNamePart(path_));
  return answer == IDYES;
}

bool TScoreWindow::Save() {
  if (untitled_) return SaveAs();
  // Declining to write over an older format means the file was not saved: a close waits.
  if (!ConfirmFormatChange()) return false;
  const char* name = GetFileNamePart(path_);
  TQVBusyCursor busy;
  ShowStatus("Auditing changes in %s...", name);
  AuditScoreStaves(score_, false);
  if (Option(kOptSaveBackups, 1)) ShowStatus("Creating backup for %s...", name);
  ShowStatus("Saving %s...", name);
  TWinSaveFiles files;
  const TSaveOutcome outcome = SaveScoreSafely(files, path_, *score_, score_->IsCompressed(),
                                               Option(kOptSaveBackups, 1) != 0, AskSaveAnyway, this);
  busy.Show(false);
  if (gStatusBar) gStatusBar->ClearStatusText();
  if (outcome == TSaveOutcome::Saved) {
    modified_ = false;
    DiscardAutoSave();
    return true;
  }
  if (outcome != TSaveOutcome::BackupDeclined) {
    MBLMessage(hwnd_, MB_OK | MB_ICONEXCLAMATION, IDS_FILE_SAVE, IDS_FILE_SAVE_FAILED, name);
  }
  return false;
}

bool TScoreWindow::ExportMidi(const char* path, int format) {
  TQVBusyCursor busy;
  ShowStatus("Auditing changes in %s...", GetFileNamePart(path));
  AuditScoreStaves(score_, false);
  ShowStatus("Publishing %s...", GetFileNamePart(path));
  TSMFExportOptions options;
  options.headerInfo = static_cast<TSMFHeaderInfo>(Option(kOptSMFExportHdrInfo, 1));
  options.trackSignatures = Option(kOptSMFExportTrkSigs, 0) != 0;
  const int ok = ExportMidiFile(hwnd_, *score_, path, format, options);
  if (gStatusBar) gStatusBar->ClearStatusText();
  return ok != 0;
}

// The earlier line writes Standard MIDI Files from a command of its own; the current line's
// Save As offers the same two file types.
void TScoreWindow::CmExport() {
  if (!kEarlierLine) return;
  char folder[260] = {};
  if (gApp) gApp->GetFolder(0, folder);
  const earlier_shell::TExportOffer offer = earlier_shell::ExportOffer(untitled_ ? "" : path_, folder);
  char name[260];
  std::snprintf(name, sizeof name, "%s", offer.name.c_str());
  std::string filter = earlier_shell::kExportFilter;
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = gFrame ? gFrame->GetHandle() : hwnd_;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name;
  ofn.nMaxFile = sizeof name;
  ofn.lpstrInitialDir = offer.folder.empty() ? nullptr : offer.folder.c_str();
  ofn.lpstrTitle = earlier_shell::kExportTitle;
  ofn.lpstrDefExt = "MID";
  ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
  if (!GetSaveFileNameA(&ofn)) return;
  ExportMidi(name, earlier_shell::ExportFormatForFilter(static_cast<int>(ofn.nFilterIndex)));
}

bool TScoreWindow::SaveAs() {
  char name[260];
  SaveAsInitialName(path_, untitled_, name);
  char folder[260] = {};
  if (untitled_) {
    if (gApp) gApp->GetFolder(0, folder);
  } else {
    std::snprintf(folder, sizeof folder, "%s", path_);
    PathToDirectory(folder, true);
  }
  // The shared file dialog's flags and platform style, with this command's filter and name.
  TQVFileDialogData data;
  if (gApp) data.flags = gApp->FileDialogData().flags;
  data.flags |= OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
  data.filter = "Standard QVK File|*.qvk|Type 1 Midi File|*.mid|Type 0 Midi File|*.mid|Uncompressed QVK File|*.qvk|";
  data.filterIndex = score_->IsCompressed() ? 1 : 4;
  data.defaultExtension = "qvk";
  data.initialFolder = folder;
  std::snprintf(data.fileName, sizeof data.fileName, "%s", name);
  TQVFileSaveDialog dialog(gFrame ? gFrame->GetHandle() : hwnd_, data);
  if (dialog.Execute() != IDOK) return false;
  std::snprintf(name, sizeof name, "%s", data.fileName);
  const int index = data.filterIndex;
  if (index == 2 || index == 3) {
    if (GetExtensionPart(name)[0] == '\0') AddDefaultExtension(name, "mid");
    else if (_stricmp(GetExtensionPart(name), ".qvk") == 0) ReplaceExtension(name, "mid");
    // The window keeps its own file, title and modified state.
    return ExportMidi(name, index == 2 ? 1 : 0);
  }
  if (GetExtensionPart(name)[0] == '\0') AddDefaultExtension(name, "qvk");
  char chosenFolder[260];
  std::snprintf(chosenFolder, sizeof chosenFolder, "%s", name);
  PathToDirectory(chosenFolder, true);
  if (gApp) gApp->SetFolder(0, chosenFolder);
  untitled_ = false;
  std::snprintf(path_, sizeof path_, "%s", name);
  SetTitleFromPath();
  score_->SetConverted(false);
  score_->SetCompressed(index == 1);
  if (gApp) gApp->AddToFileHistory(path_, score_->Info().title);
  return Save();
}

void TScoreWindow::CmRevert() {
  if (!modified_ || untitled_) return;
  if (MessageBoxA(hwnd_, "Are you sure you want to revert back to the saved version?", "File Revert",
                  MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
    return;
  }
  TScoreLoadInfo info;
  info.Clear();
  TMusicScore* fresh = ReadScoreFile(path_, info);
  if (!fresh) return;
  TQVBusyCursor busy;
  undo_->Clear();
  player_.reset();
  TScoreEdit* old = view_;
  SetClientWindow(nullptr);
  old->Destroy();
  delete old;
  delete score_;
  score_ = fresh;
  view_ = new TScoreEdit(this, *score_, *undo_, this);
  SetClientWindow(view_);
  view_->MoveWindow(GetClientRect());
  view_->ShowWindow(SW_SHOW);
  view_->SetActive(true);
  view_->SetFocus();
  modified_ = false;
  DiscardAutoSave();
}

void TScoreWindow::CmClose() { PostMessage(WM_SYSCOMMAND, SC_CLOSE); }

void TScoreWindow::CmInfo() {
  if (!gFrame) return;
  TScoreInfoTexts info;
  static_assert(sizeof info == sizeof(TScoreInfoBlock), "the same block");
  std::memcpy(&info, &score_->Info(), sizeof info);
  if (!gFrame->EditFileInfo(info)) return;
  if (!view_->Editing().RecordUndo(TUndoKind::ScoreInfo, CM_FILEINFO, 0)) return;
  std::memcpy(&score_->Info(), &info, sizeof info);
  SetModified();
}

void TScoreWindow::CmRefresh() {
  TQVBusyCursor busy;
  if (gStatusBar) gStatusBar->ShowStatusText("%s", "Refreshing score...");
  AuditScoreStaves(score_, true);
  view_->RefreshAll();
  if (gStatusBar) gStatusBar->ClearStatusText();
}

namespace {
// The page-setup sheet's hold on the window's view.
class TPageSetupView : public TPageSetupWindow {
public:
  explicit TPageSetupView(TScoreEdit* view) : view_(view) {}
  void RelayoutScore() override {
    if (view_) view_->RefreshAll();
  }
  void RebuildFonts() override {
    if (view_) view_->ApplyZoom();
  }

private:
  TScoreEdit* view_;
};
}  // namespace

// The sheet edits the score in place; the settings as they were become one undo record.
void TScoreWindow::CmPageSetup() {
  TQXTSegRamStream kept(kUndoBlockSize);
  score_->WriteInfo(kept);
  TPageSetupView view(view_);
  TPageSetupTarget target;
  target.score = score_;
  target.staves = &printStaves_;
  target.printer = gFrame ? gFrame->GetPrinter() : nullptr;
  target.colors = gApp ? &gApp->StaffColors() : nullptr;
  target.window = &view;
  target.caretIndex = view_ ? view_->GetCaretIndex() : 0;
  // Modal over the frame, as every dialog of the editor.
  TPageSetupSheet sheet(gFrame, target);
  const int result = sheet.Execute();
  if (result != IDOK && !sheet.WasShown()) return;
  if (view_) view_->Editing().RecordKeptUndo(TUndoKind::ScoreInfo, CM_PAGESETUP, kept);
  SetModified();
}

void TScoreWindow::CmPrint() {
  if (!gFrame || !gFrame->GetPrinter() || !gApp) return;
  AuditScoreStaves(score_, false);
  PrintScore(gFrame->GetHandle(), *gFrame->GetPrinter(), score_, printStaves_, &gApp->StaffColors(), path_);
}

void TScoreWindow::CmPrintPreview() {
  if (!gFrame || !gFrame->GetPrinter() || !gApp) return;
  AuditScoreStaves(score_, false);
  PreviewScore(gFrame->GetHandle(), *gFrame->GetPrinter(), score_, printStaves_, &gApp->StaffColors(),
               view_ ? view_->GetCaretIndex() : 0);
}

long TScoreWindow::PlayStartTick() const {
  if (!Option(kOptPlayFromCaret, 1) || !view_) return 0;
  const TMusicStaff* staff = view_->GetCurrentStaff();
  if (!staff) return 0;
  return ::PlayStartTick(*staff, view_->GetCaretIndex(), Option(kOptPlayLeadInMeasures, 1));
}

namespace {

// The device questions of Play and Record, asked through the string-table boxes.
class TWinPlayDevices : public TPlayDeviceHost {
public:
  explicit TWinPlayDevices(HWND owner) : owner_(owner) {}
  bool HasRecordDevice() override { return gMidiManager->HasInputDevice(); }
  bool HasOutputPorts() override { return gMidiManager->GetPortCount() > 0; }
  void UseMapperPort() override { gMidiManager->UseMapperOutPort(); }
  void OpenDevices() override { gMidiManager->AcquireDevices(true); }
  bool OutputsFailed() override { return gMidiManager->GetFailedOutPorts() != 0; }
  bool InputFailed() override { return gMidiManager->IsInputMissing(); }
  TPlayAnswer Ask(TPlayQuestion question) override {
    int answer = IDNO;
    switch (question) {
      case TPlayQuestion::NoRecordDevice:
        answer = MBLMessageN(owner_, MB_YESNO | MB_ICONINFORMATION, IDS_NO_RECORD_DEVICE, IDS_NO_RECORD_DEVICE_TEXT, 2);
        break;
      case TPlayQuestion::NoPlayDevices:
        answer = MBLMessageN(owner_, MB_YESNOCANCEL | MB_ICONINFORMATION, IDS_NO_PLAY_DEVICES,
                             IDS_NO_PLAY_DEVICES_TEXT, 3);
        break;
      case TPlayQuestion::OutputsFailed:
        answer = MBLMessage(owner_, MB_YESNO | MB_ICONINFORMATION, IDS_MIDI_DEVICE_WARNING, IDS_MIDI_DEVICES_FAIL);
        break;
      case TPlayQuestion::InputFailed:
        answer = MBLMessage(owner_, MB_YESNO | MB_ICONINFORMATION, IDS_MIDI_DEVICE_WARNING, IDS_MIDI_INPUT_FAILS);
        break;
    }
    return answer == IDYES ? TPlayAnswer::Yes : answer == IDCANCEL ? TPlayAnswer::Cancel : TPlayAnswer::No;
  }
  // The sheet runs modally, so the command goes on after it with whatever device was chosen.
  void OpenOptionsPage(TOptionsPage page) override {
    if (!gFrame) return;
    ShowOptionsSheet(gFrame, kOptionsMaskAll, page == TOptionsPage::Record ? TOptionPage::kRecord : TOptionPage::kMidi);
  }

private:
  HWND owner_;
};

}  // namespace

void TScoreWindow::Play(TPlayKind kind) {
  if (gPlayingWindow || !gApp || !gFrame) return;
  if (!gMidiManager || !gMidiManager->IsBound()) {
    MessageBoxA(hwnd_, "Initiate Play Failed", "Play Failed", MB_OK | MB_ICONINFORMATION);
    return;
  }
  TWinPlayDevices devices(hwnd_);
  if (!PreparePlayDevices(devices, kind)) return;
  const bool record = kind == TPlayKind::Record;
  if (gStatusBar) gStatusBar->ShowStatusText("%s", "Compiling...");
  const long start = record ? 0 : PlayStartTick();
  // Staff Play mutes every other staff for the performance only.
  std::vector<int> muted;
  const int current = view_ ? view_->GetCurrentStaffIndex() : 0;
  for (int i = 0; i < score_->StaffCount(); ++i) {
    muted.push_back(score_->GetStaff(i)->IsMuted());
    if (kind == TPlayKind::StaffPlay && i != current) score_->GetStaff(i)->SetMuted(1);
  }
  TMidiFileBuf& list = gApp->EventList();
  player_ = std::make_unique<TScoreMidiPlayer>();
  player_->SetScore(score_);
  const bool fits = player_->Perform(list, static_cast<int32_t>(start));
  for (int i = 0; i < score_->StaffCount(); ++i) score_->GetStaff(i)->SetMuted(muted[static_cast<std::size_t>(i)]);
  if (!fits) {
    MBLMessageN(hwnd_, MB_OK | MB_ICONINFORMATION, IDS_MIDI_PLAY_WARNING, IDS_MIDI_PLAY_WARNING_TEXT, 2);
  } else if (Option(kOptMidiPortUsage, 2) == 1) {
    list.AppendPause(4);
  }
  if (gStatusBar) gStatusBar->ShowStatusText("%s", "Setting up patch cache, if necessary");
  gMidiManager->CachePatches(list);
  gPlayingWindow = this;
  if (view_) view_->SetFocus();
  gFrame->StartPlayTimer();
  if (Option(kOptChasePlayingNotes, 1)) StartPlayFollow();
  if (gStatusBar) gStatusBar->ShowStatusText("%s", "Initiating play sequence");
  if (!gMidiManager->Play(gFrame->GetHandle(), &list)) {
    gFrame->StopMidiPlay();
    MessageBoxA(hwnd_, "Initiate Play Failed", "Play Failed", MB_OK | MB_ICONINFORMATION);
  } else if (record) {
    gMidiManager->StartRecording();
    gApp->Recording().Reset();
    // Without an open input there is nothing to record: the play stops at once.
    if (!gMidiManager->HasInputDevice() || gMidiManager->IsInputMissing()) gFrame->StopMidiPlay();
  } else if (gPlayingWindow != this) {
    gFrame->StopMidiPlay();
  }
  if (gStatusBar) {
    gStatusBar->ClearStatusText();
    gStatusBar->UpdatePlayMode();
  }
}

void TScoreWindow::StartPlayFollow() {
  if (!player_ || !view_) return;
  following_ = true;
  view_->BeginPlayDisplay();
  player_->SeekAll(player_->StartTick());
  view_->ShowPlayPosition(*player_);
}

void TScoreWindow::FollowPlay(long songPosition) {
  if (!following_ || !player_ || !view_) return;
  if (player_->SeekAll(static_cast<int32_t>(songPosition + player_->StartTick()))) view_->ShowPlayPosition(*player_);
}

void TScoreWindow::EndPlayFollow() {
  if (!following_) return;
  following_ = false;
  if (view_) view_->EndPlayDisplay();
}

void TScoreWindow::CmImportRecording() {
  if (!gApp || !gApp->IsRecordedDataPresent()) {
    MBLMessage(hwnd_, MB_OK | MB_ICONINFORMATION, IDS_NO_RECORDING_DATA, IDS_NO_RECORDING_DATA_TEXT);
    return;
  }
  TMidiImportOptions options;
  options.Read(GetSysInfo());
  TRecordingBuffer& recording = gApp->Recording();
  TSMFImportInstructions instruction = TrackStaffInstruction(recording.Data(), options);
  TImportInstructionDlg dialog(this, instruction, std::max(recording.Data().TrackCount() - 1, 0));
  if (dialog.Execute() != IDOK) return;
  TMusicStaff* staff = nullptr;
  {
    TQVBusyCursor busy;
    TImportProgressDlg progress(ProgressOwner());
    staff = ImportTrackAsStaff(recording.Data(), instruction, &IsCancelRequested, &progress);
  }
  if (!staff) return;
  const TMusicStaff* current = view_ ? view_->GetCurrentStaff() : nullptr;
  const int index = AppendRecordedStaff(*score_, staff, "Import", current ? current->GetGroupName() : "");
  if (index < 0) {
    MBLMessage(hwnd_, MB_OK | MB_ICONINFORMATION, IDS_FULL_SONG, IDS_FULL_SONG_TEXT);
    return;
  }
  TakeNewStaves(index);
}

// The long-task dialog disables the frame, not only this window: while the conversion polls its
// Cancel, no menu can close or save the score it is adding to.
TWindow* TScoreWindow::ProgressOwner() { return gFrame ? static_cast<TWindow*>(gFrame) : this; }

void TScoreWindow::ImportRecordingOnStop() {
  if (!gApp || !gApp->IsRecordedDataPresent()) return;
  TMidiImportOptions options;
  options.Read(GetSysInfo());
  std::unique_ptr<TMusicScore> recorded;
  {
    // Under the long-task dialog, as the import into a new window; its Cancel imports nothing.
    TQVBusyCursor busy;
    TImportProgressDlg progress(ProgressOwner());
    recorded = ConvertMidiDataToScore(gApp->Recording().Data(), options, &IsCancelRequested, &progress);
  }
  if (!recorded) return;
  const int first = MoveRecordedStaves(*score_, *recorded);
  if (first >= 0) TakeNewStaves(first);
}

void TScoreWindow::TakeNewStaves(int current) {
  // The staves were added outside the undo ring: its records no longer fit the score.
  undo_->Clear();
  SetModified();
  if (!view_) return;
  view_->AttachScore();
  view_->Editing().Place().staff = current;
  view_->RelayoutScore();
}

// The earlier line prints and previews only scores that are not playing.
void TScoreWindow::CeNotPlayingHere(TCommandEnabler& ce) { ce.Enable(!kEarlierLine || gPlayingWindow != this); }

void TScoreWindow::CePlay(TCommandEnabler& ce) { ce.Enable(gPlayingWindow == nullptr); }

void TScoreWindow::CeStaffPlay(TCommandEnabler& ce) {
  const TMusicStaff* staff = view_ ? view_->GetCurrentStaff() : nullptr;
  ce.Enable(gPlayingWindow == nullptr && staff && !staff->IsMuted());
}

void TScoreWindow::CeRevert(TCommandEnabler& ce) { ce.Enable(modified_ && !gPlayingWindow && !untitled_); }
void TScoreWindow::CeViewUsable(TCommandEnabler& ce) { ce.Enable(view_ && view_->IsUsable()); }
void TScoreWindow::CeAlways(TCommandEnabler& ce) { ce.Enable(true); }

void TScoreWindow::ReportAutoSaveFailure(const char* reason) {
  // Told once until an auto-save succeeds again: the timer retries every interval.
  if (autoSaveWarned_) return;
  autoSaveWarned_ = true;
  char text[400];
  std::snprintf(text, sizeof text, "%s:\n\nThe auto-save copy of this score could not be written.\n%s", path_, reason);
  MessageBoxA(hwnd_, text, "Auto Save Failed", MB_OK | MB_ICONEXCLAMATION);
}

void TScoreWindow::AutoSave() {
  if (!modified_ || !changedSinceAutoSave_) return;
  TQVBusyCursor busy;
  TWinSaveFiles files;
  if (autoSavePath_.empty()) {
    char folder[260];
    if (!gApp || !gApp->GetFolder(3, folder) || !IsDirectory(folder)) return;
    char name[260];
    if (!ChooseAutoSaveName(files, folder, name)) {
      busy.Show(false);
      ReportAutoSaveFailure("Every auto-save name (qvk000.asv to qvk999.asv) is in use in the auto-save folder.");
      return;
    }
    autoSavePath_ = name;
  }
  ShowStatus("Auto saving %s...", GetFileNamePart(path_));
  const bool written = WriteAutoSaveCopy(files, autoSavePath_.c_str(), *score_);
  if (gStatusBar) gStatusBar->ClearStatusText();
  if (written) {
    changedSinceAutoSave_ = false;
    autoSaveWarned_ = false;
    return;
  }
  // The flag stays set, so the next tick tries again.
  busy.Show(false);
  ReportAutoSaveFailure(autoSavePath_.c_str());
}

void TScoreWindow::DiscardAutoSave() {
  changedSinceAutoSave_ = false;
  if (autoSavePath_.empty()) return;
  FileDelete(autoSavePath_.c_str());
  autoSavePath_.clear();
}

void TScoreWindow::SetTitleFromPath() {
  char title[260];
  ScoreWindowTitle(path_, title);
  SetWindowText(title);
}

LRESULT TScoreWindow::EvMDIActivate(WPARAM, LPARAM lParam) {
  const LRESULT r = DefaultProcessing();
  active_ = reinterpret_cast<HWND>(lParam) == hwnd_;
  if (!active_) {
    if (view_) view_->SetActive(false);
    return r;
  }
  if (gStatusBar) gStatusBar->ClearStatusText();
  if (view_ && !minimised_) {
    view_->SetActive(true);
    view_->SetFocus();
  }
  if (gLastActivated != this) {
    if (gFrame) gFrame->ForEachScoreWindow(this, kActionDeactivateView);
    gLastActivated = this;
  }
  return r;
}

LRESULT TScoreWindow::EvNCHitTest(WPARAM, LPARAM) {
  const LRESULT r = DefaultProcessing();
  // The first click on an inactive window only activates it.
  return r == HTCLIENT && !active_ ? HTBORDER : r;
}

LRESULT TScoreWindow::EvSetFocus(WPARAM, LPARAM) {
  if (view_ && view_->IsActive()) view_->SetFocus();
  return 0;
}

// The earlier line keeps a score window tall enough for a staff and at most twice the screen.
LRESULT TScoreWindow::EvGetMinMaxInfo(WPARAM, LPARAM lParam) {
  const LRESULT r = DefaultProcessing();
  if constexpr (kEarlierLine) {
    if (!view_ || !lParam) return r;
    RECT frame{};
    if (gFrame && gFrame->GetHandle()) ::GetClientRect(gFrame->GetHandle(), &frame);
    const earlier_rules::TTrackMetrics m{view_->GetLineSpacing(),      GetSystemMetrics(SM_CXVSCROLL),
                                         GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CXMIN),
                                         GetSystemMetrics(SM_CYMIN),     static_cast<int>(frame.right),
                                         GetSystemMetrics(SM_CXSCREEN),  GetSystemMetrics(SM_CYSCREEN)};
    const earlier_rules::TTrackLimits limits = earlier_rules::ScoreWindowLimits(m);
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize = {limits.minWidth, limits.minHeight};
    info->ptMaxTrackSize = {limits.maxWidth, limits.maxHeight};
  }
  return r;
}

LRESULT TScoreWindow::EvSize(WPARAM type, LPARAM) {
  const LRESULT r = DefaultProcessing();
  minimised_ = type == SIZE_MINIMIZED;
  maximised_ = type == SIZE_MAXIMIZED;
  SetTitleFromPath();
  if (view_ && view_->GetHandle()) {
    view_->MoveWindow(GetClientRect());
    view_->SetActive(!minimised_ && active_);
  }
  return r;
}

LRESULT TScoreWindow::EvEnterIdle(WPARAM, LPARAM) {
  const LRESULT r = DefaultProcessing();
  if (gApp) gApp->IdleAction(0);
  return r;
}

bool OpenScoreWindow(TMusicScore* score, const char* path, int recovered) {
  if (!score || !gMDIClient || !gMDIClient->GetHandle()) {
    delete score;
    return false;
  }
  (void)recovered;  // the window numbers recovered copies itself, from their ".asv" path
  auto* window = new TScoreWindow(*gMDIClient, path, score);
  window->SetDeleteOnDestroy(true);
  if (!window->Create()) {
    delete window;
    return false;
  }
  return true;
}
