// Checks that each build tree produces what it claims: Windows programs (32-bit, or x86-64) under Wine,
// native programs on the host, and the little-endian layout every file format assumes.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#ifdef _WIN32
#include <windows.h>
#endif

TEST(Harness, TreeProducesTheRightKindOfProgram) {
#if defined(_WIN64)
  // The x86-64 build, for machines whose Wine cannot run 32-bit code.
  EXPECT_EQ(sizeof(void*), 8u);
#elif defined(_WIN32)
  EXPECT_EQ(sizeof(void*), 4u);
#endif
#ifdef _WIN32
  // Wine answers this export; real Windows does not. The Win32 tests run under Wine here.
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  ASSERT_NE(ntdll, nullptr);
  EXPECT_NE(GetProcAddress(ntdll, "wine_get_version"), nullptr);
#else
  EXPECT_EQ(sizeof(void*), 8u);
#endif
}

TEST(Harness, LittleEndian) {
  const uint32_t v = 0x01020304;
  unsigned char b[4];
  std::memcpy(b, &v, 4);
  EXPECT_EQ(b[0], 4);
  EXPECT_EQ(b[3], 1);
}
