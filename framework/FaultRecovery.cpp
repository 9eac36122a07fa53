#include "framework/FaultRecovery.h"
#include <float.h>
#include <cstdint>
#include "framework/Xmsg.h"

extern "C" void VcResumeAtMark() asm("vc_resume_at_mark");

// The mark and the resumption keep and restore the registers that the calling convention makes a
// function preserve for its caller: a fault can leave any of them changed by the frames it
// abandons. The resumption takes the state in the first argument register and loads the marked
// stack pointer before it touches the stack.
#if defined(__x86_64__)
asm(R"(
    .text
    .globl vc_mark_resume_state
vc_mark_resume_state:
    movq %rbx, 0(%rcx)
    movq %rbp, 8(%rcx)
    movq %rdi, 16(%rcx)
    movq %rsi, 24(%rcx)
    movq %r12, 32(%rcx)
    movq %r13, 40(%rcx)
    movq %r14, 48(%rcx)
    movq %r15, 56(%rcx)
    leaq 8(%rsp), %rdx
    movq %rdx, 64(%rcx)
    movq (%rsp), %rdx
    movq %rdx, 72(%rcx)
    movdqu %xmm6, 80(%rcx)
    movdqu %xmm7, 96(%rcx)
    movdqu %xmm8, 112(%rcx)
    movdqu %xmm9, 128(%rcx)
    movdqu %xmm10, 144(%rcx)
    movdqu %xmm11, 160(%rcx)
    movdqu %xmm12, 176(%rcx)
    movdqu %xmm13, 192(%rcx)
    movdqu %xmm14, 208(%rcx)
    movdqu %xmm15, 224(%rcx)
    xorl %eax, %eax
    ret

    .globl vc_resume_at_mark
vc_resume_at_mark:
    movq 0(%rcx), %rbx
    movq 8(%rcx), %rbp
    movq 16(%rcx), %rdi
    movq 24(%rcx), %rsi
    movq 32(%rcx), %r12
    movq 40(%rcx), %r13
    movq 48(%rcx), %r14
    movq 56(%rcx), %r15
    movdqu 80(%rcx), %xmm6
    movdqu 96(%rcx), %xmm7
    movdqu 112(%rcx), %xmm8
    movdqu 128(%rcx), %xmm9
    movdqu 144(%rcx), %xmm10
    movdqu 160(%rcx), %xmm11
    movdqu 176(%rcx), %xmm12
    movdqu 192(%rcx), %xmm13
    movdqu 208(%rcx), %xmm14
    movdqu 224(%rcx), %xmm15
    movq 64(%rcx), %rsp
    movl $1, %eax
    jmpq *72(%rcx)

# Calls thunk(argument) in a frame whose unwind data names the point's handler: x86-64 has no
# per-thread handler chain, the dispatcher finds handlers through the frames' unwind data. The
# point sits just above the callee's home area, where the handler finds it from the frame.
    .globl vc_run_under_point
    .def vc_run_under_point; .scl 2; .type 32; .endef
    .seh_proc vc_run_under_point
vc_run_under_point:
    .seh_handler vc_fault_frame_handler, @except
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    movq %rcx, 32(%rsp)
    movq %r8, %rcx
    callq *%rdx
    nop
    addq $40, %rsp
    ret
    .seh_endproc
)");

extern "C" void VcRunUnderPoint(TFaultRecoveryPoint* point, void (*thunk)(void*), void* argument) asm(
    "vc_run_under_point");

// The frame of vc_run_under_point, as the dispatcher gives it: its stack pointer after the prologue.
extern "C" EXCEPTION_DISPOSITION VcFaultFrameHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context,
                                                     void*) asm("vc_fault_frame_handler");
extern "C" EXCEPTION_DISPOSITION VcFaultFrameHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context,
                                                     void*) {
  auto* point = *reinterpret_cast<TFaultRecoveryPoint**>(static_cast<char*>(frame) + 32);
  return TFaultRecoveryPoint::Offer(record, context, *point);
}
#else
asm(R"(
    .text
    .globl vc_mark_resume_state
vc_mark_resume_state:
    movl 4(%esp), %eax
    movl %ebx, 0(%eax)
    movl %esi, 4(%eax)
    movl %edi, 8(%eax)
    movl %ebp, 12(%eax)
    leal 4(%esp), %ecx
    movl %ecx, 16(%eax)
    movl (%esp), %ecx
    movl %ecx, 20(%eax)
    xorl %eax, %eax
    ret

    .globl vc_resume_at_mark
vc_resume_at_mark:
    movl 0(%ecx), %ebx
    movl 4(%ecx), %esi
    movl 8(%ecx), %edi
    movl 12(%ecx), %ebp
    movl 16(%ecx), %esp
    movl $1, %eax
    jmpl *20(%ecx)
)");
#endif

namespace {

// A plain TLS slot rather than thread_local: the exception filter reads it, and the first use of
// a thread_local on a thread may allocate.
const DWORD innermostSlot = TlsAlloc();

#if !defined(__x86_64__)
// The head of the thread's chain of system exception handlers, the first word of its thread block.
void* HandlerChain() {
  void* head;
  asm volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

void SetHandlerChain(void* head) { asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }
#endif

constexpr DWORD kDirectionFlag = 0x400;
// Exception flags of a handler called while frames are unwound, not to handle the exception.
constexpr DWORD kUnwindFlags = 0x2 | 0x4;

// Where C++ exceptions travel as system exceptions (x86-64), they carry these codes: 'GCC' with the
// customer bit and the kind (throw, unwind, forced unwind) in the top byte. They are the program's
// own exceptions on their way to a catch, never a fault.
constexpr DWORD kCxxExceptionMask = 0x20FFFFFF;
constexpr DWORD kCxxExceptionCode = 0x20474343;

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

TFaultRecoveryPoint::TFaultRecoveryPoint() : outer_(Innermost()) {
#if !defined(__x86_64__)
  handlerChain_ = HandlerChain();
  registration_ = {handlerChain_, reinterpret_cast<void*>(&FrameHandler), this};
  SetHandlerChain(&registration_);
#endif
  TlsSetValue(innermostSlot, this);
}

TFaultRecoveryPoint::~TFaultRecoveryPoint() {
#if !defined(__x86_64__)
  SetHandlerChain(handlerChain_);
#endif
  TlsSetValue(innermostSlot, outer_);
}

void TFaultRecoveryPoint::Run(void (*thunk)(void*), void* argument) {
#if defined(__x86_64__)
  VcRunUnderPoint(this, thunk, argument);
#else
  // The point's registration already heads the thread's handler chain.
  thunk(argument);
#endif
}

EXCEPTION_DISPOSITION TFaultRecoveryPoint::Offer(EXCEPTION_RECORD* record, CONTEXT* context,
                                                 TFaultRecoveryPoint& point) {
  TFaultRaiser raiser = faultRaiser;
  if (!raiser || !record || (record->ExceptionFlags & kUnwindFlags)) return ExceptionContinueSearch;
  if ((record->ExceptionCode & kCxxExceptionMask) == kCxxExceptionCode) return ExceptionContinueSearch;
  EXCEPTION_POINTERS exception{record, context};
  return raiser(&exception, point) ? ExceptionContinueExecution : ExceptionContinueSearch;
}

EXCEPTION_DISPOSITION __cdecl TFaultRecoveryPoint::FrameHandler(EXCEPTION_RECORD* record, void* frame,
                                                                CONTEXT* context, void*) {
  return Offer(record, context, *static_cast<TRegistration*>(frame)->point);
}

TFaultRecoveryPoint* TFaultRecoveryPoint::Innermost() {
  return static_cast<TFaultRecoveryPoint*>(TlsGetValue(innermostSlot));
}

void TFaultRecoveryPoint::Redirect(CONTEXT& context, const char* report) {
  std::size_t n = 0;
  for (; report && report[n] && n + 1 < sizeof report_; ++n) report_[n] = report[n];
  report_[n] = '\0';
  // Resume in vc_resume_at_mark with the state in the first argument register (ECX or RCX) and
  // the direction flag clear, as every function expects.
  std::uintptr_t top = reinterpret_cast<std::uintptr_t>(resumeStack_ + sizeof resumeStack_) & ~std::uintptr_t(15);
  auto state = reinterpret_cast<std::uintptr_t>(resumeState_);
  auto resume = reinterpret_cast<std::uintptr_t>(&VcResumeAtMark);
#if defined(__x86_64__)
  context.Rsp = top - 40;
  context.Rip = resume;
  context.Rcx = state;
#else
  context.Esp = static_cast<DWORD>(top - 8);
  context.Eip = static_cast<DWORD>(resume);
  context.Ecx = static_cast<DWORD>(state);
#endif
  context.EFlags &= ~kDirectionFlag;
  context.ContextFlags |= CONTEXT_CONTROL | CONTEXT_INTEGER;
}

void TFaultRecoveryPoint::Raise() {
#if !defined(__x86_64__)
  // The chain must not point into the abandoned frames: it goes back to what it was before this
  // point registered, as the destructor leaves it. The exception filter cannot do this itself:
  // the dispatcher puts the chain back after it.
  SetHandlerChain(handlerChain_);
#endif
  // The resumed context carries the faulting floating-point state, pending exceptions included:
  // clear it before the next floating-point instruction raises them again.
  _clearfp();
  _fpreset();
  ResetSse();
  throw xmsg(report_);
}
