// A program that really faults, for the crash reporter's end-to-end test. Its frame "Crash Report
// Target" answers commands that fault in different ways; the test reads the boxes that follow.
//
// The two faults in our own code happen at the labels crash_target_av_point and
// crash_target_div_point, which the build looks up in the finished program (fault_points.py), so
// the test knows their section positions without asking the code under test.
//
// A filter installed before the crash reporter stands for the previous filter: it counts its
// calls and ends a faulting worker thread cleanly, so that the program lives on to be asked.
#include <windows.h>
#include <string>
#include "app/win32/CrashReporter.h"
#include "framework/Application.h"
#include "framework/FaultRecovery.h"
#include "framework/FrameWindow.h"
#include "framework/Xmsg.h"
#include "tests/crashreport/CrashTargetCommands.h"
#include "tests/support/ThreadRedirect.h"

namespace {

HWND frameHandle = nullptr;
DWORD mainThread = 0;
volatile LONG previousFilterCalls = 0;

// Not inlined: each label must exist once.
extern "C" __attribute__((noinline, noclone)) void FaultAccessViolation() {
  asm volatile(
      ".globl _crash_target_av_point\n"
      "_crash_target_av_point:\n\t"
      "movl $1, 0\n" ::: "memory");
}

extern "C" __attribute__((noinline, noclone)) void FaultIntegerDivide() {
  asm volatile(
      "xorl %%ecx, %%ecx\n\t"
      "movl $7, %%eax\n\t"
      "cltd\n"
      ".globl _crash_target_div_point\n"
      "_crash_target_div_point:\n\t"
      "idivl %%ecx\n" ::: "eax", "ecx", "edx", "cc");
}

void FaultInSystemLibrary() {
  using TStrlen = size_t(__cdecl*)(const char*);
  auto systemStrlen = reinterpret_cast<TStrlen>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("msvcrt.dll"), "strlen")));
  volatile const char* nothing = nullptr;
  systemStrlen(const_cast<const char*>(nothing));
}

void FaultCallingNull() {
  using TFunction = void (*)();
  volatile TFunction nothing = nullptr;
  nothing();
}

void __stdcall EndWorker() {
  PostMessageA(frameHandle, kPreviousFilterRan, previousFilterCalls, 0);
  ExitThread(0);
}

LONG WINAPI PreviousFilter(EXCEPTION_POINTERS* exception) {
  InterlockedIncrement(&previousFilterCalls);
  if (GetCurrentThreadId() == mainThread) return EXCEPTION_EXECUTE_HANDLER;  // ends the program: a failure
  RedirectThreadTo(*exception->ContextRecord, &EndWorker);
  return EXCEPTION_CONTINUE_EXECUTION;
}

DWORD WINAPI WorkerWithoutLoop(void*) {
  FaultAccessViolation();
  return 1;
}

// Stands for a second thread that handles messages of framework windows: it has resume points
// but no loop that would ever report an exception.
DWORD WINAPI WorkerWithResumePoint(void*) {
  try {
    RunWithFaultRecovery([] { FaultAccessViolation(); });
  } catch (const xmsg&) {
    PostMessageA(frameHandle, kRaisedOnWorker, 0, 0);
  }
  return 1;
}

constexpr UINT_PTR kFaultTimer = 1;

DWORD WINAPI SendFaultingMessage(void*) {
  SendMessageA(frameHandle, kFaultWhenSent, 0, 0);
  return 0;
}

void StartWorker(LPTHREAD_START_ROUTINE body) {
  HANDLE h = CreateThread(nullptr, 0, body, nullptr, 0, nullptr);
  if (h) CloseHandle(h);
}

class TTargetFrame : public TFrameWindow {
public:
  TTargetFrame() : TFrameWindow(nullptr, kTargetCaption) {
    Attr.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    Attr.x = Attr.y = 20;
    Attr.w = 320;
    Attr.h = 200;
  }

  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override {
    switch (id) {
      case kFaultAccessViolation: FaultAccessViolation(); break;
      case kFaultIntegerDivide: FaultIntegerDivide(); break;
      case kFaultInSystemLibrary: FaultInSystemLibrary(); break;
      case kFaultCallingNull: FaultCallingNull(); break;
      case kFaultOnWorker: StartWorker(&WorkerWithoutLoop); break;
      case kFaultOnWorkerWithResumePoint: StartWorker(&WorkerWithResumePoint); break;
      case kShowAlive: SetWindowText(kAliveCaption); break;
      case kFaultInTimer: SetTimer(GetHandle(), kFaultTimer, 10, nullptr); break;
      case kFaultInSentMessage: StartWorker(&SendFaultingMessage); break;
      default: return TFrameWindow::EvCommand(id, control, notifyCode);
    }
    return 0;
  }

protected:
  LRESULT ReceiveMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == kPreviousFilterRan) {
      SetWindowText((std::string(kPreviousFilterCaption) + std::to_string(wParam)).c_str());
      return 0;
    }
    if (msg == WM_TIMER && wParam == kFaultTimer) {
      KillTimer(GetHandle(), kFaultTimer);
      FaultAccessViolation();
      return 0;
    }
    if (msg == kFaultWhenSent) {
      FaultAccessViolation();
      return 0;
    }
    if (msg == kRaisedOnWorker) {
      SetWindowText(kRaisedOnWorkerCaption);
      return 0;
    }
    return TFrameWindow::ReceiveMessage(msg, wParam, lParam);
  }
};

class TTargetApp : public TApplication {
public:
  TTargetApp() : TApplication(kTargetCaption) {}
  void InitMainWindow() override { SetMainWindow(new TTargetFrame); }
  void InitInstance() override {
    TApplication::InitInstance();
    frameHandle = GetMainWindow()->GetHandle();
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  mainThread = GetCurrentThreadId();
  SetUnhandledExceptionFilter(&PreviousFilter);
  InstallCrashReporter(kTargetCaption);
  TTargetApp app;
  return app.Run();
}
