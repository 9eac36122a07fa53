// The earlier editor program end to end under Wine: it opens a score file of its own version,
// inserts and edits an item through the item dialogs, saves the change and its undoing, plays the
// score through the test MIDI driver and opens print preview.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/NotationTypes.h"
#include "resources/CommandIds.h"
#include "tests/mididriver/VmidiClient.h"
#include "tests/staffutl/StaffText.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/Screenshot.h"
#include "tests/support/guidriver/TestProcess.h"

using namespace guidriver;

namespace {

static_assert(kEarlierLine, "the sample files are written and read by the earlier line");

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kWaitMs = 30000;

struct TFound {
  const char* className;
  HWND hwnd;
};

BOOL CALLBACK FindChildOfClass(HWND hwnd, LPARAM lParam) {
  auto* found = reinterpret_cast<TFound*>(lParam);
  char name[64];
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpA(name, found->className) != 0) return TRUE;
  found->hwnd = hwnd;
  return FALSE;
}

HWND FindChild(HWND frame, const char* className) {
  TFound found{className, nullptr};
  EnumChildWindows(frame, FindChildOfClass, reinterpret_cast<LPARAM>(&found));
  return found.hwnd;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The first staff of a score file as text, after the file's format version; empty when it
// cannot be read.
std::string FirstStaffOf(const std::string& path) {
  InstallAuditPass();
  TScoreLoadInfo info;
  info.Clear();
  std::unique_ptr<TMusicScore> score(ReadScoreFile(path.c_str(), info));
  if (!score || score->StaffCount() == 0) return "";
  return "v" + std::to_string(info.version) + " " + StaffText(*score->GetStaff(0));
}

// Setup put the music font on the system; the earlier program only checks for it. Copied into
// the Fonts folder and named under the fonts key, it is there for every process started after.
bool InstallMusicFont() {
  char windows[MAX_PATH];
  if (!GetWindowsDirectoryA(windows, MAX_PATH)) return false;
  const std::string target = std::string(windows) + "\\Fonts\\diru15.ttf";
  if (!FileExists(target) && !CopyFileA("diru15.ttf", target.c_str(), FALSE)) return false;
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const char file[] = "diru15.ttf";
  const LONG r = RegSetValueExA(key, "DIRU15 (TrueType)", 0, REG_SZ, reinterpret_cast<const BYTE*>(file), sizeof file);
  RegCloseKey(key);
  return r == ERROR_SUCCESS;
}

class EarlierProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(VmidiClient::Install(&error)) << error;
    ASSERT_TRUE(InstallMusicFont());
    sentBefore_ = VmidiClient::SentInAnyProcess(0);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "vc_earlier_program_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA("earlier\\QVK32.exe", Path("QVK32.exe").c_str(), FALSE)) << "the earlier QVK32.exe not built";
    ASSERT_TRUE(CopyFileA("QVMID32A.DLL", Path("QVMID32A.DLL").c_str(), FALSE));
    const char settings[] =
        "[Options]\r\nUsageTipsOnStartup=0\r\nSaveBackups=0\r\n[MIDI Out Ports]\r\n0=VMIDI Out A\r\n";
    HANDLE f = CreateFileA(Path("QVK.INI").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, settings, sizeof settings - 1, &written, nullptr);
    CloseHandle(f);
  }
  void TearDown() override {
    if (process_) process_->Terminate();
    process_.reset();
    for (const char* name : {"QVK32.exe", "QVMID32A.DLL", "QVK.INI", "song.qvk", "song.BAK"}) DeleteFileA(Path(name).c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Path(const char* name) const { return folder_ + "\\" + name; }

  // Works the dialog with this caption that the command opens.
  bool InDialog(HWND frame, UINT command, const char* caption, const std::function<void(HWND)>& work) {
    PostCommand(frame, command);
    HWND dialog = WaitForWindow(nullptr, caption, kWaitMs, process_->Id());
    if (!dialog) return false;
    work(dialog);
    return WaitForWindowGone(dialog, kWaitMs);
  }
  static bool ViewHasFocus(HWND view) {
    return PumpUntil(
        [&] {
          GUITHREADINFO gui{};
          gui.cbSize = sizeof gui;
          return GetGUIThreadInfo(GetWindowThreadProcessId(view, nullptr), &gui) && gui.hwndFocus == view;
        },
        kWaitMs);
  }
  static void ChoosePreset(HWND dialog, int preset) {
    SendDlgItemMessageA(dialog, 121, LB_SETCURSEL, preset, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(121, LBN_SELCHANGE), LPARAM(GetDlgItem(dialog, 121)));
  }
  bool SaveAndWait(HWND frame) {
    const std::string score = Path("song.qvk");
    FILETIME before{};
    auto stamp = [&] {
      WIN32_FILE_ATTRIBUTE_DATA data{};
      return GetFileAttributesExA(score.c_str(), GetFileExInfoStandard, &data) ? data.ftLastWriteTime : FILETIME{};
    };
    before = stamp();
    PostCommand(frame, CM_FILESAVE);
    return PumpUntil(
               [&] {
                 const FILETIME now = stamp();
                 return CompareFileTime(&before, &now) != 0;
               },
               kWaitMs) &&
           PumpUntil([&] { return !FileExists(Path("song.$$$")); }, kWaitMs);
  }

  std::string folder_;
  std::unique_ptr<TTestProcess> process_;
  uint32_t sentBefore_ = 0;
};

}  // namespace

TEST_F(EarlierProgramTest, OpensEditsPlaysPreviewsAndSavesAVersion9Score) {
  InstallAuditPass();
  {
    TMusicScore score;
    auto* staff = new TMusicStaff;
    staff->SetName("Melody");
    FillStaff(*staff, "q@0 q@1 | q@2 q@3");
    RunStaffAudit(staff, -1, -1);
    score.AppendStaff(staff);
    ASSERT_NE(SaveScoreFile(Path("song.qvk").c_str(), 0, score), 0);
  }
  process_ = std::make_unique<TTestProcess>(Path("QVK32.exe"), "\"" + Path("song.qvk") + "\"", folder_);
  ASSERT_TRUE(process_->Started());
  HWND frame = WaitForWindow("TVellichordFrame", nullptr, kStartTimeoutMs, process_->Id());
  ASSERT_TRUE(frame) << "the earlier frame's window class";
  HWND view = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (view = FindChild(frame, "TQVK17ScoreEdit")) != nullptr; }, kStartTimeoutMs));
  PumpFor(500);

  // Insert > Key Signature at the start: D major from the preset list.
  ASSERT_TRUE(InDialog(frame, CM_INS_KEYSIG, "Key Signature", [&](HWND d) {
    ChoosePreset(d, 3);
    ClickButton(d, IDOK);
  }));
  PumpFor(300);
  // Select the new key and edit it with Selection (Ctrl+E's command): F major.
  ASSERT_TRUE(ViewHasFocus(view)) << "the view has the keyboard after the dialog";
  PressKey(VK_LEFT, kShift);
  PumpFor(300);
  ASSERT_TRUE(InDialog(frame, CM_EDITSELECTION, "Key Signature", [&](HWND d) {
    ChoosePreset(d, 9);
    ClickButton(d, IDOK);
  }));
  ASSERT_TRUE(SaveAndWait(frame));
  EXPECT_EQ(FirstStaffOf(Path("song.qvk")), "v9 K-1 q q@1 | q@2 q@3");
  // Cancelling the dialog leaves the undo history as it was: one Undo takes back the edit.
  ASSERT_TRUE(InDialog(frame, CM_EDITSELECTION, "Key Signature", [&](HWND d) { ClickButton(d, IDCANCEL); }));
  PostCommand(frame, CM_UNDO);
  PumpFor(300);
  ASSERT_TRUE(SaveAndWait(frame));
  EXPECT_EQ(FirstStaffOf(Path("song.qvk")), "v9 K2 q q@1 | q@2 q@3");

  // Staff Playback Instrument sets the staff's patch; Insert > Tempo twice at the staff's end: the
  // second dialog opens with the tempo the first confirmed.
  ASSERT_TRUE(ViewHasFocus(view));
  PressKey(VK_END);
  PumpFor(300);
  ASSERT_TRUE(InDialog(frame, CM_STAFFINSTRUMENT, "Sound (Instrument) Patch", [&](HWND d) {
    SendDlgItemMessageA(d, 102, LB_SETCURSEL, 10, 0);
    ClickButton(d, IDOK);
  }));
  ASSERT_TRUE(InDialog(frame, CM_INS_TEMPO, "Tempo", [&](HWND d) {
    SetDlgItemTextA(d, 100, "90");
    ClickButton(d, IDOK);
  }));
  std::string reopened;
  ASSERT_TRUE(InDialog(frame, CM_INS_TEMPO, "Tempo", [&](HWND d) {
    reopened = GetText(GetDlgItem(d, 100));
    ClickButton(d, IDCANCEL);
  }));
  EXPECT_EQ(reopened, "90");
  ASSERT_TRUE(SaveAndWait(frame));
  {
    TScoreLoadInfo info;
    info.Clear();
    std::unique_ptr<TMusicScore> saved(ReadScoreFile(Path("song.qvk").c_str(), info));
    ASSERT_TRUE(saved);
    const TMusicStaff* staff = saved->GetStaff(0);
    EXPECT_EQ(staff->GetInstrument().patch, 10);
    const TTempoData* tempo = nullptr;
    for (int i = 1; i < staff->LastIndex() && !tempo; ++i) {
      if (staff->GetItem(i)->GetType() == ntTempo) tempo = static_cast<const TTempoData*>(staff->GetItem(i));
    }
    ASSERT_TRUE(tempo) << StaffText(*staff);
    EXPECT_EQ(tempo->GetTempo(TTempoData::tbQuarter), 90);
  }

  // Transpose Staff by two semitones (no chords: no warning); the key moves from D to E and the
  // staff's playback transposition takes the two semitones back.
  ASSERT_TRUE(InDialog(frame, CM_TRANSPOSE, "Staff Transpose", [&](HWND d) {
    SetDlgItemTextA(d, 101, "2");
    ClickButton(d, IDOK);
  }));
  EXPECT_FALSE(WaitForWindow(nullptr, "Staff Transpose Warning", 500, process_->Id()));
  ASSERT_TRUE(SaveAndWait(frame));
  {
    TScoreLoadInfo info;
    info.Clear();
    std::unique_ptr<TMusicScore> saved(ReadScoreFile(Path("song.qvk").c_str(), info));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->GetStaff(0)->GetTransposition(), -2);
    const std::string text = StaffText(*saved->GetStaff(0));
    EXPECT_NE(text.find("K4 "), std::string::npos) << text;
    EXPECT_EQ(text.find("K2 "), std::string::npos) << text;
  }

  if (const char* dir = std::getenv("VC_SCREENSHOT_DIR")) {
    SaveBmp(CaptureClient(frame), std::string(dir) + "\\earlier-program.bmp");
  }

  // The score window keeps room for a staff: a window made tiny keeps the height of twelve line
  // spacings and the scroll bar.
  HWND window = FindChild(frame, "TQVK17ScoreWindow");
  ASSERT_TRUE(window);
  ShowWindow(window, SW_RESTORE);
  SetWindowPos(window, nullptr, 0, 0, 20, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpFor(300);
  RECT small{};
  GetWindowRect(window, &small);
  EXPECT_GE(small.bottom - small.top, GetSystemMetrics(SM_CYHSCROLL) + 12 * 4 + GetSystemMetrics(SM_CYMIN));
  EXPECT_GT(small.right - small.left, 20);
  ShowWindow(window, SW_MAXIMIZE);
  PumpFor(300);

  // Play reaches the driver's first output.
  PostCommand(frame, CM_PLAY);
  EXPECT_TRUE(PumpUntil([&] { return VmidiClient::SentInAnyProcess(0) > sentBefore_; }, kWaitMs))
      << "no MIDI message reached the test driver";
  PumpFor(3000);

  // Print preview: the preview, or the notice that there is no printer.
  PostCommand(frame, CM_PRINTPREVIEW);
  HWND shown = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        shown = WaitForWindow("#32770", "Error Detected", 0, process_->Id());
        if (!shown) shown = WaitForWindow(nullptr, "Score Print Preview", 0, process_->Id());
        return shown != nullptr;
      },
      kWaitMs));
  PostMessageA(shown, WM_CLOSE, 0, 0);
  if (GetText(shown) == "Error Detected") ClickButton(shown, IDOK);
  ASSERT_TRUE(WaitForWindowGone(shown, kWaitMs));

  PostMessageA(frame, WM_CLOSE, 0, 0);
  DWORD code = 0xDEAD;
  EXPECT_TRUE(process_->WaitForExit(kWaitMs, &code));
  EXPECT_EQ(code, 0u);
}
