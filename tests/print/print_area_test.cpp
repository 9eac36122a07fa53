// The area inside the margins, where pages sit on the sheet and how systems spread on a page.
#include <gtest/gtest.h>

#include <limits>

#include "QVKNTN/MusicScore.h"
#include "app/PrintArea.h"

namespace {

// A letter page at 300 pixels an inch with a quarter-inch unprintable edge.
TPrinterMetrics Letter300() {
  TPrinterMetrics m;
  m.logPixelsX = m.logPixelsY = 300;
  m.physicalWidth = 2550;
  m.physicalHeight = 3300;
  m.physicalOffsetX = m.physicalOffsetY = 75;
  m.horzRes = 2400;
  m.vertRes = 3150;
  return m;
}

TEST(PrintArea, AreaInsideTheMarginsFromThePrintableOrigin) {
  struct Case {
    TPageMargins margins;
    bool fits;
    TPrintArea area;
  } cases[] = {
      {TPageMargins{1, 1, 1, 1}, true, {225, 225, 1950, 2700}},
      {TPageMargins{0.5f, 0.75f, 0.25f, 2}, true, {150, 75, 2250, 2550}},
      // Products are truncated: 300 x 0.333 = 99.9.
      {TPageMargins{0.333f, 0.333f, 0, 0}, true, {24, 24, 2451, 3201}},
      // Inside and outside meet: no width.
      {TPageMargins{1, 4.25f, 4.25f, 1}, false, {}},
      // Top and bottom cross: no height.
      {TPageMargins{6, 1, 1, 5.5f}, false, {}},
  };
  for (const Case& c : cases) {
    TPrintArea area;
    ASSERT_EQ(ComputePrintArea(Letter300(), c.margins, area), c.fits) << c.margins.top << " " << c.margins.inside;
    if (!c.fits) continue;
    EXPECT_EQ(area.left, c.area.left);
    EXPECT_EQ(area.top, c.area.top);
    EXPECT_EQ(area.width, c.area.width);
    EXPECT_EQ(area.height, c.area.height);
  }
}

TEST(PrintArea, MarginsThatDoNotFitAreResetAndAnImpossiblePageIsSaid) {
  TMusicScore score;
  score.SetMargin(0, 1);
  score.SetMargin(1, 5);
  score.SetMargin(2, 5);
  score.SetMargin(3, 1);
  score.SetMirrorMargins(1);
  TPrintArea area;
  EXPECT_EQ(PrepareScoreArea(score, Letter300(), area), TAreaOutcome::MarginsReset);
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(score.GetMargin(i), 0.5f);
  EXPECT_EQ(score.GetMirrorMargins(), 1);
  EXPECT_EQ(area.left, 75);
  EXPECT_EQ(area.width, 2250);
  EXPECT_EQ(PrepareScoreArea(score, Letter300(), area), TAreaOutcome::Fits);

  // A page less than an inch wide cannot take even the reset margins.
  TPrinterMetrics tiny = Letter300();
  tiny.physicalWidth = 250;
  EXPECT_EQ(PrepareScoreArea(score, tiny, area), TAreaOutcome::Impossible);
  EXPECT_EQ(area.width, 0);
  EXPECT_EQ(area.height, 0);
  // A printer that answers no resolution at all leaves nothing either.
  TPrinterMetrics blank;
  EXPECT_EQ(PrepareScoreArea(score, blank, area), TAreaOutcome::Impossible);
}

TEST(PrintArea, WildMarginsFromAFileDoNotOverflow) {
  TPrintArea area;
  EXPECT_FALSE(ComputePrintArea(Letter300(), TPageMargins{1e30f, 1, 1, 1}, area));
  EXPECT_FALSE(ComputePrintArea(Letter300(), TPageMargins{1, -1e30f, 1e30f, 1}, area));
  EXPECT_FALSE(ComputePrintArea(Letter300(), TPageMargins{std::numeric_limits<float>::quiet_NaN(), 1, 1, 1}, area));
  EXPECT_FALSE(ComputePrintArea(Letter300(), TPageMargins{1, 1, std::numeric_limits<float>::infinity(), 1}, area));
  // A negative margin would print beyond the sheet.
  EXPECT_FALSE(ComputePrintArea(Letter300(), TPageMargins{-0.1f, 1, 1, 1}, area));
}

TEST(PrintArea, MirroredEvenPagesTakeTheOutsideMarginOnTheLeft) {
  const TPrinterMetrics m = Letter300();
  const TPageMargins plain = TPageMargins{1, 1, 2, 1};
  const TPageMargins mirrored = TPageMargins{1, 1, 2, 1, true};
  TPrintArea area;
  ASSERT_TRUE(ComputePrintArea(m, mirrored, area));
  EXPECT_EQ(PageOffsetX(m, plain, area, 2, false), 225);
  EXPECT_EQ(PageOffsetX(m, mirrored, area, 1, false), 225);
  EXPECT_EQ(PageOffsetX(m, mirrored, area, 2, false), 525);
  EXPECT_EQ(PageOffsetX(m, mirrored, area, 3, false), 225);
  EXPECT_EQ(PageOffsetX(m, mirrored, area, 2, true), 0);
  EXPECT_EQ(PageOffsetY(area, false), 225);
  EXPECT_EQ(PageOffsetY(area, true), 0);
}

TEST(PrintArea, PrintedNumbersFollowTheNumberingStart) {
  EXPECT_EQ(PrintedPageNumber(1, 0), 1);
  EXPECT_EQ(PrintedPageNumber(3, 0), 3);
  EXPECT_EQ(PrintedPageNumber(1, 1), 1);
  EXPECT_EQ(PrintedPageNumber(1, 5), 5);
  EXPECT_EQ(PrintedPageNumber(4, 5), 8);
  EXPECT_EQ(PrintedPageNumber(2147483647, 10000), 2147483647);
}

TEST(PrintArea, SystemsSpreadWithEqualGaps) {
  struct Case {
    int available, height, count, gap;
  } cases[] = {
      {1000, 300, 3, 25},   // 1000 - 900 = 100 over four gaps
      {1000, 1000, 1, 0},
      {1000, 1200, 1, 0},   // too tall: one system from the top, no negative gap
      {1000, 0, 1000, 0},   // a height of 0 counts as 1
      {999, 100, 9, 9},
  };
  for (const Case& c : cases) {
    const TSystemSpread s = SpreadSystems(c.available, c.height);
    EXPECT_EQ(s.count, c.count) << c.available << "/" << c.height;
    EXPECT_EQ(s.gap, c.gap) << c.available << "/" << c.height;
  }
}

}  // namespace
