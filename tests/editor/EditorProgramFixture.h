// A test that runs the editor program under Wine in a folder of its own: the program and the
// engine copied there, a settings file written, one score opened, and its frame and view found.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "tests/editor/ProgramDriving.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/TestProcess.h"

namespace editor_program {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kWaitMs = 30000;
inline const char kFrameClass[] = "TQVK17VellichordFrame";
inline const char kViewClass[] = "TQVK17ScoreEdit";
inline const char kWindowClass[] = "TQVK17ScoreWindow";

using program_driving::FileExists;

struct TDescendantSearch {
  const char* className;
  int id;
  HWND found;
};

// A plain callback: 32-bit Windows calls it with the stdcall convention, which a lambda lacks.
inline BOOL CALLBACK MatchDescendant(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<TDescendantSearch*>(lParam);
  char name[64];
  GetClassNameA(hwnd, name, sizeof name);
  if (s->className && lstrcmpiA(name, s->className) != 0) return TRUE;
  if (s->id != -1 && GetDlgCtrlID(hwnd) != s->id) return TRUE;
  s->found = hwnd;
  return FALSE;
}

// The first descendant window of this class (or any class when null) with this control id.
inline HWND FindDescendant(HWND parent, const char* className, int id = -1) {
  TDescendantSearch search{className, id, nullptr};
  EnumChildWindows(parent, MatchDescendant, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class TEditorProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "vc_edprog_" + info->name() + "_" + std::to_string(GetCurrentProcessId());
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

  void WriteFileText(const char* name, const std::string& text) {
    HANDLE f = CreateFileA(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
  }

  void Start(const std::string& arguments) {
    process_ = std::make_unique<guidriver::TTestProcess>(Path("QVK32.exe"), arguments, folder_);
    ASSERT_TRUE(process_->Started());
  }

  // The frame once a score view exists in it, with the view's window.
  HWND WaitForView(HWND& view) {
    HWND frame = guidriver::WaitForWindow(kFrameClass, nullptr, kStartTimeoutMs, process_->Id());
    if (!frame) return nullptr;
    guidriver::PumpUntil([&] { return (view = FindDescendant(frame, kViewClass)) != nullptr; }, kStartTimeoutMs);
    return view ? frame : nullptr;
  }

  // A dialog of the editor with this caption.
  HWND WaitForDialog(const char* caption) const {
    return guidriver::WaitForWindow("#32770", caption, kWaitMs, process_->Id());
  }

  // The caption and text of a box the editor shows, for failure messages.
  std::string OpenBox() const {
    HWND box = guidriver::WaitForWindow("#32770", nullptr, 500, process_->Id());
    if (!box) return "no box open";
    const guidriver::TMessageBoxText text = guidriver::ReadMessageBox(box);
    return "box \"" + text.caption + "\": " + text.text;
  }

  std::string folder_;
  std::unique_ptr<guidriver::TTestProcess> process_;
};

}  // namespace editor_program
