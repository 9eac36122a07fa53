// The current line's side of the cross-line files: it writes a file of its own for the earlier
// line to refuse, and reads the earlier line's version-9 files and clipboard block as converted
// files with the same musical content.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "QVKNTN/ItemRange.h"
#include "QVKNTN/MusicStaff.h"
#include "foundation/QXTFStream.h"
#include "tests/earlier/SampleScore.h"
#include "tests/score/ScoreBytes.h"

namespace {

static_assert(kScoreFormatVersion == 16, "this side runs against the current line's libraries");

std::string ReadText(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(CrossLineCurrentWrites, ItsOwnFile) {
  auto score = BuildSampleScore();
  ASSERT_EQ(SaveScoreFile("cross-line/current.qvk", 0, *score), 1);
}

TEST(CrossLineCurrentReads, EarlierFilesAsConvertedWithTheSameMusic) {
  const std::string digest = ReadText("cross-line/earlier-digest.txt");
  ASSERT_FALSE(digest.empty());
  for (const char* path : {"cross-line/earlier.qvk", "cross-line/earlier-z.qvk"}) {
    TScoreLoadInfo info;
    std::unique_ptr<TMusicScore> score(ReadScoreFile(path, info));
    ASSERT_NE(score, nullptr) << path;
    EXPECT_EQ(info.status, slConverted) << path;
    EXPECT_EQ(info.version, 9) << path;
    EXPECT_EQ(info.release, 311) << path;
    EXPECT_TRUE(score->IsConverted()) << path;
    EXPECT_EQ(DigestScore(*score), digest) << path;
  }
}

TEST(CrossLineCurrentReads, EarlierClipboardBlock) {
  TQXTFStream block(TQXTFStream::ModeRead, "cross-line/earlier-clip.bin");
  ASSERT_TRUE(block.IsOpen());
  const int count = static_cast<int16_t>(block.ReadUInt16());
  TMusicStaff staff;
  int last = 0;
  ASSERT_EQ(ReadItemRange(staff, 1, last, block), 1);
  EXPECT_EQ(last, count);
  EXPECT_EQ(DigestItems(staff, 1, last), ReadText("cross-line/earlier-clip-digest.txt"));
}

}  // namespace
