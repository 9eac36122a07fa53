// Start-up time of the editor to "Ready" against a bare Win32 program that opens one window and
// shows the same signal. Each program runs from a folder of its own (the editor with its engine
// library and a fresh settings file each time); the runs alternate and the medians are compared.
//   startup_bench [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kStatusBarId = 32040;
constexpr DWORD kTimeoutMs = 120000;

struct TFind {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK MatchProcess(HWND hwnd, LPARAM lParam) {
  TFind* f = reinterpret_cast<TFind*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != f->pid || !IsWindowVisible(hwnd) || !GetDlgItem(hwnd, kStatusBarId)) return TRUE;
  f->found = hwnd;
  return FALSE;
}

std::string Folder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// Milliseconds from CreateProcess until the status child reads " Ready"; negative on failure.
double TimeToReady(const std::string& program, const std::string& folder) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + program + "\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                      &pi)) {
    return -1;
  }
  double elapsed = -1;
  for (;;) {
    TFind f{pi.dwProcessId, nullptr};
    EnumWindows(&MatchProcess, reinterpret_cast<LPARAM>(&f));
    char text[32] = {};
    if (f.found) GetWindowTextA(GetDlgItem(f.found, kStatusBarId), text, sizeof text);
    QueryPerformanceCounter(&now);
    const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
    if (f.found && std::string(text) == " Ready") {
      elapsed = ms;
      PostMessageA(f.found, WM_CLOSE, 0, 0);
      break;
    }
    if (ms > kTimeoutMs || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
    Sleep(1);
  }
  if (WaitForSingleObject(pi.hProcess, kTimeoutMs) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return elapsed;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

bool Copy(const char* file, const std::string& folder) {
  return CopyFileA(file, (folder + "\\" + file).c_str(), FALSE) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const std::string editorFolder = Folder("vc_startup_editor");
  const std::string baseFolder = Folder("vc_startup_baseline");
  if (!Copy("QVK32.exe", editorFolder) || !Copy("QVMID32B.DLL", editorFolder) ||
      !Copy("startup_baseline.exe", baseFolder)) {
    std::fprintf(stderr, "startup_bench: run it from the build's bin folder (QVK32.exe, QVMID32B.DLL, startup_baseline.exe)\n");
    return 2;
  }
  const std::string ini = editorFolder + "\\QVK.INI";
  std::vector<double> editor, baseline;
  // One unmeasured start of each loads the system's libraries into the file cache.
  DeleteFileA(ini.c_str());
  TimeToReady(editorFolder + "\\QVK32.exe", editorFolder);
  TimeToReady(baseFolder + "\\startup_baseline.exe", baseFolder);
  for (int i = 0; i < runs; ++i) {
    DeleteFileA(ini.c_str());
    const double e = TimeToReady(editorFolder + "\\QVK32.exe", editorFolder);
    const double b = TimeToReady(baseFolder + "\\startup_baseline.exe", baseFolder);
    if (e < 0 || b < 0) {
      std::fprintf(stderr, "startup_bench: a program did not reach Ready (editor %.0f, baseline %.0f)\n", e, b);
      return 1;
    }
    editor.push_back(e);
    baseline.push_back(b);
    std::printf("run %d: editor %.1f ms, baseline %.1f ms\n", i + 1, e, b);
  }
  const double me = Median(editor), mb = Median(baseline);
  std::printf("median to Ready: editor %.1f ms, bare Win32 program %.1f ms, ratio %.2f (limit 1.50)\n", me, mb, me / mb);
  return 0;
}
