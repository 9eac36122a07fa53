// The editor program end to end: each test copies QVK32.exe (and the engine library where it
// belongs) into a folder of its own, starts it, watches its windows and boxes, closes it and
// reads the settings file it left.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/MusicFontCheck.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/TestProcess.h"

using namespace guidriver;

namespace {

// Wine runs slowly on some build machines; these bound waits that normally take a moment.
constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kWaitMs = 30000;
const char kFrameClass[] = "TQVK17VellichordFrame";
constexpr int kStatusBarId = 32040;

const char* kOptionKeys[] = {
    "ScoreWinColor", "StatusBarEnabled", "StatusBarShading", "Enable3dControls", "RtMouseSetsInsPt",
    "SmartInsertionPt", "SmartPropertiesInsert", "PersistentNoteTools", "EnableActiveStaffFrame",
    "ChasePlayingNotes", "UndoLevels", "SaveBackups", "AutoSaveMinutes", "PlayFromCaret", "PlayLeadInMeasures",
    "MidiPortUsage", "SMFExportTrkSigs", "SMFExportHdrInfo", "RecImportAction", "PrintMarginUnits",
    "OpenFilterIndex", "AcceptMidiInput", "DlgUseLightFont", "UseImportWizOnOpen", "UsageTipsOnStartup",
    "NextUsageTip", "ExperimentalActive"};
const char* kOptionDefaults[] = {"0", "1", "1", "1", "1", "1", "0", "0", "1", "1", "16", "1", "15", "1",
                                 "1", "2", "0", "1", "0", "0", "1", "0", "0", "1", "1", "0", "0"};

std::string TempRoot() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

std::string WindowsIni() {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  return std::string(windows) + "\\QVK.INI";
}

// The keys of one INI section in file order, with their values.
struct TSection {
  std::vector<std::string> keys;
  std::map<std::string, std::string> values;
};

std::map<std::string, TSection> ReadIni(const std::string& path) {
  std::map<std::string, TSection> out;
  std::ifstream in(path);
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      out[section];
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == std::string::npos || section.empty()) continue;
    TSection& s = out[section];
    s.keys.push_back(line.substr(0, eq));
    s.values[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return out;
}

class ProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = TempRoot() + "vc_program_" + info->name() + "_" + std::to_string(GetCurrentProcessId());
    RemoveFolder();
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA("QVK32.exe", (folder_ + "\\QVK32.exe").c_str(), FALSE)) << "QVK32.exe not built";
  }

  void TearDown() override {
    if (process_) process_->Terminate();
    process_.reset();
    RemoveFolder();
  }

  void RemoveFolder() {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string path = folder_ + "\\" + found.cFileName;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      } while (FindNextFileA(h, &found));
      FindClose(h);
    }
    RemoveDirectoryA(folder_.c_str());
  }

  void WithEngine() {
    ASSERT_TRUE(CopyFileA("QVMID32B.DLL", (folder_ + "\\QVMID32B.DLL").c_str(), FALSE));
  }

  std::string Path(const char* name) const { return folder_ + "\\" + name; }

  void Start(const std::string& arguments = "") {
    // Started in its own folder, as from its shortcut: the library search also looks in the current
    // folder, and the test's own (the build's programs) holds the engine library.
    process_ = std::make_unique<TTestProcess>(Path("QVK32.exe"), arguments, folder_);
    ASSERT_TRUE(process_->Started());
  }

  HWND WaitForFrame() {
    return WaitForWindow(kFrameClass, nullptr, kStartTimeoutMs, process_->Id());
  }

  HWND WaitForBox(const char* caption) { return WaitForWindow("#32770", caption, kStartTimeoutMs, process_->Id()); }

  static std::string StatusText(HWND frame) { return GetText(GetDlgItem(frame, kStatusBarId)); }

  // The frame, once the deferred start has shown "Ready".
  HWND WaitUntilReady() {
    HWND frame = WaitForFrame();
    if (!frame) return nullptr;
    if (!PumpUntil([&] { return StatusText(frame) == " Ready"; }, kStartTimeoutMs)) return nullptr;
    return frame;
  }

  DWORD CloseAndWait(HWND frame) {
    PostMessageA(frame, WM_CLOSE, 0, 0);
    DWORD code = 0xDEAD;
    EXPECT_TRUE(process_->WaitForExit(kWaitMs, &code));
    return code;
  }

  void ExpectOptionsInOrder(const TSection& options, const char* changedKey = nullptr, const char* changedValue = nullptr) {
    ASSERT_EQ(options.keys.size(), 27u);
    for (int i = 0; i < 27; ++i) {
      EXPECT_EQ(options.keys[i], kOptionKeys[i]) << "key " << i;
      const bool changed = changedKey && options.keys[i] == changedKey;
      EXPECT_EQ(options.values.at(options.keys[i]), changed ? changedValue : kOptionDefaults[i]) << kOptionKeys[i];
    }
  }

  std::string folder_;
  std::unique_ptr<TTestProcess> process_;
};

TEST_F(ProgramTest, FreshStartWritesTheSettingsAndClosesWithExitCodeZero) {
  WithEngine();
  Start();
  HWND frame = WaitUntilReady();
  ASSERT_TRUE(frame);
  EXPECT_EQ(GetText(frame), "Vellichord");
  // Choosing a menu item shows the status part of its hint, without the tooltip part.
  SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(2, MF_STRING), reinterpret_cast<LPARAM>(GetMenu(frame)));
  EXPECT_EQ(StatusText(frame), "Start composing a new song");
  SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(StatusText(frame), "");
  EXPECT_EQ(CloseAndWait(frame), 0u);

  auto ini = ReadIni(Path("QVK.INI"));
  ASSERT_TRUE(ini.count("Options"));
  ExpectOptionsInOrder(ini["Options"]);
  const TSection& history = ini["FileHistory"];
  ASSERT_EQ(history.keys.size(), 20u);
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(history.keys[2 * (n - 1)], "Title" + std::to_string(n));
    EXPECT_EQ(history.keys[2 * (n - 1) + 1], "Name" + std::to_string(n));
  }
  const TSection& placement = ini["Placement"];
  EXPECT_EQ(placement.keys, (std::vector<std::string>{"flags", "showCmd", "x1", "y1", "x2", "y2"}));
  // Started maximised (no stored placement): the normal rectangle is the default one, a fifth in.
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(placement.values.at("showCmd"), "3");
  EXPECT_EQ(placement.values.at("x1"), std::to_string(w / 5));
  EXPECT_EQ(placement.values.at("y2"), std::to_string(h - h / 5));
}

TEST_F(ProgramTest, AReadOnlySettingsFileMovesTheSettingsToTheWindowsFolder) {
  WithEngine();
  DeleteFileA(WindowsIni().c_str());
  const std::string local = Path("QVK.INI");
  {
    std::ofstream out(local);
    out << "[Options]\r\nUndoLevels=42\r\n";
  }
  ASSERT_TRUE(SetFileAttributesA(local.c_str(), FILE_ATTRIBUTE_READONLY));
  Start();
  HWND frame = WaitUntilReady();
  ASSERT_TRUE(frame);
  EXPECT_EQ(CloseAndWait(frame), 0u);
  auto own = ReadIni(local);
  EXPECT_EQ(own["Options"].keys.size(), 1u) << "the read-only file was written";
  auto windows = ReadIni(WindowsIni());
  DeleteFileA(WindowsIni().c_str());
  ASSERT_TRUE(windows.count("Options"));
  // The read-only file's value was not read either: the Windows folder's file started empty.
  ExpectOptionsInOrder(windows["Options"]);
  EXPECT_TRUE(windows.count("Placement"));
}

TEST_F(ProgramTest, TheExperimentationSwitchShowsItsNoticeAndStoresTheOption) {
  WithEngine();
  Start("/EnableExperimentation");
  HWND box = WaitForBox("Experimentation");
  ASSERT_TRUE(box);
  EXPECT_EQ(ReadMessageBox(box).text, "Experimental features have been enabled for all non-experimental files.");
  ClickButton(box, IDOK);
  HWND frame = WaitUntilReady();
  ASSERT_TRUE(frame);
  EXPECT_EQ(CloseAndWait(frame), 0u);
  ExpectOptionsInOrder(ReadIni(Path("QVK.INI"))["Options"], "ExperimentalActive", "1");
}

TEST_F(ProgramTest, TheAboutCommandShowsNameAndVersion) {
  WithEngine();
  Start();
  HWND frame = WaitUntilReady();
  ASSERT_TRUE(frame);
  PostCommand(frame, 205);
  HWND about = WaitForBox("About");
  ASSERT_TRUE(about);
  EXPECT_EQ(GetText(GetDlgItem(about, 101)), "Vellichord");
  EXPECT_EQ(GetText(GetDlgItem(about, 102)), "1.75b (32-bit)");
  EXPECT_FALSE(IsWindowEnabled(frame)) << "modal over the frame";
  ClickButton(about, IDOK);
  ASSERT_TRUE(WaitForWindowGone(about, kWaitMs));
  EXPECT_EQ(CloseAndWait(frame), 0u);
}

TEST_F(ProgramTest, AFileOfUnknownTypeGetsTheFileOpenMessage) {
  WithEngine();
  { std::ofstream(Path("my notes.txt")) << "text"; }
  // Quoted, then a quoted path that does not exist (skipped), then an unquoted path with a blank,
  // which runs to the end of the line: an unquoted path ends only at a double quote or a slash.
  Start("\"" + Path("my notes.txt") + "\" \"" + Path("missing.txt") + "\" " + Path("my notes.txt"));
  for (int i = 0; i < 2; ++i) {
    HWND box = WaitForBox("File Open");
    ASSERT_TRUE(box) << "message " << i;
    EXPECT_EQ(ReadMessageBox(box).text,
              "File: my notes.txt\n\nVellichord does not recognize the file type 'txt', so it is unable to open "
              "the file.");
    ClickButton(box, IDOK);
    ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  }
  HWND frame = WaitUntilReady();
  ASSERT_TRUE(frame);
  EXPECT_FALSE(WaitForWindow("#32770", "File Open", 500, process_->Id()));
  EXPECT_EQ(CloseAndWait(frame), 0u);
}

TEST_F(ProgramTest, WithoutTheEngineLibraryTheEditorSaysSoAndRunsOn) {
  Start();
  HWND box = WaitForBox("Error");
  ASSERT_TRUE(box);
  EXPECT_EQ(ReadMessageBox(box).text,
            "Unable to load the MIDI utility library DLL!\n\nMIDI input and output functions will not function.");
  ClickButton(box, IDOK);
  HWND frame = WaitUntilReady();
  ASSERT_TRUE(frame);
  EXPECT_EQ(CloseAndWait(frame), 0u);
  EXPECT_EQ(ReadIni(Path("QVK.INI"))["Options"].keys.size(), 27u);
}

TEST_F(ProgramTest, AStoredPlacementOnTheScreenIsAppliedAndOneBeyondItIsNot) {
  WithEngine();
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  const int icon = GetSystemMetrics(SM_CXICON);
  struct TCase {
    int x1, y1;
    bool applied;
  } cases[] = {{100, 80, true}, {w - icon + 1, 80, false}, {100, h - GetSystemMetrics(SM_CYICON) + 1, false}};
  for (const TCase& c : cases) {
    {
      std::ofstream out(Path("QVK.INI"));
      out << "[Placement]\r\nflags=0\r\nshowCmd=1\r\nx1=" << c.x1 << "\r\ny1=" << c.y1 << "\r\nx2=" << c.x1 + 500
          << "\r\ny2=" << c.y1 + 400 << "\r\n";
    }
    Start();
    HWND frame = WaitUntilReady();
    ASSERT_TRUE(frame);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    ASSERT_TRUE(GetWindowPlacement(frame, &wp));
    if (c.applied) {
      EXPECT_FALSE(IsZoomed(frame));
      EXPECT_EQ(wp.rcNormalPosition.left, c.x1);
      EXPECT_EQ(wp.rcNormalPosition.top, c.y1);
      EXPECT_EQ(wp.rcNormalPosition.right, c.x1 + 500);
      EXPECT_EQ(wp.rcNormalPosition.bottom, c.y1 + 400);
    } else {
      EXPECT_TRUE(IsZoomed(frame)) << "x1 " << c.x1 << " y1 " << c.y1;
    }
    EXPECT_EQ(CloseAndWait(frame), 0u);
    // What the frame stored on closing is what a next start reads.
    auto placement = ReadIni(Path("QVK.INI"))["Placement"];
    if (c.applied) {
      EXPECT_EQ(placement.values["x1"], std::to_string(c.x1));
    }
  }
}

// These run only in a Wine prefix without the music font (tests/app/without-music-font.sh
// prepares one); in the shared prefix the font is installed and they are skipped.
class WithoutMusicFont : public ProgramTest {
protected:
  void SetUp() override {
    if (!std::getenv("VC_WITHOUT_MUSIC_FONT")) GTEST_SKIP() << "needs a prefix without the music font";
    ProgramTest::SetUp();
  }

  void AnswerFontBox(const char* text) {
    HWND box = WaitForBox("Font Error");
    ASSERT_TRUE(box);
    EXPECT_EQ(ReadMessageBox(box).text, text);
    ClickButton(box, IDOK);
    ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  }
};

TEST_F(WithoutMusicFont, TwoFontErrorsEndTheProgramWithExitCodeOneAndNoSettings) {
  WithEngine();
  Start();
  AnswerFontBox(kFontMissingText);
  AnswerFontBox(kFontStillMissingText);
  DWORD code = 0;
  ASSERT_TRUE(process_->WaitForExit(kWaitMs, &code));
  EXPECT_EQ(code, 1u);
  EXPECT_EQ(GetFileAttributesA(Path("QVK.INI").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(WaitForWindow(kFrameClass, nullptr, 200, process_->Id()));
}

// Runs after the test above: the font beside the program is copied into the Fonts folder and
// added, so only the first message appears and the editor starts.
TEST_F(WithoutMusicFont, TheFontBesideTheProgramIsReinstalled) {
  const char* source = std::getenv("VC_MUSIC_FONT_FILE");
  ASSERT_TRUE(source) << "the script names the font file";
  ASSERT_TRUE(CopyFileA(source, Path("diru15.ttf").c_str(), FALSE));
  WithEngine();
  Start();
  AnswerFontBox(kFontMissingText);
  HWND frame = WaitUntilReady();
  ASSERT_TRUE(frame);
  EXPECT_FALSE(WaitForWindow("#32770", "Font Error", 500, process_->Id()));
  EXPECT_EQ(CloseAndWait(frame), 0u);
}

}  // namespace
