#include "app/win32/VellichordFrame.h"

#include "earlier/app/EarlierShellRules.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreFile.h"
#include "app/CommandLineWalk.h"
#include "app/FramePlacement.h"
#include "app/FileTemplates.h"
#include "app/FolderSettings.h"
#include "app/NewScore.h"
#include "app/StatusTexts.h"
#include "app/win32/DdeServer.h"
#include "app/win32/AboutDlg.h"
#include "app/win32/FileTemplateDlg.h"
#include "app/win32/HistoryListDlg.h"
#include "app/win32/ImportProgressDlg.h"
#include "app/win32/MCTDialog.h"
#include "app/win32/MusicStatusBar.h"
#include "editor/win32/ScoreWindow.h"
#include "app/win32/QVFileDialog.h"
#include "app/win32/ScoreWindowSeam.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/ToolbarDialogs.h"
#include "app/win32/ToolbarSet.h"
#include "app/win32/UsageTipsDlg.h"
#include "app/win32/VellichordApp.h"
#include "foundation/NewScoreInfo.h"
#include "foundation/PathText.h"
#include "foundation/SysInfo.h"
#include "foundation/TextUtils.h"
#include "foundation/QVBusyCursor.h"
#include "foundation/win32/FileUtils.h"
#include "foundation/win32/MessageBoxes.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "midi/MidiImportDocument.h"
#include "app/win32/MidiImportWizard.h"
#include "app/win32/OptionsSheet.h"
#include "midi/win32/MidiManager.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"

static_assert(CM_CASCADECHILDREN == TMDIClient::kCascadeCommand && CM_TILECHILDREN == TMDIClient::kTileCommand &&
                  CM_ARRANGEICONS == TMDIClient::kArrangeIconsCommand,
              "the Window menu's commands are the MDI client's");

namespace {

using R = TResponse<TVellichordFrame>;
constexpr R kResponses[] = {
    R::Message(WM_TIMER, &TVellichordFrame::EvTimer),
    R::Message(WM_CLOSE, &TVellichordFrame::EvClose),
    R::Message(WM_COMPACTING, &TVellichordFrame::EvCompacting),
    R::Message(WM_DROPFILES, &TVellichordFrame::EvDropFiles),
    R::Message(WM_ENTERIDLE, &TVellichordFrame::EvEnterIdle),
    R::Message(WM_MENUSELECT, &TVellichordFrame::EvMenuSelect),
    R::Message(WM_MIDISEQ_NOTIFY, &TVellichordFrame::EvMidiSeq),
    R::Message(WM_ACTIVATEAPP, &TVellichordFrame::EvActivateApp),
    R::Command(CM_FILENEW, &TVellichordFrame::CmFileNew),
    R::Command(CM_FILEOPEN, &TVellichordFrame::CmFileOpen),
    R::Command(CM_FILEHISTORY, &TVellichordFrame::CmFileHistory),
    R::Command(CM_IMPORT, &TVellichordFrame::CmImport),
    R::Command(CM_WEBHOME, &TVellichordFrame::CmWebHome),
    R::Command(CM_WEBUPDATES, &TVellichordFrame::CmWebUpdates),
    R::Command(CM_ABOUT, &TVellichordFrame::CmAbout),
    R::Command(CM_FILESAVEALL, &TVellichordFrame::CmSaveAll),
    R::Command(CM_PRINTERSETUP, &TVellichordFrame::CmPrinterSetup),
    R::Command(CM_EXIT, &TVellichordFrame::CmExit),
    R::Command(CM_STOP, &TVellichordFrame::CmStop),
    R::Command(CM_STATUSBAR, &TVellichordFrame::CmStatusBar),
    R::Command(CM_TOOLBARS, &TVellichordFrame::CmToolbars),
    R::Command(CM_USAGETIPS, &TVellichordFrame::CmUsageTips),
    R::Command(CM_OPTIONS, &TVellichordFrame::CmOptions),
    R::Enable(CM_OPTIONS, &TVellichordFrame::CeOptions),
    R::Enable(CM_FILESAVEALL, &TVellichordFrame::CeSaveAll),
    R::Enable(CM_STATUSBAR, &TVellichordFrame::CeStatusBar),
};

// The maker's web server; the page paths and query keys are fixed.
const char kWebRoot[] = "http://www.vellichord.com/";
const char kProductNews[] = "http://www.vellichord.com/product-news.php?platform=win32&product=qvk&version=1.75b";

struct THelpCommand {
  UINT id;
  UINT command;
  ULONG_PTR data;
};

const char kEmpty[] = "";

const THelpCommand kHelpCommands[] = {
    {192, HELP_FINDER, 0},     {193, HELP_CONTEXT, 4352}, {194, HELP_CONTEXT, 4353}, {195, HELP_CONTEXT, 4354},
    {196, HELP_CONTEXT, 4355}, {197, HELP_CONTEXT, 4356}, {198, HELP_CONTEXT, 4357}, {199, HELP_CONTEXT, 4358},
    {200, HELP_CONTEXT, 4359}, {201, HELP_CONTEXT, 4360}, {202, HELP_CONTEXT, 4361},
    {203, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(kEmpty)}, {206, HELP_CONTEXT, 4363},
};

const THelpCommand* FindHelpCommand(UINT id) {
  for (const THelpCommand& h : kHelpCommands) {
    if (h.id == id) return &h;
  }
  return nullptr;
}

TVellichordApp* App() { return gApp; }

int OptionOf(TAppOptionIndex i) { return gApp ? gApp->Option(i) : TAppOptions()[i]; }

// The notice that a file uses experimental features while they are restricted: OK and Help.
class TExperimentalFileDialog : public TMCTDialog {
public:
  TExperimentalFileDialog(TWindow* parent, const char* fileName)
      : TMCTDialog(parent, IDD_EXPERIMENTALFILE), name_(fileName) {}
  void SetupWindow() override {
    TMCTDialog::SetupWindow();
    SetDlgItemTextA(hwnd_, 101, name_);
  }

private:
  const char* name_;
};

// The File Info dialog: five edits over the score's information texts.
class TFileInfoDialog : public TDialog {
public:
  TFileInfoDialog(TWindow* parent, TScoreInfoTexts& info) : TDialog(parent, IDD_FILEINFO) {
    new TEdit(this, 100, sizeof info.Title);
    new TEdit(this, 101, sizeof info.Author);
    new TEdit(this, 102, sizeof info.Copyright1);
    new TEdit(this, 103, sizeof info.Copyright2);
    new TEdit(this, 104, sizeof info.Comments);
    SetTransferBuffer(&info);
  }
};

}  // namespace

TVellichordFrame::TVellichordFrame(const char* caption, LPCSTR menuResource, TMDIClient& client)
    : TDecoratedMDIFrame(caption, menuResource, client), lastAutoSave_(timeGetTime()) {
  gFrame = this;
  statusBar_ = new TMusicStatusBar(this, OptionOf(kOptStatusBarShading) != 0);
  gStatusBar = statusBar_;
  Insert(*statusBar_, TLocation::Bottom);
  GetSysInfo().AttachMessageBar(statusBar_);
  LoadToolbars(*this);
  printer_ = new TQVPrinter();
}

TVellichordFrame::~TVellichordFrame() {
  if (gFrame == this) gFrame = nullptr;
  if (gMDIClient == GetMDIClient()) gMDIClient = nullptr;
  delete printer_;
  GetSysInfo().AttachMessageBar(nullptr);
  if (gStatusBar == statusBar_) gStatusBar = nullptr;
  delete statusBar_;
}

void TVellichordFrame::GetWindowClass(WNDCLASSA& wc) {
  TDecoratedMDIFrame::GetWindowClass(wc);
  wc.hIcon = LoadIconA(GetModule(), MAKEINTRESOURCEA(IDI_MAINFRAME));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
}

void TVellichordFrame::SetupWindow() {
  menu_ = GetMenu();
  // The MDI client lists the open scores in the Window pop-up, the last pop-up but one.
  if (menu_) {
    const int count = GetMenuItemCount(menu_);
    for (int pos = 0; pos < count; ++pos) {
      char text[41] = {};
      GetMenuStringA(menu_, pos, text, sizeof text, MF_BYPOSITION);
      if (CompareNoCase(text, "&Window") == 0) GetMDIClient()->SetWindowMenu(GetSubMenu(menu_, pos));
    }
  }
  TDecoratedMDIFrame::SetupWindow();
  // A tooltip that failed to come up only costs the tips; the hints still reach the status bar.
  if (gApp && gApp->GetToolTip()) gApp->GetToolTip()->Window().Create();
  DragAcceptFiles(hwnd_, TRUE);
  if (menu_) {
    const int count = GetMenuItemCount(menu_);
    for (int pos = 0; pos < count && pos < 100; ++pos) {
      char text[41] = {};
      GetMenuStringA(menu_, pos, text, sizeof text, MF_BYPOSITION);
      if (CompareNoCase(text, "&View") == 0) viewMenu_ = GetSubMenu(menu_, pos);
    }
  }
  PostMessage(GetInitMessage());
}

void TVellichordFrame::CleanupWindow() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (GetWindowPlacement(hwnd_, &wp)) {
    TStoredPlacement p{static_cast<int>(wp.flags), static_cast<int>(wp.showCmd), wp.rcNormalPosition.left,
                       wp.rcNormalPosition.top, wp.rcNormalPosition.right, wp.rcNormalPosition.bottom};
    WritePlacement(GetSysInfo(), p);
  }
  UnregisterDdeServer();
  DragAcceptFiles(hwnd_, FALSE);
  TDecoratedMDIFrame::CleanupWindow();
}

bool TVellichordFrame::Find(TEvent& ev) {
  if (ev.msg == GetInitMessage() && GetInitMessage() != 0) {
    if (!ev.probe) RunFinishStartup(*this, App() ? App()->GetCommandLine() : "");
    ev.result = 0;
    return true;
  }
  if (ev.msg == GetCommDlgHelpMessage() && GetCommDlgHelpMessage() != 0) {
    if (!ev.probe) statusBar_->ShowHelpForHint();
    ev.result = 0;
    return true;
  }
  // The toggle commands of the toolbars, from menus only.
  if (ev.msg == WM_COMMAND && ev.lParam == 0 && LOWORD(ev.wParam) >= CM_FIRSTTOOLBAR &&
      LOWORD(ev.wParam) <= CM_LASTTOOLBAR) {
    if (!ev.probe) ToggleToolbar(LOWORD(ev.wParam));
    ev.result = 0;
    return true;
  }
  if (ev.msg == WM_COMMAND && ev.lParam == 0 && FindHelpCommand(LOWORD(ev.wParam))) {
    if (!ev.probe) CmHelp(LOWORD(ev.wParam));
    ev.result = 0;
    return true;
  }
  return ev.Dispatch(this, kResponses) || TDecoratedMDIFrame::Find(ev);
}

LRESULT TVellichordFrame::EvCommand(UINT id, HWND control, UINT notifyCode) {
  LRESULT r = TDecoratedMDIFrame::EvCommand(id, control, notifyCode);
  if (control == nullptr && gFrame && gStatusBar) gStatusBar->ClearStatusText();
  return r;
}

void TVellichordFrame::EvCommandEnable(TCommandEnabler& enabler) {
  const UINT id = enabler.GetId();
  if (id >= CM_FIRSTTOOLBAR && id <= CM_LASTTOOLBAR) {
    enabler.Enable(true);
    return;
  }
  TDecoratedMDIFrame::EvCommandEnable(enabler);
}

void TVellichordFrame::OpenDocumentFile(const char* path, int mode) { RunOpenDocumentFile(*this, path, mode); }

std::unique_ptr<TMusicScore> TVellichordFrame::LoadScoreFile(const char* path, int mode) {
  return RunLoadScoreFile(*this, path, mode);
}

void TVellichordFrame::CmFileOpen() {
  if (!App()) return;
  TQVFileDialogData& data = App()->FileDialogData();
  data.flags = kOpenDialogFlags;
  App()->SetFileDialogStyle();
  App()->SetInitialFolder(0);
  data.filter = kEarlierLine ? earlier_shell::kOpenFilter : kOpenDialogFilter;
  data.filterIndex = OptionOf(kOptOpenFilterIndex);
  data.defaultExtension = "QVK";
  data.title.clear();
  data.fileName[0] = '\0';
  TQVFileOpenDialog dialog(hwnd_, data);
  if (dialog.Execute() != IDOK) return;
  char path[260];
  const DWORD n = GetFullPathNameA(data.fileName, sizeof path, path, nullptr);
  if (n == 0 || n >= sizeof path) return;
  App()->RememberFolder(0, path);
  App()->Options()[kOptOpenFilterIndex] = data.filterIndex;
  OpenDocumentFile(path, kOpenModeFileOpen);
}

namespace {
// New scores are numbered through the run: "<SONG01>", "<SONG02>", ...
int gNewScoreCounter = 0;
}  // namespace

void TVellichordFrame::CmFileNew() {
  if (!App()) return;
  char templates[260] = {};
  App()->GetFolder(kFolderTemplates, templates);
  std::string chosen;
  TFileTemplateDlg sheet(this, templates, chosen);
  if (sheet.Execute() != IDOK) return;
  std::unique_ptr<TMusicScore> score;
  if (!chosen.empty()) {
    score = ReadTemplateScore(chosen.c_str());
    if (!score) MessageBoxA(hwnd_, "Template failed to load.", chosen.c_str(), MB_OK);
  }
  TScoreInfoTexts info;
  static_assert(sizeof info == sizeof(TScoreInfoBlock), "the same block");
  if (score) {
    std::memcpy(&info, &score->Info(), sizeof info);
  } else {
    info = GetNewScoreInfoTemplate();
  }
  if (!EditFileInfo(info)) return;
  if (score) {
    std::memcpy(&score->Info(), &info, sizeof info);
  } else {
    score = NewBlankScore(info);
  }
  OpenScoreWindow(std::move(score), NewScoreName(gNewScoreCounter).c_str(), false);
}

void TVellichordFrame::CmFileHistory() {
  if (!App()) return;
  const std::string path = THistoryListDlg::RunHistoryDialog(this, App()->History());
  if (!path.empty()) OpenDocumentFile(path.c_str(), kOpenModeHistory);
}

// The earlier line imports Standard MIDI Files from a command of its own; the current line's
// File Open takes them.
void TVellichordFrame::CmImport() {
  if (!kEarlierLine || !App()) return;
  TQVFileDialogData& data = App()->FileDialogData();
  data.flags = kOpenDialogFlags;
  App()->SetFileDialogStyle();
  App()->SetInitialFolder(0);
  data.filter = earlier_shell::kImportFilter;
  data.filterIndex = 1;
  data.defaultExtension = "MID";
  data.title = earlier_shell::kImportTitle;
  data.fileName[0] = '\0';
  TQVFileOpenDialog dialog(hwnd_, data);
  const int result = dialog.Execute();
  data.title.clear();
  if (result != IDOK) return;
  char path[260];
  const DWORD n = GetFullPathNameA(data.fileName, sizeof path, path, nullptr);
  if (n == 0 || n >= sizeof path) return;
  App()->RememberFolder(0, path);
  OpenDocumentFile(path, kOpenModeImport);
}

// The frame's side of the file opening.

bool TVellichordFrame::ActivateWindowShowing(const char* path) {
  TMDIClient* client = GetMDIClient();
  if (!client->GetHandle()) return false;
  for (HWND h = GetWindow(client->GetHandle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    TScoreWindowActions* score = ScoreWindowOf(h);
    if (!score || !score->HasPath(path)) continue;
    if (client->SendMessage(WM_MDIGETACTIVE) != reinterpret_cast<LRESULT>(h)) {
      client->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(h));
    }
    return true;
  }
  return false;
}

void TVellichordFrame::ShowFileMessage(unsigned textId, const char* fileName, const char* detail) {
  MBLMessage(hwnd_, MB_ICONEXCLAMATION | MB_OK, IDS_FILE_OPEN, textId, fileName, detail ? detail : "");
}

bool TVellichordFrame::AskRepairTranslation(const char* fileName) {
  return MessageBoxF(hwnd_, MB_YESNO | MB_ICONQUESTION, "Improper File Translation",
                     "File: %s\n\nThis binary file appears to have been improperly treated as an ASCII file. Would "
                     "you like this program to attempt an automatic recovery of this file?",
                     fileName) == IDYES;
}

void TVellichordFrame::ShowExperimentalNotice(const char* fileName) {
  TExperimentalFileDialog dialog(this, fileName);
  dialog.Execute();
}

bool TVellichordFrame::IsExperimentalActive() const { return OptionOf(kOptExperimentalActive) != 0; }

// The current line's score model has no feature that counts as experimental; the earlier line
// tests its staves.
bool TVellichordFrame::UsesExperimentalFeatures(const TMusicScore&) const { return false; }

std::unique_ptr<TMusicScore> TVellichordFrame::ImportMidiFile(const char* path, int mode) {
  std::unique_ptr<TMusicScore> score;
  TImportOpenResult result;
  {
    TQVBusyCursor busy;
    TMidiImportOptions options;
    options.Read(GetSysInfo());
    // The wizard is the user's turn: no busy cursor while it is open.
    auto wizard = [&](TQVKImportData& import) {
      busy.Show(false);
      const bool finished = RunMidiImportWizard(this, import, path);
      busy.Show(true);
      return finished;
    };
    const bool useWizard = mode == kOpenModeImport || OptionOf(kOptUseImportWizOnOpen) != 0;
    // The conversion runs under the long-task dialog, whose Cancel its checks poll.
    TImportProgressDlg progress(this);
    result = ImportMidiFileToScore(path, score, &IsCancelRequested, options,
                                   useWizard ? TImportInstructionEditor(wizard) : TImportInstructionEditor(),
                                   &progress);
  }
  if (result == TImportOpenResult::kOpenFailed) {
    InformationBox(hwnd_,
                   "File: %s\nThis file failed to open. It either does not exist, is in use by another program, or "
                   "is protected by the operating system.",
                   path);
  }
  if (result != TImportOpenResult::kConverted) score.reset();
  return score;
}

std::unique_ptr<TMusicScore> TVellichordFrame::ReadScore(const char* path, TScoreLoadInfo& info) {
  // The reader's per-staff texts go to the status bar while the file loads.
  class TStatusBarLoadProgress : public TScoreLoadProgress {
  public:
    explicit TStatusBarLoadProgress(TVellichordFrame& frame) : frame_(frame) {}
    void ShowText(const char* text) override {
      if (text)
        frame_.ShowStatus(text);
      else
        frame_.ClearStatus();
    }

  private:
    TVellichordFrame& frame_;
  };
  TStatusBarLoadProgress progress(*this);
  return std::unique_ptr<TMusicScore>(ReadScoreFile(path, info, &progress));
}

bool TVellichordFrame::MakeTemporaryFile(char (&path)[260]) {
  char folder[MAX_PATH];
  const DWORD n = GetTempPathA(sizeof folder, folder);
  if (n == 0 || n >= sizeof folder) return false;
  return GetTempFileNameA(folder, "qvk", 0, path) != 0;
}

void TVellichordFrame::RemoveFile(const char* path) { DeleteFileA(path); }

void TVellichordFrame::OpenScoreWindow(std::unique_ptr<TMusicScore> score, const char* path, bool imported) {
  if (gOpenDocumentWindow) {
    gOpenDocumentWindow(score.release(), path, imported);
    return;
  }
  // An imported score has no file of its own yet: its window is untitled, named after the source.
  if (!imported) {
    ::OpenScoreWindow(score.release(), path, 0);
    return;
  }
  char name[262];
  std::snprintf(name, sizeof name, "<%s>", GetFileNamePart(path));
  ::OpenScoreWindow(score.release(), name, 0);
}

void TVellichordFrame::ForEachScoreWindow(TWindow* except, int action) {
  TMDIClient* client = GetMDIClient();
  if (!client->GetHandle()) return;
  std::vector<HWND> children;
  for (HWND h = GetWindow(client->GetHandle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) children.push_back(h);
  for (HWND h : children) {
    if (!IsWindow(h)) continue;
    TWindow* w = TWindow::FromHandle(h);
    if (!w || w == except) continue;
    if (TScoreWindowActions* score = ScoreWindowOf(h)) score->FrameAction(action);
  }
}

void TVellichordFrame::RecoverAutoSavedScores() { RunAutoSaveRecovery(*this); }

bool TVellichordFrame::AutoSaveFolder(char (&folder)[260]) { return App() && App()->GetFolder(3, folder); }

void TVellichordFrame::ListFiles(const char* pattern, void (*found)(void* context, const TEntry& entry),
                                 void* context) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(pattern, &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    found(context, TEntry{data.cFileName, static_cast<unsigned>(data.dwFileAttributes)});
  } while (FindNextFileA(search, &data));
  FindClose(search);
}

bool TVellichordFrame::OpenRecovered(const char* path, int number) {
  TScoreLoadInfo info;
  info.Clear();
  TMusicScore* score = ReadScoreFile(path, info);
  if (!score) return false;
  return ::OpenScoreWindow(score, path, number);
}

void TVellichordFrame::ShowRecoveryWarning(const char* text) {
  MessageBoxA(hwnd_, text, "Warning", MB_ICONEXCLAMATION | MB_OK);
}

bool TVellichordFrame::RestorePlacement() {
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  const TStoredPlacement p = ReadPlacement(GetSysInfo(), w, h);
  if (!IsPlacementReachable(p, w, h, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON))) return false;
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  wp.flags = static_cast<UINT>(p.flags);
  wp.showCmd = static_cast<UINT>(p.showCmd);
  wp.rcNormalPosition = RECT{p.x1, p.y1, p.x2, p.y2};
  return SetWindowPlacement(hwnd_, &wp) != 0;
}

LRESULT TVellichordFrame::EvTimer(WPARAM id, LPARAM) {
  if (id != kTimerId) return DefaultProcessing();
  RunTimerTick(*this, lastAutoSave_);
  return 0;
}

void TVellichordFrame::StartPlayTimer() { RunStartPlayTimer(*this); }

void TVellichordFrame::RestorePlayTimer() { RunRestorePlayTimer(*this); }

LRESULT TVellichordFrame::EvMidiSeq(WPARAM wParam, LPARAM) {
  if (wParam == 1 && gPlayingWindow && gMidiManager) {
    gMidiManager->FeedNextBuffer();
  } else if (wParam == 2) {
    StopMidiPlay();
  }
  return 0;
}

void TVellichordFrame::StopMidiPlay() { RunStopMidiPlay(*this); }

LRESULT TVellichordFrame::EvCompacting(WPARAM, LPARAM) {
  if (!memoryWarning_) return 0;
  HWND active = GetActiveWindow();
  if (active && active != hwnd_ && GetParent(active) != hwnd_) return 0;
  if (MBLMessage(hwnd_, MB_YESNO | MB_ICONEXCLAMATION, IDS_MEMORY_CRITICAL, IDS_MEMORY_CRITICAL_TEXT) != IDYES) {
    memoryWarning_ = false;
  }
  return 0;
}

void TVellichordFrame::CmHelp(UINT id) {
  const THelpCommand* h = FindHelpCommand(id);
  if (!h || !App()) return;
  WinHelpA(hwnd_, App()->GetHelpFile(), h->command, h->data);
}

void TVellichordFrame::CmWebHome() { ShellExecuteA(hwnd_, "open", kWebRoot, nullptr, nullptr, SW_SHOWNORMAL); }

void TVellichordFrame::CmAbout() {
  TAboutDlg about(this, IDD_ABOUT);
  about.Execute();
}

void TVellichordFrame::CmWebUpdates() {
  ShellExecuteA(hwnd_, "open", kProductNews, nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT TVellichordFrame::EvDropFiles(WPARAM wParam, LPARAM) {
  HDROP drop = reinterpret_cast<HDROP>(wParam);
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char name[260];
    const UINT n = DragQueryFileA(drop, i, name, sizeof name);
    if (n == 0 || n >= sizeof name) continue;
    char full[260];
    const DWORD got = GetFullPathNameA(name, sizeof full, full, nullptr);
    if (got == 0 || got >= sizeof full) continue;
    OpenDocumentFile(full, 7);
  }
  DragFinish(drop);
  statusBar_->ClearStatusText();
  return 0;
}

LRESULT TVellichordFrame::EvEnterIdle(WPARAM wParam, LPARAM lParam) {
  LRESULT r = DefaultProcessing();
  if (wParam == MSGF_MENU && GetKeyState(VK_F1) < 0) statusBar_->ShowHelpForHint();
  if (App()) App()->IdleAction(0);
  return r;
}

void TVellichordFrame::ShowHint(int id) {
  statusBar_->SetHintId(id);
  if (id <= 0) {
    statusBar_->ClearStatusText();
    return;
  }
  char hint[kHintCopySize] = {};
  if (LoadStringA(GetModule(), static_cast<UINT>(id), hint, sizeof hint) > 0) {
    statusBar_->SetHintText(hint);
  } else {
    statusBar_->ClearStatusText();
  }
}

LRESULT TVellichordFrame::EvMenuSelect(WPARAM wParam, LPARAM lParam) {
  LRESULT r = DefaultProcessing();
  const int id = MenuSelectHintId(LOWORD(wParam), HIWORD(wParam), HIWORD(wParam) == 0xFFFF && lParam == 0);
  ShowHint(id == -1 ? 0 : id);
  return r;
}

LRESULT TVellichordFrame::EvActivateApp(WPARAM wParam, LPARAM) {
  LRESULT r = DefaultProcessing();
  if (App()) App()->EvActivateApp(wParam != 0);
  return r;
}

void TVellichordFrame::CmSaveAll() { ForEachScoreWindow(nullptr, kActionSaveIfModified); }

void TVellichordFrame::CeSaveAll(TCommandEnabler& ce) { ce.Enable(GetMDIClient()->GetChildCount() > 0); }

void TVellichordFrame::CmPrinterSetup() { printer_->Setup(hwnd_); }

void TVellichordFrame::CmExit() { PostMessage(WM_CLOSE); }

void TVellichordFrame::CmStop() { StopMidiPlay(); }

void TVellichordFrame::CmStatusBar() {
  const bool visible = (statusBar_->GetStyle() & WS_VISIBLE) != 0;
  statusBar_->ShowWindow(visible ? SW_HIDE : SW_SHOWNA);
  Layout();
}

void TVellichordFrame::CmToolbars() { RunToolbarDialogs(*this); }

void TVellichordFrame::CmUsageTips() {
  TUsageTipsDlg dialog(this, App() ? App()->GetHelpFile() : "");
  dialog.Execute();
}

void TVellichordFrame::ShowUsageTips() {
  TUsageTipsDlg dialog(this, App() ? App()->GetHelpFile() : "");
  if (dialog.GetTipCount() > 0) dialog.Execute();
}

void TVellichordFrame::CeStatusBar(TCommandEnabler& ce) {
  ce.Enable(true);
  ce.SetCheck((statusBar_->GetStyle() & WS_VISIBLE) ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

LRESULT TVellichordFrame::EvClose(WPARAM, LPARAM) {
  if (ShutDown()) Destroy();
  return 0;
}

bool TVellichordFrame::ShutDown() { return RunShutDown(*this); }

bool TVellichordFrame::HasScoreWindow() const {
  TMDIClient* client = GetMDIClient();
  if (!client || !client->GetHandle()) return false;
  for (HWND h = GetWindow(client->GetHandle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (ScoreWindowOf(h)) return true;
  }
  return false;
}

// The Color page concerns score windows only: it is disabled while none is open.
void TVellichordFrame::CmOptions() { ShowOptionsSheet(this, HasScoreWindow() ? kOptionsMaskAll : kOptionsMaskNoScore); }

void TVellichordFrame::CeOptions(TCommandEnabler& ce) { ce.Enable(gPlayingWindow == nullptr); }

void TVellichordFrame::GetUndoActionText(int kind, int id, char (&out)[80]) const {
  char text[80] = {};
  if (kind >= 1 && kind <= 6 && menu_) GetMenuStringA(menu_, static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND);
  UndoActionText(kind, id, text, out);
}

bool TVellichordFrame::EditFileInfo(TScoreInfoTexts& info) {
  TFileInfoDialog dialog(this, info);
  return dialog.Execute() == IDOK;
}

// The frame's side of the orders in FrameFlow.

int TVellichordFrame::Option(TAppOptionIndex i) const { return OptionOf(i); }

void TVellichordFrame::SetOption(TAppOptionIndex i, int value) {
  if (App()) App()->Options()[i] = value;
}

bool TVellichordFrame::StartTimer(unsigned periodMs) { return SetTimer(hwnd_, kTimerId, periodMs, nullptr) != 0; }

void TVellichordFrame::StopTimer() { KillTimer(hwnd_, kTimerId); }

void TVellichordFrame::ShowTimerFailure() {
  MessageBoxA(hwnd_, "Unable to secure a system timer. Timer functions\nwill not operate in this session.",
              "System Resource Error", MB_TASKMODAL | MB_ICONSTOP | MB_OK);
}

void TVellichordFrame::ToggleStatusBar() { HandleMessage(WM_COMMAND, CM_STATUSBAR, 0); }

bool TVellichordFrame::IsStatusBarVisible() const { return (statusBar_->GetStyle() & WS_VISIBLE) != 0; }

uint32_t TVellichordFrame::Now() const { return timeGetTime(); }

void TVellichordFrame::ShowStatus(const char* text) { statusBar_->ShowStatusText("%s", text); }

void TVellichordFrame::ClearStatus() { statusBar_->ClearStatusText(); }

void TVellichordFrame::PushReadyStatus() { GetSysInfo().PushStatus("Ready", false); }

void TVellichordFrame::RefreshClock() { statusBar_->UpdateTimePane(); }

void TVellichordFrame::StartPlayClock() { statusBar_->StartPlayClock(); }

void TVellichordFrame::StopPlayClock() { statusBar_->UpdatePlayMode(); }

void TVellichordFrame::OpenMidiPorts() {
  if (gMidiManager) gMidiManager->AcquireDevices(true);
}

void TVellichordFrame::CloseMidiPorts() {
  if (gMidiManager) gMidiManager->AcquireDevices(false);
}

bool TVellichordFrame::HaveFailedMidiPorts() { return gMidiManager && gMidiManager->GetFailedOutPorts() != 0; }

void TVellichordFrame::AskMidiDeviceWarning() {
  if (MBLMessage(hwnd_, MB_YESNO | MB_ICONINFORMATION, IDS_MIDI_DEVICE_WARNING, IDS_MIDI_DEVICES_FAIL) == IDYES)
    ShowOptionsSheet(this, kOptionsMaskMidiOnly);
}

bool TVellichordFrame::ResolveExistingFile(const char* token, char (&path)[260]) {
  char name[260];
  if (std::strlen(token) >= sizeof name) return false;
  std::snprintf(name, sizeof name, "%s", token);
  // Blanks before a following switch separate it; they are not part of the name.
  size_t n = std::strlen(name);
  while (n > 0 && (name[n - 1] == ' ' || name[n - 1] == '\t')) name[--n] = '\0';
  const DWORD got = GetFullPathNameA(name, sizeof path, path, nullptr);
  if (got == 0 || got >= sizeof path) return false;
  return FileExists(path) && !IsDirectory(path);
}

void TVellichordFrame::ShowExperimentationNotice(const char* text) {
  MessageBoxA(hwnd_, text, "Experimentation", MB_ICONINFORMATION | MB_OK);
}

bool TVellichordFrame::IsPlaying() const { return gPlayingWindow != nullptr; }

bool TVellichordFrame::IsRecording() const { return gMidiManager && gMidiManager->IsRecording(); }

void TVellichordFrame::DrainRecordedInput() {
  if (App()) App()->DrainRecordedInput();
}

void TVellichordFrame::EndRecording() {
  if (gMidiManager) gMidiManager->StopRecording();
}

void TVellichordFrame::StopEngine() {
  if (gMidiManager) gMidiManager->Stop();
}

void TVellichordFrame::ClearPlayingWindow() {
  lastPlayedWindow_ = gPlayingWindow ? gPlayingWindow->GetHandle() : nullptr;
  gPlayingWindow = nullptr;
}

void TVellichordFrame::EndPlayFollow() {
  if (auto* window = dynamic_cast<TScoreWindow*>(gPlayingWindow)) window->EndPlayFollow();
}

void TVellichordFrame::TakeRecording(int importAction, bool windowWasPlaying) {
  if (!App()) return;
  if (importAction == 0) {
    TMidiImportOptions options;
    options.Read(GetSysInfo());
    std::unique_ptr<TMusicScore> score;
    {
      // A long recording converts under the long-task dialog, as a MIDI file does; its Cancel
      // opens nothing.
      TQVBusyCursor busy;
      TImportProgressDlg progress(this);
      score = ConvertMidiDataToScore(App()->Recording().Data(), options, &IsCancelRequested, &progress);
    }
    if (!score) return;
    char name[32];
    std::snprintf(name, sizeof name, "<Recording%02d>", ++recordingCount_);
    ::OpenScoreWindow(score.release(), name, 0);
    return;
  }
  if (importAction != 1 || !windowWasPlaying || !lastPlayedWindow_ || !IsWindow(lastPlayedWindow_)) return;
  if (auto* window = dynamic_cast<TScoreWindow*>(TWindow::FromHandle(lastPlayedWindow_))) window->ImportRecordingOnStop();
}

void TVellichordFrame::ResetAllPorts() {
  if (gMidiManager) gMidiManager->ResetAllPorts();
}

bool TVellichordFrame::HasRecordedData() const { return App() && App()->IsRecordedDataPresent(); }

bool TVellichordFrame::CloseAllScoreWindows() { return GetMDIClient()->CloseChildren(); }

void TVellichordFrame::QuitHelp() {
  if (App()) WinHelpA(hwnd_, App()->GetHelpFile(), HELP_QUIT, 0);
}

void TVellichordFrame::ForgetFrame() { gFrame = nullptr; }
