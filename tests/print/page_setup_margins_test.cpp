// The margins page: units, the shown texts, checks and the way back to inches.
#include <gtest/gtest.h>

#include "app/PageSetupMargins.h"

namespace {

TEST(PageSetupMargins, ShownInTheChosenUnits) {
  TPageSetupMargins page;
  page.Load(TPageMargins{0.5f, 0.75f, 1, 2}, TMarginUnits::Centimeters);
  EXPECT_EQ(page.Text(0), "1.27");
  EXPECT_EQ(page.Text(1), "1.91");
  EXPECT_EQ(page.Text(2), "2.54");
  EXPECT_EQ(page.Text(3), "5.08");
  page.SetUnits(TMarginUnits::Inches);
  EXPECT_EQ(page.Text(1), "0.75");
}

TEST(PageSetupMargins, OpeningAndClosingInCentimetresDoesNotDrift) {
  TPageMargins m = TPageMargins{0.5f, 0.75f, 1.1f, 0.3f};
  for (int round = 0; round < 20; ++round) {
    TPageSetupMargins page;
    page.Load(m, TMarginUnits::Centimeters);
    page.SetUnits(TMarginUnits::Inches);
    page.SetUnits(TMarginUnits::Centimeters);
    ASSERT_TRUE(page.Apply(m));
  }
  EXPECT_FLOAT_EQ(m.top, 0.5f);
  EXPECT_FLOAT_EQ(m.inside, 0.75f);
  EXPECT_FLOAT_EQ(m.outside, 1.1f);
  EXPECT_FLOAT_EQ(m.bottom, 0.3f);
}

TEST(PageSetupMargins, TypedCentimetresBecomeInchesByTheSameFactor) {
  TPageSetupMargins page;
  page.Load(TPageMargins{1, 1, 1, 1}, TMarginUnits::Centimeters);
  page.SetText(0, "2.54");
  page.SetText(1, "5.08");
  page.SetText(3, " 1.27 ");
  TPageMargins m;
  ASSERT_TRUE(page.Apply(m));
  EXPECT_DOUBLE_EQ(m.top, 1.0f);
  EXPECT_DOUBLE_EQ(m.inside, 2.0f);
  EXPECT_DOUBLE_EQ(m.outside, 1.0f);
  EXPECT_DOUBLE_EQ(m.bottom, 0.5f);
  // Typed inches switched to centimetres show the converted value.
  TPageSetupMargins inches;
  inches.Load(TPageMargins{1, 1, 1, 1}, TMarginUnits::Inches);
  inches.SetText(2, "2");
  inches.SetUnits(TMarginUnits::Centimeters);
  EXPECT_EQ(inches.Text(2), "5.08");
}

TEST(PageSetupMargins, ValuesOutsideTheRangeOrNotNumbersAreRefused) {
  struct Case {
    const char* text;
    bool valid;
  } cases[] = {{"0", true},     {"20", true},  {"20.01", false}, {"-0.1", false}, {"", false},
               {"abc", false},  {"1.5x", false}, {"nan", false},  {"inf", false}, {"19.99", true}};
  for (const Case& c : cases) {
    TPageSetupMargins page;
    page.Load(TPageMargins{1, 1, 1, 1}, TMarginUnits::Inches);
    page.SetText(2, c.text);
    EXPECT_EQ(page.FirstInvalidField(), c.valid ? -1 : 2) << c.text;
    TPageMargins m = TPageMargins{9, 9, 9, 9};
    EXPECT_EQ(page.Apply(m), c.valid) << c.text;
    if (!c.valid) {
      EXPECT_FLOAT_EQ(m.outside, 9) << "nothing changes when a field is refused";
    }
  }
  // A stored margin beyond the range is shown but not taken back unchecked.
  TPageSetupMargins page;
  page.Load(TPageMargins{25, 1, 1, 1}, TMarginUnits::Inches);
  EXPECT_EQ(page.FirstInvalidField(), 0);
  // An invalid field keeps its text when the units change.
  page.SetText(1, "x");
  page.SetUnits(TMarginUnits::Centimeters);
  EXPECT_EQ(page.Text(1), "x");
  EXPECT_EQ(page.Text(2), "2.54");
}

}  // namespace
