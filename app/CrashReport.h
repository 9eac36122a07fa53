// The crash report: the text that names an unhandled structured exception, the module and section
// position where it happened and the advice to save, and the choice of what the reporter does
// with it. Texts are built into fixed buffers without allocating, so an exception filter can
// build them; the Win32 side only gathers the facts (app/win32/CrashReporter.h).
#pragma once
#include <cstddef>
#include <cstdint>

constexpr std::size_t kCrashReportSize = 512;
// A module's file name (260 characters) and its section position.
constexpr std::size_t kFaultModuleInfoSize = 260 + 16;

// The closing advice of every report.
extern const char kCrashReportAdvice[];
// The module text when the address lies in no module.
extern const char kUnknownModule[];

// The exception's name without the system's EXCEPTION_ prefix; "Miscellaneous Exception" for
// any code the table does not know.
const char* GetExceptionName(std::uint32_t code);

// The module text for a fault at `offset` bytes from the module's base: the file name after the
// last backslash of `modulePath`, then " at SSSS:OOOOOOOO" (section number from 1 and offset in
// the section, lower-case hexadecimal) for the first section of the module's headers whose extent
// (the larger of its virtual and raw sizes) holds the offset, the end inclusive. `headers` are the
// module's first `headerSize` bytes as mapped (DOS header, PE header, section table); nothing
// beyond them is read. Answers whether a section was found; the bare name when none was.
bool DescribeFaultModule(const char* modulePath, const unsigned char* headers, std::size_t headerSize,
                         std::uint32_t offset, char* out, std::size_t size);

// The whole report: name, " in module ", the module text, the advice; cut to the buffer.
void ComposeCrashReport(std::uint32_t code, const char* moduleInfo, char* out, std::size_t size);

// What the filter does with an exception.
enum class TCrashAction {
  PassOn,          // leave it to the previous filter
  RaiseInLoop,     // send the thread to its resume point, where the loop reports it
  ShowThenPassOn,  // show the report on the faulting thread, then leave it to the previous filter
};

struct TCrashFacts {
  bool hasRecord = false;
  bool nonContinuable = false;
  bool hasContext = false;
  // The thread that installed the reporter: the one whose message loop reports.
  bool onUserInterfaceThread = false;
  bool insideResumePoint = false;
};

// Only continuable exceptions are reported. They are raised only on the user-interface thread,
// and only inside a resume point: another thread's loop, if it has one, never reports, and a
// thread with no loop would end with the exception unexplained.
TCrashAction ChooseCrashAction(const TCrashFacts& facts);
