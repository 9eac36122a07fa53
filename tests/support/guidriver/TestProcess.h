// A program under test started in its own process; it is ended when the object goes.
#pragma once
#include <windows.h>
#include <string>

namespace guidriver {

class TTestProcess {
public:
  // Starts the program with the command line (program path quoted first), in the given current
  // folder (this process's when empty); IsRunning tells success.
  TTestProcess(const std::string& program, const std::string& arguments = "", const std::string& folder = "");
  ~TTestProcess();
  TTestProcess(const TTestProcess&) = delete;
  TTestProcess& operator=(const TTestProcess&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  bool IsRunning() const;
  DWORD Id() const { return info_.dwProcessId; }
  // Waits for the program to end; answers false after the time-out.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  void Terminate();

private:
  PROCESS_INFORMATION info_{};
};

}  // namespace guidriver
