// The editor end to end: it opens a score named on its command line, real keystrokes move the
// caret, insert, delete and move notes, Save writes the file, and the file holds the expected
// items; a killed editor comes back with its auto-saved edits. Opening a score at all shows that
// the program installed the audit pass before reading it: the model's audit hooks refuse to run
// uninstalled.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "resources/CommandIds.h"
#include "tests/editor/ProgramDriving.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/TestProcess.h"

using namespace guidriver;
using namespace program_driving;

namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kWaitMs = 30000;
const char kFrameClass[] = "TQVK17VellichordFrame";
const char kViewClass[] = "TQVK17ScoreEdit";
const char kWindowClass[] = "TQVK17ScoreWindow";

std::string TempRoot() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

class ScoreWindowProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = TempRoot() + "vc_scorewin_" + info->name() + "_" + std::to_string(GetCurrentProcessId());
    RemoveFolder(folder_ + "\\AutoSave");
    RemoveFolder(folder_);
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((folder_ + "\\AutoSave").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA("QVK32.exe", Path("QVK32.exe").c_str(), FALSE)) << "QVK32.exe not built";
    ASSERT_TRUE(CopyFileA("QVMID32B.DLL", Path("QVMID32B.DLL").c_str(), FALSE));
  }

  void TearDown() override {
    if (process_) process_->Terminate();
    process_.reset();
    RemoveFolder(folder_ + "\\AutoSave");
    RemoveFolder(folder_);
  }

  static void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::string path = folder + "\\" + found.cFileName;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
      } while (FindNextFileA(h, &found));
      FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
  }

  std::string Path(const char* name) const { return folder_ + "\\" + name; }

  void WriteSettings(const char* text) {
    HANDLE f = CreateFileA(Path("QVK.INI").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, text, lstrlenA(text), &written, nullptr);
    CloseHandle(f);
  }

  void Start(const std::string& arguments) {
    process_ = std::make_unique<TTestProcess>(Path("QVK32.exe"), arguments, folder_);
    ASSERT_TRUE(process_->Started());
  }

  // The frame once a score view exists in it, with the view's window.
  HWND WaitForView(HWND& view) {
    HWND frame = WaitForWindow(kFrameClass, nullptr, kStartTimeoutMs, process_->Id());
    if (!frame) return nullptr;
    PumpUntil([&] { return (view = FindChild(frame, kViewClass)) != nullptr; }, kStartTimeoutMs);
    return view ? frame : nullptr;
  }

  // Waits until the view has the keyboard focus of its thread, as SendInput needs.
  static bool WaitForViewFocus(HWND view) { return WaitForFocus(view, kWaitMs); }

  // The caption and text of a box the editor shows, for failure messages.
  std::string OpenBox() const {
    HWND box = WaitForWindow("#32770", nullptr, 500, process_->Id());
    if (!box) return "no box open";
    const TMessageBoxText text = ReadMessageBox(box);
    return "box \"" + text.caption + "\": " + text.text;
  }

  static bool ChooseMenuItem(HWND view, WORD menuKey, WORD itemKey) {
    return program_driving::ChooseMenuItem(view, menuKey, itemKey, kWaitMs);
  }

  std::string folder_;
  std::unique_ptr<TTestProcess> process_;
};

}  // namespace

TEST_F(ScoreWindowProgramTest, KeystrokesEditTheScoreAndSaveWritesIt) {
  WriteSettings("[Options]\r\nSaveBackups=1\r\nUsageTipsOnStartup=0\r\n");
  const std::string score = Path("song.qvk");
  ASSERT_TRUE(WriteSample(score, "q@0 q@1 | q@2 q@3"));
  Start("\"" + score + "\"");
  HWND view = nullptr;
  HWND frame = WaitForView(view);
  ASSERT_TRUE(frame) << "no score window opened";
  HWND window = FindChild(frame, kWindowClass);
  ASSERT_TRUE(window);
  EXPECT_EQ(GetText(window), "song");
  ASSERT_TRUE(WaitForViewFocus(view));

  // Right moves past the first note; Delete removes the second.
  PressKey(VK_RIGHT);
  PressKey(VK_DELETE);
  // Insert > Note through the menu's keys: a quarter note at the caret's position.
  PressKey(VK_UP);
  PressKey(VK_UP);
  ASSERT_TRUE(ChooseMenuItem(view, 'I', 'N'));
  // Shift+Left selects the new note; Ctrl+Shift+Down moves it one step down.
  PressKey(VK_LEFT, kShift);
  PressKey(VK_DOWN, kControl | kShift);
  // End, then Backspace removes the last note; Ctrl+Z brings it back.
  PressKey(VK_END);
  PressKey(VK_BACK);
  PressKey('Z', kControl);
  PumpFor(500);
  char title[260] = {};
  GetWindowTextA(frame, title, sizeof title);
  ASSERT_TRUE(PostCommand(frame, CM_FILESAVE)) << title;
  // Only names are polled until the save is done: reading the file would hold it open while the
  // editor renames it.
  const std::string backup = Path("song.BAK");
  const std::string temporary = Path("song.$$$");
  EXPECT_TRUE(PumpUntil([&] { return FileExists(backup) && !FileExists(temporary); }, kWaitMs)) << OpenBox();
  PumpFor(200);
  EXPECT_EQ(FirstStaffOf(score), "q q@-1 | q@2 q@3") << OpenBox();
  EXPECT_EQ(FirstStaffOf(Path("song.BAK")), "q q@1 | q@2 q@3") << "the old file is the backup";

  PostMessageA(frame, WM_CLOSE, 0, 0);
  DWORD code = 0xDEAD;
  EXPECT_TRUE(process_->WaitForExit(kWaitMs, &code)) << "a saved score closes without a question";
  EXPECT_EQ(code, 0u);
}

TEST_F(ScoreWindowProgramTest, AKilledEditorRecoversItsAutoSavedEdits) {
  WriteSettings("[Options]\r\nAutoSaveMinutes=1\r\nUsageTipsOnStartup=0\r\n");
  const std::string score = Path("song.qvk");
  ASSERT_TRUE(WriteSample(score, "q@0 q@1 | q@2"));
  Start("\"" + score + "\"");
  HWND view = nullptr;
  HWND frame = WaitForView(view);
  ASSERT_TRUE(frame);
  ASSERT_TRUE(WaitForViewFocus(view));
  PressKey(VK_DELETE);
  // The frame's timer auto-saves a changed score once a minute.
  const std::string copy = folder_ + "\\AutoSave\\qvk000.asv";
  ASSERT_TRUE(PumpUntil([&] { return FirstStaffOf(copy) == "q@1 | q@2"; }, 120000)) << FirstStaffOf(copy);
  process_->Terminate();
  ASSERT_TRUE(process_->WaitForExit(kWaitMs));
  process_.reset();
  EXPECT_EQ(FirstStaffOf(score), "q q@1 | q@2") << "the score file itself was never saved";

  Start("");
  HWND warning = WaitForWindow("#32770", "Warning", kStartTimeoutMs, process_->Id());
  ASSERT_TRUE(warning) << "no recovery notice";
  ClickButton(warning, IDOK);
  HWND recovered = nullptr;
  frame = WaitForView(recovered);
  ASSERT_TRUE(frame);
  HWND window = FindChild(frame, kWindowClass);
  ASSERT_TRUE(window);
  // The recovered window's caption may come a moment after its view.
  PumpUntil([&] { return GetText(window) == "<Recovered File 1>"; }, kWaitMs);
  EXPECT_EQ(GetText(window), "<Recovered File 1>");
}

TEST_F(ScoreWindowProgramTest, CloseAsksAndCancelKeepsTheChangedScoreOpen) {
  WriteSettings("[Options]\r\nUsageTipsOnStartup=0\r\n");
  const std::string score = Path("song.qvk");
  ASSERT_TRUE(WriteSample(score, "q@0 q@1 | q@2"));
  Start("\"" + score + "\"");
  HWND view = nullptr;
  HWND frame = WaitForView(view);
  ASSERT_TRUE(frame);
  ASSERT_TRUE(WaitForViewFocus(view));
  PressKey(VK_DELETE);
  PumpFor(300);
  PostMessageA(frame, WM_CLOSE, 0, 0);
  HWND box = WaitForWindow("#32770", "Save Confirmation", kWaitMs, process_->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(ReadMessageBox(box).text, "song:\n\nThis file has changed.\nDo you wish to save it?");
  ClickButton(box, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  PumpFor(500);
  EXPECT_TRUE(IsWindow(view)) << "Cancel keeps the window open";
  EXPECT_TRUE(process_->IsRunning());

  // Asked again (still modified); No closes without saving.
  PostMessageA(frame, WM_CLOSE, 0, 0);
  box = WaitForWindow("#32770", "Save Confirmation", kWaitMs, process_->Id());
  ASSERT_TRUE(box);
  ClickButton(box, IDNO);
  DWORD code = 0xDEAD;
  EXPECT_TRUE(process_->WaitForExit(kWaitMs, &code));
  EXPECT_EQ(FirstStaffOf(score), "q q@1 | q@2");
}

TEST_F(ScoreWindowProgramTest, AFailedSaveKeepsTheOnlyCopyAndSaysSo) {
  WriteSettings("[Options]\r\nSaveBackups=0\r\nUsageTipsOnStartup=0\r\n");
  const std::string score = Path("song.qvk");
  ASSERT_TRUE(WriteSample(score, "q@0 q@1 | q@2"));
  // A folder where the new copy would be written: the write fails as on a full disk.
  ASSERT_TRUE(CreateDirectoryA(Path("song.$$$").c_str(), nullptr));
  Start("\"" + score + "\"");
  HWND view = nullptr;
  HWND frame = WaitForView(view);
  ASSERT_TRUE(frame);
  ASSERT_TRUE(WaitForViewFocus(view));
  PressKey(VK_DELETE);
  PumpFor(300);
  ASSERT_TRUE(PostCommand(frame, CM_FILESAVE));
  HWND box = WaitForWindow("#32770", "File Save", kWaitMs, process_->Id());
  ASSERT_TRUE(box) << "the user is told";
  EXPECT_EQ(ReadMessageBox(box).text, "File: song.qvk\n\nThis file failed to be properly saved.");
  ClickButton(box, IDOK);
  ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  EXPECT_EQ(FirstStaffOf(score), "q q@1 | q@2") << "the old file is whole";
  // Still modified: closing asks.
  PostMessageA(frame, WM_CLOSE, 0, 0);
  box = WaitForWindow("#32770", "Save Confirmation", kWaitMs, process_->Id());
  ASSERT_TRUE(box);
  ClickButton(box, IDNO);
  EXPECT_TRUE(process_->WaitForExit(kWaitMs));
}

namespace {

std::string FileBytes(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "";
  std::string bytes(GetFileSize(f, nullptr), '\0');
  DWORD got = 0;
  if (!bytes.empty()) ReadFile(f, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(f);
  bytes.resize(got);
  return bytes;
}

// Saves through the frame and waits until the command has run.
bool SaveNow(HWND frame) {
  PumpFor(500);  // the keystrokes sent before are handled first
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(frame, WM_COMMAND, CM_FILESAVE, 0, SMTO_NORMAL, kWaitMs, &result) != 0;
}

}  // namespace

TEST_F(ScoreWindowProgramTest, UndoToTheStartSavesTheOriginalBytesAndRedoTheEditedOnes) {
  WriteSettings("[Options]\r\nSaveBackups=0\r\nUsageTipsOnStartup=0\r\n");
  const std::string score = Path("song.qvk");
  ASSERT_TRUE(WriteSample(score, "q@0 q@1 | q@2 q@3 | h@0"));
  const std::string original = FileBytes(score);
  ASSERT_FALSE(original.empty());
  Start("\"" + score + "\"");
  HWND view = nullptr;
  HWND frame = WaitForView(view);
  ASSERT_TRUE(frame);
  ASSERT_TRUE(WaitForViewFocus(view));
  // Three edits: delete the first note, insert a note in the second bar, move it up.
  PressKey(VK_DELETE);
  PressKey(VK_RIGHT, kControl);
  PressKey(VK_UP);
  ASSERT_TRUE(ChooseMenuItem(view, 'I', 'N'));
  PressKey(VK_LEFT, kShift);
  PressKey(VK_UP, kControl | kShift);
  ASSERT_TRUE(SaveNow(frame));
  const std::string edited = FileBytes(score);
  ASSERT_NE(edited, original);
  EXPECT_EQ(FirstStaffOf(score), "q@1 | q@-2 q@2 q@3 | h");

  for (int i = 0; i < 3; ++i) PressKey('Z', kControl);
  ASSERT_TRUE(SaveNow(frame));
  EXPECT_EQ(FileBytes(score), original) << "undone to the start: " << FirstStaffOf(score);

  for (int i = 0; i < 3; ++i) PressKey('Y', kControl);
  ASSERT_TRUE(SaveNow(frame));
  EXPECT_EQ(FileBytes(score), edited) << "redone to the end: " << FirstStaffOf(score);

  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process_->WaitForExit(kWaitMs));
}

// Print Preview belongs to the score window: with a printer it opens the preview on the score,
// without one the user is told that a printer is needed. Either way the command reaches the window.
TEST_F(ScoreWindowProgramTest, PrintPreviewRunsFromTheScoreWindow) {
  WriteSettings("[Options]\r\nUsageTipsOnStartup=0\r\n");
  const std::string score = Path("song.qvk");
  ASSERT_TRUE(WriteSample(score, "q@0 q@1 | q@2"));
  Start("\"" + score + "\"");
  HWND view = nullptr;
  HWND frame = WaitForView(view);
  ASSERT_TRUE(frame);
  ASSERT_TRUE(PostCommand(frame, CM_PRINTPREVIEW));
  HWND shown = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        shown = WaitForWindow("#32770", "Error Detected", 0, process_->Id());
        if (!shown) shown = WaitForWindow(nullptr, "Score Print Preview", 0, process_->Id());
        return shown != nullptr;
      },
      kWaitMs));
  if (GetText(shown) == "Error Detected") {
    EXPECT_EQ(ReadMessageBox(shown).text,
              "There is no default printer.\n\nA printer must be installed before this operation can be performed.");
    ClickButton(shown, IDOK);
  } else {
    PostMessageA(shown, WM_CLOSE, 0, 0);
  }
  ASSERT_TRUE(WaitForWindowGone(shown, kWaitMs));
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process_->WaitForExit(kWaitMs));
}

namespace {

BOOL CALLBACK CountChildrenOfClass(HWND hwnd, LPARAM lParam) {
  auto* found = reinterpret_cast<std::pair<const char*, int>*>(lParam);
  char name[64];
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpA(name, found->first) == 0) ++found->second;
  return TRUE;
}

int CountScoreWindows(HWND frame) {
  std::pair<const char*, int> found{kWindowClass, 0};
  EnumChildWindows(frame, CountChildrenOfClass, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

}  // namespace

// A file that a score window already shows, named again in another letter case, brings that window
// forward instead of opening a second copy of the score.
TEST_F(ScoreWindowProgramTest, AFileAlreadyOpenActivatesItsWindow) {
  WriteSettings("[Options]\r\nUsageTipsOnStartup=0\r\n");
  ASSERT_TRUE(WriteSample(Path("song.qvk"), "q@0 q@1 | q@2"));
  ASSERT_TRUE(WriteSample(Path("other.qvk"), "q@3 | q@4"));
  std::string again = Path("SONG.QVK");
  Start("\"" + Path("song.qvk") + "\" \"" + Path("other.qvk") + "\" \"" + again + "\"");
  HWND view = nullptr;
  HWND frame = WaitForView(view);
  ASSERT_TRUE(frame);
  HWND client = FindChild(frame, "MDIClient");
  ASSERT_TRUE(client);
  // The command line is walked in order: song, other, then song again; a window's caption is its
  // file's base name.
  std::string active;
  EXPECT_TRUE(PumpUntil(
      [&] {
        if (CountScoreWindows(frame) != 2) return false;
        auto* child = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        active = child ? GetText(child) : "";
        return active == "song";
      },
      kWaitMs))
      << "active: " << active;
  PumpFor(500);
  EXPECT_EQ(CountScoreWindows(frame), 2);
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process_->WaitForExit(kWaitMs));
}
