// The version text of the About box and the product-news link.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/VersionText.h"

TEST(FormatVersion, KindsAndNumbers) {
  struct Case {
    int version, kind, number;
    const char* text;
  };
  const Case cases[] = {
      {0x14B, 2, 0, "1.75"},           // a release without a number
      {0x14B, 2, 3, "1.75.3"},         // a release with a number
      {0x14B, 0, 0, "1.75 Preview 1"}, // previews and betas count from 1
      {0x200, 1, 4, "2.0 Beta 5"},
      {0x105, 7, 0, "1.5"},
  };
  for (const Case& c : cases) {
    char buffer[64];
    FormatVersion(buffer, sizeof buffer, c.version, c.kind, c.number);
    EXPECT_STREQ(buffer, c.text) << c.version << " " << c.kind << " " << c.number;
  }
}

TEST(FormatVersion, StaysInsideASmallBuffer) {
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  FormatVersion(buffer, 6, 0x14B, 0, 0);
  EXPECT_STREQ(buffer, "1.75 ");
  EXPECT_EQ(buffer[6], 'x');
}
