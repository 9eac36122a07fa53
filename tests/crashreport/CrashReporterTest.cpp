// The filter's choices, and real faults in this test program: on its user-interface thread (the
// thread that installed the reporter) a fault under a resume point comes back as the message
// exception; on other threads it is shown in a box and the previous filter decides.
#include <gtest/gtest.h>
#include <float.h>
#include <cmath>
#include <string>
#include "app/win32/CrashReporter.h"
#include "framework/Application.h"
#include "framework/FaultRecovery.h"
#include "framework/Xmsg.h"
#include "tests/crashreport/CrashReportText.h"
#include "tests/support/guidriver/GuiDriver.h"

using namespace guidriver;

namespace {

constexpr char kCaption[] = "Crash Reporter Test";
constexpr LONG kPreviousAnswer = 0x5A;

volatile LONG previousCalls = 0;
EXCEPTION_POINTERS* previousSaw = nullptr;
DWORD userInterfaceThread = 0;
constexpr DWORD kWorkerEndedByPreviousFilter = 77;

void __stdcall EndWorker() { ExitThread(kWorkerEndedByPreviousFilter); }

// Stands for whatever filter was in place before: answers a mark of its own, and ends a faulting
// worker thread cleanly instead of the process.
LONG WINAPI PreviousFilter(EXCEPTION_POINTERS* exception) {
  InterlockedIncrement(&previousCalls);
  previousSaw = exception;
  if (exception && exception->ContextRecord && GetCurrentThreadId() != userInterfaceThread) {
    CONTEXT& c = *exception->ContextRecord;
    c.Esp = (c.Esp & ~DWORD(15)) - 4;
    c.Eip = reinterpret_cast<DWORD>(&EndWorker);
    return EXCEPTION_CONTINUE_EXECUTION;
  }
  return kPreviousAnswer;
}

class CrashReporter : public ::testing::Test {
protected:
  void SetUp() override {
    userInterfaceThread = GetCurrentThreadId();
    previousCalls = 0;
    previousSaw = nullptr;
    SetUnhandledExceptionFilter(&PreviousFilter);
    InstallCrashReporter(kCaption);
  }
  void TearDown() override { SetUnhandledExceptionFilter(nullptr); }
};

EXCEPTION_RECORD Record(DWORD code, DWORD flags) {
  EXCEPTION_RECORD r{};
  r.ExceptionCode = code;
  r.ExceptionFlags = flags;
  return r;
}

TEST_F(CrashReporter, LeavesWhatItDoesNotReportToThePreviousFilter) {
  EXCEPTION_RECORD noncontinuable = Record(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE);
  CONTEXT context{};
  EXCEPTION_POINTERS withRecord{&noncontinuable, &context};
  EXCEPTION_POINTERS withoutRecord{nullptr, &context};
  EXCEPTION_POINTERS* cases[] = {&withRecord, &withoutRecord, nullptr};
  for (EXCEPTION_POINTERS* p : cases) {
    previousSaw = reinterpret_cast<EXCEPTION_POINTERS*>(1);
    EXPECT_EQ(CrashReportFilter(p), kPreviousAnswer);
    EXPECT_EQ(previousSaw, p);
  }
  EXPECT_EQ(previousCalls, 3);
}

TEST_F(CrashReporter, WithoutPreviousFilterTheSearchGoesOn) {
  SetUnhandledExceptionFilter(nullptr);
  InstallCrashReporter(kCaption);
  EXPECT_EQ(GetPreviousExceptionFilter(), nullptr);
  EXCEPTION_RECORD noncontinuable = Record(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE);
  CONTEXT context{};
  EXCEPTION_POINTERS p{&noncontinuable, &context};
  EXPECT_EQ(CrashReportFilter(&p), EXCEPTION_CONTINUE_SEARCH);
}

TEST_F(CrashReporter, InstallingAgainKeepsThePreviousFilter) {
  InstallCrashReporter(kCaption);
  EXPECT_EQ(GetPreviousExceptionFilter(), &PreviousFilter);
  EXCEPTION_RECORD noncontinuable = Record(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE);
  CONTEXT context{};
  EXCEPTION_POINTERS p{&noncontinuable, &context};
  EXPECT_EQ(CrashReportFilter(&p), kPreviousAnswer);
}

void* HandlerChain() {
  void* head;
  asm volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

// A store through a pointer the compiler knows to be null, and a division whose quotient nobody
// reads, are dropped by the optimiser (it may assume neither faults): the pointer and the quotient
// go through volatile objects so that the faults really happen.
__attribute__((noinline)) void WriteThroughNull() {
  volatile int* volatile nothing = nullptr;
  *nothing = 1;
}

__attribute__((noinline)) int DivideByZero() {
  volatile int zero = 0;
  volatile int quotient = 7 / zero;
  return quotient;
}

// The report of a fault in this program's own code: "<name> in module crash_report_test.exe at
// SSSS:OOOOOOOO" and the advice.
void ExpectOwnReport(const std::string& report, const std::string& name) {
  const std::string head = name + " in module ";
  ASSERT_GT(report.size(), head.size() + sizeof kAdvice - 1) << report;
  EXPECT_EQ(report.compare(0, head.size(), head), 0) << report;
  EXPECT_EQ(report.substr(report.size() - (sizeof kAdvice - 1)), kAdvice);
  EXPECT_TRUE(IsModuleWithSection(report.substr(head.size(), report.size() - head.size() - (sizeof kAdvice - 1)),
                                  "crash_report_test.exe"))
      << report;
}

template <class Fault>
std::string ReportOf(Fault fault) {
  try {
    RunWithFaultRecovery(fault);
  } catch (const xmsg& e) {
    return e.why();
  }
  return "no exception";
}

TEST_F(CrashReporter, FaultsOnTheUserInterfaceThreadComeBackAsMessageExceptions) {
  void* chain = HandlerChain();
  // Again and again: each recovery leaves the thread as it found it.
  for (int round = 0; round < 3; ++round) {
    ExpectOwnReport(ReportOf([] { WriteThroughNull(); }), "ACCESS_VIOLATION");
    ExpectOwnReport(ReportOf([] { DivideByZero(); }), "INT_DIVIDE_BY_ZERO");
    EXPECT_EQ(HandlerChain(), chain);
    EXPECT_EQ(TFaultRecoveryPoint::Innermost(), nullptr);
  }
  EXPECT_EQ(previousCalls, 0);
}

// Window procedures run inside the system's callback frames, which may end an exception before
// the unhandled-exception filter is asked: the resume point's own frame reports it first.
TEST_F(CrashReporter, ResumePointReportsWithoutTheUnhandledExceptionFilter) {
  SetUnhandledExceptionFilter(&PreviousFilter);
  ExpectOwnReport(ReportOf([] { WriteThroughNull(); }), "ACCESS_VIOLATION");
  EXPECT_EQ(previousCalls, 0);
}

TEST_F(CrashReporter, NestedResumePointsTakeTheInnermost) {
  std::string inner, outer = "none";
  try {
    RunWithFaultRecovery([&] {
      inner = ReportOf([] { WriteThroughNull(); });
      // The outer point is innermost again and still works.
      DivideByZero();
    });
  } catch (const xmsg& e) {
    outer = e.why();
  }
  ExpectOwnReport(inner, "ACCESS_VIOLATION");
  ExpectOwnReport(outer, "INT_DIVIDE_BY_ZERO");
}

TEST_F(CrashReporter, FloatingPointUnitIsResetAfterAFault) {
  // The resumed thread must not keep the faulting code's floating-point set-up: here truncation
  // and an unmasked division by zero, which would trap on the next division.
  std::string report = ReportOf([] {
    _controlfp(_RC_CHOP, _MCW_RC);
    _controlfp(_MCW_EM & ~_EM_ZERODIVIDE, _MCW_EM);
    WriteThroughNull();
  });
  ExpectOwnReport(report, "ACCESS_VIOLATION");
  EXPECT_EQ(_controlfp(0, 0) & _MCW_RC, unsigned(_RC_NEAR));
  EXPECT_EQ(_controlfp(0, 0) & _MCW_EM, unsigned(_MCW_EM));
  volatile double zero = 0.0;
  EXPECT_TRUE(std::isinf(1.0 / zero));
  EXPECT_EQ(previousCalls, 0);
}

struct TWorkerRun {
  std::string boxCaption;
  std::string boxText;
  DWORD exitCode = 0;
  bool ended = false;
};

// Starts a worker that faults, answers the box it shows and waits for it to end.
TWorkerRun RunFaultingWorker(LPTHREAD_START_ROUTINE body) {
  TWorkerRun run;
  HANDLE worker = CreateThread(nullptr, 0, body, nullptr, 0, nullptr);
  if (!worker) return run;
  HWND box = WaitForMessageBox(kCaption, 20000);
  if (box) {
    TMessageBoxText t = ReadMessageBox(box);
    run.boxCaption = t.caption;
    run.boxText = t.text;
    ClickButton(box, IDOK);
  }
  run.ended = WaitForSingleObject(worker, 20000) == WAIT_OBJECT_0;
  GetExitCodeThread(worker, &run.exitCode);
  CloseHandle(worker);
  return run;
}

DWORD WINAPI WorkerWithoutLoop(void*) {
  WriteThroughNull();
  return 1;
}

// A thread with resume points of its own (framework windows) but no loop that reports: the
// reporter must not raise there, or the report would vanish and the thread run on.
DWORD WINAPI WorkerWithResumePoint(void*) {
  try {
    RunWithFaultRecovery([] { WriteThroughNull(); });
  } catch (const xmsg&) {
    return 2;
  }
  return 1;
}

TEST_F(CrashReporter, FaultsOnOtherThreadsAreShownThenGoToThePreviousFilter) {
  const LPTHREAD_START_ROUTINE workers[] = {&WorkerWithoutLoop, &WorkerWithResumePoint};
  LONG calls = 0;
  for (LPTHREAD_START_ROUTINE worker : workers) {
    TWorkerRun run = RunFaultingWorker(worker);
    EXPECT_EQ(run.boxCaption, kCaption);
    ExpectOwnReport(run.boxText, "ACCESS_VIOLATION");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, kWorkerEndedByPreviousFilter);
    EXPECT_EQ(previousCalls, ++calls);
  }
  // Nothing was left for this thread's loop to report.
  EXPECT_FALSE(TApplication::HasPendingException());
}

}  // namespace
