#include "app/win32/VellichordFrame.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "QVKNTN/ScoreFile.h"
#include "app/CommandLineWalk.h"
#include "app/FramePlacement.h"
#include "app/StatusTexts.h"
#include "app/win32/MusicStatusBar.h"
#include "app/win32/ScoreWindowSeam.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/VellichordApp.h"
#include "foundation/NewScoreInfo.h"
#include "foundation/PathText.h"
#include "foundation/SysInfo.h"
#include "foundation/TextUtils.h"
#include "foundation/win32/FileUtils.h"
#include "foundation/win32/MessageBoxes.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "midi/win32/MidiManager.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"

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
    R::Command(CM_WEBHOME, &TVellichordFrame::CmWebHome),
    R::Command(CM_WEBUPDATES, &TVellichordFrame::CmWebUpdates),
    R::Command(CM_FILESAVEALL, &TVellichordFrame::CmSaveAll),
    R::Command(CM_PRINTERSETUP, &TVellichordFrame::CmPrinterSetup),
    R::Command(CM_EXIT, &TVellichordFrame::CmExit),
    R::Command(CM_STOP, &TVellichordFrame::CmStop),
    R::Command(CM_STATUSBAR, &TVellichordFrame::CmStatusBar),
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

const char kRecoveredText[] =
    "One or more files have been automatically recovered from your last usage.\n\nYou should save these recovered "
    "files immediately in order to avoid losing any of the changes that you made in your last session.\n\n** If "
    "you quit the program before saving the recovered files, your changes will be permanently lost.";

bool IsMidiExtension(const char* ext) {
  return CompareNoCase(ext, ".MID") == 0 || CompareNoCase(ext, ".RMI") == 0 || CompareNoCase(ext, ".KAR") == 0;
}

bool IsScoreExtension(const char* ext) { return CompareNoCase(ext, ".QVK") == 0 || CompareNoCase(ext, ".QXT") == 0; }

TVellichordApp* App() { return gApp; }

int Option(TAppOptionIndex i) { return gApp ? gApp->Option(i) : TAppOptions()[i]; }

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
  statusBar_ = new TMusicStatusBar(this, Option(kOptStatusBarShading) != 0);
  gStatusBar = statusBar_;
  Insert(*statusBar_, TLocation::Bottom);
  GetSysInfo().AttachMessageBar(statusBar_);
  // The toolbars join the frame here once they are built.
  printer_ = new TQVPrinter();
}

TVellichordFrame::~TVellichordFrame() {
  if (gFrame == this) gFrame = nullptr;
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
  // The DDE service is withdrawn here once it is built.
  DragAcceptFiles(hwnd_, FALSE);
  TDecoratedMDIFrame::CleanupWindow();
}

bool TVellichordFrame::Find(TEvent& ev) {
  if (ev.msg == GetInitMessage() && GetInitMessage() != 0) {
    if (!ev.probe) FinishStartup();
    ev.result = 0;
    return true;
  }
  if (ev.msg == GetCommDlgHelpMessage() && GetCommDlgHelpMessage() != 0) {
    if (!ev.probe) statusBar_->ShowHelpForHint();
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

void TVellichordFrame::FinishStartup() {
  UpdateWindow();
  if (!SetTimer(hwnd_, kTimerId, kIdlePeriodMs, nullptr)) {
    MessageBoxA(hwnd_, "Unable to secure a system timer. Timer functions\nwill not operate in this session.",
                "System Resource Error", MB_TASKMODAL | MB_ICONSTOP | MB_OK);
  }
  if (Option(kOptStatusBarEnabled) == 0) HandleMessage(WM_COMMAND, CM_STATUSBAR, 0);
  // The usage tips open here once they are built.
  if (Option(kOptMidiPortUsage) != 1 && gMidiManager) gMidiManager->AcquireDevices(true);
  if (App()) WalkCommandLine(App()->GetCommandLine());
  RecoverAutoSavedFiles();
  GetSysInfo().PushStatus("Ready", false);
}

void TVellichordFrame::WalkCommandLine(const char* commandLine) {
  TCommandLineWalk walk(commandLine);
  bool noticeDue = false;
  while (walk.Next()) {
    switch (ClassifyCommandLineToken(walk.Token())) {
      case TCommandLineSwitch::EnableExperimentation:
        if (App()) App()->Options()[kOptExperimentalActive] = 1;
        noticeDue = true;
        break;
      case TCommandLineSwitch::DisableExperimentation:
        if (App()) App()->Options()[kOptExperimentalActive] = 0;
        noticeDue = true;
        break;
      case TCommandLineSwitch::Path: {
        char path[260];
        // A path cut to its buffer names some other file: skip it rather than open that one.
        if (walk.WasCut() || std::strlen(walk.Token()) >= sizeof path) break;
        std::snprintf(path, sizeof path, "%s", walk.Token());
        // Blanks before a following switch belong to the separation, not to the name.
        size_t n = std::strlen(path);
        while (n > 0 && (path[n - 1] == ' ' || path[n - 1] == '\t')) path[--n] = '\0';
        char full[260];
        DWORD got = GetFullPathNameA(path, sizeof full, full, nullptr);
        if (got == 0 || got >= sizeof full) break;
        if (FileExists(full) && !IsDirectory(full)) OpenDocumentFile(full, 6);
        break;
      }
      default:
        break;
    }
  }
  if (noticeDue) {
    MessageBoxF(hwnd_, MB_ICONINFORMATION | MB_OK, "Experimentation",
                "Experimental features have been %s for all non-experimental files.",
                Option(kOptExperimentalActive) ? "enabled" : "disabled");
  }
}

void TVellichordFrame::OpenDocumentFile(const char* path, int mode) {
  if (!path || !*path) return;
  // A window that already shows the file is brought forward instead.
  TMDIClient* client = GetMDIClient();
  for (HWND h = client->GetHandle() ? GetWindow(client->GetHandle(), GW_CHILD) : nullptr; h;
       h = GetWindow(h, GW_HWNDNEXT)) {
    auto* score = dynamic_cast<TScoreWindowActions*>(TWindow::FromHandle(h));
    if (!score || !score->HasPath(path)) continue;
    if (client->SendMessage(WM_MDIGETACTIVE) != reinterpret_cast<LRESULT>(h)) {
      client->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(h));
    }
    return;
  }
  const char* ext = GetExtensionPart(path);
  const char* name = GetFileNamePart(path);
  if (!IsMidiExtension(ext) && !IsScoreExtension(ext)) {
    MBLMessage(hwnd_, MB_ICONEXCLAMATION | MB_OK, IDS_FILE_OPEN, IDS_FILE_TYPE_UNKNOWN, name,
               ext[0] == '.' ? ext + 1 : ext);
    return;
  }
  // Score files and Standard MIDI Files are read and shown by the file-opening and score-window
  // modules; until they are part of the program a recognised file is not opened.
  (void)mode;
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
    if (auto* score = dynamic_cast<TScoreWindowActions*>(w)) score->FrameAction(action);
  }
}

void TVellichordFrame::RecoverAutoSavedFiles() {
  if (!App()) return;
  char folder[260];
  if (!App()->GetFolder(3, folder)) return;
  char pattern[260];
  std::snprintf(pattern, sizeof pattern, "%s", folder);
  if (!AppendPath(pattern, "qvk*.asv")) return;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return;
  int recovered = 0;
  do {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY)) continue;
    char path[260];
    std::snprintf(path, sizeof path, "%s", folder);
    if (!AppendPath(path, found.cFileName)) continue;
    TScoreLoadInfo info;
    info.Clear();
    TMusicScore* score = ReadScoreFile(path, info);
    if (!score) continue;
    if (gOpenScoreWindow && gOpenScoreWindow(score, path, recovered + 1)) {
      ++recovered;
    } else if (!gOpenScoreWindow) {
      delete score;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  if (recovered > 0) MessageBoxA(hwnd_, kRecoveredText, "Warning", MB_ICONEXCLAMATION | MB_OK);
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
  statusBar_->UpdateTimePane();
  if (gPlayingWindow) {
    if (gMidiManager && gMidiManager->IsRecording() && !Option(kOptChasePlayingNotes) && App()) {
      App()->DrainRecordedInput();
    }
    return 0;
  }
  const uint32_t now = timeGetTime();
  if (IsAutoSaveDue(now, lastAutoSave_, Option(kOptAutoSaveMinutes))) {
    ForEachScoreWindow(nullptr, kActionAutoSave);
    lastAutoSave_ = now;
  }
  return 0;
}

void TVellichordFrame::StartPlayTimer() {
  KillTimer(hwnd_, kTimerId);
  SetTimer(hwnd_, kTimerId, kPlayPeriodMs, nullptr);
  statusBar_->StartPlayClock();
}

void TVellichordFrame::RestorePlayTimer() {
  KillTimer(hwnd_, kTimerId);
  SetTimer(hwnd_, kTimerId, kIdlePeriodMs, nullptr);
  statusBar_->UpdateTimePane();
  statusBar_->UpdatePlayMode();
}

LRESULT TVellichordFrame::EvMidiSeq(WPARAM wParam, LPARAM) {
  if (wParam == 1 && gPlayingWindow && gMidiManager) {
    gMidiManager->FeedNextBuffer();
  } else if (wParam == 2) {
    StopMidiPlay();
  }
  return 0;
}

void TVellichordFrame::StopMidiPlay() {
  TWindow* playing = gPlayingWindow;
  const bool recording = gMidiManager && gMidiManager->IsRecording();
  if (recording) {
    if (App()) App()->DrainRecordedInput();
    gMidiManager->StopRecording();
  }
  if (playing) {
    if (gMidiManager) gMidiManager->Stop();
    statusBar_->ShowStatusText("Initiating halt procedures for MIDI play");
    // With "ChasePlayingNotes" the playing window ends its play follow when it learns that
    // playback stopped.
    gPlayingWindow = nullptr;
    RestorePlayTimer();
  } else {
    statusBar_->ShowStatusText("Performing full reset on each port and channel...");
    if (gMidiManager) {
      gMidiManager->AcquireDevices(true);
      gMidiManager->ResetAllPorts();
    }
  }
  if (Option(kOptMidiPortUsage) == 1 && gMidiManager) gMidiManager->AcquireDevices(false);
  statusBar_->ClearStatusText();
  // A finished recording becomes notation through the MIDI import, which joins the shell with it;
  // until then it stays in the recording buffer.
}

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
  const UINT flags = HIWORD(wParam);
  int id = LOWORD(wParam);
  if ((flags == 0xFFFF && lParam == 0) || (flags & (MF_POPUP | MF_SYSMENU))) id = -1;
  if (id >= static_cast<int>(CM_FIRSTTOOLBAR) && id <= static_cast<int>(CM_LASTTOOLBAR)) id = CM_FIRSTTOOLBAR;
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

void TVellichordFrame::CeStatusBar(TCommandEnabler& ce) {
  ce.Enable(true);
  ce.SetCheck((statusBar_->GetStyle() & WS_VISIBLE) ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

LRESULT TVellichordFrame::EvClose(WPARAM, LPARAM) {
  if (ShutDown()) Destroy();
  return 0;
}

bool TVellichordFrame::ShutDown() {
  statusBar_->ShowStatusText("Initiating Exit Procedures...");
  if (App()) App()->Options()[kOptStatusBarEnabled] = (statusBar_->GetStyle() & WS_VISIBLE) ? 1 : 0;
  if (gPlayingWindow) {
    StopMidiPlay();
    statusBar_->ShowStatusText("Initiating Exit Procedures...");
  }
  if (!GetMDIClient()->CloseChildren()) {
    statusBar_->ClearStatusText();
    return false;
  }
  statusBar_->ShowStatusText("Initiating Exit Procedures...");
  if (App()) WinHelpA(hwnd_, App()->GetHelpFile(), HELP_QUIT, 0);
  gFrame = nullptr;
  return true;
}

void TVellichordFrame::GetUndoActionText(int kind, int id, char (&out)[80]) const {
  std::snprintf(out, sizeof out, "%s", "Action");
  if (kind >= 1 && kind <= 6) {
    char text[80] = {};
    if (!menu_ || GetMenuStringA(menu_, static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND) <= 0) return;
    size_t n = 0;
    for (const char* p = text; *p && *p != '\t' && !(p[0] == '.' && p[1] == '.'); ++p) {
      if (*p != '&') out[n++] = *p;
    }
    out[n] = '\0';
    return;
  }
  if (kind != 7) return;
  static constexpr const char* kWords[] = {nullptr, "Delete", "Delete", "Remove Chord Note", "Change Selection",
                                           "MIDI Input"};
  if (id >= 1 && id <= 5) std::snprintf(out, sizeof out, "%s", kWords[id]);
}

bool TVellichordFrame::EditFileInfo(TScoreInfoTexts& info) {
  TFileInfoDialog dialog(this, info);
  return dialog.Execute() == IDOK;
}
