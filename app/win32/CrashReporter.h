// The crash reporter: the process's unhandled-exception filter. A continuable fault on the
// user-interface thread becomes the message exception that the message loop reports, so the
// user can save; a fault anywhere else is shown in a box of its own before the previous filter
// decides what happens to the process.
//
// Use: OwlMain calls InstallCrashReporter("Vellichord") on the user-interface thread before it
// builds the application object. The report reaches the loop only from handler code that runs
// under a resume point (framework/FaultRecovery.h): every framework window procedure, dialog
// procedure, message dispatch and idle step does.
#pragma once
#include <windows.h>
#include <cstddef>

// Makes CrashReportFilter the unhandled-exception filter, keeping the filter it replaces as the
// previous filter. The calling thread becomes the user-interface thread, the only thread the
// reporter raises on. The caption names the box shown for faults elsewhere (the loop's own
// boxes carry the application's name). Installing again keeps the first previous filter.
void InstallCrashReporter(const char* caption);

// The unhandled-exception filter; its choice is ChooseCrashAction's (app/CrashReport.h).
// - No exception record, or a non-continuable exception: answers the previous filter's result
//   for the same pointers, or EXCEPTION_CONTINUE_SEARCH when there was none.
// - On the user-interface thread inside a resume point: sends the thread to that point, where
//   the report is thrown as xmsg, and answers EXCEPTION_CONTINUE_EXECUTION.
// - Otherwise (another thread, whose loop, if any, would never report it, or no resume point):
//   shows the report in a task-modal box on the faulting thread, then answers as the previous
//   filter does, or EXCEPTION_CONTINUE_SEARCH.
LONG WINAPI CrashReportFilter(EXCEPTION_POINTERS* exception);

// The filter that was in place when the reporter was installed (null when there was none).
LPTOP_LEVEL_EXCEPTION_FILTER GetPreviousExceptionFilter();

// The module text of app/CrashReport.h for an address of this process: the file name of the
// module that holds it with the section position, or "Unknown" when no module holds it. Answers
// whether a section was found.
bool GetFaultModuleInfo(const void* address, char* out, std::size_t size);

// The report of an exception at an address of this process.
void BuildCrashReport(DWORD code, const void* address, char* out, std::size_t size);
