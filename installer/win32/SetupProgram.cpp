#include "installer/win32/SetupProgram.h"

#include <commdlg.h>

#include <cstring>

#include "foundation/PathText.h"
#include "foundation/win32/FileUtils.h"
#include "installer/UpgradeRules.h"
#include "installer/win32/SetupIds.h"
#include "installer/win32/UpgApplier.h"
#include "installer/win32/Win32Disk.h"

TSetupProgram gSetup;

namespace {

const char kClassName[] = "UpgSetup";
const char kInvalidData[] = "Missing or invalid setup data.";

// The package named on the command line (quotes and spaces around it dropped), else the
// program's own path with ".upg"; the texts are always beside the program.
void ComputePaths(const char* commandLine) {
  char self[kMaxPath] = {};
  GetModuleFileNameA(nullptr, self, sizeof self);
  char uui[kMaxPath];
  std::strcpy(uui, self);
  ReplaceExtension(uui, ".uui");
  gSetup.uuiPath = uui;

  std::string argument = commandLine ? commandLine : "";
  while (!argument.empty() && (argument.back() == ' ' || argument.back() == '\t')) argument.pop_back();
  while (!argument.empty() && (argument.front() == ' ' || argument.front() == '\t')) argument.erase(0, 1);
  if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"') argument = argument.substr(1, argument.size() - 2);
  if (argument.empty()) {
    char package[kMaxPath];
    std::strcpy(package, self);
    ReplaceExtension(package, ".upg");
    argument = package;
  }
  gSetup.packagePath = argument;
}

bool RegisterSetupClass(HINSTANCE instance) {
  WNDCLASSA dialogClass;
  if (GetClassInfoA(instance, kClassName, &dialogClass)) return true;
  if (!GetClassInfoA(nullptr, MAKEINTRESOURCEA(0x8002), &dialogClass)) {
    MessageBoxA(nullptr, "Fatal error in GetClassInfo", "Error", MB_OK);
    return false;
  }
  dialogClass.hInstance = instance;
  dialogClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_UPGSETUP));
  dialogClass.lpszClassName = kClassName;
  return RegisterClassA(&dialogClass) != 0;
}

void ShowTarget(HWND dialog) { SetDlgItemTextA(dialog, IDC_UPG_TARGET, gSetup.target.c_str()); }

void ChooseFolder(HWND dialog) {
  char file[kMaxPath] = "Target";
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = dialog;
  ofn.hInstance = gSetup.instance;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = gSetup.target.c_str();
  ofn.lpstrTitle = "Browse";
  ofn.lpTemplateName = "BROWSE";
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_ENABLETEMPLATE | OFN_EXPLORER | OFN_LONGNAMES;
  if (!GetSaveFileNameA(&ofn)) return;
  std::string target;
  if (!UpgTargetFromChosenPath(file, target)) return;
  gSetup.target = target;
  ShowTarget(dialog);
}

void ApplyOrClose(HWND dialog) {
  if (gSetup.done) {
    DestroyWindow(dialog);
    return;
  }
  TUpgApplier applier(gSetup.instance, dialog);
  if (!applier.Open(gSetup.packagePath.c_str()) || !applier.Apply(gSetup.target, gSetup.uuiPath.c_str())) {
    SetForegroundWindow(dialog);
    return;
  }
  gSetup.done = true;
  SetDlgItemTextA(dialog, IDC_UPG_APPLY, "Done");
  SetFocus(GetDlgItem(dialog, IDC_UPG_APPLY));
  EnableWindow(GetDlgItem(dialog, IDC_UPG_FOLDER), FALSE);
}

}  // namespace

INT_PTR CALLBACK UpgSearchDlg(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

INT_PTR CALLBACK WndProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* package = reinterpret_cast<const TUpgPackage*>(lParam);
      if (package->Header().title[0]) SetWindowTextA(dialog, package->Header().title);
      SetDlgItemTextA(dialog, IDC_UPG_DESCRIPTION, package->Header().description);
      ShowTarget(dialog);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_UPG_FOLDER: ChooseFolder(dialog); return TRUE;
        case IDC_UPG_APPLY: ApplyOrClose(dialog); return TRUE;
        case IDCANCEL: DestroyWindow(dialog); return TRUE;
        default: return FALSE;
      }
    case WM_CLOSE:
      DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

int runUpgrade(HINSTANCE instance, const char* commandLine) {
  gSetup.instance = instance;
  ComputePaths(commandLine);
  if (!RegisterSetupClass(instance)) return 1;

  TUpgApplier search(instance, nullptr);
  if (!FileExists(gSetup.packagePath.c_str()) || !FileExists(gSetup.uuiPath.c_str()) ||
      !search.Open(gSetup.packagePath.c_str())) {
    MessageBoxA(nullptr, kInvalidData, "Error", MB_OK | MB_ICONERROR);
    return 1;
  }

  HWND notice = CreateDialogParamA(instance, "UPGSEARCH", nullptr, UpgSearchDlg, 0);
  if (notice) {
    ShowWindow(notice, SW_SHOW);
    UpdateWindow(notice);
  }
  char windows[kMaxPath] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  gSetup.target = windows;
  TWin32SearchDisk disk(search);
  const std::string found = SearchDrives(disk);
  if (!found.empty()) gSetup.target = UpgFolderForDisplay(found);
  if (notice) DestroyWindow(notice);

  gSetup.mainWindow = CreateDialogParamA(instance, "MAIN", nullptr, WndProc, reinterpret_cast<LPARAM>(&search.Package()));
  if (!gSetup.mainWindow) return 1;
  ShowWindow(gSetup.mainWindow, SW_SHOW);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (IsWindow(gSetup.mainWindow) && IsDialogMessageA(gSetup.mainWindow, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) { return runUpgrade(instance, commandLine); }
