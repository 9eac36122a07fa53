// A staff colour's text form in the settings: what reads as a colour, what does not, and that
// every component stays within a byte.
#include <gtest/gtest.h>

#include <cstdint>

#include "QVKNTN/StaffColorText.h"

namespace {

TEST(StaffColorText, ReadsTheStoredForms) {
  struct {
    const char* text;
    std::uint32_t color;
  } good[] = {
      {"RGB(0,0,192)", 0xC00000},
      {"RGB(255,0,0)", 0x0000FF},
      {"RGB( 1, 2, 3)", 0x030201},  // blanks before a number only
      {"RGB(300,0,0)", 0x00002C},   // 300 mod 256 = 44
      {"RGB(-1,0,0)", 0x0000FF},    // never reaches the high byte
      {"RGB(-256,-257,512)", 0x00FF00},
      {"RGB(1,2,3", 0x030201},      // the closing parenthesis was never checked
      {"RGB(+7,99999999999999999999,0)", 0x00FF07},
  };
  for (auto g : good) {
    std::uint32_t c = 0xDEADBEEF;
    EXPECT_TRUE(StaffColors::ParseColor(g.text, c)) << g.text;
    EXPECT_EQ(c, g.color) << g.text;
    EXPECT_EQ(c & 0xFF000000u, 0u) << g.text;
  }
}

TEST(StaffColorText, RefusesTextWithoutThreeNumbers) {
  const char* bad[] = {"", "RGB(1,2)", "rgb(1,2,3)", " RGB(1,2,3)", "RGB(1;2;3)", "RGB(a,2,3)",
                       "RGB(1 ,2,3)", "RGB(-,2,3)", "0xFF", nullptr};
  for (const char* b : bad) {
    std::uint32_t c = 0x123456;
    EXPECT_FALSE(StaffColors::ParseColor(b, c)) << (b ? b : "(null)");
    EXPECT_EQ(c, 0x123456u) << "a refused text leaves the colour alone";
  }
}

TEST(StaffColorText, WritesWhatItReads) {
  char text[32];
  for (std::uint32_t c : StaffColors::kDefaults) {
    ASSERT_TRUE(StaffColors::FormatColor(c, text, sizeof text));
    std::uint32_t back = 0;
    ASSERT_TRUE(StaffColors::ParseColor(text, back));
    EXPECT_EQ(back, c) << text;
  }
  ASSERT_TRUE(StaffColors::FormatColor(0x00C0FFEE, text, sizeof text));
  EXPECT_STREQ(text, "RGB(238,255,192)");
  char tiny[8];
  EXPECT_FALSE(StaffColors::FormatColor(0xFFFFFF, tiny, sizeof tiny));
}

}  // namespace
