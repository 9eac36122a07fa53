// Number edits and the spin button without windows: stepping on and between grid points,
// clamping, the typed-character filters, the validity of texts and the spin button's geometry.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "foundation/EditValueRules.h"

namespace {

TEST(EditValueRules, IntegerSteppingLandsOnTheGrid) {
  struct Case {
    int32_t value, step;
    int direction;
    int32_t expected;
  };
  const Case cases[] = {
      {7, 5, +1, 10},   {7, 5, -1, 5},    {10, 5, +1, 15},  {10, 5, -1, 5},  {-3, 5, +1, 5},
      {-3, 5, -1, -5},  {0, 1, -1, -1},   {4, 0, +1, 5},    // a step below 1 counts as 1
      {95, 10, +1, 100}, {98, 10, +1, 100},                  // clamped to the maximum
      {-98, 10, -1, -100},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StepNumber(c.value, -100, 100, c.step, c.direction, false), c.expected)
        << c.value << " step " << c.step << " dir " << c.direction;
  }
}

TEST(EditValueRules, EmptyAndExtremeValues) {
  EXPECT_EQ(StepNumber(kEmptyNumberValue, 3, 9, 2, +1, true), 3) << "empty steps to the minimum";
  EXPECT_EQ(StepNumber(kEmptyNumberValue, 3, 9, 2, -1, true), 3);
  // Without empty allowed the same bits are an ordinary (huge negative) number: clamped.
  EXPECT_EQ(StepNumber(kEmptyNumberValue, 3, 9, 2, +1, false), 3);
  // No overflow near the ends of the 32-bit range.
  EXPECT_EQ(StepNumber(INT32_MAX, INT32_MIN, INT32_MAX, 10, +1, false), INT32_MAX);
  EXPECT_EQ(StepNumber(INT32_MIN, INT32_MIN, INT32_MAX, 7, -1, false), INT32_MIN);
  EXPECT_EQ(ClampNumber(50, 10, 20), 20);
  EXPECT_EQ(ClampNumber(5, 30, 20), 30) << "the minimum is applied last";
}

TEST(EditValueRules, RealSteppingRoundsToOneDecimalFirst) {
  struct Case {
    float value, step;
    int direction;
    float expected;
  };
  const Case cases[] = {
      {1.24f, 0.5f, +1, 1.7f},  {1.24f, 0.5f, -1, 1.2f},  // rounding already moved down
      {1.26f, 0.5f, +1, 1.3f},  {1.26f, 0.5f, -1, 0.8f},
      {1.0f, 0.25f, +1, 1.25f}, {9.9f, 0.5f, +1, 10.0f},  // clamped
      {-9.9f, 0.5f, -1, -10.0f},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(StepReal(c.value, -10.0f, 10.0f, c.step, c.direction), c.expected, 1e-4)
        << c.value << " dir " << c.direction;
  }
}

TEST(EditValueRules, TypedCharacters) {
  for (unsigned char c : {'0', '9', '+', '-', '\b', '\x03', '\x16'}) {
    EXPECT_EQ(NumberEditChar(c), TTypedChar::Pass) << int(c);
  }
  for (unsigned char c : {'a', '.', ' ', 'e'}) EXPECT_EQ(NumberEditChar(c), TTypedChar::Drop) << c;

  struct Case {
    unsigned char c;
    const char* text;
    int selStart, selEnd;
    float minimum;
    TTypedChar expected;
  };
  const Case cases[] = {
      {'5', "1.2", 3, 3, 0, TTypedChar::Pass},
      {'\b', "1.2", 3, 3, 0, TTypedChar::Pass},
      {'\x03', "1.2", 0, 3, 0, TTypedChar::Pass},  // Ctrl+C copies
      {'\x16', "1.2", 0, 0, 0, TTypedChar::Pass},  // Ctrl+V pastes
      {'\x1a', "1.2", 0, 0, 0, TTypedChar::Pass},  // Ctrl+Z undoes
      {'.', "12", 2, 2, 0, TTypedChar::Pass},
      {'.', "1.2", 3, 3, 0, TTypedChar::Beep},
      {'.', "1.2", 1, 2, 0, TTypedChar::Pass},     // the '.' is being replaced
      {'-', "12", 0, 0, -5, TTypedChar::Pass},     // negative range: a sign at the start
      {'-', "12", 0, 0, 0, TTypedChar::Beep},      // never negative
      {'-', "12", 1, 1, -5, TTypedChar::Beep},     // not inside the number
      {'-', "-12", 0, 0, -5, TTypedChar::Beep},    // one sign only
      {'-', "-12", 0, 1, -5, TTypedChar::Pass},    // replacing the sign
      {'x', "", 0, 0, -5, TTypedChar::Beep},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RealEditChar(c.c, c.text, c.selStart, c.selEnd, c.minimum), c.expected)
        << "'" << c.c << "' in \"" << c.text << "\" sel " << c.selStart << "-" << c.selEnd;
  }
}

TEST(EditValueRules, TextsReadFormattedAndValidated) {
  EXPECT_EQ(ReadNumberText(""), kEmptyNumberValue);
  EXPECT_EQ(ReadNumberText("-42"), -42);
  EXPECT_EQ(ReadNumberText("-12345678901234"), -1234567890) << "only 11 characters are read";
  EXPECT_EQ(ReadNumberText("99999999999"), INT32_MAX);
  EXPECT_FLOAT_EQ(ReadRealText("2.5cm"), 2.5f);

  char small[4];
  FormatNumberText(small, sizeof small, -12345);
  EXPECT_STREQ(small, "-12") << "cut to the buffer";
  char text[32];
  FormatRealText(text, sizeof text, 1.25f, 1);
  EXPECT_STREQ(text, "1.2");
  FormatRealText(text, sizeof text, 3.0f, 0);
  EXPECT_STREQ(text, "3");
  FormatRealText(text, sizeof text, 3e38f, 2);
  EXPECT_EQ(std::strlen(text), sizeof text - 1) << "a huge value stays inside the buffer";

  struct Case {
    const char* text;
    bool allowEmpty;
    bool valid;
  };
  const Case numbers[] = {
      {"5", false, true},   {"-10", false, true},  {"11", false, false}, {"abc", false, false},
      {"", false, false},   {"", true, true},      {"1.5", false, false}, {"99999999999", false, false},
      {" 7 ", false, true},
  };
  for (const Case& c : numbers) {
    EXPECT_EQ(IsNumberTextInRange(c.text, -10, 10, c.allowEmpty), c.valid) << '"' << c.text << '"';
  }
  EXPECT_TRUE(IsRealTextInRange("0.5", 0.0f, 1.0f));
  EXPECT_FALSE(IsRealTextInRange("1.01", 0.0f, 1.0f));
  EXPECT_FALSE(IsRealTextInRange("", 0.0f, 1.0f));
  EXPECT_FALSE(IsRealTextInRange("1e5", 0.0f, 1e9f)) << "exponents are not number text";
  for (int v : {2, 4, 8, 16, 32, 64}) EXPECT_TRUE(IsSmallPowerOfTwo(v)) << v;
  for (int v : {0, 1, 3, 128, -2}) EXPECT_FALSE(IsSmallPowerOfTwo(v)) << v;
}

TEST(EditValueRules, SpinButtonPlaceAndHalves) {
  const TIntRect buddy{10, 20, 60, 40};  // 20 high
  const TIntRect r = SpinButtonPlace(buddy, 1, 1);
  EXPECT_EQ(r.left, 63);
  EXPECT_EQ(r.top, 19);
  EXPECT_EQ(r.Width(), 13);
  EXPECT_EQ(r.Height(), 21) << "20 + 1 is odd already";
  EXPECT_EQ(SpinButtonPlace(TIntRect{0, 0, 10, 21}, 1, 1).Height(), 23) << "an even height grows by 1";

  // 13 x 21: upper half rows 0-9, the middle row 10 belongs to neither, lower half rows 11-20.
  struct Case {
    int x, y, half;
  };
  const Case cases[] = {{5, 0, 1}, {5, 9, 1}, {5, 10, 0}, {5, 11, -1}, {5, 20, -1}, {5, 21, 0}, {13, 5, 0}, {-1, 5, 0}};
  for (const Case& c : cases) EXPECT_EQ(SpinHalfAt(13, 21, {c.x, c.y}), c.half) << c.x << "," << c.y;
}

}  // namespace
