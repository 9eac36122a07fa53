// The earlier line's side of the cross-line files: it refuses the file the current line wrote,
// and writes the sample score (plain and compressed), its digest and a clipboard block for the
// current line to read (cross_line_current_test).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "QVKNTN/ItemRange.h"
#include "QVKNTN/MusicStaff.h"
#include "foundation/QXTFStream.h"
#include "tests/earlier/SampleScore.h"
#include "tests/score/ScoreBytes.h"

namespace {

static_assert(kScoreFormatVersion == 9, "this side runs against the earlier line's libraries");

void WriteText(const char* path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

TEST(CrossLineEarlier, RefusesTheCurrentLinesFile) {
  TScoreLoadInfo info;
  std::unique_ptr<TMusicScore> score(ReadScoreFile("cross-line/current.qvk", info));
  EXPECT_EQ(score, nullptr);
  EXPECT_EQ(info.status, slTooNew);
  EXPECT_EQ(info.version, 16);
}

TEST(CrossLineEarlier, WritesVersionNineFilesAndAClipboardBlock) {
  auto score = BuildSampleScore();
  const std::string digest = DigestScore(*score);
  ASSERT_EQ(SaveScoreFile("cross-line/earlier.qvk", 0, *score), 1);
  ASSERT_EQ(SaveScoreFile("cross-line/earlier-z.qvk", 1, *score), 1);
  WriteText("cross-line/earlier-digest.txt", digest);

  // The clipboard block: a further item count in front of the item range.
  const TMusicStaff& staff = *score->GetStaff(0);
  const int first = 6, last = staff.LastIndex() - 1;
  TQXTFStream block(TQXTFStream::ModeWrite, "cross-line/earlier-clip.bin");
  ASSERT_TRUE(block.IsOpen());
  block.WriteInt16(last - first + 1);
  ASSERT_EQ(WriteItemRange(staff, first, last, block), 1);
  block.Close();
  WriteText("cross-line/earlier-clip-digest.txt", DigestItems(staff, first, last));

  // The earlier line reads its own files back unchanged.
  for (const char* path : {"cross-line/earlier.qvk", "cross-line/earlier-z.qvk"}) {
    TScoreLoadInfo info;
    std::unique_ptr<TMusicScore> back(ReadScoreFile(path, info));
    ASSERT_NE(back, nullptr) << path;
    EXPECT_EQ(info.status, slRead) << path;
    EXPECT_EQ(DigestScore(*back), digest) << path;
  }
}

}  // namespace
