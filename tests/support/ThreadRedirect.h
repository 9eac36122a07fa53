// For test filters that stand for a previous unhandled-exception filter: sends the faulting
// thread, once the filter answers EXCEPTION_CONTINUE_EXECUTION, into a function that ends it.
#pragma once
#include <windows.h>
#include <cstdint>

// The new stack pointer lies below the faulting one, aligned as at a function's entry (after the
// call pushed its return address), with the callee's home area free on x86-64.
inline void RedirectThreadTo(CONTEXT& c, void(__stdcall* function)()) {
  auto target = reinterpret_cast<std::uintptr_t>(function);
#if defined(__x86_64__)
  c.Rsp = (c.Rsp & ~DWORD64(15)) - 40;
  c.Rip = target;
#else
  c.Esp = (c.Esp & ~DWORD(15)) - 4;
  c.Eip = static_cast<DWORD>(target);
#endif
}
