#include "tests/support/guidriver/TestProcess.h"
#include <vector>

namespace guidriver {

TTestProcess::TTestProcess(const std::string& program, const std::string& arguments, const std::string& folder) {
  std::string cmd = "\"" + program + "\"";
  if (!arguments.empty()) cmd += " " + arguments;
  std::vector<char> line(cmd.begin(), cmd.end());
  line.push_back('\0');
  STARTUPINFOA si{};
  si.cb = sizeof si;
  if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &info_)) {
    info_ = {};
    return;
  }
  WaitForInputIdle(info_.hProcess, 5000);
}

TTestProcess::~TTestProcess() {
  if (!Started()) return;
  Terminate();
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool TTestProcess::IsRunning() const {
  return Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool TTestProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!Started() || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
  return true;
}

void TTestProcess::Terminate() {
  if (IsRunning()) {
    TerminateProcess(info_.hProcess, 255);
    WaitForSingleObject(info_.hProcess, 5000);
  }
}

}  // namespace guidriver
