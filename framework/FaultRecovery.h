// Resume points for hardware faults: the window procedures and the message loop mark one around
// each piece of handler code they run. An exception filter cannot throw: this build's C++
// exceptions unwind by tables and cannot cross the system's exception-dispatch frames. It sends
// the faulting thread back to the innermost resume point instead, where the fault's report is
// thrown as the message exception through ordinary frames and reaches the loop like any other.
//
// Each point also registers a system exception frame. Window procedures run inside the system's
// callback frames, which on some systems end every exception silently before the process's
// unhandled-exception filter is asked; the point's frame hands the exception to the raiser first.
#pragma once
#include <windows.h>
#include <cstddef>

class TFaultRecoveryPoint;

// Asked with an exception passing a point's frame; answers true after redirecting the context to
// that point (Redirect), false to let the search go on.
using TFaultRaiser = bool (*)(EXCEPTION_POINTERS* exception, TFaultRecoveryPoint& point);

class TFaultRecoveryPoint {
public:
  static constexpr std::size_t kReportSize = 512;

  // The process's raiser (the crash reporter); none by default.
  static void SetFaultRaiser(TFaultRaiser raiser);

  // Becomes the calling thread's innermost point; the destructor makes the outer one innermost again.
  TFaultRecoveryPoint();
  ~TFaultRecoveryPoint();
  TFaultRecoveryPoint(const TFaultRecoveryPoint&) = delete;
  TFaultRecoveryPoint& operator=(const TFaultRecoveryPoint&) = delete;

  // The calling thread's innermost point; null outside every point.
  static TFaultRecoveryPoint* Innermost();

  // Called by an exception filter on the faulting thread with that thread's context: keeps the
  // report (cut to fit) and makes the thread resume at this point once the filter answers
  // EXCEPTION_CONTINUE_EXECUTION. The frames between this point and the fault are abandoned.
  void Redirect(CONTEXT& context, const char* report);

  // On resumption: puts back the thread's chain of system exception handlers as it was before the
  // point was marked, resets the floating-point unit and throws xmsg with the report.
  [[noreturn]] void Raise();

  const char* Report() const { return report_; }

  // Filled by __builtin_setjmp in RunWithFaultRecovery.
  void* jump_[5] = {};

private:
  // A system exception-registration record, with the point it belongs to after it.
  struct TRegistration {
    void* next;
    void* handler;
    TFaultRecoveryPoint* point;
  };

  static void __fastcall JumpBack(TFaultRecoveryPoint* point);
  static EXCEPTION_DISPOSITION __cdecl FrameHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context,
                                                    void* dispatcher);

  TFaultRecoveryPoint* outer_;
  void* handlerChain_;
  TRegistration registration_;
  char report_[kReportSize] = {};
  // The resumed thread runs its few instructions here: the faulting stack pointer may be the fault.
  alignas(16) unsigned char resumeStack_[256];
};

// Runs body() under a resume point. A fault redirected to it throws xmsg(report) from here; the
// body's frames are abandoned without their destructors, as the fault left them.
template <class Body>
auto RunWithFaultRecovery(Body&& body) -> decltype(body()) {
  TFaultRecoveryPoint point;
  if (__builtin_setjmp(point.jump_)) point.Raise();
  return body();
}
