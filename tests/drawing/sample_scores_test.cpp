// The sample scores laid out system by system and drawn on a recording device, as the renderer
// does: every system ends at one right edge, the staves reach their ends, and the engraving rules
// that people check in the pictures hold (stems beside their heads, accidentals left of them).
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "tests/drawing/RecordingPrimitives.h"
#include "tests/drawing/SampleScores.h"

namespace {

class SampleScoresTest : public ::testing::TestWithParam<TSampleScore> {};

TEST_P(SampleScoresTest, LaysOutIntoJustifiedSystemsToTheEnd) {
  InstallAuditPass();
  std::unique_ptr<TMusicScore> score(MakeSampleScore(GetParam()));
  RecordingPrimitives fonts(14);
  TScoreDrawInfo system(score.get(), &fonts, 0);
  system.AddConsecutiveStaves(0, INT_MAX);
  ASSERT_EQ(system.GetCount(), score->StaffCount());
  const int width = 1200;
  bool done = false;
  for (int n = 0; n < 50 && !done; ++n) {
    if (n == 0) system.LayoutLine(width); else system.LayoutNextLine(width);
    system.JustifyLine(width);
    fonts.drawn.clear();
    system.Draw(0, 0, 0, width);
    EXPECT_FALSE(fonts.drawn.empty());
    done = true;
    int edge = -1;
    for (int i = 0; i < system.GetCount(); ++i) {
      const TStaffDrawInfo& line = *system.GetStaffInfo(i);
      const int w = line.SumWidths(0, line.GetCellCount());
      EXPECT_LE(w, width) << "system " << n << " staff " << i;
      if (edge < 0) edge = w;
      EXPECT_EQ(w, edge) << "system " << n << " staff " << i;
      done = done && line.IsAtStaffEnd();
    }
  }
  EXPECT_TRUE(done);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleScoresTest,
                         ::testing::Values(TSampleScore::Piano, TSampleScore::Choral, TSampleScore::EveryItem));

}  // namespace
