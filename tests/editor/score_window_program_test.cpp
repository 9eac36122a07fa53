// The editor end to end: it opens a score named on its command line, real keystrokes move the
// caret, insert, delete and move notes, Save writes the file, and the file holds the expected
// items; a killed editor comes back with its auto-saved edits. Opening a score at all shows that
// the program installed the audit pass before reading it: the model's audit hooks refuse to run
// uninstalled.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <set>
#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "foundation/QXTFStream.h"
#include "resources/CommandIds.h"
#include "tests/editor/EditorProgramFixture.h"
#include "tests/editor/ProgramDriving.h"
#include "tests/mididriver/VmidiClient.h"
#include "tests/staffutl/StaffText.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/TestProcess.h"

using namespace guidriver;
using namespace program_driving;

namespace {

using editor_program::kFrameClass;
using editor_program::kStartTimeoutMs;
using editor_program::kViewClass;
using editor_program::kWaitMs;
using editor_program::kWindowClass;

class ScoreWindowProgramTest : public editor_program::TEditorProgramTest {
protected:
  void WriteSettings(const char* text) { WriteFileText("QVK.INI", text); }

  // Writes the settings and a one-staff song.qvk, starts the editor on it and waits until its view
  // has the focus; answers the frame (null on failure).
  HWND StartOnSample(const char* settings, const char* staffText, HWND& view) {
    WriteSettings(settings);
    if (!WriteSample(Path("song.qvk"), staffText)) return nullptr;
    Start("\"" + Path("song.qvk") + "\"");
    HWND frame = WaitForView(view);
    return frame && WaitForViewFocus(view) ? frame : nullptr;
  }

  // Waits until the view has the keyboard focus of its thread, as SendInput needs.
  static bool WaitForViewFocus(HWND view) { return WaitForFocus(view, kWaitMs); }

  static bool ChooseMenuItem(HWND view, WORD menuKey, WORD itemKey) {
    return program_driving::ChooseMenuItem(view, menuKey, itemKey, kWaitMs);
  }
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
  // The caption comes with the window's first size event, a moment after the view exists.
  EXPECT_TRUE(PumpUntil([&] { return GetText(window) == "<Recovered File 1>"; }, kWaitMs)) << GetText(window);
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

namespace {

// Fills in the open Save As dialog: the file type (its place in the list) and the name, then OK.
bool AnswerSaveAs(DWORD process, int typeIndex, const std::string& name) {
  return program_driving::AnswerFileDialog(process, "Save As", typeIndex, name, kWaitMs);
}

// Waits until the file exists and has stopped growing.
bool WaitForFile(const std::string& path) {
  DWORD size = 0;
  return PumpUntil(
      [&] {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
        const bool steady = data.nFileSizeLow > 0 && data.nFileSizeLow == size;
        size = data.nFileSizeLow;
        if (!steady) PumpFor(200);
        return steady;
      },
      kWaitMs);
}

}  // namespace

// Save As to a Type 0 MIDI file writes the file and leaves the window as it was; Save As to a
// score file moves the window to the new file, which holds the edits.
TEST_F(ScoreWindowProgramTest, SaveAsExportsMidiAndMovesToANewScoreFile) {
  const std::string score = Path("song.qvk");
  HWND view = nullptr;
  HWND frame = StartOnSample("[Options]\r\nSaveBackups=0\r\nUsageTipsOnStartup=0\r\n", "q@0 q@1 | q@2 q@3", view);
  ASSERT_TRUE(frame);
  const std::string original = FileBytes(score);
  HWND window = FindChild(frame, kWindowClass);
  ASSERT_TRUE(window);
  PressKey(VK_DELETE);
  PumpFor(300);

  ASSERT_TRUE(PostCommand(frame, CM_FILESAVEAS));
  ASSERT_TRUE(AnswerSaveAs(process_->Id(), 2, Path("export"))) << OpenBox();
  const std::string midi = Path("export.mid");
  ASSERT_TRUE(WaitForFile(midi)) << OpenBox();
  const std::string bytes = FileBytes(midi);
  ASSERT_GE(bytes.size(), 14u);
  EXPECT_EQ(bytes.substr(0, 4), "MThd");
  EXPECT_EQ(bytes[8], 0);
  EXPECT_EQ(bytes[9], 0) << "a Type 0 file";
  EXPECT_EQ(GetText(window), "song") << "the export leaves the window's file and title";

  ASSERT_TRUE(PostCommand(frame, CM_FILESAVEAS));
  ASSERT_TRUE(AnswerSaveAs(process_->Id(), 0, Path("copy"))) << OpenBox();
  const std::string copy = Path("copy.qvk");
  ASSERT_TRUE(WaitForFile(copy)) << OpenBox();
  EXPECT_TRUE(PumpUntil([&] { return GetText(window) == "copy"; }, kWaitMs)) << GetText(window);
  EXPECT_EQ(FirstStaffOf(copy), "q@1 | q@2 q@3");
  EXPECT_EQ(FileBytes(score), original) << "the old file is left alone";

  // Saved to its new file: closing asks nothing.
  PostMessageA(frame, WM_CLOSE, 0, 0);
  DWORD code = 0xDEAD;
  EXPECT_TRUE(process_->WaitForExit(kWaitMs, &code)) << OpenBox();
  EXPECT_EQ(code, 0u);
}

TEST_F(ScoreWindowProgramTest, RevertAsksAndBringsBackTheSavedScore) {
  const std::string score = Path("song.qvk");
  HWND view = nullptr;
  HWND frame = StartOnSample("[Options]\r\nSaveBackups=0\r\nUsageTipsOnStartup=0\r\n", "q@0 q@1 | q@2", view);
  ASSERT_TRUE(frame);
  PressKey(VK_DELETE);
  PumpFor(300);

  // Cancel keeps the edit.
  ASSERT_TRUE(PostCommand(frame, CM_FILEREVERT));
  HWND box = WaitForWindow("#32770", "File Revert", kWaitMs, process_->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(ReadMessageBox(box).text, "Are you sure you want to revert back to the saved version?");
  ClickButton(box, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  ASSERT_TRUE(SaveNow(frame));
  EXPECT_EQ(FirstStaffOf(score), "q@1 | q@2");

  // Another edit, then OK: the file's score comes back, unmodified.
  PressKey(VK_DELETE);
  PumpFor(300);
  ASSERT_TRUE(PostCommand(frame, CM_FILEREVERT));
  box = WaitForWindow("#32770", "File Revert", kWaitMs, process_->Id());
  ASSERT_TRUE(box);
  ClickButton(box, IDOK);
  ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  PumpFor(500);
  // The new view takes keys: Delete removes the first note of the reverted score.
  HWND reverted = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (reverted = FindChild(frame, kViewClass)) != nullptr; }, kWaitMs));
  ASSERT_TRUE(WaitForViewFocus(reverted));
  PressKey(VK_DELETE);
  ASSERT_TRUE(SaveNow(frame));
  // Without the revert the second Delete's "| q@2" would have lost its bar line now.
  EXPECT_EQ(FirstStaffOf(score), "| q@2") << "the edit went to the reverted score";
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process_->WaitForExit(kWaitMs)) << OpenBox();
}

namespace {

// The score in the file revision before the current one, which kept no count of staff lines: the
// current file with that byte taken out of the staff record and the older revision number.
bool WriteOlderRevision(const std::string& path, const char* staffText) {
  InstallAuditPass();
  TMusicScore score;
  auto* staff = new TMusicStaff;
  staff->SetName("Melody");
  // Sizes no other field of the file holds, to find the staff record by.
  staff->SetVerticalSize(13, -11);
  FillStaff(*staff, staffText);
  RunStaffAudit(staff, -1, -1);
  score.AppendStaff(staff);
  if (!SaveScoreFile(path.c_str(), 0, score)) return false;
  std::string bytes = FileBytes(path);
  uint32_t versionAt = 0;
  {
    TQXTFStream file(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path.c_str());
    TScoreLoadInfo info;
    info.Clear();
    if (!ReadScoreHeader(file, info) || info.version != 16) return false;
    versionAt = file.Tell() - 2;
  }
  const std::string sizes("\xF5\xFF\x0D\x00", 4);
  const size_t at = bytes.find(sizes);
  if (at == std::string::npos || bytes.find(sizes, at + 1) != std::string::npos) return false;
  bytes.erase(at + sizes.size(), 1);
  bytes[versionAt] = 15;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(f);
  return ok;
}

bool IsConvertedScore(const std::string& path) {
  TScoreLoadInfo info;
  info.Clear();
  std::unique_ptr<TMusicScore> score(ReadScoreFile(path.c_str(), info));
  return score && info.status == slConverted && score->IsConverted();
}

}  // namespace

// Declining to write a score over its older file revision is not a save: the file keeps its
// revision and a close waits for the user.
TEST_F(ScoreWindowProgramTest, NoToTheOlderRevisionPromptSavesNothingAndKeepsTheWindow) {
  WriteSettings("[Options]\r\nSaveBackups=0\r\nUsageTipsOnStartup=0\r\n");
  const std::string score = Path("song.qvk");
  // Rests: the revisions differ in how notes are stored, not rests.
  ASSERT_TRUE(WriteOlderRevision(score, "rq rh | rh"));
  ASSERT_TRUE(IsConvertedScore(score));
  ASSERT_EQ(FirstStaffOf(score), "rq rh | rh");
  const std::string original = FileBytes(score);
  Start("\"" + score + "\"");
  HWND view = nullptr;
  HWND frame = WaitForView(view);
  ASSERT_TRUE(frame) << OpenBox();
  ASSERT_TRUE(WaitForViewFocus(view));
  PressKey(VK_DELETE);
  PumpFor(300);

  ASSERT_TRUE(PostCommand(frame, CM_FILESAVE));
  HWND box = WaitForWindow("#32770", "File Open", kWaitMs, process_->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(ReadMessageBox(box).text.substr(0, 28), "Warning for File: song.qvk\n\n");
  ClickButton(box, IDNO);
  ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  PumpFor(500);
  EXPECT_EQ(FileBytes(score), original);

  // Closing asks to save; Yes meets the same prompt, and No there keeps the window open.
  PostMessageA(frame, WM_CLOSE, 0, 0);
  box = WaitForWindow("#32770", "Save Confirmation", kWaitMs, process_->Id());
  ASSERT_TRUE(box);
  ClickButton(box, IDYES);
  box = WaitForWindow("#32770", "File Open", kWaitMs, process_->Id());
  ASSERT_TRUE(box);
  ClickButton(box, IDNO);
  ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  PumpFor(1000);
  EXPECT_TRUE(process_->IsRunning());
  EXPECT_TRUE(IsWindow(view)) << "the window stays open";
  EXPECT_EQ(FileBytes(score), original) << "nothing was written";
  EXPECT_TRUE(IsConvertedScore(score));
}

// Zoom... takes a staff size in its dialog; an odd size moves on to the next even one in the
// direction of the change, and the score keeps the size it was given.
TEST_F(ScoreWindowProgramTest, TheZoomDialogSetsAnEvenStaffSize) {
  WriteSettings("[Options]\r\nSaveBackups=0\r\nUsageTipsOnStartup=0\r\n");
  const std::string score = Path("song.qvk");
  ASSERT_TRUE(WriteSample(score, "q@0 q@1 | q@2"));
  int before = 0;
  {
    TScoreLoadInfo info;
    info.Clear();
    std::unique_ptr<TMusicScore> read(ReadScoreFile(score.c_str(), info));
    ASSERT_TRUE(read);
    before = read->GetZoomIndex();
  }
  ASSERT_GT(before, 7) << "the case needs a smaller size asked for";
  Start("\"" + score + "\"");
  HWND view = nullptr;
  HWND frame = WaitForView(view);
  ASSERT_TRUE(frame);
  ASSERT_TRUE(PostCommand(frame, CM_ZOOM));
  HWND dialog = WaitForWindow("#32770", "Zoom", kWaitMs, process_->Id());
  ASSERT_TRUE(dialog) << OpenBox();
  EXPECT_EQ(GetText(GetDlgItem(dialog, 101)), std::to_string(before));
  SendMessageA(GetDlgItem(dialog, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForWindowGone(dialog, kWaitMs));
  ASSERT_TRUE(SaveNow(frame));
  TScoreLoadInfo info;
  info.Clear();
  std::unique_ptr<TMusicScore> saved(ReadScoreFile(score.c_str(), info));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->GetZoomIndex(), 6);
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process_->WaitForExit(kWaitMs)) << OpenBox();
}

// Record without a record device asks first, and No leaves everything as it was; Play on a port
// that does not open warns, and No plays on without it; Import Recording with nothing recorded
// says so. The port is named in the settings, so the test MIDI driver other tests install in the
// prefix changes nothing here.
TEST_F(ScoreWindowProgramTest, PlayAndRecordAskForDevicesAndImportNeedsARecording) {
  HWND view = nullptr;
  HWND frame = StartOnSample("[Options]\r\nUsageTipsOnStartup=0\r\nMidiPortUsage=1\r\n"
                             "[MIDI Out Ports]\r\n0=No Such Port\r\n",
                             "q@0 q@1 | q@2", view);
  ASSERT_TRUE(frame);

  ASSERT_TRUE(PostCommand(frame, CM_IMPORTRECORDING));
  HWND box = WaitForWindow("#32770", "Recording Data Not Present", kWaitMs, process_->Id());
  ASSERT_TRUE(box) << OpenBox();
  EXPECT_EQ(ReadMessageBox(box).text,
            "There is not any music data in the recording buffer.\n\nYou need to record a performance before this "
            "command can be used.");
  ClickButton(box, IDOK);
  ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));

  ASSERT_TRUE(PostCommand(frame, CM_RECORD));
  box = WaitForWindow("#32770", "No MIDI Record Device", kWaitMs, process_->Id());
  ASSERT_TRUE(box) << OpenBox();
  ClickButton(box, IDNO);
  ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  PumpFor(500);
  EXPECT_EQ(WaitForWindow("#32770", nullptr, 500, process_->Id()), nullptr) << OpenBox();

  // Yes opens the options sheet on its Record page, whatever page it last showed; closing it
  // lets the command go on, so whatever it asks next about the missing devices is declined.
  ASSERT_TRUE(PostCommand(frame, CM_RECORD));
  box = WaitForWindow("#32770", "No MIDI Record Device", kWaitMs, process_->Id());
  ASSERT_TRUE(box) << OpenBox();
  EXPECT_TRUE(program_driving::YesOpensTheRecordPage(box, process_->Id(), kWaitMs)) << OpenBox();
  for (int asked = 0; asked < 4; ++asked) {
    box = WaitForWindow("#32770", nullptr, 2000, process_->Id());
    if (!box) break;
    ClickButton(box, GetDlgItem(box, IDNO) ? IDNO : IDOK);
    ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  }
  ASSERT_TRUE(PostCommand(frame, CM_STOP));
  PumpFor(500);

  ASSERT_TRUE(PostCommand(frame, CM_PLAY));
  box = WaitForWindow("#32770", "Midi Device Warning", kWaitMs, process_->Id());
  ASSERT_TRUE(box) << OpenBox();
  EXPECT_EQ(ReadMessageBox(box).text,
            "One or more of your selected MIDI devices are failing to open.\n\nWould you like to go to the MIDI "
            "options tab to investigate?");
  ClickButton(box, IDNO);
  ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  PumpFor(500);
  EXPECT_EQ(WaitForWindow("#32770", nullptr, 500, process_->Id()), nullptr) << OpenBox();
  ASSERT_TRUE(PostCommand(frame, CM_STOP));
  PumpFor(500);
  // Stopped, and unchanged: closing asks nothing.
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process_->WaitForExit(kWaitMs)) << OpenBox();
}

// Record plays the score out of a port whose output the test MIDI driver hands back to its input,
// so what the editor plays is what it records.
class RecordingProgramTest : public ScoreWindowProgramTest {
protected:
  // Starts the editor on a two-bar sample with the given "RecImportAction", then Record.
  HWND StartRecording(int importAction) {
    if (!VmidiClient::InstallReporting()) return nullptr;
    // The editor inherits the variable; the driver it loads then loops its first output back.
    SetEnvironmentVariableA("VMIDI_LOOPBACK", "1");
    const std::string settings = "[Options]\r\nUsageTipsOnStartup=0\r\nSaveBackups=0\r\nMidiPortUsage=1\r\n"
                                 "AcceptMidiInput=0\r\nRecImportAction=" + std::to_string(importAction) +
                                 "\r\n[MIDI Out Ports]\r\n0=VMIDI Out A\r\n[MIDI In Ports]\r\n0=VMIDI In A\r\n";
    HWND view = nullptr;
    HWND frame = StartOnSample(settings.c_str(), "q@0 q@1 | q@2 q@3", view);
    SetEnvironmentVariableA("VMIDI_LOOPBACK", nullptr);
    if (frame) PostCommand(frame, CM_RECORD);
    return frame;
  }
};

// When the play ends by itself the recording opens in a new score window of its own.
TEST_F(RecordingProgramTest, ARecordingOpensInANewWindow) {
  HWND frame = StartRecording(0);
  ASSERT_TRUE(frame);
  // Two bars and the trailing pause of a play that opens its ports for itself.
  ASSERT_TRUE(PumpUntil([&] { return CountScoreWindows(frame) == 2; }, 60000)) << OpenBox();
  HWND client = FindChild(frame, "MDIClient");
  ASSERT_TRUE(client);
  std::string active;
  EXPECT_TRUE(PumpUntil(
      [&] {
        auto* child = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        active = child ? GetText(child) : "";
        return active == "<Recording01>";
      },
      kWaitMs))
      << active;
  process_->Terminate();
}

// With "RecImportAction" 1 the recorded part joins the score that played, as an "Import" staff in
// the group "Record", and the score is changed.
TEST_F(RecordingProgramTest, ARecordingJoinsTheScoreThatPlayed) {
  HWND frame = StartRecording(1);
  ASSERT_TRUE(frame);
  const std::string score = Path("song.qvk");
  std::unique_ptr<TMusicScore> saved;
  // Saved over and over until the recorded staff is there: the play takes a few seconds.
  EXPECT_TRUE(PumpUntil(
      [&] {
        if (!SaveNow(frame)) return false;
        TScoreLoadInfo info;
        info.Clear();
        saved.reset(ReadScoreFile(score.c_str(), info));
        return saved && saved->StaffCount() == 2;
      },
      60000))
      << OpenBox();
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->StaffCount(), 2);
  EXPECT_STREQ(saved->GetStaff(1)->GetName(), "Import");
  EXPECT_STREQ(saved->GetStaff(1)->GetGroupName(), "Record");
  EXPECT_EQ(StaffText(*saved->GetStaff(0)), "q q@1 | q@2 q@3") << "the played staff is as it was";
  EXPECT_EQ(CountScoreWindows(frame), 1);
  process_->Terminate();
}

// Import Recording shows the instruction it will use: the recorded channel and the range of the
// recorded keys. Cancel adds nothing; OK with the range narrowed to the highest key takes only
// that key into the new "Import" staff.
TEST_F(RecordingProgramTest, ImportRecordingAsksForItsInstruction) {
  HWND frame = StartRecording(0);
  ASSERT_TRUE(frame);
  HWND song = FindChild(frame, kWindowClass);
  ASSERT_TRUE(song);
  // The recording's own window shows that the play has ended; the song is made active again so
  // that Save writes it.
  ASSERT_TRUE(PumpUntil([&] { return CountScoreWindows(frame) == 2; }, 60000)) << OpenBox();
  HWND client = FindChild(frame, "MDIClient");
  ASSERT_TRUE(client);
  SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(song), 0);

  auto openInstruction = [&]() -> HWND {
    if (!PostCommand(song, CM_IMPORTRECORDING)) return nullptr;
    return WaitForWindow("#32770", "Import Instruction", kWaitMs, process_->Id());
  };
  HWND dialog = openInstruction();
  ASSERT_TRUE(dialog) << OpenBox();
  ClickButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(dialog, kWaitMs));
  ASSERT_TRUE(SaveNow(frame));
  {
    TScoreLoadInfo info;
    info.Clear();
    std::unique_ptr<TMusicScore> saved(ReadScoreFile(Path("song.qvk").c_str(), info));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->StaffCount(), 1) << "Cancel imports nothing";
  }

  dialog = openInstruction();
  ASSERT_TRUE(dialog) << OpenBox();
  HWND lowest = GetDlgItem(dialog, 102);
  HWND highest = GetDlgItem(dialog, 103);
  const LRESULT low = SendMessageA(lowest, CB_GETCURSEL, 0, 0);
  const LRESULT high = SendMessageA(highest, CB_GETCURSEL, 0, 0);
  EXPECT_LT(low, high) << "the sample plays four different keys";
  EXPECT_EQ(IsDlgButtonChecked(dialog, 110), BST_CHECKED) << "the staff plays on channel 1";
  SendMessageA(lowest, CB_SETCURSEL, high, 0);
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForWindowGone(dialog, kWaitMs)) << OpenBox();
  // The conversion runs under the "Working" dialog, which answers messages while it polls its
  // Cancel: saved until the staff is there.
  std::unique_ptr<TMusicScore> saved;
  PumpUntil(
      [&] {
        if (!SaveNow(frame)) return false;
        TScoreLoadInfo info;
        info.Clear();
        saved.reset(ReadScoreFile(Path("song.qvk").c_str(), info));
        return saved && saved->StaffCount() == 2;
      },
      kWaitMs);
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->StaffCount(), 2) << OpenBox();
  const TMusicStaff& imported = *saved->GetStaff(1);
  EXPECT_STREQ(imported.GetName(), "Import");
  // The kept key may come in tied pieces; they all stand on one staff position.
  std::set<int> positions;
  for (int i = 1; i < imported.LastIndex(); ++i) {
    const TNotatedItem* item = imported.GetItem(i);
    for (int h = 0; h < item->GetNoteCount(); ++h) positions.insert(item->GetNote(h)->GetPosition());
  }
  EXPECT_EQ(positions.size(), 1u) << StaffText(imported);
  process_->Terminate();
}
