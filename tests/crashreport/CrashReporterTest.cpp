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
#include "tests/support/ThreadRedirect.h"
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
    RedirectThreadTo(*exception->ContextRecord, &EndWorker);
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

// The head of the 32-bit thread's chain of system exception handlers; x86-64 has no such chain
// (handlers are found through unwind data), so there is nothing a point could leave behind.
void* HandlerChain() {
  void* head = nullptr;
#if !defined(__x86_64__)
  asm volatile("movl %%fs:0, %0" : "=r"(head));
#endif
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

// A resumed caller must find every register the calling convention makes a callee preserve as it
// left it, though the abandoned frames changed them and never ran their epilogues. Written in
// assembly so that the compiler neither keeps nor restores anything of its own around them:
// vc_call_with_preserved_patterns(fn) fills each preserved register with a pattern, calls fn and
// answers one bit for each register fn gave back changed; the clobbering functions overwrite
// every preserved register, then return (breaking the convention, to show the check sees it) or
// write through a null pointer.
extern "C" unsigned VcCallWithPreservedPatterns(void (*fn)()) asm("vc_call_with_preserved_patterns");
extern "C" void VcClobberPreservedAndReturn() asm("vc_clobber_preserved_and_return");
extern "C" void VcClobberPreservedAndFault() asm("vc_clobber_preserved_and_fault");

#if defined(__x86_64__)
// Each general register gets 0x5A5A0000000000NN and xmm6-xmm15 get 0x5A5A000000000006 upwards in
// their low half; bits 0-7 of the answer stand for rbx rbp rdi rsi r12-r15, bits 8-17 for xmm6-xmm15.
asm(R"(
    .macro vc_expect reg, pattern, bit
    movabsq $\pattern, %rdx
    cmpq %rdx, \reg
    je 1f
    orl $\bit, %eax
1:
    .endm

    .text
    .globl vc_call_with_preserved_patterns
    .def vc_call_with_preserved_patterns; .scl 2; .type 32; .endef
    .seh_proc vc_call_with_preserved_patterns
vc_call_with_preserved_patterns:
    .irp r, rbx, rbp, rdi, rsi, r12, r13, r14, r15
    pushq %\r
    .seh_pushreg %\r
    .endr
    subq $200, %rsp
    .seh_stackalloc 200
    .set offset, 32
    .irp n, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
    movdqa %xmm\n, offset(%rsp)
    .seh_savexmm %xmm\n, offset
    .set offset, offset + 16
    .endr
    .seh_endprologue
    movabsq $0x5A5A000000000006, %rax
    .irp n, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
    movq %rax, %xmm\n
    incq %rax
    .endr
    movabsq $0x5A5A000000000001, %rbx
    movabsq $0x5A5A000000000002, %rbp
    movabsq $0x5A5A000000000003, %rdi
    movabsq $0x5A5A000000000004, %rsi
    movabsq $0x5A5A000000000005, %r12
    movabsq $0x5A5A000000000015, %r13
    movabsq $0x5A5A000000000025, %r14
    movabsq $0x5A5A000000000035, %r15
    callq *%rcx
    xorl %eax, %eax
    vc_expect %rbx, 0x5A5A000000000001, 0x1
    vc_expect %rbp, 0x5A5A000000000002, 0x2
    vc_expect %rdi, 0x5A5A000000000003, 0x4
    vc_expect %rsi, 0x5A5A000000000004, 0x8
    vc_expect %r12, 0x5A5A000000000005, 0x10
    vc_expect %r13, 0x5A5A000000000015, 0x20
    vc_expect %r14, 0x5A5A000000000025, 0x40
    vc_expect %r15, 0x5A5A000000000035, 0x80
    .set pattern, 0x5A5A000000000006
    .set bit, 0x100
    .irp n, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
    movq %xmm\n, %r8
    vc_expect %r8, pattern, bit
    .set pattern, pattern + 1
    .set bit, bit * 2
    .endr
    .set offset, 32
    .irp n, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
    movdqa offset(%rsp), %xmm\n
    .set offset, offset + 16
    .endr
    addq $200, %rsp
    .irp r, r15, r14, r13, r12, rsi, rdi, rbp, rbx
    popq %\r
    .endr
    ret
    .seh_endproc

    .globl vc_clobber_preserved_and_return
vc_clobber_preserved_and_return:
    xorl %eax, %eax
    jmp 2f
    .globl vc_clobber_preserved_and_fault
vc_clobber_preserved_and_fault:
    movl $1, %eax
2:
    .irp r, rbx, rbp, rdi, rsi, r12, r13, r14, r15
    movq $-1, %\r
    .endr
    .irp n, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
    pcmpeqd %xmm\n, %xmm\n
    .endr
    testl %eax, %eax
    jz 3f
    movl $1, 0
3:  ret
)");
#else
asm(R"(
    .text
    .globl vc_call_with_preserved_patterns
vc_call_with_preserved_patterns:
    pushl %ebx
    pushl %esi
    pushl %edi
    pushl %ebp
    movl 20(%esp), %eax
    movl $0x5A5A0001, %ebx
    movl $0x5A5A0002, %ebp
    movl $0x5A5A0003, %edi
    movl $0x5A5A0004, %esi
    call *%eax
    xorl %eax, %eax
    cmpl $0x5A5A0001, %ebx
    je 1f
    orl $0x1, %eax
1:  cmpl $0x5A5A0002, %ebp
    je 1f
    orl $0x2, %eax
1:  cmpl $0x5A5A0003, %edi
    je 1f
    orl $0x4, %eax
1:  cmpl $0x5A5A0004, %esi
    je 1f
    orl $0x8, %eax
1:  popl %ebp
    popl %edi
    popl %esi
    popl %ebx
    ret

    .globl vc_clobber_preserved_and_return
vc_clobber_preserved_and_return:
    xorl %eax, %eax
    jmp 2f
    .globl vc_clobber_preserved_and_fault
vc_clobber_preserved_and_fault:
    movl $1, %eax
2:  movl $-1, %ebx
    movl $-1, %ebp
    movl $-1, %edi
    movl $-1, %esi
    testl %eax, %eax
    jz 3f
    movl $1, 0
3:  ret
)");
#endif

void RecoverFromClobberingFault() {
  try {
    RunWithFaultRecovery([] { VcClobberPreservedAndFault(); });
  } catch (const xmsg&) {
  }
}

TEST_F(CrashReporter, TheResumedCallerFindsItsPreservedRegisters) {
  // The check itself sees a callee that breaks the convention.
  EXPECT_NE(VcCallWithPreservedPatterns(&VcClobberPreservedAndReturn), 0u);
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(VcCallWithPreservedPatterns(&RecoverFromClobberingFault), 0u) << "round " << round;
  }
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
