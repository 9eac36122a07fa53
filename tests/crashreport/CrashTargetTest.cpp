// End to end: a program that really faults in its handlers reports each fault through its
// message loop with the exact text and carries on; faults on its worker threads are shown and
// handed to the previous filter; closing it ends it with exit code 0.
#include <gtest/gtest.h>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include "tests/crashreport/CrashReportText.h"
#include "tests/crashreport/CrashTargetCommands.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/TestProcess.h"

using namespace guidriver;

namespace {

constexpr DWORD kWaitMs = 20000;

std::string ProgramFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\') + 1);
}

// " at SSSS:OOOOOOOO" of each fault label, as the build read it from the program's tables.
std::map<std::string, std::string> FaultPositions() {
  std::map<std::string, std::string> positions;
  std::ifstream in(ProgramFolder() + "crash_report_target.points");
  std::string label;
  unsigned section = 0;
  std::string offset;
  while (in >> label >> section >> offset) {
    char text[32];
    std::snprintf(text, sizeof text, " at %04x:%08lx", section, std::stoul(offset, nullptr, 16));
    positions[label] = text;
  }
  return positions;
}

// Posts the command and answers the box that follows; the box's text, or "no box".
std::string ReportAfter(HWND frame, UINT command) {
  PostCommand(frame, command);
  HWND box = WaitForMessageBox(kTargetCaption, kWaitMs);
  if (!box) return "no box";
  std::string text = ReadMessageBox(box).text;
  ClickButton(box, IDOK);
  WaitForWindowGone(box, kWaitMs);
  return text;
}

TEST(CrashTarget, FaultsAreReportedExactlyAndTheProgramCarriesOn) {
  std::map<std::string, std::string> at = FaultPositions();
  ASSERT_EQ(at.size(), 2u) << "crash_report_target.points is missing or incomplete";

  TTestProcess target(ProgramFolder() + "crash_report_target.exe");
  ASSERT_TRUE(target.Started());
  HWND frame = WaitForWindow(nullptr, kTargetCaption, kWaitMs, target.Id());
  ASSERT_NE(frame, nullptr);

  // On the user-interface thread: reported by the loop, and the loop goes on.
  const std::string own = "crash_report_target.exe";
  EXPECT_EQ(ReportAfter(frame, kFaultAccessViolation),
            "ACCESS_VIOLATION in module " + own + at["crash_target_av_point"] + kAdvice);
  EXPECT_EQ(ReportAfter(frame, kFaultIntegerDivide),
            "INT_DIVIDE_BY_ZERO in module " + own + at["crash_target_div_point"] + kAdvice);
  EXPECT_EQ(ReportAfter(frame, kFaultCallingNull), std::string("ACCESS_VIOLATION in module Unknown") + kAdvice);

  // A system library is named with its own section.
  std::string system = ReportAfter(frame, kFaultInSystemLibrary);
  const std::string head = "ACCESS_VIOLATION in module ";
  ASSERT_GT(system.size(), head.size() + sizeof kAdvice - 1) << system;
  EXPECT_EQ(system.compare(0, head.size(), head), 0) << system;
  EXPECT_TRUE(IsModuleWithSection(system.substr(head.size(), system.size() - head.size() - (sizeof kAdvice - 1)),
                                  "msvcrt.dll"))
      << system;

  // Handlers the system calls back from inside its own frames: the report still reaches the
  // loop, and the window goes on handling messages.
  EXPECT_EQ(ReportAfter(frame, kFaultInTimer),
            "ACCESS_VIOLATION in module " + own + at["crash_target_av_point"] + kAdvice);
  EXPECT_EQ(ReportAfter(frame, kFaultInSentMessage),
            "ACCESS_VIOLATION in module " + own + at["crash_target_av_point"] + kAdvice);

  // Again after all that: the same fault, the same report.
  EXPECT_EQ(ReportAfter(frame, kFaultAccessViolation),
            "ACCESS_VIOLATION in module " + own + at["crash_target_av_point"] + kAdvice);

  // On worker threads: the same report in a box of the worker, then the previous filter; the
  // user-interface thread learns of it only from the previous filter's message.
  EXPECT_EQ(ReportAfter(frame, kFaultOnWorker),
            "ACCESS_VIOLATION in module " + own + at["crash_target_av_point"] + kAdvice);
  EXPECT_NE(WaitForWindow(nullptr, (std::string(kPreviousFilterCaption) + "1").c_str(), kWaitMs, target.Id()),
            nullptr);
  EXPECT_EQ(ReportAfter(frame, kFaultOnWorkerWithResumePoint),
            "ACCESS_VIOLATION in module " + own + at["crash_target_av_point"] + kAdvice);
  EXPECT_NE(WaitForWindow(nullptr, (std::string(kPreviousFilterCaption) + "2").c_str(), kWaitMs, target.Id()),
            nullptr);

  PostCommand(frame, kShowAlive);
  EXPECT_NE(WaitForWindow(nullptr, kAliveCaption, kWaitMs, target.Id()), nullptr);

  PostMessageA(frame, WM_CLOSE, 0, 0);
  DWORD code = 1;
  ASSERT_TRUE(target.WaitForExit(kWaitMs, &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
