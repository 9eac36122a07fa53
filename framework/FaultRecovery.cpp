#include "framework/FaultRecovery.h"
#include <float.h>
#include <cstdint>
#include "framework/Xmsg.h"

namespace {

// A plain TLS slot rather than thread_local: the exception filter reads it, and the first use of
// a thread_local on a thread may allocate.
const DWORD innermostSlot = TlsAlloc();

// The head of the thread's chain of system exception handlers, the first word of its thread block.
void* HandlerChain() {
  void* head;
  asm volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

void SetHandlerChain(void* head) { asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }

constexpr DWORD kDirectionFlag = 0x400;
// Exception flags of a handler called while frames are unwound, not to handle the exception.
constexpr DWORD kUnwindFlags = 0x2 | 0x4;

TFaultRaiser faultRaiser = nullptr;

// The SSE control and status register with every exception masked, no flag raised and rounding
// to nearest: what a thread starts with.
constexpr unsigned kSseDefault = 0x1F80;

// The C library's reset only starts the x87 unit afresh, while the faulting code (or a system
// library it called) may have left SSE with another rounding mode or unmasked exceptions.
void ResetSse() {
  if (!IsProcessorFeaturePresent(PF_XMMI_INSTRUCTIONS_AVAILABLE)) return;
  unsigned value = kSseDefault;
  asm volatile("ldmxcsr %0" : : "m"(value));
}

}  // namespace

void TFaultRecoveryPoint::SetFaultRaiser(TFaultRaiser raiser) { faultRaiser = raiser; }

TFaultRecoveryPoint::TFaultRecoveryPoint()
    : outer_(Innermost()), handlerChain_(HandlerChain()),
      registration_{handlerChain_, reinterpret_cast<void*>(&FrameHandler), this} {
  SetHandlerChain(&registration_);
  TlsSetValue(innermostSlot, this);
}

TFaultRecoveryPoint::~TFaultRecoveryPoint() {
  SetHandlerChain(handlerChain_);
  TlsSetValue(innermostSlot, outer_);
}

EXCEPTION_DISPOSITION __cdecl TFaultRecoveryPoint::FrameHandler(EXCEPTION_RECORD* record, void* frame,
                                                                CONTEXT* context, void*) {
  TFaultRaiser raiser = faultRaiser;
  if (!raiser || !record || (record->ExceptionFlags & kUnwindFlags)) return ExceptionContinueSearch;
  TFaultRecoveryPoint* point = static_cast<TRegistration*>(frame)->point;
  EXCEPTION_POINTERS exception{record, context};
  return raiser(&exception, *point) ? ExceptionContinueExecution : ExceptionContinueSearch;
}

TFaultRecoveryPoint* TFaultRecoveryPoint::Innermost() {
  return static_cast<TFaultRecoveryPoint*>(TlsGetValue(innermostSlot));
}

void TFaultRecoveryPoint::Redirect(CONTEXT& context, const char* report) {
  std::size_t n = 0;
  for (; report && report[n] && n + 1 < sizeof report_; ++n) report_[n] = report[n];
  report_[n] = '\0';
  // Enter JumpBack as if called: the point in ECX (fastcall), a return-address slot above the
  // stack pointer that is never used, and the direction flag clear as every function expects.
  std::uintptr_t top = reinterpret_cast<std::uintptr_t>(resumeStack_ + sizeof resumeStack_) & ~std::uintptr_t(15);
  context.Esp = static_cast<DWORD>(top - 4);
  context.Eip = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(&JumpBack));
  context.Ecx = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(this));
  context.EFlags &= ~kDirectionFlag;
  context.ContextFlags |= CONTEXT_CONTROL | CONTEXT_INTEGER;
}

void __fastcall TFaultRecoveryPoint::JumpBack(TFaultRecoveryPoint* point) { __builtin_longjmp(point->jump_, 1); }

void TFaultRecoveryPoint::Raise() {
  // The chain must not point into the abandoned frames: it goes back to what it was before this
  // point registered, as the destructor leaves it. The exception filter cannot do this itself:
  // the dispatcher puts the chain back after it.
  SetHandlerChain(handlerChain_);
  // The resumed context carries the faulting floating-point state, pending exceptions included:
  // clear it before the next floating-point instruction raises them again.
  _clearfp();
  _fpreset();
  ResetSse();
  throw xmsg(report_);
}
