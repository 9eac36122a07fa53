// Resume points for hardware faults: the window procedures and the message loop mark one around
// each piece of handler code they run. An exception filter cannot throw: this build's C++
// exceptions cannot cross the system's exception-dispatch frames. It sends the faulting thread
// back to the innermost resume point instead, where the fault's report is thrown as the message
// exception through ordinary frames and reaches the loop like any other.
//
// Each point is also a system exception frame around the code it runs. Window procedures run
// inside the system's callback frames, which on some systems end every exception silently before
// the process's unhandled-exception filter is asked; the point's frame hands the exception to the
// raiser first.
#pragma once
#include <windows.h>
#include <cstddef>
#include <type_traits>

class TFaultRecoveryPoint;

// Asked with an exception passing a point's frame; answers true after redirecting the context to
// that point (Redirect), false to let the search go on.
using TFaultRaiser = bool (*)(EXCEPTION_POINTERS* exception, TFaultRecoveryPoint& point);

// Keeps every register that a function must preserve for its caller, as it is at the call, and
// answers 0; answers again with 1 when a fault is redirected to the state. Unlike the compiler's
// own setjmp built-in, which restores only the frame and stack pointers, the resumed caller finds
// all its preserved registers as it left them, whatever the abandoned frames did with them.
extern "C" int VcMarkResumeState(void* state) asm("vc_mark_resume_state") __attribute__((returns_twice));

class TFaultRecoveryPoint {
public:
  static constexpr std::size_t kReportSize = 512;
  // Room for the preserved registers of either architecture (x86-64: ten general registers and
  // ten SSE registers).
  static constexpr std::size_t kResumeStateSize = 240;

  // The process's raiser (the crash reporter); none by default.
  static void SetFaultRaiser(TFaultRaiser raiser);

  // Becomes the calling thread's innermost point; the destructor makes the outer one innermost again.
  TFaultRecoveryPoint();
  ~TFaultRecoveryPoint();
  TFaultRecoveryPoint(const TFaultRecoveryPoint&) = delete;
  TFaultRecoveryPoint& operator=(const TFaultRecoveryPoint&) = delete;

  // The calling thread's innermost point; null outside every point.
  static TFaultRecoveryPoint* Innermost();

  // Runs thunk(argument) inside this point's system exception frame.
  void Run(void (*thunk)(void*), void* argument);

  // Called by an exception filter on the faulting thread with that thread's context: keeps the
  // report (cut to fit) and makes the thread resume at this point once the filter answers
  // EXCEPTION_CONTINUE_EXECUTION. The frames between this point and the fault are abandoned.
  void Redirect(CONTEXT& context, const char* report);

  // On resumption: puts back the thread's exception-handler state as it was before the point was
  // marked, resets the floating-point units and throws xmsg with the report.
  [[noreturn]] void Raise();

  const char* Report() const { return report_; }
  void* ResumeState() { return resumeState_; }

  // Offers an exception that reached a point's frame to the raiser.
  static EXCEPTION_DISPOSITION Offer(EXCEPTION_RECORD* record, CONTEXT* context, TFaultRecoveryPoint& point);

private:
  // A system exception-registration record of the 32-bit thread's handler chain, with the point
  // it belongs to after it. Unused on x86-64, where frames name their handler in unwind data.
  struct TRegistration {
    void* next;
    void* handler;
    TFaultRecoveryPoint* point;
  };

  static EXCEPTION_DISPOSITION __cdecl FrameHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context,
                                                    void* dispatcher);

  TFaultRecoveryPoint* outer_;
  void* handlerChain_ = nullptr;
  TRegistration registration_{};
  char report_[kReportSize] = {};
  alignas(16) unsigned char resumeState_[kResumeStateSize] = {};
  // The resumed thread runs its first instruction here: the faulting stack pointer may be the fault.
  alignas(16) unsigned char resumeStack_[64];
};

// Runs body() under a resume point. A fault redirected to it throws xmsg(report) from here; the
// body's frames are abandoned without their destructors, as the fault left them.
template <class Body>
auto RunWithFaultRecovery(Body&& body) -> decltype(body()) {
  using Result = decltype(body());
  TFaultRecoveryPoint point;
  if (VcMarkResumeState(point.ResumeState())) point.Raise();
  if constexpr (std::is_void_v<Result>) {
    point.Run([](void* b) { (*static_cast<std::remove_reference_t<Body>*>(b))(); }, &body);
  } else {
    static_assert(std::is_default_constructible_v<Result>, "a resume point's body answers a plain value");
    Result result{};
    auto call = [&] { result = body(); };
    point.Run([](void* c) { (*static_cast<decltype(call)*>(c))(); }, &call);
    return result;
  }
}
