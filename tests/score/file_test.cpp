// The score file at the current version: exact bytes of a new score, plain and compressed; round
// trips of every item type; load statuses; saving and its flags; the header-only reader; clones.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/ItemRecords.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/StaffLyrics.h"
#include "foundation/AllowedProcessors.h"
#include "foundation/QXTFStream.h"
#include "foundation/QXTSegRamStream.h"
#include "tests/score/RichScore.h"
#include "tests/score/ScoreBytes.h"

namespace {

// The bytes the writer must produce for a new score with one default staff.
std::vector<unsigned char> NewScoreBytes() {
  TScoreBytes b;
  b.Header(16);
  for (int i = 0; i < 5; ++i) b.Str("");
  b.Byte('N').Byte('Y').Str("_").Str("F2");
  b.Int16(0).Int16(1);
  b.Str("0.50000000 0.50000000 0.50000000 0.50000000");
  b.Byte(0).Int16(8);
  b.Byte(0x01);
  for (int i = 1; i < 32; ++i) b.Byte(0);
  b.Byte(0xFF);
  b.Int16(16);
  const int sizes[12] = {10, 8, 7, 24, 12, 8, 8, 8, 8, 8, 8, 8};
  const int styles[12] = {3, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 12; ++i) b.Str("Times New Roman").Byte(styles[i]).Int16(sizes[i]).Byte(0);
  b.Byte(0xFF).Byte(0).Int16(0);
  b.Int16(1);
  b.Str("Staff").Str("Standard").Byte(0);
  b.Int16(0).Int16(0).Int16(0);
  b.Int16(0).Int16(0).Int16(0);
  b.Int16(0).Int16(-12).Int16(12);
  b.Byte(5).Int16(0);
  b.Int16(0).Int16(127).Int16(64);
  b.Byte(0);
  b.Int16(0).Int16(0).Int16(0).Int16(2);
  return b.bytes;
}

std::vector<unsigned char> ReadWholeFile(const std::string& path) {
  std::vector<unsigned char> out;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return out;
  int c;
  while ((c = std::fgetc(f)) != EOF) out.push_back(static_cast<unsigned char>(c));
  std::fclose(f);
  return out;
}

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string("vc_score_") + name)).string();
}

TEST(ScoreFileBytes, NewScoreSavesToTheExpectedBytesPlain) {
  TScoreLoadInfo info;
  std::unique_ptr<TMusicScore> score(LoadScore(*std::make_unique<TQXTSegRamStream>(1024), info, nullptr));
  ASSERT_TRUE(score);
  EXPECT_EQ(info.status, slNewScore);
  EXPECT_EQ(SaveScoreBytes(*score), NewScoreBytes());
}

TEST(ScoreFileBytes, NewScoreSavesToTheExpectedBytesCompressed) {
  TMusicScore score;
  score.AppendStaff(new TMusicStaff);
  const std::string path = TempPath("new.qvk");
  ASSERT_EQ(SaveScoreFile(path.c_str(), 1, score), 1);
  const std::vector<unsigned char> file = ReadWholeFile(path);
  const std::vector<unsigned char> plain = NewScoreBytes();

  // The stock zlib at level 9 with the default window and memory level gives the same stream.
  std::vector<unsigned char> expected = {'[', 'Q', 'V', 'Z', ']', 0};
  uLongf packedSize = compressBound(static_cast<uLong>(plain.size()));
  std::vector<unsigned char> packed(packedSize);
  ASSERT_EQ(compress2(packed.data(), &packedSize, plain.data(), static_cast<uLong>(plain.size()), 9), Z_OK);
  expected.insert(expected.end(), packed.begin(), packed.begin() + static_cast<long>(packedSize));
  EXPECT_EQ(file, expected);

  ASSERT_GT(file.size(), 6u);
  std::vector<unsigned char> inflated(plain.size() + 64);
  uLongf inflatedSize = static_cast<uLongf>(inflated.size());
  ASSERT_EQ(uncompress(inflated.data(), &inflatedSize, file.data() + 6, static_cast<uLong>(file.size() - 6)), Z_OK);
  inflated.resize(inflatedSize);
  EXPECT_EQ(inflated, plain);
  std::remove(path.c_str());
}

TEST(ScoreFileRoundTrip, EveryItemTypeAndSettingSurvives) {
  std::unique_ptr<TMusicScore> score = BuildRichScore();
  const std::vector<unsigned char> first = SaveScoreBytes(*score);
  TScoreLoadInfo info;
  std::unique_ptr<TMusicScore> back = LoadScoreBytes(first, info);
  ASSERT_TRUE(back);
  EXPECT_EQ(info.status, slRead);
  EXPECT_EQ(info.version, 16);
  EXPECT_EQ(info.release, 331);
  EXPECT_EQ(info.field5, 2);
  EXPECT_STREQ(info.name, "Vellichord");
  EXPECT_FALSE(back->IsConverted());
  ExpectRichScore(*back);
  // Saving what was read gives the same bytes again.
  EXPECT_EQ(SaveScoreBytes(*back), first);
}

TEST(ScoreFileStatus, HeaderChecksGiveTheirStatus) {
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
    int status;
    bool score;
  };
  auto header = [](int version, const std::string& sig, const std::string& product, int field2) {
    TScoreBytes b;
    b.Header(version, sig, product, field2);
    return b.bytes;
  };
  std::vector<unsigned char> good = NewScoreBytes();
  std::vector<unsigned char> truncated(good.begin(), good.end() - 5);
  std::vector<unsigned char> newer = good;
  const size_t versionAt = TScoreBytes().Header(16).bytes.size() - 2;
  newer[versionAt] = 17;
  const Case cases[] = {
      {"empty", {}, slNewScore, true},
      {"one byte", {'x'}, slNewScore, true},
      {"current", good, slRead, true},
      {"other signature", header(16, "[Vellichord Other]", "[Vellichord]", 0), slNotRecognised, false},
      {"signature case", header(16, "[VELLICHORD PELMORA]", "[Vellichord]", 0), slNotRecognised, false},
      {"positive field", header(16, "[Vellichord Pelmora]", "[Vellichord]", 1), slBadHeaderField, false},
      {"product without brackets", header(16, "[Vellichord Pelmora]", "Vellichord", 0), slNotRecognised, false},
      {"product too short", header(16, "[Vellichord Pelmora]", "[]", 0), slNotRecognised, false},
      {"other product", header(16, "[Vellichord Pelmora]", "[Pelmora]", 0), slWrongProduct, false},
      {"newer version", newer, slTooNew, false},
      {"truncated body", truncated, slStreamFailed, true},
      {"header only", header(16, "[Vellichord Pelmora]", "[Vellichord]", 0), slStreamFailed, true},
  };
  for (const Case& c : cases) {
    TScoreLoadInfo info;
    std::unique_ptr<TMusicScore> score = LoadScoreBytes(c.bytes, info);
    EXPECT_EQ(info.status, c.status) << c.what;
    EXPECT_EQ(score != nullptr, c.score) << c.what;
    if (score) {
      EXPECT_GE(score->StaffCount(), 1) << c.what;
    }
  }
}

TEST(ScoreFileStatus, OlderSignatureIsTakenInAnyCase) {
  TScoreBytes b;
  b.Header(16, "[VELLICHORD SOFTWARE]");
  std::vector<unsigned char> rest = NewScoreBytes();
  const size_t headerSize = TScoreBytes().Header(16).bytes.size();
  b.bytes.insert(b.bytes.end(), rest.begin() + static_cast<long>(headerSize), rest.end());
  TScoreLoadInfo info;
  std::unique_ptr<TMusicScore> score = LoadScoreBytes(b.bytes, info);
  ASSERT_TRUE(score);
  EXPECT_EQ(info.status, slRead);
}

TEST(ScoreFileSave, FlagsClearOnlyAfterASuccessfulUserSave) {
  const std::string path = TempPath("flags.qvk");
  TMusicScore score;
  score.AppendStaff(new TMusicStaff);
  auto mark = [&] {
    score.SetConverted(true);
    score.SetModified(true);
  };
  mark();
  ASSERT_EQ(SaveScoreFile(path.c_str(), 0, score, skAutoSave), 1);
  EXPECT_TRUE(score.IsConverted());
  EXPECT_TRUE(score.IsModified());
  const std::string badPath = TempPath("no_such_dir/x/flags.qvk");
  EXPECT_EQ(SaveScoreFile(badPath.c_str(), 1, score, skUserSave), 0);
  EXPECT_TRUE(score.IsConverted());
  EXPECT_TRUE(score.IsModified());
  ASSERT_EQ(SaveScoreFile(path.c_str(), 1, score, skUserSave), 1);
  EXPECT_FALSE(score.IsConverted());
  EXPECT_FALSE(score.IsModified());
  std::remove(path.c_str());

  // Straight onto a stream: one that runs out of room answers 0 and keeps the flags; an
  // automatic copy keeps them too; only a user save that went through clears them.
  mark();
  unsigned char room[64];
  TQXTFlatRamStream tooSmall(room, sizeof room, 0);
  EXPECT_EQ(WriteScoreHeader(tooSmall, score, skUserSave), 0);
  EXPECT_TRUE(score.IsConverted());
  EXPECT_TRUE(score.IsModified());
  TQXTSegRamStream copy(1024);
  EXPECT_EQ(WriteScoreHeader(copy, score, skAutoSave), 1);
  EXPECT_TRUE(score.IsConverted());
  EXPECT_TRUE(score.IsModified());
  TQXTSegRamStream saved(1024);
  EXPECT_EQ(WriteScoreHeader(saved, score, skUserSave), 1);
  EXPECT_FALSE(score.IsConverted());
  EXPECT_FALSE(score.IsModified());
}

// Staves of notes whose fields vary, so that even the compressed file runs to several of the
// reader's blocks.
std::unique_ptr<TMusicScore> LargeScore() {
  auto score = std::make_unique<TMusicScore>();
  unsigned dice = 7;
  for (int s = 0; s < 6; ++s) {
    auto* staff = new TMusicStaff;
    for (int i = 0; i < 11000; ++i) {
      dice = dice * 1664525u + 1013904223u;
      auto* note = new TMusicNote(int(dice >> 24) % 15 - 7, int(dice >> 8) % 5 + 1, int(dice >> 16) % 6);
      if (dice & 0x10) note->SetAttribute(naStaccato);
      staff->AppendItem(note);
    }
    score->AppendStaff(staff);
  }
  return score;
}

// A file is read forward in blocks as it is parsed, not copied into memory first: plain or
// compressed, with the inflation on the reading thread or ahead of it, a large file reads as its
// bytes read from memory do, and a compressed file cut short reads as far as it goes with the
// stream-failed status.
TEST(ScoreFileRead, LargeFilesReadFromDiskAsTheirBytesFromMemory) {
  const std::unique_ptr<TMusicScore> large = LargeScore();
  for (int compress : {0, 1}) {
    const std::string path = TempPath(compress ? "large_z.qvk" : "large_p.qvk");
    ASSERT_EQ(SaveScoreFile(path.c_str(), compress, *large), 1);
    std::vector<unsigned char> bytes = ReadWholeFile(path);
    if (compress) {
      ASSERT_GT(bytes.size(), 2u * 65536u);
    }
    TScoreLoadInfo fromMemory;
    std::unique_ptr<TMusicScore> expected(ReadScoreImage(bytes.data(), uint32_t(bytes.size()), fromMemory));
    ASSERT_TRUE(expected);
    ASSERT_EQ(fromMemory.status, slRead);
    const std::vector<unsigned char> expectedBytes = SaveScoreBytes(*expected, skAutoSave);
    for (int processors : {1, 4}) {
      SetAllowedProcessorsOverride(processors);
      TScoreLoadInfo info;
      std::unique_ptr<TMusicScore> back(ReadScoreFile(path.c_str(), info));
      ASSERT_TRUE(back) << compress << " " << processors;
      EXPECT_EQ(info.status, slRead);
      EXPECT_EQ(back->IsCompressed(), compress == 1);
      EXPECT_EQ(SaveScoreBytes(*back, skAutoSave), expectedBytes) << compress << " " << processors;
      if (compress) {
        const std::string cut = TempPath("large_cut.qvk");
        FILE* f = std::fopen(cut.c_str(), "wb");
        ASSERT_TRUE(f);
        std::fwrite(bytes.data(), 1, bytes.size() / 2, f);
        std::fclose(f);
        TScoreLoadInfo cutInfo;
        std::unique_ptr<TMusicScore> partial(ReadScoreFile(cut.c_str(), cutInfo));
        ASSERT_TRUE(partial) << processors;
        EXPECT_EQ(cutInfo.status, slStreamFailed);
        EXPECT_GE(partial->StaffCount(), 1);
        EXPECT_LT(partial->StaffCount(), large->StaffCount());
        std::remove(cut.c_str());
      }
    }
    SetAllowedProcessorsOverride(0);
    std::remove(path.c_str());
  }
}

TEST(ScoreFileSave, AScoreKeepsTheFormItWasReadIn) {
  std::unique_ptr<TMusicScore> rich = BuildRichScore();
  for (int compress : {0, 1}) {
    const std::string path = TempPath(compress ? "form_z.qvk" : "form_p.qvk");
    ASSERT_EQ(SaveScoreFile(path.c_str(), compress, *rich), 1);
    const std::vector<unsigned char> saved = ReadWholeFile(path);
    EXPECT_EQ(saved.size() > 5 && std::memcmp(saved.data(), "[QVZ]", 5) == 0, compress == 1);
    TScoreLoadInfo info;
    std::unique_ptr<TMusicScore> back(ReadScoreFile(path.c_str(), info));
    ASSERT_TRUE(back) << compress;
    EXPECT_EQ(info.status, slRead);
    EXPECT_EQ(back->IsCompressed(), compress == 1);
    ExpectRichScore(*back);
    // Saved again in the form it carries, the file is unchanged.
    ASSERT_EQ(SaveScoreFile(path.c_str(), back->IsCompressed(), *back), 1);
    EXPECT_EQ(ReadWholeFile(path), saved);
    std::remove(path.c_str());
  }
  TScoreLoadInfo info;
  EXPECT_EQ(ReadScoreFile(TempPath("missing.qvk").c_str(), info), nullptr);
  EXPECT_EQ(info.status, slNotRecognised);
}

TEST(ScoreFileInfoOnly, ReadsJustTheInformationBlock) {
  std::unique_ptr<TMusicScore> rich = BuildRichScore();
  for (int compress : {0, 1}) {
    const std::string path = TempPath("info.qvk");
    ASSERT_EQ(SaveScoreFile(path.c_str(), compress, *rich), 1);
    TScoreLoadInfo info;
    TScoreInfoBlock block;
    std::memset(&block, 0x55, sizeof block);
    ASSERT_EQ(ReadScoreInfoOnly(path.c_str(), info, block), 1);
    EXPECT_EQ(std::memcmp(&block, &rich->Info(), sizeof block), 0);
    EXPECT_EQ(info.status, slRead);
    std::remove(path.c_str());
  }
  std::vector<unsigned char> one = {'x'};
  TQXTFlatRamStream s = ViewOf(one);
  TScoreLoadInfo info;
  TScoreInfoBlock block;
  EXPECT_EQ(ReadScoreInfoOnly(s, info, block), 0);
  TScoreBytes other;
  other.Header(17);
  TQXTFlatRamStream t = ViewOf(other.bytes);
  EXPECT_EQ(ReadScoreInfoOnly(t, info, block), 0);
  EXPECT_EQ(info.status, slTooNew);
}

TEST(ScoreCopies, ClonesAndInformationCopies) {
  std::unique_ptr<TMusicScore> rich = BuildRichScore();
  const TMusicStaff* staff = rich->GetStaff(0);
  for (int i = 0; i <= staff->LastIndex(); ++i) {
    const TNotatedItem* item = staff->GetItem(i);
    std::unique_ptr<TNotatedItem> clone(CloneNotatedItem(item));
    ASSERT_TRUE(clone) << i;
    EXPECT_NE(clone.get(), item);
    TQXTSegRamStream a(1024), b(1024);
    WriteNotatedItem(a, *item);
    WriteNotatedItem(b, *clone);
    EXPECT_EQ(BytesOf(a), BytesOf(b)) << "item " << i << " type " << item->GetType();
  }
  EXPECT_EQ(CloneNotatedItem(nullptr), nullptr);

  TMusicScore copy;
  copy.CopyInfo(*rich);
  EXPECT_STREQ(copy.Info().title, rich->Info().title);
  EXPECT_EQ(copy.GetZoomIndex(), rich->GetZoomIndex());
  EXPECT_EQ(copy.GetFonts()->GetFont(7).size, rich->GetFonts()->GetFont(7).size);
  TMusicStaff staffCopy;
  staffCopy.CopyInfo(*staff);
  EXPECT_STREQ(staffCopy.GetName(), staff->GetName());
  EXPECT_EQ(staffCopy.GetPort(), staff->GetPort());
  EXPECT_EQ(staffCopy.GetEndBarStyle(), staff->GetEndBarStyle());
  EXPECT_EQ(staffCopy.ItemCount(), 2);  // settings only, no items
}

}  // namespace

namespace {

class TRecordedProgress : public TScoreLoadProgress {
public:
  void ShowText(const char* text) override { texts.emplace_back(text ? text : "<clear>"); }
  std::vector<std::string> texts;
};

}  // namespace

// With progress shown, each staff is audited in turn after its items; the texts name every staff
// in file order and the score read is the same as without progress.
TEST(ScoreFileProgress, ReadingAFileNamesEachStaffAsItIsLoadedAndAudited) {
  std::unique_ptr<TMusicScore> rich = BuildRichScore();
  for (int compress : {0, 1}) {
    const std::string path = TempPath(compress ? "progress_z.qvk" : "progress_p.qvk");
    ASSERT_EQ(SaveScoreFile(path.c_str(), compress, *rich), 1);
    TRecordedProgress progress;
    TScoreLoadInfo info;
    std::unique_ptr<TMusicScore> back(ReadScoreFile(path.c_str(), info, &progress));
    ASSERT_TRUE(back) << compress;
    EXPECT_EQ(info.status, slRead);
    ExpectRichScore(*back);
    std::vector<std::string> expected;
    for (int i = 0; i < rich->StaffCount(); ++i) {
      const TMusicStaff& staff = *rich->GetStaff(i);
      char text[200];
      std::snprintf(text, sizeof text, " Loading %s:%s (%d items)", staff.GetGroupName(), staff.GetName(),
                    staff.ItemCount() - 2);
      expected.emplace_back(text);
      expected.emplace_back(std::string(" Auditing ") + staff.GetName());
    }
    EXPECT_EQ(progress.texts, expected) << compress;
    std::remove(path.c_str());
  }
}
