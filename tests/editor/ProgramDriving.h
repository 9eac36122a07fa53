// What the editor program tests share: sample score files written and read back in the staff
// text of the tests, finding the editor's windows, waiting for a view's focus and choosing a menu
// item with the menu keys.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "resources/CommandIds.h"
#include "tests/staffutl/StaffText.h"
#include "tests/support/guidriver/GuiDriver.h"

namespace program_driving {

struct TChildSearch {
  const char* name;
  std::vector<HWND> found;
};

// A named callback: a lambda cannot take the calling convention of the 32-bit API.
inline BOOL CALLBACK CollectChildOfClass(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<TChildSearch*>(lParam);
  char name[64];
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpA(name, search->name) == 0) search->found.push_back(hwnd);
  return TRUE;
}

inline std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
  TChildSearch search{className, {}};
  EnumChildWindows(parent, CollectChildOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline HWND FindChild(HWND parent, const char* className) {
  const std::vector<HWND> found = ChildrenOfClass(parent, className);
  return found.empty() ? nullptr : found.front();
}

inline bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Saves the active score through the frame and waits until the file has been replaced (written
// anew, its temporary gone). A command that arrives while a closing dialog still holds the focus
// reaches no window (commands are routed from the focused one), so Save is asked again, but only
// once the one before has been handled and changed nothing: a second save still running would
// move the file away under the test that reads it.
inline bool SaveAndWait(HWND frame, const std::string& file, DWORD timeoutMs) {
  const std::string temporary = file.substr(0, file.size() - 3) + "$$$";
  auto written = [&file] {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data) ? data.ftLastWriteTime : FILETIME{};
  };
  const FILETIME before = written();
  auto replaced = [&] {
    const FILETIME now = written();
    return FileExists(file) && !FileExists(temporary) && CompareFileTime(&now, &before) != 0;
  };
  constexpr int kAttempts = 5;
  constexpr DWORD kSettleMs = 500;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(frame, WM_COMMAND, MAKEWPARAM(CM_FILESAVE, 0), 0, SMTO_NORMAL, timeoutMs, &result)) {
      return false;
    }
    if (guidriver::PumpUntil(replaced, kSettleMs)) return true;
  }
  return false;
}

// The file name field of a common file dialog: an edit in older dialogs, a combo box in newer ones.
inline HWND FileNameField(HWND dialog) {
  HWND edit = GetDlgItem(dialog, 1152);
  return edit && IsWindowVisible(edit) ? edit : GetDlgItem(dialog, 1148);
}

// Fills in the file dialog with this caption that the process shows: the file type (its place in
// the list, or -1 to keep it) and the name, then OK. The name the dialog offered goes to `offered`.
inline bool AnswerFileDialog(DWORD process, const char* caption, int typeIndex, const std::string& name,
                             DWORD timeoutMs, std::string* offered = nullptr) {
  using namespace guidriver;
  HWND dialog = WaitForWindow("#32770", caption, timeoutMs, process);
  if (!dialog) return false;
  if (offered) *offered = GetText(FileNameField(dialog));
  if (typeIndex >= 0) {
    HWND types = GetDlgItem(dialog, 1136);
    SendMessageA(types, CB_SETCURSEL, typeIndex, 0);
    for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1136, code), reinterpret_cast<LPARAM>(types));
    }
  }
  SendMessageA(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  ClickButton(dialog, IDOK);
  return WaitForWindowGone(dialog, timeoutMs);
}

// A score of one staff per staff text, the first named "Melody", the others "Staff 2" and on.
inline bool WriteSample(const std::string& path, std::initializer_list<const char*> staffTexts) {
  InstallAuditPass();
  TMusicScore score;
  int n = 0;
  for (const char* text : staffTexts) {
    auto* staff = new TMusicStaff;
    staff->SetName(n++ ? ("Staff " + std::to_string(n)).c_str() : "Melody");
    FillStaff(*staff, text);
    RunStaffAudit(staff, -1, -1);
    score.AppendStaff(staff);
  }
  return SaveScoreFile(path.c_str(), 0, score) != 0;
}

inline bool WriteSample(const std::string& path, const char* staffText) { return WriteSample(path, {staffText}); }

// The first staff of a score file as text; empty when it cannot be read.
inline std::string FirstStaffOf(const std::string& path) {
  InstallAuditPass();
  TScoreLoadInfo info;
  info.Clear();
  std::unique_ptr<TMusicScore> score(ReadScoreFile(path.c_str(), info));
  if (!score || score->StaffCount() == 0) return "";
  return StaffText(*score->GetStaff(0));
}

// Waits until the view has the keyboard focus of its thread, as real input needs.
inline bool WaitForFocus(HWND view, DWORD timeoutMs) {
  return guidriver::PumpUntil(
      [&] {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return GetGUIThreadInfo(GetWindowThreadProcessId(view, nullptr), &gui) && gui.hwndFocus == view;
      },
      timeoutMs);
}

// Alt+menu key, then the item's key, each once the editor's menu is ready for it.
inline bool ChooseMenuItem(HWND view, WORD menuKey, WORD itemKey, DWORD timeoutMs) {
  const DWORD thread = GetWindowThreadProcessId(view, nullptr);
  auto inMenu = [&] {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return GetGUIThreadInfo(thread, &gui) && (gui.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0;
  };
  guidriver::PressKey(menuKey, guidriver::kAlt);
  if (!guidriver::PumpUntil(inMenu, timeoutMs)) return false;
  guidriver::PumpFor(200);  // the popup opens after the menu mode starts
  guidriver::PressKey(itemKey);
  return guidriver::PumpUntil([&] { return !inMenu(); }, timeoutMs);
}

// Answers a device question Yes and checks that the options sheet it opens shows its Record page
// (control 109, the import choice, is on that page alone), then closes the sheet with Cancel.
inline bool YesOpensTheRecordPage(HWND box, DWORD processId, DWORD waitMs) {
  constexpr int kRecordImportAction = 109;
  guidriver::ClickButton(box, IDYES);
  HWND sheet = guidriver::WaitForWindow("#32770", "Options", waitMs, processId);
  if (!sheet) return false;
  const bool onRecordPage = guidriver::FindControl(sheet, kRecordImportAction, true) != nullptr;
  guidriver::ClickButton(sheet, IDCANCEL);
  return guidriver::WaitForWindowGone(sheet, waitMs) && onRecordPage;
}

}  // namespace program_driving
