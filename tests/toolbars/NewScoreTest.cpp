// The scores the New command starts from: a blank score with the chosen information, and
// templates read whole or not at all.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreFile.h"
#include "app/NewScore.h"
#include "foundation/NewScoreInfo.h"

namespace {

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string("vc_new_") + name)).string();
}

std::vector<char> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TScoreInfoTexts Info() {
  TScoreInfoTexts info{};
  std::strcpy(info.Title, "Morning Song");
  std::strcpy(info.Author, "<Name>");
  std::strcpy(info.Copyright1, "Copyright \xA9 2026 <Name>");
  std::strcpy(info.Copyright2, "All Rights Reserved");
  return info;
}

TEST(NewScoreTest, ABlankScoreHasTheChosenInformationAndOneStaff) {
  InstallAuditPass();
  const std::unique_ptr<TMusicScore> score = NewBlankScore(Info());
  ASSERT_TRUE(score);
  EXPECT_STREQ(score->Info().title, "Morning Song");
  EXPECT_STREQ(score->Info().author, "<Name>");
  EXPECT_STREQ(score->Info().copyright1, "Copyright \xA9 2026 <Name>");
  EXPECT_STREQ(score->Info().copyright2, "All Rights Reserved");
  ASSERT_EQ(score->StaffCount(), 1);
  EXPECT_EQ(score->GetStaff(0)->ItemCount(), 2) << "nothing but the two bar-line sentinels";
  EXPECT_TRUE(score->Selection().GetBit(0)) << "the staff is shown";
}

// A template is a score file: read whole it is used; refused or read only in part it is not.
TEST(NewScoreTest, TemplatesAreReadWholeOrNotAtAll) {
  InstallAuditPass();
  const std::string path = TempPath("template.qvk");
  std::unique_ptr<TMusicScore> original = NewBlankScore(Info());
  original->AppendStaff(new TMusicStaff);
  for (int compress = 0; compress < 2; ++compress) {
    SCOPED_TRACE(compress ? "compressed" : "plain");
    ASSERT_EQ(SaveScoreFile(path.c_str(), compress, *original), 1);
    const std::unique_ptr<TMusicScore> read = ReadTemplateScore(path.c_str());
    ASSERT_TRUE(read);
    EXPECT_STREQ(read->Info().title, "Morning Song");
    EXPECT_EQ(read->StaffCount(), 2);
  }

  ASSERT_EQ(SaveScoreFile(path.c_str(), 0, *original), 1);
  std::vector<char> bytes = ReadAll(path);
  ASSERT_GT(bytes.size(), 40u);
  const std::string cut = TempPath("cut.qvk");
  WriteAll(cut, std::vector<char>(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size()) - 12));
  const std::string text = TempPath("text.qvk");
  WriteAll(text, std::vector<char>{'n', 'o', 't', ' ', 'a', ' ', 's', 'c', 'o', 'r', 'e'});
  const struct {
    const char* what;
    std::string path;
  } refused[] = {{"a file cut short", cut}, {"not a score file", text}, {"no file", TempPath("missing.qvk")}};
  for (const auto& r : refused) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(ReadTemplateScore(r.path.c_str()), nullptr);
  }
  std::remove(path.c_str());
  std::remove(cut.c_str());
  std::remove(text.c_str());
}

}  // namespace
