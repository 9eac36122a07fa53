// The earlier editor program end to end under Wine: it opens a score file of its own version,
// inserts and edits an item through the item dialogs, saves the change and its undoing, plays the
// score through the test MIDI driver and opens print preview.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/NotationTypes.h"
#include "resources/CommandIds.h"
#include "tests/editor/ProgramDriving.h"
#include "tests/mididriver/VmidiClient.h"
#include "tests/midi/SmfBytes.h"
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

using program_driving::FileExists;

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
    WriteSettings("");
  }
  // The program's settings file; `options` adds lines to its [Options] section.
  void WriteSettings(const std::string& options, const std::string& sections = "") {
    const std::string settings = "[Options]\r\nUsageTipsOnStartup=0\r\nSaveBackups=0\r\n" + options +
                                 "[MIDI Out Ports]\r\n0=VMIDI Out A\r\n" + sections;
    std::ofstream(Path("QVK.INI"), std::ios::binary) << settings;
  }
  // Writes song.qvk of one staff in the staff text, `fix` changing it first, and starts the
  // program on it; the view of its score window is returned.
  HWND StartOn(const std::string& text, const std::function<void(TMusicStaff&)>& fix = nullptr) {
    InstallAuditPass();
    {
      TMusicScore score;
      auto* staff = new TMusicStaff;
      staff->SetName("Melody");
      FillStaff(*staff, text);
      RunStaffAudit(staff, -1, -1);
      if (fix) fix(*staff);
      score.AppendStaff(staff);
      if (SaveScoreFile(Path("song.qvk").c_str(), 0, score) == 0) return nullptr;
    }
    process_ = std::make_unique<TTestProcess>(Path("QVK32.exe"), "\"" + Path("song.qvk") + "\"", folder_);
    if (!process_->Started()) return nullptr;
    frame_ = WaitForWindow("TVellichordFrame", nullptr, kStartTimeoutMs, process_->Id());
    if (!frame_) return nullptr;
    HWND view = nullptr;
    if (!PumpUntil([&] { return (view = FindChild(frame_, "TQVK17ScoreEdit")) != nullptr; }, kStartTimeoutMs)) return nullptr;
    PumpFor(500);
    return ViewHasFocus(view) ? view : nullptr;
  }
  // The saved score's first staff and its playback transposition, after a Save.
  std::string SavedStaff() {
    if (!SaveAndWait(frame_)) return "not saved";
    TScoreLoadInfo info;
    info.Clear();
    std::unique_ptr<TMusicScore> saved(ReadScoreFile(Path("song.qvk").c_str(), info));
    if (!saved) return "unreadable";
    return StaffText(*saved->GetStaff(0)) + " T" + std::to_string(saved->GetStaff(0)->GetTransposition());
  }
  // Ends the program by closing its frame; true when it left with exit code 0.
  bool CloseProgram() {
    PostMessageA(frame_, WM_CLOSE, 0, 0);
    DWORD code = 0xDEAD;
    return process_->WaitForExit(kWaitMs, &code) && code == 0;
  }
  void TearDown() override {
    if (process_) process_->Terminate();
    process_.reset();
    SetEnvironmentVariableA(kVmidiScriptVariable, nullptr);
    for (const char* name : {"QVK32.exe", "QVMID32A.DLL", "QVK.INI", "song.qvk", "song.BAK", "tune.mid", "tune0.mid"})
      DeleteFileA(Path(name).c_str());
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
  // Ctrl+Tab until the sheet shows a page with this control; the control, or null.
  static HWND ShowPageWith(HWND sheet, int id, const char* className) {
    for (int i = 0; i < 6; ++i) {
      if (HWND control = FindVisibleControl(sheet, id, className)) return control;
      Focus(sheet);
      PressKey(VK_TAB, kControl);
      PumpUntil([&] { return FindVisibleControl(sheet, id, className) != nullptr; }, 2000);
    }
    return nullptr;
  }
  // Chooses an entry of a page's combo box as the user would, with its change notice.
  static void ChooseInPage(HWND page, int id, int index) {
    SendDlgItemMessageA(page, id, CB_SETCURSEL, index, 0);
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(GetDlgItem(page, id)));
  }
  // The pure red pixels of the view; another process's window is read through its frame, as the
  // screen shows it.
  long RedPixelsIn(HWND view) const {
    const TPixels picture = CaptureClient(frame_);
    RECT area{};
    GetClientRect(view, &area);
    MapWindowPoints(view, frame_, reinterpret_cast<POINT*>(&area), 2);
    long red = 0;
    for (int y = std::max(0L, area.top); y < std::min<long>(area.bottom, picture.height); ++y)
      for (int x = std::max(0L, area.left); x < std::min<long>(area.right, picture.width); ++x)
        red += picture.At(x, y) == RGB(255, 0, 0);
    return red;
  }
  // Saves and reads the score back; null when either fails.
  std::unique_ptr<TMusicScore> SavedScore() {
    if (!SaveAndWait(frame_)) return nullptr;
    TScoreLoadInfo info;
    info.Clear();
    return std::unique_ptr<TMusicScore>(ReadScoreFile(Path("song.qvk").c_str(), info));
  }
  static void ChoosePreset(HWND dialog, int preset) {
    SendDlgItemMessageA(dialog, 121, LB_SETCURSEL, preset, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(121, LBN_SELCHANGE), LPARAM(GetDlgItem(dialog, 121)));
  }
  bool SaveAndWait(HWND frame) { return program_driving::SaveAndWait(frame, Path("song.qvk"), kWaitMs); }

  std::string folder_;
  HWND frame_ = nullptr;
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

namespace {

// Waits until the short messages the driver's first output took stop growing; the number taken.
uint32_t WaitForPlayEnd(uint32_t before) {
  uint32_t last = before;
  PumpUntil(
      [&] {
        PumpFor(1500);
        const uint32_t now = VmidiClient::SentInAnyProcess(0);
        const bool ended = now > before && now == last;
        last = now;
        return ended;
      },
      kWaitMs);
  return last - before;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

// Transpose Staff stops at each chord whose intervals may not be spelled in the new key: Show
// Next Chord goes on to the next one and is disabled at the last; Goto Score Editor leaves the
// staff as it was, with nothing to undo; Proceed transposes, and one Undo takes it back.
TEST_F(EarlierProgramTest, TransposeWarningShowsEachDoubtfulChord) {
  // Chords whose heads are double flats: moved down a tone they would need triple flats.
  HWND view = StartOn("q cq@3 q cq@3", [](TMusicStaff& staff) {
    for (int i : {2, 4}) {
      for (int h = 0; h < staff.GetItem(i)->GetNoteCount(); ++h) staff.GetItem(i)->GetNote(h)->SetAccidental(acDoubleFlat);
    }
  });
  ASSERT_TRUE(view);
  const std::string before = SavedStaff();
  ASSERT_EQ(before.find("not saved"), std::string::npos);
  auto transposeDown = [&] {
    PostCommand(frame_, CM_TRANSPOSE);
    HWND d = WaitForWindow(nullptr, "Staff Transpose", kWaitMs, process_->Id());
    if (!d) return HWND(nullptr);
    SetDlgItemTextA(d, 101, "-2");
    ClickButton(d, IDOK);
    return WaitForWindow(nullptr, "Staff Transpose Warning", kWaitMs, process_->Id());
  };

  HWND warn = transposeDown();
  ASSERT_TRUE(warn) << "the first chord trips the warning";
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(warn, 101))) << "a second chord follows";
  ClickButton(warn, 101);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowEnabled(GetDlgItem(warn, 101)); }, kWaitMs)) << "the last chord shown";
  ClickButton(warn, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(warn, kWaitMs));
  PostCommand(frame_, CM_UNDO);  // nothing recorded: the staff stays
  PumpFor(300);
  EXPECT_EQ(SavedStaff(), before);

  warn = transposeDown();
  ASSERT_TRUE(warn);
  ClickButton(warn, IDOK);
  ASSERT_TRUE(WaitForWindowGone(warn, kWaitMs));
  PumpFor(300);
  const std::string transposed = SavedStaff();
  EXPECT_NE(transposed, before);
  EXPECT_NE(transposed.find(" T2"), std::string::npos) << transposed;
  PostCommand(frame_, CM_UNDO);
  PumpFor(300);
  EXPECT_EQ(SavedStaff(), before);
  EXPECT_TRUE(CloseProgram());
}

// Play from the caret on the bar line that closes a repeat: the earlier line starts there, so the
// repeated bar plays again; from the note after it only that note plays. The driver's first
// output counts the difference: two notes, each on and off.
TEST_F(EarlierProgramTest, PlayStartsAtTheCaretsOwnItem) {
  WriteSettings("PlayFromCaret=1\r\nPlayLeadInMeasures=0\r\n");
  HWND view = StartOn("q@0 q@1 | q@2 q@3 | q@4", [](TMusicStaff& staff) {
    static_cast<TBarLineData*>(staff.GetItem(3))->SetStyle(TBarLineData::blLocalRepeatOpen);
    static_cast<TBarLineData*>(staff.GetItem(6))->SetStyle(TBarLineData::blLocalRepeatClose);
  });
  ASSERT_TRUE(view);
  PressKey(VK_HOME);
  for (int i = 0; i < 5; ++i) PressKey(VK_RIGHT);
  PumpFor(300);
  PostCommand(frame_, CM_PLAY);
  const uint32_t fromBar = WaitForPlayEnd(VmidiClient::SentInAnyProcess(0));
  ASSERT_TRUE(ViewHasFocus(view));
  PressKey(VK_RIGHT);
  PumpFor(300);
  PostCommand(frame_, CM_PLAY);
  const uint32_t fromNote = WaitForPlayEnd(VmidiClient::SentInAnyProcess(0));
  EXPECT_GT(fromNote, 0u);
  EXPECT_EQ(fromBar, fromNote + 4) << "from the bar " << fromBar << " messages, from the note " << fromNote;
  EXPECT_TRUE(CloseProgram());
}

// Import... opens a Standard MIDI File through its own dialog and the import wizard into a new
// score window; Export... offers "*.mid" for it and writes a Type 0 file when the second type is
// chosen.
TEST_F(EarlierProgramTest, ImportsAMidiFileAndExportsItAsType0) {
  {
    TBytes conductor = {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08, 0x00, 0xFF, 0x51, 0x03,
                        0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00};
    TBytes notes = {0x00, 0x90, 0x3C, 0x64, 0x81, 0x40, 0x80, 0x3C, 0x40, 0x00, 0x90, 0x3E, 0x64, 0x81, 0x40,
                    0x80, 0x3E, 0x40, 0x00, 0x90, 0x40, 0x64, 0x83, 0x00, 0x80, 0x40, 0x40, 0x00, 0xFF, 0x2F, 0x00};
    TBytes file = SmfHeader(1, 2, 192);
    for (const TBytes& body : {conductor, notes}) {
      const TBytes chunk = SmfTrack(body);
      file.insert(file.end(), chunk.begin(), chunk.end());
    }
    std::ofstream(Path("tune.mid"), std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
  }
  ASSERT_TRUE(StartOn("q"));
  PostCommand(frame_, CM_IMPORT);
  ASSERT_TRUE(program_driving::AnswerFileDialog(process_->Id(), "Import Midi File", -1, Path("tune.mid"), kWaitMs));
  HWND wizard = WaitForWindow(nullptr, "MIDI Import Wizard", kWaitMs, process_->Id());
  ASSERT_TRUE(wizard);
  ClickButton(wizard, IDOK);
  ASSERT_TRUE(WaitForWindowGone(wizard, kWaitMs));
  auto windows = [&] {
    int n = 0;
    for (HWND h = FindChild(frame_, "TQVK17ScoreWindow"); h; h = FindWindowExA(GetParent(h), h, "TQVK17ScoreWindow", nullptr)) ++n;
    return n;
  };
  ASSERT_TRUE(PumpUntil([&] { return windows() == 2; }, kWaitMs)) << "the import opens a window of its own";
  PumpFor(500);

  PostCommand(frame_, CM_EXPORT);
  std::string offered;
  ASSERT_TRUE(program_driving::AnswerFileDialog(process_->Id(), "File Export/Publish", 1, Path("tune0.mid"), kWaitMs, &offered));
  EXPECT_EQ(offered, "*.mid");
  ASSERT_TRUE(PumpUntil([&] { return FileBytes(Path("tune0.mid")).size() > 22; }, kWaitMs));
  PumpFor(500);
  const std::vector<uint8_t> bytes = FileBytes(Path("tune0.mid"));
  ASSERT_GT(bytes.size(), 14u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "MThd");
  EXPECT_EQ(bytes[8] * 256 + bytes[9], 0) << "format 0";
  EXPECT_EQ(bytes[10] * 256 + bytes[11], 1) << "one track";
  // The three imported notes are in it.
  for (uint8_t key : {0x3C, 0x3E, 0x40}) {
    bool found = false;
    for (size_t i = 0; i + 2 < bytes.size() && !found; ++i) found = (bytes[i] & 0xF0) == 0x90 && bytes[i + 1] == key && bytes[i + 2] > 0;
    EXPECT_TRUE(found) << "note " << int(key);
  }
  EXPECT_TRUE(CloseProgram());
}

// The pitch-bend wheel of a MIDI keyboard, played through the test driver's input: pushed up it
// gives the selected notes the next shorter duration, pulled down the next longer one; each
// change is one Undo.
TEST_F(EarlierProgramTest, MidiWheelSetsTheSelectionsDuration) {
  WriteSettings("AcceptMidiInput=0\r\n", "[MIDI In Ports]\r\n0=VMIDI In A\r\n");
  // Wheel up (bend 120), back to the middle (64), down (10).
  SetEnvironmentVariableA(kVmidiScriptVariable, "0:7800E0;0:4000E0;0:0A00E0");
  HANDLE step = CreateEventA(nullptr, FALSE, FALSE, kVmidiScriptEvent);
  ASSERT_TRUE(step);
  HWND view = StartOn("q q q | q");
  ASSERT_TRUE(view);
  // The wheel steps from the duration tool: the quarter, chosen before the notes are selected.
  PostCommand(frame_, CM_QUARTER);
  PumpFor(300);
  PressKey(VK_HOME);
  for (int i = 0; i < 3; ++i) PressKey(VK_RIGHT, kShift);
  PumpFor(300);  // the keys before the command
  PostCommand(frame_, CM_MIDIINPUT);
  char accept[8] = {};
  ASSERT_TRUE(PumpUntil(
      [&] {
        GetPrivateProfileStringA("Options", "AcceptMidiInput", "0", accept, sizeof accept, Path("QVK.INI").c_str());
        return accept[0] == '1';
      },
      kWaitMs))
      << "MIDI input on";
  // The option is stored before the view takes the input; a message the view answers marks the
  // end of the command.
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(view, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &answer));
  auto play = [&](int messages) {
    for (int i = 0; i < messages; ++i) {
      SetEvent(step);
      PumpFor(500);
    }
  };
  play(1);
  EXPECT_EQ(SavedStaff(), "e e e | q T0");
  play(2);
  EXPECT_EQ(SavedStaff(), "q q q | q T0");
  PostCommand(frame_, CM_UNDO);
  PumpFor(300);
  EXPECT_EQ(SavedStaff(), "e e e | q T0");
  CloseHandle(step);
  EXPECT_TRUE(CloseProgram());
}

// The view draws its current staff in the colour the "ActiveStaffColor" option names; the staff
// properties' Midi page shows the staff's default instrument and changes it in the patch dialog;
// the lyrics page moves the staff's upper boundary by the room its lines take. Each change is in
// the saved file, and one Undo takes it back.
TEST_F(EarlierProgramTest, StaffColoursPlaybackPageAndLyricsPage) {
  WriteSettings("ActiveStaffColor=5\r\n");  // highlight 1, red unless the settings say otherwise
  HWND view = StartOn("q@0 q@1 | q@2 q@3", [](TMusicStaff& staff) {
    staff.SetVerticalSize(-20, 20);  // the earlier line takes the extent above the staff first
    staff.SetInstrument({1, 300, 0});
  });
  ASSERT_TRUE(view);
  PumpFor(300);
  EXPECT_GT(RedPixelsIn(view), 100) << "the current staff's lines and notes in colour 5";

  // Staff properties: the Midi page shows "Off" and "<None>" for bank select with no patch.
  PostCommand(frame_, CM_STAFFPROPERTIES);
  HWND sheet = WaitForWindow(nullptr, "Properties for Melody", kWaitMs, process_->Id());
  ASSERT_TRUE(sheet);
  EXPECT_FALSE(ShowPageWith(sheet, 102, "ListBox")) << "no Instrument page in the earlier line";
  HWND change = ShowPageWith(sheet, 111, "Button");
  ASSERT_TRUE(change) << "the Midi page's Change... button";
  HWND page = GetParent(change);
  EXPECT_EQ(GetText(GetDlgItem(page, 104)), "Off");
  EXPECT_EQ(GetText(GetDlgItem(page, 105)), "<None>");
  ClickButton(page, 111);
  HWND patch = WaitForWindow(nullptr, "Sound (Instrument) Patch", kWaitMs, process_->Id());
  ASSERT_TRUE(patch);
  SendDlgItemMessageA(patch, 102, LB_SETCURSEL, 12, 0);
  ClickButton(patch, IDOK);
  ASSERT_TRUE(WaitForWindowGone(patch, kWaitMs));
  EXPECT_TRUE(PumpUntil([&] { return GetText(GetDlgItem(page, 105)) == "12"; }, kWaitMs));
  EXPECT_EQ(GetText(GetDlgItem(page, 104)), "300");
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs));
  auto saved = SavedScore();
  ASSERT_TRUE(saved);
  const TMusicStaff* staff = saved->GetStaff(0);
  EXPECT_EQ(staff->GetInstrument().patch, 12);
  EXPECT_EQ(staff->GetInstrument().bank, 300);
  EXPECT_EQ(staff->GetUpperSize(), -20) << "the sheet keeps the staff's extents";
  EXPECT_EQ(staff->GetLowerSize(), 20);
  PostCommand(frame_, CM_UNDO);
  PumpFor(300);
  saved = SavedScore();
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->GetStaff(0)->GetInstrument().patch, 0) << "after Undo";

  // Lyrics: two lines above the staff, then one. The page has no alignment and no size edits.
  auto lyricsPage = [&](int count, int placement) {
    PostCommand(frame_, CM_LYRICS);
    HWND lyrics = WaitForWindow(nullptr, "Staff Lyrics", kWaitMs, process_->Id());
    if (!lyrics) return false;
    HWND combo = ShowPageWith(lyrics, 101, "ComboBox");
    if (!combo) return false;
    HWND config = GetParent(combo);
    EXPECT_FALSE(GetDlgItem(config, 104) || GetDlgItem(config, 201) || GetDlgItem(config, 202));
    ChooseInPage(config, 101, count);
    ChooseInPage(config, 102, placement);
    PumpFor(200);
    ClickButton(lyrics, IDOK);
    return WaitForWindowGone(lyrics, kWaitMs);
  };
  ASSERT_TRUE(lyricsPage(2, 1));
  saved = SavedScore();
  ASSERT_TRUE(saved && saved->GetStaff(0)->GetLyrics());
  EXPECT_EQ(saved->GetStaff(0)->GetLyrics()->GetLineCount(), 2);
  const int twoLines = saved->GetStaff(0)->GetUpperSize();
  const int lineHeight = (-20 - twoLines) / 2;
  EXPECT_GT(lineHeight, 0) << "the top moved up by the room of two lines";
  EXPECT_EQ(-20 - twoLines, 2 * lineHeight);
  EXPECT_EQ(saved->GetStaff(0)->GetLowerSize(), 20);
  ASSERT_TRUE(lyricsPage(1, 1));
  saved = SavedScore();
  ASSERT_TRUE(saved && saved->GetStaff(0)->GetLyrics());
  EXPECT_EQ(saved->GetStaff(0)->GetLyrics()->GetLineCount(), 1);
  EXPECT_EQ(saved->GetStaff(0)->GetUpperSize(), -20 - lineHeight) << "one line's room is given back";
  PostCommand(frame_, CM_UNDO);
  PumpFor(300);
  saved = SavedScore();
  ASSERT_TRUE(saved && saved->GetStaff(0)->GetLyrics());
  EXPECT_EQ(saved->GetStaff(0)->GetLyrics()->GetLineCount(), 2) << "after Undo";
  EXPECT_EQ(saved->GetStaff(0)->GetUpperSize(), twoLines);
  EXPECT_EQ(saved->GetStaff(0)->GetLowerSize(), 20);
  EXPECT_TRUE(CloseProgram());
}

// The earlier line's options sheet: no boxes for the two options it does not store, and the
// colour of the active staff chosen on the Color page, written to the settings file by OK and
// taken by the open view at once.
TEST_F(EarlierProgramTest, OptionsSheetChoosesTheActiveStaffColour) {
  HWND view = StartOn("q@0 q@1 | q@2 q@3");
  ASSERT_TRUE(view);
  PumpFor(300);
  EXPECT_LT(RedPixelsIn(view), 20) << "the active staff starts in its own colour";

  PostCommand(frame_, CM_OPTIONS);
  HWND sheet = WaitForWindow(nullptr, "Options", kWaitMs, process_->Id());
  ASSERT_TRUE(sheet);
  HWND active = ShowPageWith(sheet, 104, "ComboBox");
  ASSERT_TRUE(active) << "the Color page's active staff list";
  HWND color = GetParent(active);
  EXPECT_EQ(SendDlgItemMessageA(color, 103, CB_GETCURSEL, 0, 0), 4) << "play highlight";
  EXPECT_EQ(SendMessageA(active, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendDlgItemMessageA(color, 105, CB_GETCURSEL, 0, 0), 2) << "inactive staff";
  EXPECT_EQ(SendMessageA(active, CB_GETCOUNT, 0, 0), 8) << "one entry a staff colour";
  ChooseInPage(color, 104, 5);  // highlight 1, red
  HWND smartInsert = ShowPageWith(sheet, 106, "Button");
  ASSERT_TRUE(smartInsert) << "the Editor page";
  HWND editor = GetParent(smartInsert);
  EXPECT_FALSE(GetDlgItem(editor, 111)) << "no \"Smart properties on insert\"";
  EXPECT_FALSE(GetDlgItem(editor, 112)) << "no \"Follow playing notes\"";
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs));

  const std::string ini = Path("QVK.INI");
  EXPECT_EQ(GetPrivateProfileIntA("Options", "ActiveStaffColor", -1, ini.c_str()), 5);
  EXPECT_EQ(GetPrivateProfileIntA("Options", "NotePlayColor", -1, ini.c_str()), 4);
  EXPECT_EQ(GetPrivateProfileIntA("Options", "InactiveStaffColor", -1, ini.c_str()), 2);
  EXPECT_EQ(GetPrivateProfileIntA("Options", "ChasePlayingNotes", -1, ini.c_str()), -1);
  EXPECT_EQ(GetPrivateProfileIntA("Options", "SmartPropertiesInsert", -1, ini.c_str()), -1);
  EXPECT_TRUE(PumpUntil([&] { return RedPixelsIn(view) > 100; }, kWaitMs)) << "the view redrawn in the new colour";
  EXPECT_TRUE(CloseProgram());
}
