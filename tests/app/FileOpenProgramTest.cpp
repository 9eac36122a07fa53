// File opening end to end: a test build of the editor (the editor program with a stand-in score
// window that shows in its caption what it was given) runs in a folder of its own; this program
// hands it files as another program would, as a DDE client of service "QVK32" and topic "System",
// and by dropping files on its frame, then reads its windows, answers its boxes and captures its
// debugger output.
#include <gtest/gtest.h>
#include <windows.h>
#include <ddeml.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreFile.h"
#include "foundation/TextUtils.h"
#include "tests/support/guidriver/DebugOutputCapture.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/TestProcess.h"

using namespace guidriver;

namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kWaitMs = 30000;
const char kFrameClass[] = "TQVK17VellichordFrame";
constexpr int kStatusBarId = 32040;
const char kInvalidText[] = "Invalid Execute Command";

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// One DDE client conversation, made and ended on the calling thread.
class TDdeClient {
public:
  TDdeClient(const char* service = "QVK32", const char* topic = "System") {
    if (DdeInitializeA(&instance_, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return;
    HSZ s = DdeCreateStringHandleA(instance_, service, CP_WINANSI);
    HSZ t = DdeCreateStringHandleA(instance_, topic, CP_WINANSI);
    conversation_ = DdeConnect(instance_, s, t, nullptr);
    DdeFreeStringHandle(instance_, s);
    DdeFreeStringHandle(instance_, t);
  }
  ~TDdeClient() {
    if (conversation_) DdeDisconnect(conversation_);
    if (instance_) DdeUninitialize(instance_);
  }
  bool Connected() const { return conversation_ != nullptr; }
  // True when the server acknowledged the execute string (sent with its terminating zero).
  bool Execute(const std::string& command, DWORD timeoutMs = 20000) {
    if (!conversation_) return false;
    DWORD result = 0;
    std::vector<BYTE> data(command.begin(), command.end());
    data.push_back(0);
    HDDEDATA r = DdeClientTransaction(data.data(), static_cast<DWORD>(data.size()), conversation_, nullptr, 0,
                                      XTYP_EXECUTE, timeoutMs, &result);
    return r != nullptr && (result & DDE_FACK) != 0;
  }

private:
  DWORD instance_ = 0;
  HCONV conversation_ = nullptr;
};

// Runs one execute string on a helper thread, for commands that raise a box in the editor.
std::unique_ptr<TScript> ExecuteLater(const std::string& command) {
  return std::make_unique<TScript>([command] { TDdeClient().Execute(command, 60000); });
}

std::vector<unsigned char> ScoreFileBytes(int staves, const char* title) {
  TMusicScore score;
  StrCopyMax(score.Info().title, title, sizeof score.Info().title);
  for (int i = 0; i < staves; ++i) score.AppendStaff(new TMusicStaff);
  char temp[MAX_PATH], name[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  GetTempFileNameA(temp, "vct", 0, name);
  EXPECT_EQ(SaveScoreFile(name, 0, score), 1);
  std::ifstream in(name, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
  in.close();
  DeleteFileA(name);
  return bytes;
}

// A Standard MIDI File of one track with a C major chord.
std::vector<unsigned char> MidiFileBytes() {
  const unsigned char track[] = {0x00, 0x90, 60, 80, 0x00, 0x90, 64, 80, 0x00, 0x90, 67, 80, 0x83, 0x00, 0x80, 60, 0,
                                 0x00, 0x80, 64, 0,  0x00, 0x80, 67, 0,  0x00, 0xFF, 0x2F, 0x00};
  std::vector<unsigned char> b = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0,
                                  static_cast<unsigned char>(sizeof track)};
  b.insert(b.end(), track, track + sizeof track);
  return b;
}

class FileOpenProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "vc_fileopen_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    RemoveFolder();
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(Path("sub").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA("QVK32_fileopen.exe", Path("QVK32.exe").c_str(), FALSE)) << "QVK32_fileopen.exe not built";
    ASSERT_TRUE(CopyFileA("QVMID32B.DLL", Path("QVMID32B.DLL").c_str(), FALSE));
  }
  void TearDown() override {
    if (process_) process_->Terminate();
    process_.reset();
    RemoveFolder();
  }
  void RemoveFolder() {
    SHFILEOPSTRUCTA op{};
    const std::string from = folder_ + std::string(1, '\0');
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
  }
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
  void Write(const std::string& name, const std::vector<unsigned char>& bytes) const {
    std::ofstream out(Path(name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  // Starts the editor in its folder and waits for "Ready".
  HWND StartEditor(const std::string& arguments = "") {
    process_ = std::make_unique<TTestProcess>(Path("QVK32.exe"), arguments, folder_);
    if (!process_->Started()) return nullptr;
    HWND frame = WaitForWindow(kFrameClass, nullptr, kStartTimeoutMs, process_->Id());
    if (!frame) return nullptr;
    HWND status = GetDlgItem(frame, kStatusBarId);
    if (!PumpUntil([&] { return GetText(status) == " Ready"; }, kStartTimeoutMs)) return nullptr;
    client_ = FindWindowExA(frame, nullptr, "MDICLIENT", nullptr);
    return client_ ? frame : nullptr;
  }

  std::vector<std::string> ScoreWindows() const {
    std::vector<std::string> out;
    for (HWND h = GetWindow(client_, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) out.push_back(GetText(h));
    std::sort(out.begin(), out.end());
    return out;
  }
  bool WaitForScoreWindows(size_t count) const {
    return PumpUntil([&] { return ScoreWindows().size() == count; }, kWaitMs);
  }
  std::string ActiveScoreWindow() const {
    HWND active = reinterpret_cast<HWND>(SendMessageA(client_, WM_MDIGETACTIVE, 0, 0));
    return active ? GetText(active) : "";
  }
  // A box of the editor. This thread keeps taking its messages meanwhile: a DDE client on a
  // helper thread broadcasts its connection request to every top-level window, this thread's too.
  HWND WaitForEditorBox(const char* caption) const {
    HWND box = nullptr;
    PumpUntil([&] { return (box = WaitForWindow("#32770", caption, 0, process_->Id())) != nullptr; }, kWaitMs);
    return box;
  }
  static bool Finish(TScript& script) { return PumpUntil([&] { return script.Finished(); }, kWaitMs); }
  // The import wizard that the editor shows for a MIDI file (its "UseImportWizOnOpen" is on by
  // default): Next through its steps, then Finish once it is enabled. False when it did not show.
  bool WalkImportWizard() const {
    HWND wizard = nullptr;
    PumpUntil([&] { return (wizard = WaitForWindow("#32770", "MIDI Import Wizard", 0, process_->Id())) != nullptr; },
              kWaitMs);
    if (!wizard) return false;
    HWND finish = GetDlgItem(wizard, IDOK);
    for (int step = 0; step < 8 && !IsWindowEnabled(finish); ++step) {
      ClickButton(wizard, 501);
      PumpUntil([&] { return IsWindowEnabled(finish) != 0; }, 500);
    }
    if (!IsWindowEnabled(finish)) return false;
    ClickButton(wizard, IDOK);
    return WaitForWindowGone(wizard, kWaitMs);
  }
  // The File Open box's text after pressing OK on it.
  std::string AnswerFileOpenBox() {
    HWND box = WaitForEditorBox("File Open");
    if (!box) return "(no box)";
    const std::string text = ReadMessageBox(box).text;
    ClickButton(box, IDOK);
    WaitForWindowGone(box, kWaitMs);
    return text;
  }
  DWORD CloseAndWait(HWND frame) {
    PostMessageA(frame, WM_CLOSE, 0, 0);
    DWORD code = 0xDEAD;
    EXPECT_TRUE(process_->WaitForExit(kWaitMs, &code));
    return code;
  }

  // Drops the files on the window as the shell does: a DROPFILES block in the editor's own memory.
  bool DropFiles(HWND window, const std::vector<std::string>& paths) {
    std::vector<char> block(sizeof(DROPFILES));
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    for (const std::string& p : paths) {
      block.insert(block.end(), p.begin(), p.end());
      block.push_back('\0');
    }
    block.push_back('\0');
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process_->Id());
    if (!process) return false;
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    SIZE_T written = 0;
    const bool ok = remote && WriteProcessMemory(process, remote, block.data(), block.size(), &written) &&
                    written == block.size();
    CloseHandle(process);
    return ok && PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
  }

  std::string folder_;
  HWND client_ = nullptr;
  std::unique_ptr<TTestProcess> process_;
};

TEST_F(FileOpenProgramTest, ADdeClientOpensFilesAndAFileGivenTwiceActivatesItsWindow) {
  Write("First.qvk", ScoreFileBytes(2, "First song"));
  Write("Second.qxt", ScoreFileBytes(1, "Second song"));
  Write("sub\\Third.qvk", ScoreFileBytes(3, "Third song"));
  HWND frame = StartEditor();
  ASSERT_TRUE(frame);

  TDdeClient client;
  ASSERT_TRUE(client.Connected());
  EXPECT_TRUE(client.Execute("[Open(\"" + Path("First.qvk") + "\")]"));
  ASSERT_TRUE(WaitForScoreWindows(1));
  // Keyword in capitals, path unquoted, blanks and a line feed around.
  EXPECT_TRUE(client.Execute("  [OPEN(" + Path("Second.qxt") + ")]\r\n"));
  ASSERT_TRUE(WaitForScoreWindows(2));
  EXPECT_EQ(ActiveScoreWindow(), "Second.qxt | Second song | 1 staves | read");
  // The reader's progress follows the load's status message, staff by staff, and its last text stays
  // until the next status change.
  EXPECT_EQ(GetText(GetDlgItem(frame, kStatusBarId)), "  Auditing Staff");

  // The first file again, in other letter case: its window comes forward, no copy opens.
  std::string again = Path("FIRST.QVK");
  EXPECT_TRUE(client.Execute("[open(" + again + ")]"));
  EXPECT_TRUE(PumpUntil([&] { return ActiveScoreWindow() == "First.qvk | First song | 2 staves | read"; }, kWaitMs));
  EXPECT_EQ(ScoreWindows().size(), 2u);

  // Null is acknowledged and does nothing; a relative path is taken from the editor's folder.
  EXPECT_TRUE(client.Execute("[Null()]"));
  EXPECT_TRUE(client.Execute("[Open(sub\\Third.qvk)]"));
  ASSERT_TRUE(WaitForScoreWindows(3));
  EXPECT_EQ(ScoreWindows(), (std::vector<std::string>{"First.qvk | First song | 2 staves | read",
                                                      "Second.qxt | Second song | 1 staves | read",
                                                      "Third.qvk | Third song | 3 staves | read"}));

  // Other topics and services are refused.
  EXPECT_FALSE(TDdeClient("QVK32", "Other").Connected());
  EXPECT_FALSE(TDdeClient("QVK33", "System").Connected());
  EXPECT_EQ(CloseAndWait(frame), 0u);
  // Withdrawn at shut-down: nobody answers the service any more.
  EXPECT_FALSE(TDdeClient().Connected());
}

TEST_F(FileOpenProgramTest, MalformedExecuteStringsAreRefusedAndNamedInTheDebuggerOutput) {
  Write("Song.qvk", ScoreFileBytes(1, "Song"));
  TDebugOutputCapture capture;
  ASSERT_TRUE(capture.Started());
  HWND frame = StartEditor();
  ASSERT_TRUE(frame);
  const DWORD editor = process_->Id();

  const std::string songPath = Path("Song.qvk");
  // The long one's first 459 bytes read as a valid Null: it must be refused whole, not cut.
  const std::string longCommand = "[Null()]" + std::string(451, ' ') + "[Open(" + songPath + ")]";
  const std::vector<std::string> malformed = {
      "Open(" + songPath + ")",       "[Close(" + songPath + ")]", "[Open " + songPath + "]",
      "[Open(" + songPath + "]",      "[Open(" + std::string(300, 'a') + ".qvk)]", longCommand,
  };
  TDdeClient client;
  ASSERT_TRUE(client.Connected());
  for (const std::string& command : malformed) EXPECT_FALSE(client.Execute(command)) << command.substr(0, 40);
  EXPECT_TRUE(PumpUntil(
      [&] {
        const auto texts = capture.Texts(editor);
        return std::count(texts.begin(), texts.end(), kInvalidText) == static_cast<long>(malformed.size());
      },
      kWaitMs));
  const auto texts = capture.Texts(editor);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), kInvalidText), static_cast<long>(malformed.size()));
  EXPECT_EQ(ScoreWindows().size(), 0u);

  // A valid command still works afterwards and writes nothing to the debugger.
  capture.Clear();
  EXPECT_TRUE(client.Execute("[Open(" + songPath + ")]"));
  ASSERT_TRUE(WaitForScoreWindows(1));
  EXPECT_TRUE(capture.Texts(editor).empty());
  EXPECT_EQ(CloseAndWait(frame), 0u);
}

TEST_F(FileOpenProgramTest, DroppedFilesOpenAndAMidiFileIsImported) {
  Write("Dropped.qvk", ScoreFileBytes(2, "Dropped"));
  Write("Chord.MID", MidiFileBytes());
  Write("notes.txt", {'x'});
  HWND frame = StartEditor();
  ASSERT_TRUE(frame);
  ASSERT_TRUE(DropFiles(frame, {Path("Dropped.qvk"), Path("Chord.MID"), Path("notes.txt")}));
  EXPECT_TRUE(WalkImportWizard());
  EXPECT_EQ(AnswerFileOpenBox(),
            "File: notes.txt\n\nVellichord does not recognize the file type 'txt', so it is unable to open the file.");
  ASSERT_TRUE(WaitForScoreWindows(2));
  const std::vector<std::string> windows = ScoreWindows();
  EXPECT_EQ(windows[1], "Dropped.qvk | Dropped | 2 staves | read");
  EXPECT_EQ(windows[0].substr(0, 17), "Chord.MID | Chord");
  EXPECT_NE(windows[0].find("| imported"), std::string::npos) << windows[0];

  // Dropped again: no second window.
  ASSERT_TRUE(DropFiles(frame, {Path("dropped.QVK")}));
  EXPECT_TRUE(PumpUntil([&] { return ActiveScoreWindow() == "Dropped.qvk | Dropped | 2 staves | read"; }, kWaitMs));
  EXPECT_EQ(ScoreWindows().size(), 2u);
  EXPECT_EQ(CloseAndWait(frame), 0u);
}

// Tools > Options in the editor: OK writes the settings file at once, and with "Use Import Wizard
// on Open" cleared a MIDI file opens without the wizard.
TEST_F(FileOpenProgramTest, OptionsSheetSavesAtOnceAndTheWizardOptionIsHonoured) {
  Write("Chord.MID", MidiFileBytes());
  HWND frame = StartEditor();
  ASSERT_TRUE(frame);
  ASSERT_TRUE(PostCommand(frame, 36));
  HWND sheet = nullptr;
  PumpUntil([&] { return (sheet = WaitForWindow("#32770", "Options", 0, process_->Id())) != nullptr; }, kWaitMs);
  ASSERT_TRUE(sheet);
  HWND wizardBox = FindControl(sheet, 130);
  ASSERT_TRUE(wizardBox) << "the File page's \"Use Import Wizard on Open\"";
  EXPECT_EQ(SendMessageA(wizardBox, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(wizardBox, BM_SETCHECK, BST_UNCHECKED, 0);
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs));
  EXPECT_EQ(GetPrivateProfileIntA("Options", "UseImportWizOnOpen", -1, Path("QVK.INI").c_str()), 0)
      << "written when the sheet closed, not at exit";

  ASSERT_TRUE(DropFiles(frame, {Path("Chord.MID")}));
  ASSERT_TRUE(WaitForScoreWindows(1));
  EXPECT_EQ(WaitForWindow("#32770", "MIDI Import Wizard", 0, process_->Id()), nullptr);
  EXPECT_NE(ScoreWindows()[0].find("| imported"), std::string::npos) << ScoreWindows()[0];
  EXPECT_EQ(CloseAndWait(frame), 0u);
}

TEST_F(FileOpenProgramTest, AScoreDamagedByATextModeTransferIsRepairedAndOpens) {
  std::vector<unsigned char> damaged;
  for (unsigned char b : ScoreFileBytes(10, "Ten staves")) {
    if (b == '\n') damaged.push_back('\r');
    damaged.push_back(b);
  }
  Write("Damaged.qvk", damaged);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  auto countTemporaries = [&] {
    WIN32_FIND_DATAA found;
    int n = 0;
    HANDLE h = FindFirstFileA((std::string(temp) + "qvk*.tmp").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do ++n;
    while (FindNextFileA(h, &found));
    FindClose(h);
    return n;
  };
  const int temporariesBefore = countTemporaries();
  HWND frame = StartEditor();
  ASSERT_TRUE(frame);
  auto script = ExecuteLater("[Open(" + Path("Damaged.qvk") + ")]");
  HWND box = WaitForEditorBox("Improper File Translation");
  ASSERT_TRUE(box);
  EXPECT_EQ(ReadMessageBox(box).text,
            "File: Damaged.qvk\n\nThis binary file appears to have been improperly treated as an ASCII file. Would "
            "you like this program to attempt an automatic recovery of this file?");
  ClickButton(box, IDYES);
  ASSERT_TRUE(WaitForScoreWindows(1));
  EXPECT_EQ(ScoreWindows()[0], "Damaged.qvk | Ten staves | 10 staves | read");
  EXPECT_TRUE(Finish(*script));
  EXPECT_EQ(countTemporaries(), temporariesBefore);
  EXPECT_EQ(CloseAndWait(frame), 0u);
}

TEST_F(FileOpenProgramTest, DamagedAndHostileFilesShowTheirMessageAndOpenNothing) {
  std::vector<unsigned char> newer = ScoreFileBytes(1, "Newer");
  newer[55] = 17;  // format version
  newer[36] = 0x50;  // release 0x150
  Write("Newer.qvk", newer);
  std::vector<unsigned char> hostile(4000);
  for (size_t i = 0; i < hostile.size(); ++i) hostile[i] = static_cast<unsigned char>((i * 7919u) >> 3);
  hostile[10] = '\n';
  Write("Hostile.qvk", hostile);
  Write("Good.qvk", ScoreFileBytes(1, "Good"));
  HWND frame = StartEditor();
  ASSERT_TRUE(frame);

  struct TCase {
    const char* name;
    const char* text;
  } cases[] = {
      {"Newer.qvk",
       "File: Newer.qvk\n\nThis is a version '1.80' file, which is from a newer version of this application. It "
       "cannot be loaded using this application version."},
      {"Hostile.qvk", "File: Hostile.qvk\n\nThis file failed to open. It either does not exist or may be corrupted."},
      {"Missing.qvk", "File: Missing.qvk\n\nThis file failed to open. It either does not exist or may be corrupted."},
  };
  for (const TCase& c : cases) {
    auto script = ExecuteLater("[Open(" + Path(c.name) + ")]");
    EXPECT_EQ(AnswerFileOpenBox(), c.text) << c.name;
    EXPECT_TRUE(Finish(*script));
    EXPECT_TRUE(process_->IsRunning());
    EXPECT_EQ(ScoreWindows().size(), 0u) << c.name;
  }
  // The editor carries on: a good file still opens.
  EXPECT_TRUE(TDdeClient().Execute("[Open(" + Path("Good.qvk") + ")]"));
  ASSERT_TRUE(WaitForScoreWindows(1));
  EXPECT_EQ(CloseAndWait(frame), 0u);
}

TEST_F(FileOpenProgramTest, TheFileOpenCommandOpensTheChosenFileAndRemembersFolderAndFilter) {
  Write("sub\\Third.qvk", ScoreFileBytes(3, "Third"));
  Write("sub\\Fourth.qvk", ScoreFileBytes(4, "Fourth"));
  {
    std::ofstream ini(Path("QVK.INI"));
    ini << "[Options]\r\nOpenFilterIndex=2\r\n";
  }
  HWND frame = StartEditor();
  ASSERT_TRUE(frame);

  // Each dialog starts with the filter last chosen; the first in the songs folder, the second in
  // the folder of the file chosen in the first, where a bare name is then found.
  struct TChoice {
    std::string typed, filterShown, caption;
  } choices[] = {
      {Path("sub\\Third.qvk"), "Midi Files", "Third.qvk | Third | 3 staves | read"},
      {"Fourth.qvk", "Song Files", "Fourth.qvk | Fourth | 4 staves | read"},
  };
  size_t opened = 0;
  for (const TChoice& choice : choices) {
    ASSERT_TRUE(PostCommand(frame, 3));
    HWND dialog = WaitForWindow("#32770", "Open", kWaitMs, process_->Id());
    ASSERT_TRUE(dialog);
    HWND filter = GetDlgItem(dialog, 1136);
    EXPECT_EQ(GetText(filter), choice.filterShown);
    if (opened == 0) {
      // The user picks the third filter, "Song Files".
      SendMessageA(filter, CB_SETCURSEL, 2, 0);
      for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1136, code), reinterpret_cast<LPARAM>(filter));
      }
    }
    // Centred on the screen once the dialog is set up.
    RECT r;
    ASSERT_TRUE(PumpUntil(
        [&] {
          GetWindowRect(dialog, &r);
          return std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 2 &&
                 std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 2;
        },
        kWaitMs))
        << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    // The file name field: an edit in older dialogs, a combo box in newer ones.
    for (int field : {1152, 1148}) {
      if (HWND h = GetDlgItem(dialog, field)) SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(choice.typed.c_str()));
    }
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(WaitForScoreWindows(++opened)) << choice.typed;
    EXPECT_EQ(ActiveScoreWindow(), choice.caption);
  }
  EXPECT_EQ(CloseAndWait(frame), 0u);
  char value[16] = {};
  GetPrivateProfileStringA("Options", "OpenFilterIndex", "", value, sizeof value, Path("QVK.INI").c_str());
  EXPECT_STREQ(value, "3");
}

TEST_F(FileOpenProgramTest, CommandLinePathsOpenAtStartOnceEach) {
  Write("Started.qvk", ScoreFileBytes(2, "Started"));
  HWND frame = StartEditor("\"" + Path("Started.qvk") + "\" \"" + Path("STARTED.qvk") + "\"");
  ASSERT_TRUE(frame);
  ASSERT_TRUE(WaitForScoreWindows(1));
  EXPECT_EQ(ScoreWindows(), (std::vector<std::string>{"Started.qvk | Started | 2 staves | read"}));
  EXPECT_EQ(CloseAndWait(frame), 0u);
}

}  // namespace
