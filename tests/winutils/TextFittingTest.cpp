// Cutting texts with an ellipsis and shrinking fonts to a width.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/win32/TextFitting.h"

namespace {

// A memory context with a fixed 16-pixel Arial selected.
class TextFittingTest : public ::testing::Test {
protected:
  void SetUp() override {
    dc = CreateCompatibleDC(nullptr);
    font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    old = SelectObject(dc, font);
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
  }
  int Width(const char* text) {
    SIZE s{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &s);
    return s.cx;
  }
  static LOGFONTA Arial(int height) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    std::strcpy(lf.lfFaceName, "Arial");
    return lf;
  }

  HDC dc = nullptr;
  HFONT font = nullptr;
  HGDIOBJ old = nullptr;
};

}  // namespace

TEST_F(TextFittingTest, EllipsisCutsOnlyWhatDoesNotFit) {
  char shortText[] = "Ab";
  TruncateTextWithEllipsis(dc, shortText, 1);
  EXPECT_STREQ(shortText, "Ab") << "fewer than 3 characters stay even when they do not fit";

  char fits[] = "Tempo";
  TruncateTextWithEllipsis(dc, fits, Width(fits) + 1);
  EXPECT_STREQ(fits, "Tempo");

  // Characters above 127 are measured one by one.
  for (const char* original : {"Allegro ma non troppo, un poco maestoso", "\xC9l\xE9gie \xE0 la fa\xE7on d'une chanson"}) {
    const int width = Width(original) / 2;
    char text[128];
    std::strcpy(text, original);
    TruncateTextWithEllipsis(dc, text, width);
    const std::string cut = text;
    ASSERT_GE(cut.size(), 4u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_EQ(std::string(original).compare(0, cut.size() - 3, cut, 0, cut.size() - 3), 0);
    EXPECT_LE(Width(text), width) << text;
    // One character more would not have fitted.
    std::string longer = cut.substr(0, cut.size() - 3) + original[cut.size() - 3] + "...";
    EXPECT_GT(Width(longer.c_str()), width - 1) << longer;
  }

  // Too narrow for anything: the ellipsis alone, after at most length - 3 characters.
  char narrow[] = "Andante";
  TruncateTextWithEllipsis(dc, narrow, 2);
  EXPECT_STREQ(narrow, "...");
}

TEST_F(TextFittingTest, FittingFontShrinksByQuartersAndStopsBelowFive) {
  HFONT fitting = CreateFittingFont(dc, Arial(-40), "Pianissimo", 10000);
  LOGFONTA got{};
  GetObjectA(fitting, sizeof got, &got);
  EXPECT_EQ(got.lfHeight, -40) << "a text that fits keeps its font";
  EXPECT_TRUE(TextFitsWidth(dc, fitting, "Pianissimo", 10000));
  EXPECT_FALSE(TextFitsWidth(dc, fitting, "Pianissimo", 1));
  DeleteObject(fitting);

  // -40, -30, -22, -16, -12, -9, -6, -4: the last one is below 5 and is answered.
  fitting = CreateFittingFont(dc, Arial(-40), "Pianissimo", 1);
  GetObjectA(fitting, sizeof got, &got);
  EXPECT_EQ(got.lfHeight, -4);
  DeleteObject(fitting);
}

TEST_F(TextFittingTest, FittingFontDeletesTheFontsItGivesUpOn) {
  // Each call makes eight fonts and gives seven up. Were those kept, the process would run out of
  // GDI handles long before the loop ends, and the font calls would start failing.
  for (int i = 0; i < 3000; ++i) {
    HFONT fitting = CreateFittingFont(dc, Arial(-40), "Pianissimo", 1);
    ASSERT_NE(fitting, nullptr) << "call " << i;
    LOGFONTA got{};
    GetObjectA(fitting, sizeof got, &got);
    ASSERT_EQ(got.lfHeight, -4) << "call " << i;
    DeleteObject(fitting);
  }
}

TEST(PointsToPixels, UsesTheVerticalResolution) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  EXPECT_EQ(PointsToPixels(screen, 72), dpi);
  EXPECT_EQ(PointsToPixels(screen, 9), 9 * dpi / 72);
  ReleaseDC(nullptr, screen);
}
