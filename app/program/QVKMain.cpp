// The editor's entry: the music-font check, the crash filter, then the application object.
#include <windows.h>

#include "app/win32/CrashReporter.h"
#include "app/win32/SystemFontSeam.h"
#include "app/win32/VellichordApp.h"
#include "foundation/PathText.h"

int OwlMain(const char* commandLine) {
  char programFolder[260];
  DWORD n = GetModuleFileNameA(nullptr, programFolder, sizeof programFolder);
  if (n == 0 || n >= sizeof programFolder) programFolder[0] = '\0';
  PathToDirectory(programFolder, true);
  if (!EnsureMusicFont(programFolder, SystemMusicFontSeam())) return 1;

  InstallCrashReporter("Vellichord");

  TVellichordApp* app = new TVellichordApp("Vellichord", commandLine);
  const int result = app->Run();
  delete app;
  return result;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) { return OwlMain(commandLine ? commandLine : ""); }
