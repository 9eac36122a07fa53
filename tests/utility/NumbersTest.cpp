#include <gtest/gtest.h>

#include "foundation/NumberUtils.h"
#include "foundation/PercentCounter.h"
#include "foundation/TimeParts.h"

TEST(Numbers, SignAndRandomStep) {
  EXPECT_EQ(Sign(-5), -1);
  EXPECT_EQ(Sign(0), 0);
  EXPECT_EQ(Sign(3.5), 1);
  EXPECT_EQ(NextRandom16(0, 0), 13849);
  EXPECT_EQ(NextRandom16(0, 1), static_cast<uint16_t>(13849u * 25173u + 13849u));
  EXPECT_EQ(NextRandom16(0, 1), NextRandom16(NextRandom16(0, 0), 0));
}

TEST(Numbers, RoundToDecimalsAsPrintfRounds) {
  EXPECT_FLOAT_EQ(RoundToDecimals(2.345f, 1), 2.3f);
  EXPECT_FLOAT_EQ(RoundToDecimals(2.36f, 1), 2.4f);
  EXPECT_FLOAT_EQ(RoundToDecimals(-1.75f, 0), -2.0f);
  EXPECT_FLOAT_EQ(RoundToDecimals(7.0f, -3), 7.0f);
  // The largest float printed with many decimals does not fit the text buffer: kept as it is.
  EXPECT_FLOAT_EQ(RoundToDecimals(3.0e38f, 60), 3.0e38f);
  EXPECT_FLOAT_EQ(RoundToDecimals(3.0e38f, 0), 3.0e38f);
}

TEST(PercentCounter, ZeroTotalCountsAsOneAndResultsStayInRange) {
  TPercentCounter zero(0);
  EXPECT_EQ(zero.GetTotal(), 1u);
  EXPECT_EQ(zero.Step(), 100);
  EXPECT_EQ(zero.Step(), 100) << "beyond the total answers 100";

  TPercentCounter counter(4);
  EXPECT_EQ(counter.Step(), 25);
  EXPECT_EQ(counter.Step(), 50);
}

TEST(PercentCounter, LargeTotalsAreExact) {
  // current * 100 overflows 32 bits here; the answer must still be the true percentage.
  TPercentCounter counter(0xF0000000u);
  counter.SetCurrent(0x78000000u);
  EXPECT_EQ(counter.GetPercent(), 50);
  counter.SetCurrent(0xEFFFFFFFu);
  EXPECT_EQ(counter.GetPercent(), 99);
  counter.SetCurrent(0xFFFFFFFFu);
  EXPECT_EQ(counter.GetPercent(), 100);
  TPercentCounter small(0xC00001u);
  small.SetCurrent(0x600000u);
  EXPECT_EQ(small.GetPercent(), 49);
}

TEST(TimeParts, SplitsMilliseconds) {
  const TTimeParts t(((1 * 60 + 2) * 60 + 5) * 1000);
  EXPECT_EQ(t.GetHours(), 1u);
  EXPECT_EQ(t.GetMinutes(), 2);
  EXPECT_EQ(t.GetSeconds(), 5);
  EXPECT_EQ(t.GetMilliseconds(), 0u);
  const TTimeParts u(0xFFFFFFFFu);
  EXPECT_EQ(u.GetHours(), 1193u);
  EXPECT_EQ(u.GetMinutes(), 2);
  EXPECT_EQ(u.GetSeconds(), 47);
  EXPECT_EQ(u.GetMilliseconds(), 295u);
}
