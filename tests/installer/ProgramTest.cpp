// QVSETUP end to end under Wine, driven like a user: started in a private prefix whose fixed
// drives are C: and our own D: (upgrade-drives.sh prepares it and the packages in C:\vc_upg).
// Installations are copied from the reference folders before each test.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "installer/win32/SetupIds.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/TestProcess.h"

using namespace guidriver;

namespace {

const std::string kData = "C:\\vc_upg\\";
const std::string kRefOld = kData + "ref\\old";
const std::string kRefNew = kData + "ref\\new";
const char kCaption[] = "Vellichord Upgrade";  // line 3 of the texts tools/make-upgrade writes
const std::string kInstall = "C:\\Apps\\Vellichord";
constexpr DWORD kLong = 120000;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA f;
  HANDLE h = FindFirstFileA((path + "\\*").c_str(), &f);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = f.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = path + "\\" + name;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(h, &f));
    FindClose(h);
  }
  RemoveDirectoryA(path.c_str());
}

// Every file below a folder (relative name -> full path); ".ref" taken off reference names.
void ListFiles(const std::string& root, const std::string& rel, std::map<std::string, std::string>& out) {
  WIN32_FIND_DATAA f;
  HANDLE h = FindFirstFileA((root + rel + "\\*").c_str(), &f);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = f.cFileName;
    if (name == "." || name == "..") continue;
    if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ListFiles(root, rel + "\\" + name, out);
      continue;
    }
    const std::string full = root + rel + "\\" + name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".ref") == 0) name.resize(name.size() - 4);
    out[(rel + "\\" + name).substr(1)] = full;
  } while (FindNextFileA(h, &f));
  FindClose(h);
}

std::map<std::string, std::string> Files(const std::string& root) {
  std::map<std::string, std::string> out;
  ListFiles(root, "", out);
  return out;
}

void CopyInstallation(const std::string& ref, const std::string& to) {
  RemoveTree(to);
  for (const auto& [rel, full] : Files(ref)) {
    const std::string target = to + "\\" + rel;
    for (size_t s = target.find('\\', 3); s != std::string::npos; s = target.find('\\', s + 1))
      CreateDirectoryA(target.substr(0, s).c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(full.c_str(), target.c_str(), FALSE)) << target;
  }
}

std::string Contents(const std::string& path) {
  std::string data;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<unreadable>";
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got) data.append(buffer, got);
  CloseHandle(h);
  return data;
}

uint64_t WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA a;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a)) return 0;
  return (uint64_t(a.ftLastWriteTime.dwHighDateTime) << 32) | a.ftLastWriteTime.dwLowDateTime;
}

// The folder holds exactly the reference files, byte for byte, and with times when asked.
void ExpectSameTree(const std::string& folder, const std::string& ref, bool times) {
  const auto want = Files(ref);
  const auto have = Files(folder);
  std::vector<std::string> wantNames, haveNames;
  for (const auto& w : want) wantNames.push_back(w.first);
  for (const auto& h : have) haveNames.push_back(h.first);
  EXPECT_EQ(haveNames, wantNames) << folder;
  for (const auto& [rel, full] : want) {
    const std::string mine = folder + "\\" + rel;
    EXPECT_TRUE(Contents(mine) == Contents(full)) << rel;
    // DOS times have two-second steps; the reference times are even seconds.
    if (times) {
      EXPECT_EQ(WriteTime(mine), WriteTime(full)) << rel;
    }
  }
  EXPECT_FALSE(Exists(folder + "\\__QVUPD_")) << folder;
}

// A message box of the program: a dialog with the text static a message box has.
struct TBoxFind {
  DWORD pid;
  const char* caption;
  HWND found;
};
BOOL CALLBACK MatchBox(HWND hwnd, LPARAM lParam) {
  auto* f = reinterpret_cast<TBoxFind*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != f->pid || !IsWindowVisible(hwnd) || GetClass(hwnd) != "#32770" || !GetDlgItem(hwnd, 0xFFFF)) return TRUE;
  if (f->caption && GetText(hwnd) != f->caption) return TRUE;
  f->found = hwnd;
  return FALSE;
}
HWND WaitForBox(DWORD pid, const char* caption, DWORD timeoutMs = kLong) {
  HWND found = nullptr;
  PumpUntil([&] {
    TBoxFind f{pid, caption, nullptr};
    EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&f));
    found = f.found;
    return found != nullptr;
  }, timeoutMs);
  return found;
}

BOOL CALLBACK MatchEdit(HWND hwnd, LPARAM lParam) {
  if (GetClass(hwnd) != "Edit" || !IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(lParam) = hwnd;
  return FALSE;
}
HWND FindEdit(HWND dialog) {
  HWND found = nullptr;
  EnumChildWindows(dialog, MatchEdit, reinterpret_cast<LPARAM>(&found));
  return found;
}

// One run of QVSETUP from one of the prepared folders.
struct TSetup {
  TTestProcess process;
  HWND main = nullptr;

  explicit TSetup(const std::string& folder, const std::string& args = "")
      : process(kData + folder + "\\QVSETUP.exe", args, kData + folder) {}

  bool WaitForMain() {
    main = WaitForWindow("UpgSetup", nullptr, kLong, process.Id());
    return main != nullptr;
  }
  std::string Target() { return GetText(GetDlgItem(main, IDC_UPG_TARGET)); }
  std::string ApplyText() { return GetText(GetDlgItem(main, IDC_UPG_APPLY)); }
  void Apply() { ClickButton(main, IDC_UPG_APPLY); }
  // The progress window of a running apply.
  HWND WaitForProgress() { return WaitForWindow("#32770", kCaption, kLong, process.Id()); }
  // The next message box of the program, once the one answered before it has gone.
  HWND NextBox(HWND answered = nullptr) {
    if (answered && !WaitForWindowGone(answered, 10000)) return nullptr;
    return WaitForBox(process.Id(), kCaption);
  }
  bool WaitForDone() { return PumpUntil([&] { return ApplyText() == "Done"; }, kLong); }
  // An apply that does not succeed ends when its progress window goes and the main window is back.
  bool WaitForFailedEnd(HWND progress) { return WaitForWindowGone(progress, kLong) && IsWindowEnabled(main); }
};

class Installer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Exists(kRefOld)) << "run through upgrade-drives.sh";
    for (const char* f : {"C:\\Apps", "D:\\Music", "D:\\Other", "D:\\Linked\\Vellichord"}) RemoveTree(f);
  }
};

TEST_F(Installer, MissingOrInvalidDataEndsWithTheBox) {
  struct Case { const char* folder; const char* args; };
  const Case cases[] = {{"bare", ""}, {"main", "C:\\vc_upg\\nothing.upg"}, {"garbage", ""}};
  for (const Case& c : cases) {
    TSetup setup(c.folder, c.args);
    HWND box = WaitForBox(setup.process.Id(), "Error", 30000);
    ASSERT_NE(box, nullptr) << c.folder;
    EXPECT_EQ(ReadMessageBox(box).text, "Missing or invalid setup data.") << c.folder;
    ClickButton(box, IDOK);
    EXPECT_TRUE(setup.process.WaitForExit(10000)) << c.folder;
  }
}

TEST_F(Installer, CIsSearchedBeforeDAndTheUpgradedFolderEqualsTheNewOne) {
  CopyInstallation(kRefOld, "C:\\Apps\\Deep\\Er\\Vellichord");
  CopyInstallation(kRefOld, "D:\\Music\\Vellichord");
  TSetup setup("main");
  ASSERT_TRUE(setup.WaitForMain());
  EXPECT_EQ(GetText(setup.main), "Vellichord Upgrade Test");
  EXPECT_EQ(setup.Target(), "C:\\Apps\\Deep\\Er\\Vellichord");
  setup.Apply();
  ASSERT_TRUE(setup.WaitForDone());
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(setup.main, IDC_UPG_FOLDER)));
  ExpectSameTree("C:\\Apps\\Deep\\Er\\Vellichord", kRefNew, true);
  ExpectSameTree("D:\\Music\\Vellichord", kRefOld, true);
  setup.Apply();  // "Done" closes the program
  EXPECT_TRUE(setup.process.WaitForExit(30000)) << IsWindow(setup.main) << " " << setup.ApplyText();
}

TEST_F(Installer, FoldersThatDoNotMatchAreNotTheInstallation) {
  CopyInstallation(kRefOld, "C:\\Apps\\Changed");
  HANDLE h = CreateFileA("C:\\Apps\\Changed\\QVK32.EXE", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD put = 0;
  WriteFile(h, "changed", 7, &put, nullptr);
  CloseHandle(h);
  CopyInstallation(kRefOld, "C:\\Apps\\Partial");
  DeleteFileA("C:\\Apps\\Partial\\QVMID32B.DLL");
  CreateDirectoryA("D:\\Other", nullptr);  // a folder with none of the files
  CopyInstallation(kRefOld, "D:\\Music\\Vellichord");
  TSetup setup("main");
  ASSERT_TRUE(setup.WaitForMain());
  EXPECT_EQ(setup.Target(), "D:\\Music\\Vellichord");
  setup.Apply();
  ASSERT_TRUE(setup.WaitForDone());
  ExpectSameTree("D:\\Music\\Vellichord", kRefNew, true);
}

// With policy A 0 a file to be added that is already there is simply overwritten.
TEST_F(Installer, AnAddedFileThatExistsIsOverwrittenWithoutAQuestion) {
  CopyInstallation(kRefOld, kInstall);
  CreateDirectoryA((kInstall + "\\added").c_str(), nullptr);
  CreateDirectoryA((kInstall + "\\added\\deeper").c_str(), nullptr);
  HANDLE h = CreateFileA((kInstall + "\\added\\deeper\\new.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD put = 0;
  WriteFile(h, "stale", 5, &put, nullptr);
  CloseHandle(h);
  TSetup setup("main");
  ASSERT_TRUE(setup.WaitForMain());
  setup.Apply();
  ASSERT_TRUE(setup.WaitForDone());
  ExpectSameTree(kInstall, kRefNew, true);
}

// C:\vc_link leads to D:\Linked; the search must not follow it, or it would take the installation
// on D: for one on C: (and could loop through links forever).
TEST_F(Installer, TheSearchDoesNotFollowLinks) {
  const DWORD link = GetFileAttributesA("C:\\vc_link");
  ASSERT_NE(link, INVALID_FILE_ATTRIBUTES);
  if (!(link & FILE_ATTRIBUTE_REPARSE_POINT)) GTEST_SKIP() << "this Wine shows links as plain folders";
  CopyInstallation(kRefOld, "D:\\Linked\\Vellichord");
  TSetup setup("main");
  ASSERT_TRUE(setup.WaitForMain());
  EXPECT_EQ(setup.Target(), "D:\\Linked\\Vellichord");
}

TEST_F(Installer, CancelDuringTheBuildLeavesTheInstallationUntouched) {
  CopyInstallation(kRefOld, kInstall);
  TSetup setup("main");
  ASSERT_TRUE(setup.WaitForMain());
  setup.Apply();
  HWND progress = setup.WaitForProgress();
  ASSERT_NE(progress, nullptr);
  ClickButton(progress, IDCANCEL);
  HWND box = setup.NextBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ReadMessageBox(box).text, "Do you really want to cancel the upgrade?");
  ClickButton(box, IDYES);
  ASSERT_TRUE(setup.WaitForFailedEnd(progress));
  EXPECT_EQ(setup.ApplyText(), "&Apply");
  ExpectSameTree(kInstall, kRefOld, true);
}

// The folder dialog: a chosen file's folder becomes the target; a drive root keeps its backslash.
TEST_F(Installer, TheFolderDialogSetsTheTarget) {
  CopyInstallation(kRefOld, kInstall);
  TSetup setup("main");
  ASSERT_TRUE(setup.WaitForMain());
  struct Case { const char* typed; const char* target; };
  const Case cases[] = {{"D:\\Target", "D:\\"}, {"C:\\Apps\\Vellichord\\Target", "C:\\Apps\\Vellichord"}};
  for (const Case& c : cases) {
    ClickButton(setup.main, IDC_UPG_FOLDER);
    HWND browse = WaitForWindow("#32770", "Browse", kLong, setup.process.Id());
    ASSERT_NE(browse, nullptr);
    HWND name = FindEdit(browse);  // the file-name field: the dialog's only edit
    ASSERT_NE(name, nullptr);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed));
    ClickButton(browse, IDOK);
    ASSERT_TRUE(WaitForWindowGone(browse, 30000)) << c.typed;
    EXPECT_TRUE(PumpUntil([&] { return setup.Target() == c.target; }, 10000)) << setup.Target();
  }
  ClickButton(setup.main, IDCANCEL);
  EXPECT_TRUE(setup.process.WaitForExit(10000));
  ExpectSameTree(kInstall, kRefOld, true);
}

// A built file that fails verification, judged fatal: the question, then on Yes the detail,
// and the installation stays as it was.
TEST_F(Installer, AFileThatFailsVerificationEndsTheApplyWhenFatal) {
  CopyInstallation(kRefOld, kInstall);
  TSetup setup("broken");
  ASSERT_TRUE(setup.WaitForMain());
  setup.Apply();
  HWND progress = setup.WaitForProgress();
  HWND question = setup.NextBox();
  ASSERT_NE(question, nullptr);
  const std::string text = ReadMessageBox(question).text;
  EXPECT_NE(text.find("File: whole.dat"), std::string::npos) << text;
  EXPECT_NE(text.find("the upgrade cannot continue.\n\nDo you want to see the details?"), std::string::npos) << text;
  ClickButton(question, IDYES);
  HWND detail = setup.NextBox(question);
  ASSERT_NE(detail, nullptr);
  EXPECT_EQ(ReadMessageBox(detail).text, "The patch data did not produce the expected file.");
  ClickButton(detail, IDOK);
  ASSERT_TRUE(setup.WaitForFailedEnd(progress));
  EXPECT_EQ(setup.ApplyText(), "&Apply");
  ExpectSameTree(kInstall, kRefOld, true);
}

// The same failure asked about: Yes skips that file and upgrades the rest.
TEST_F(Installer, AFileThatFailsVerificationCanBeSkipped) {
  const std::string& install = kInstall;
  CopyInstallation(kRefOld, install);
  TSetup setup("skip");
  ASSERT_TRUE(setup.WaitForMain());
  setup.Apply();
  HWND question = setup.NextBox();
  ASSERT_NE(question, nullptr);
  EXPECT_NE(ReadMessageBox(question).text.find("Skip this file?"), std::string::npos);
  ClickButton(question, IDYES);
  ASSERT_TRUE(setup.WaitForDone());
  for (const auto& [rel, full] : Files(kRefNew)) {
    const std::string expected = rel == "whole.dat" ? kRefOld + "\\whole.dat.ref" : full;
    EXPECT_TRUE(Contents(install + "\\" + rel) == Contents(expected)) << rel;
    EXPECT_EQ(WriteTime(install + "\\" + rel), WriteTime(expected)) << rel;
  }
  EXPECT_EQ(Files(install).size(), Files(kRefNew).size());
  EXPECT_FALSE(Exists(install + "\\__QVUPD_"));
}

// The replace phase meets a file it cannot replace after others were replaced: every file is put
// back, the failure is shown, and the program never says "Done".
TEST_F(Installer, AFailedReplaceRestoresEveryFileAndIsReported) {
  enum class Block { ReadOnly, HeldOpen };
  for (Block block : {Block::ReadOnly, Block::HeldOpen}) {
    SCOPED_TRACE(block == Block::ReadOnly ? "read-only" : "held open");
    const std::string& install = kInstall;
    CopyInstallation(kRefOld, install);
    // A changed date on the file to be deleted makes the apply ask about it, after the file to
    // be blocked has passed its own check.
    HANDLE h = CreateFileA((install + "\\gone\\old.dll").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME t{0x12345678, 0x01D00000};
    SetFileTime(h, &t, &t, &t);
    CloseHandle(h);
    TSetup setup("ask");
    ASSERT_TRUE(setup.WaitForMain());
    ASSERT_EQ(setup.Target(), install);
    setup.Apply();
    HWND progress = setup.WaitForProgress();
    ASSERT_NE(progress, nullptr);
    HWND question = setup.NextBox();
    ASSERT_NE(question, nullptr);
    EXPECT_NE(ReadMessageBox(question).text.find("gone\\old.dll"), std::string::npos);
    const std::string blocked = install + "\\whole.dat";
    HANDLE held = INVALID_HANDLE_VALUE;
    if (block == Block::ReadOnly) {
      SetFileAttributesA(blocked.c_str(), FILE_ATTRIBUTE_READONLY);
    } else {
      held = CreateFileA(blocked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
    }
    ClickButton(question, IDYES);
    HWND failure = setup.NextBox(question);
    ASSERT_NE(failure, nullptr);
    const std::string text = ReadMessageBox(failure).text;
    EXPECT_NE(text.find("whole.dat"), std::string::npos) << text;
    EXPECT_NE(text.find("could not be replaced"), std::string::npos) << text;
    EXPECT_NE(text.find("restored"), std::string::npos) << text;
    ClickButton(failure, IDOK);
    ASSERT_TRUE(setup.WaitForFailedEnd(progress));
    EXPECT_EQ(setup.ApplyText(), "&Apply");
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    SetFileAttributesA(blocked.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Everything as before, the changed date of the asked-about file aside.
    const auto want = Files(kRefOld);
    for (const auto& [rel, full] : want) EXPECT_TRUE(Contents(install + "\\" + rel) == Contents(full)) << rel;
    EXPECT_EQ(WriteTime(install + "\\QVK32.EXE"), WriteTime(kRefOld + "\\QVK32.EXE.ref"));
    EXPECT_EQ(Files(install).size(), want.size());
    EXPECT_FALSE(Exists(install + "\\__QVUPD_"));
    ClickButton(setup.main, IDCANCEL);
    EXPECT_TRUE(setup.process.WaitForExit(10000));
  }
}

}  // namespace
