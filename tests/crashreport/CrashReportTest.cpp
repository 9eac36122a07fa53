// The module text and report of addresses in this process: system libraries, the program, memory
// that belongs to no module.
#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <string>
#include "app/CrashReport.h"
#include "app/win32/CrashReporter.h"
#include "tests/crashreport/CrashReportText.h"

namespace {

std::string ModuleInfo(const void* address, bool* found = nullptr, std::size_t size = kFaultModuleInfoSize) {
  std::unique_ptr<char[]> out(new char[size]);
  bool f = GetFaultModuleInfo(address, out.get(), size);
  if (found) *found = f;
  return out.get();
}

TEST(CrashReport, SystemLibraryIsNamedWithItsSection) {
  const void* tick = reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount"));
  ASSERT_NE(tick, nullptr);
  bool found = false;
  std::string info = ModuleInfo(tick, &found);
  EXPECT_TRUE(found);
  EXPECT_TRUE(IsModuleWithSection(info, "kernel32.dll")) << info;
}

TEST(CrashReport, AddressOutsideEverySectionGivesTheBareModuleName) {
  // The module's headers lie before its first section.
  bool found = true;
  EXPECT_EQ(ModuleInfo(GetModuleHandleA(nullptr), &found), "crash_report_test.exe");
  EXPECT_FALSE(found);
}

TEST(CrashReport, AddressInNoModuleIsUnknown) {
  std::unique_ptr<char[]> heap(new char[1 << 20]);
  void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
  ASSERT_NE(page, nullptr);
  const void* cases[] = {
      nullptr,  // a call through a null pointer faults here: not the program's own file
      heap.get(),
      page,  // code made at run time
  };
  for (const void* address : cases) {
    bool found = true;
    EXPECT_EQ(ModuleInfo(address, &found), "Unknown") << address;
    EXPECT_FALSE(found);
  }
  VirtualFree(page, 0, MEM_RELEASE);
}

TEST(CrashReport, ModuleInfoIsCutToItsBuffer) {
  const void* tick = reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount"));
  EXPECT_EQ(ModuleInfo(tick, nullptr, 8), "kernel3");
  EXPECT_EQ(ModuleInfo(nullptr, nullptr, 4), "Unk");
}

TEST(CrashReport, ReportJoinsNameModuleAndAdvice) {
  char report[kCrashReportSize];
  BuildCrashReport(0xC0000094, nullptr, report, sizeof report);
  EXPECT_EQ(std::string(report), std::string("INT_DIVIDE_BY_ZERO in module Unknown") + kAdvice);

  const void* tick = reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount"));
  BuildCrashReport(0x12345678, tick, report, sizeof report);
  std::string text = report;
  const std::string head = "Miscellaneous Exception in module ";
  ASSERT_EQ(text.compare(0, head.size(), head), 0) << text;
  ASSERT_GT(text.size(), head.size() + std::strlen(kAdvice));
  EXPECT_EQ(text.substr(text.size() - std::strlen(kAdvice)), kAdvice);
  EXPECT_TRUE(IsModuleWithSection(text.substr(head.size(), text.size() - head.size() - std::strlen(kAdvice)),
                                  "kernel32.dll"))
      << text;
}

}  // namespace
