#include "app/win32/CrashReporter.h"
#include <cstdint>
#include "app/CrashReport.h"
#include "framework/FaultRecovery.h"

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
DWORD userInterfaceThread = 0;
char boxCaption[128] = "";
// Set on a thread while it builds or shows a report: a fault in that work is not reported again,
// which would start over and fault again for ever.
const DWORD reportingSlot = TlsAlloc();

class TReporting {
public:
  TReporting() : already_(TlsGetValue(reportingSlot) != nullptr) { TlsSetValue(reportingSlot, this); }
  ~TReporting() {
    if (!already_) TlsSetValue(reportingSlot, nullptr);
  }
  bool Already() const { return already_; }

private:
  bool already_;
};

LONG PassToPreviousFilter(EXCEPTION_POINTERS* exception) {
  return previousFilter ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

// How many bytes from the module's base can be read: its first region, which holds the headers.
std::size_t ReadableHeaderSize(const void* base) {
  MEMORY_BASIC_INFORMATION region;
  if (!VirtualQuery(base, &region, sizeof region) || region.State != MEM_COMMIT) return 0;
  if (region.Protect & (PAGE_NOACCESS | PAGE_GUARD)) return 0;
  return region.RegionSize - (static_cast<const char*>(base) - static_cast<const char*>(region.BaseAddress));
}

TCrashFacts Facts(const EXCEPTION_POINTERS* exception, bool insideResumePoint) {
  const EXCEPTION_RECORD* record = exception ? exception->ExceptionRecord : nullptr;
  TCrashFacts facts;
  facts.hasRecord = record != nullptr;
  facts.nonContinuable = record && (record->ExceptionFlags & EXCEPTION_NONCONTINUABLE);
  facts.hasContext = exception && exception->ContextRecord;
  facts.onUserInterfaceThread = GetCurrentThreadId() == userInterfaceThread;
  facts.insideResumePoint = insideResumePoint;
  return facts;
}

bool RaiseAtResumePoint(EXCEPTION_POINTERS* exception, TFaultRecoveryPoint& point) {
  TReporting reporting;
  if (reporting.Already()) return false;
  if (ChooseCrashAction(Facts(exception, true)) != TCrashAction::RaiseInLoop) return false;
  char report[kCrashReportSize];
  const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
  BuildCrashReport(record.ExceptionCode, record.ExceptionAddress, report, sizeof report);
  point.Redirect(*exception->ContextRecord, report);
  return true;
}

}  // namespace

void InstallCrashReporter(const char* caption) {
  lstrcpynA(boxCaption, caption ? caption : "", sizeof boxCaption);
  userInterfaceThread = GetCurrentThreadId();
  TFaultRecoveryPoint::SetFaultRaiser(&RaiseAtResumePoint);
  LPTOP_LEVEL_EXCEPTION_FILTER replaced = SetUnhandledExceptionFilter(&CrashReportFilter);
  // Installed twice, the filter must not become its own predecessor and call itself for ever.
  if (replaced != &CrashReportFilter) previousFilter = replaced;
}

LPTOP_LEVEL_EXCEPTION_FILTER GetPreviousExceptionFilter() { return previousFilter; }

bool GetFaultModuleInfo(const void* address, char* out, std::size_t size) {
  lstrcpynA(out, kUnknownModule, static_cast<int>(size));
  MEMORY_BASIC_INFORMATION region;
  if (!VirtualQuery(address, &region, sizeof region)) return false;
  // Free memory (a call through a null pointer ends at address 0) has no allocation base, and a
  // null module handle would name the program itself.
  if (region.State == MEM_FREE || !region.AllocationBase) return false;
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(static_cast<HMODULE>(region.AllocationBase), path, MAX_PATH);
  if (length == 0) return false;
  // A name cut to the buffer is not terminated on every system.
  path[length < MAX_PATH ? length : MAX_PATH - 1] = '\0';
  auto base = static_cast<const unsigned char*>(region.AllocationBase);
  auto offset = static_cast<std::uint32_t>(static_cast<const unsigned char*>(address) - base);
  return DescribeFaultModule(path, base, ReadableHeaderSize(base), offset, out, size);
}

void BuildCrashReport(DWORD code, const void* address, char* out, std::size_t size) {
  char module[kFaultModuleInfoSize];
  GetFaultModuleInfo(address, module, sizeof module);
  ComposeCrashReport(code, module, out, size);
}

LONG WINAPI CrashReportFilter(EXCEPTION_POINTERS* exception) {
  TFaultRecoveryPoint* point = TFaultRecoveryPoint::Innermost();
  if (point && RaiseAtResumePoint(exception, *point)) return EXCEPTION_CONTINUE_EXECUTION;
  if (ChooseCrashAction(Facts(exception, point != nullptr)) == TCrashAction::PassOn) {
    return PassToPreviousFilter(exception);
  }
  // A message exception raised here would reach no loop that reports it: the user still learns
  // what happened, and the previous filter keeps its say over the process.
  TReporting reporting;
  if (reporting.Already()) return PassToPreviousFilter(exception);
  char report[kCrashReportSize];
  const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
  BuildCrashReport(record.ExceptionCode, record.ExceptionAddress, report, sizeof report);
  MessageBoxA(nullptr, report, boxCaption, MB_OK | MB_ICONSTOP | MB_TASKMODAL | MB_SETFOREGROUND);
  return PassToPreviousFilter(exception);
}
