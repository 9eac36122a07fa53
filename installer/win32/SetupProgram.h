// The process-wide state of QVSETUP and its two windows besides the progress window: the search
// notice and the main window.
#pragma once

#include <windows.h>

#include <string>

struct TSetupProgram {
  std::string packagePath;
  std::string uuiPath;
  std::string target;
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  bool done = false;
};

extern TSetupProgram gSetup;

extern "C" __declspec(dllexport) INT_PTR CALLBACK UpgSearchDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
extern "C" __declspec(dllexport) INT_PTR CALLBACK WndProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

int runUpgrade(HINSTANCE instance, const char* commandLine);
