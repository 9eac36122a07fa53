// The crash report's words: exception names, the module text with the section position read from
// a module's headers (well-formed and hostile), the whole report, and the filter's choice.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>
#include "app/CrashReport.h"
#include "tests/crashreport/CrashReportText.h"

namespace {

TEST(CrashReportText, NamesExceptionsWithoutTheSystemPrefix) {
  // Both ends of the table, each kind of entry, and codes it does not know: neighbours of known
  // ones, a C++ exception, none at all.
  EXPECT_STREQ(GetExceptionName(0x80000001), "GUARD_PAGE");
  EXPECT_STREQ(GetExceptionName(0x80000004), "SINGLE_STEP");
  EXPECT_STREQ(GetExceptionName(0xC0000005), "ACCESS_VIOLATION");
  EXPECT_STREQ(GetExceptionName(0xC0000025), "NONCONTINUABLE_EXCEPTION");
  EXPECT_STREQ(GetExceptionName(0xC000008F), "FLT_INEXACT_RESULT");
  EXPECT_STREQ(GetExceptionName(0xC0000094), "INT_DIVIDE_BY_ZERO");
  EXPECT_STREQ(GetExceptionName(0xC00000FD), "STACK_OVERFLOW");
  for (std::uint32_t unknown : {0x80000005u, 0xC0000007u, 0xC00000FCu, 0xE06D7363u, 0u}) {
    EXPECT_STREQ(GetExceptionName(unknown), "Miscellaneous Exception") << std::hex << unknown;
  }
}

struct TSection {
  std::uint32_t address;
  std::uint32_t virtualSize;
  std::uint32_t rawSize;
};

void Put16(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
  b[at] = v & 0xFF;
  b[at + 1] = (v >> 8) & 0xFF;
}
void Put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// A module's first bytes as the loader maps them: DOS header, PE header at 0x80 with an optional
// header of 0xE0 bytes, then the section table.
std::vector<unsigned char> Headers(const std::vector<TSection>& sections, std::uint32_t peAt = 0x80,
                                   std::uint32_t optionalSize = 0xE0) {
  std::vector<unsigned char> b(0x400, 0);
  b[0] = 'M';
  b[1] = 'Z';
  Put32(b, 0x3C, peAt);
  if (peAt + 24 > b.size()) return b;
  b[peAt] = 'P';
  b[peAt + 1] = 'E';
  Put16(b, peAt + 6, static_cast<std::uint32_t>(sections.size()));
  Put16(b, peAt + 20, optionalSize);
  std::size_t at = peAt + 24 + optionalSize;
  for (const TSection& s : sections) {
    if (at + 40 > b.size()) break;
    std::memcpy(&b[at], ".sect\0\0\0", 8);
    Put32(b, at + 8, s.virtualSize);
    Put32(b, at + 12, s.address);
    Put32(b, at + 16, s.rawSize);
    at += 40;
  }
  return b;
}

struct TDescribed {
  std::string text;
  bool found;
};

TDescribed Describe(const char* path, const std::vector<unsigned char>& headers, std::uint32_t offset,
                    std::size_t headerSize = SIZE_MAX, std::size_t outSize = kFaultModuleInfoSize) {
  std::vector<char> out(outSize + 1, '#');
  bool found = DescribeFaultModule(path, headers.data(), headerSize == SIZE_MAX ? headers.size() : headerSize, offset,
                                   out.data(), outSize);
  EXPECT_EQ(out[outSize], '#') << "wrote past the buffer";
  return {out.data(), found};
}

TEST(CrashReportText, SectionPositionOfAnOffset) {
  // Code whose raw size exceeds its virtual size, uninitialised data with no raw bytes, and a
  // small section whose raw size is the larger.
  const auto headers = Headers({{0x1000, 0x1234, 0x1400}, {0x3000, 0x200, 0}, {0x4000, 0x10, 0x200}});
  struct TCase {
    std::uint32_t offset;
    const char* text;
    bool found;
  };
  const TCase cases[] = {
      {0x1000, "QVK32.exe at 0001:00000000", true},
      {0x1abc, "QVK32.exe at 0001:00000abc", true},
      {0x2400, "QVK32.exe at 0001:00001400", true},  // the end of the extent still counts
      {0x2401, "QVK32.exe", false},                  // between sections
      {0x3200, "QVK32.exe at 0002:00000200", true},
      {0x41ff, "QVK32.exe at 0003:000001ff", true},
      {0x0000, "QVK32.exe", false},  // the headers themselves
      {0x0fff, "QVK32.exe", false},
      {0xFFFFFFFF, "QVK32.exe", false},
  };
  for (const TCase& c : cases) {
    TDescribed d = Describe("C:\\Program Files\\Vellichord\\QVK32.exe", headers, c.offset);
    EXPECT_EQ(d.text, c.text) << std::hex << c.offset;
    EXPECT_EQ(d.found, c.found) << std::hex << c.offset;
  }
}

TEST(CrashReportText, SectionNumbersAreHexadecimal) {
  std::vector<TSection> sections;
  for (std::uint32_t n = 1; n <= 12; ++n) sections.push_back({n * 0x1000, 0x800, 0x800});
  EXPECT_EQ(Describe("a.dll", Headers(sections), 0xB010).text, "a.dll at 000b:00000010");
  EXPECT_EQ(Describe("a.dll", Headers(sections), 0xC7FF).text, "a.dll at 000c:000007ff");
}

TEST(CrashReportText, ModuleNameIsThePartAfterTheLastBackslash) {
  const auto headers = Headers({});
  EXPECT_EQ(Describe("C:\\WINDOWS\\system32\\msvcrt.dll", headers, 0).text, "msvcrt.dll");
  EXPECT_EQ(Describe("plain.dll", headers, 0).text, "plain.dll");
  EXPECT_EQ(Describe("Z:/tmp/slashes/only.exe", headers, 0).text, "Z:/tmp/slashes/only.exe");
  EXPECT_EQ(Describe(nullptr, headers, 0).text, "");
}

TEST(CrashReportText, HostileHeadersGiveTheBareNameAndAreNeverReadPastTheirEnd) {
  const std::vector<TSection> one = {{0x1000, 0x1000, 0x1000}};
  auto badDos = Headers(one);
  badDos[0] = 'X';
  auto badPe = Headers(one);
  badPe[0x81] = 'X';
  auto farPe = Headers(one);
  Put32(farPe, 0x3C, 0xFFFFFFF0);  // the PE header offset points far beyond the headers
  auto hugeOptional = Headers(one, 0x80, 0xFFFF);
  struct TCase {
    const char* what;
    std::vector<unsigned char> headers;
    std::size_t size;
  };
  const TCase cases[] = {
      {"no DOS signature", badDos, badDos.size()},
      {"no PE signature", badPe, badPe.size()},
      {"PE header beyond the headers", farPe, farPe.size()},
      {"section table beyond the headers", hugeOptional, hugeOptional.size()},
      {"headers cut inside the DOS header", Headers(one), 0x20},
      {"headers cut inside the PE header", Headers(one), 0x90},
      {"headers cut inside the section header", Headers(one), 0x80 + 24 + 0xE0 + 39},
      {"no headers readable", Headers(one), 0},
  };
  for (const TCase& c : cases) {
    // Copied to exactly the readable size, so that the sanitizer sees any read past it.
    std::vector<unsigned char> exact(c.headers.begin(), c.headers.begin() + c.size);
    TDescribed d = Describe("m.dll", exact, 0x1010);
    EXPECT_EQ(d.text, "m.dll") << c.what;
    EXPECT_FALSE(d.found) << c.what;
  }
  EXPECT_FALSE(DescribeFaultModule("m.dll", nullptr, 4096, 0x1010, std::vector<char>(32).data(), 32));
}

TEST(CrashReportText, SectionCountBeyondTheTableStopsAtTheHeadersEnd) {
  // The header claims 40 sections; the readable headers hold two.
  auto headers = Headers({{0x1000, 0x100, 0x200}, {0x2000, 0x100, 0x200}});
  Put16(headers, 0x80 + 6, 40);
  std::size_t end = 0x80 + 24 + 0xE0 + 2 * 40;
  std::vector<unsigned char> exact(headers.begin(), headers.begin() + end);
  EXPECT_EQ(Describe("m.dll", exact, 0x2010).text, "m.dll at 0002:00000010");
  EXPECT_EQ(Describe("m.dll", exact, 0x30000).text, "m.dll");
}

TEST(CrashReportText, ModuleTextIsCutToItsBuffer) {
  const auto headers = Headers({{0x1000, 0x1000, 0x1000}});
  EXPECT_EQ(Describe("QVK32.exe", headers, 0x1010, SIZE_MAX, 12).text, "QVK32.exe a");
  EXPECT_EQ(Describe("QVK32.exe", headers, 0x1010, SIZE_MAX, 1).text, "");
}

TEST(CrashReportText, ReportJoinsNameModuleAndAdvice) {
  char report[kCrashReportSize];
  ComposeCrashReport(0xC0000005, "QVK32.exe at 0001:00000abc", report, sizeof report);
  EXPECT_EQ(std::string(report), std::string("ACCESS_VIOLATION in module QVK32.exe at 0001:00000abc") + kAdvice);
  ComposeCrashReport(0x12345678, kUnknownModule, report, sizeof report);
  EXPECT_EQ(std::string(report), std::string("Miscellaneous Exception in module Unknown") + kAdvice);
  EXPECT_STREQ(kCrashReportAdvice, kAdvice);

  // The longest module text fits with the advice.
  std::string longest(259, 'n');
  ComposeCrashReport(0xC0000025, (longest + " at 0001:00000000").c_str(), report, sizeof report);
  EXPECT_EQ(std::string(report), "NONCONTINUABLE_EXCEPTION in module " + longest + " at 0001:00000000" + kAdvice);

  char small[20];
  ComposeCrashReport(0xC0000005, "x.exe", small, sizeof small);
  EXPECT_STREQ(small, "ACCESS_VIOLATION in");
}

TEST(CrashReportText, RaisesOnlyOnTheUserInterfaceThreadInsideAResumePoint) {
  using A = TCrashAction;
  struct TCase {
    bool record, nonContinuable, context, uiThread, resumePoint;
    A action;
  };
  const TCase cases[] = {
      {true, false, true, true, true, A::RaiseInLoop},
      {true, false, true, false, true, A::ShowThenPassOn},   // another thread, even with resume points
      {true, false, true, false, false, A::ShowThenPassOn},  // a thread with no loop
      {true, false, true, true, false, A::ShowThenPassOn},   // before the loop runs
      {true, false, false, true, true, A::ShowThenPassOn},   // no context to redirect
      {true, true, true, true, true, A::PassOn},              // not continuable
      {true, true, true, false, false, A::PassOn},
      {false, false, true, true, true, A::PassOn},  // no record
  };
  for (const TCase& c : cases) {
    TCrashFacts f;
    f.hasRecord = c.record;
    f.nonContinuable = c.nonContinuable;
    f.hasContext = c.context;
    f.onUserInterfaceThread = c.uiThread;
    f.insideResumePoint = c.resumePoint;
    EXPECT_EQ(ChooseCrashAction(f), c.action)
        << c.record << c.nonContinuable << c.context << c.uiThread << c.resumePoint;
  }
}

}  // namespace
