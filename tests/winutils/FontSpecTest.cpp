// The score's font descriptions and their LOGFONTs.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/win32/FontSpec.h"

TEST(FontSpec, DefaultsAndLimits) {
  TFontSpec f;
  EXPECT_STREQ(f.Face, "Times New Roman");
  EXPECT_EQ(f.PointSize, 12);
  EXPECT_EQ(f.Style, 0);
  EXPECT_EQ(f.CharSet, 0);

  f.SetPointSize(1);
  EXPECT_EQ(f.PointSize, 2);
  f.SetPointSize(-40);
  EXPECT_EQ(f.PointSize, 2);

  f.Set("Arial", 0xFF, 10, 2);
  EXPECT_EQ(f.Style, 3) << "only bold and italic are kept";
  EXPECT_EQ(f.CharSet, 2);

  const std::string longFace(50, 'F');
  f.SetFace(longFace.c_str());
  EXPECT_EQ(std::strlen(f.Face), 31u);
}

TEST(FontSpec, LogFontBothWays) {
  TFontSpec f;
  f.Set("Arial", TFontSpec::kBold | TFontSpec::kItalic, 12, 0);
  LOGFONTA lf;
  f.MakeLogFontDpi(lf, 96);
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfItalic, 1);
  EXPECT_STREQ(lf.lfFaceName, "Arial");
  EXPECT_EQ(lf.lfWidth, 0);

  // The setters raise 1 point to 2 (2.67 pixels at 96 dpi, rounded to 3); a description filled in
  // directly may still hold 1 point, which comes to 1 pixel and is raised to 2.
  f.Set("Arial", 0, 1, 0);
  f.MakeLogFontDpi(lf, 96);
  EXPECT_EQ(lf.lfHeight, -3) << "1 point is stored as 2";
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  f.PointSize = 1;
  f.MakeLogFontDpi(lf, 96);
  EXPECT_EQ(lf.lfHeight, -2) << "1 point at 96 dpi rounds to 1 pixel, raised to 2";

  LOGFONTA from{};
  // A face filling all 32 bytes without a terminator is cut to 31 characters.
  std::memset(from.lfFaceName, 'Q', sizeof from.lfFaceName);
  from.lfWeight = 700;
  from.lfItalic = 0;
  from.lfCharSet = 161;
  from.lfHeight = -25;
  TFontSpec g;
  g.SetFromLogFont(from, 9);
  EXPECT_EQ(std::strlen(g.Face), 31u);
  EXPECT_TRUE(g.IsBold());
  EXPECT_FALSE(g.IsItalic());
  EXPECT_EQ(g.CharSet, 161);
  EXPECT_EQ(g.PointSize, 9);

  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  g.SetFromLogFontDC(screen, from);
  EXPECT_EQ(g.PointSize, MulDiv(25, 72, dpi));
  from.lfHeight = 1;
  g.SetFromLogFontDC(screen, from);
  EXPECT_EQ(g.PointSize, 2);
  g.SetPointSize(10);
  g.MakeLogFont(screen, lf);
  EXPECT_EQ(lf.lfHeight, -MulDiv(10, dpi, 72));
  ReleaseDC(nullptr, screen);
}
