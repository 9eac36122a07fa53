#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "foundation/CrLfRepair.h"
#include "tests/utility/ScratchPath.h"

namespace {

class CrLfRepair : public testing::Test {
 protected:
  void SetUp() override {
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    source = ScratchPath("crlf_" + name + ".in");
    target = ScratchPath("crlf_" + name + ".out");
  }
  void TearDown() override {
    std::filesystem::remove(source);
    std::filesystem::remove(target);
  }
  void WriteSource(const std::string& bytes) { std::ofstream(source, std::ios::binary) << bytes; }
  std::string ReadTarget() {
    std::ifstream in(target, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string source, target;
};

TEST_F(CrLfRepair, TranslatedTest) {
  struct Case {
    std::string bytes;
    int expected;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", 1}, {"\r\n\n", 1},  // an LF after an accepted LF is accepted
      {"a\nb", 0},       {"\r\r\n", 1}, {"\rx\n", 0}, {"", 1}, {"no line ends", 1}, {std::string("\0\r\n\0", 4), 1},
  };
  for (const Case& c : cases) {
    WriteSource(c.bytes);
    EXPECT_EQ(IsCrLfTranslated(source.c_str()), c.expected) << testing::PrintToString(c.bytes);
  }
  EXPECT_EQ(IsCrLfTranslated((source + ".missing").c_str()), 0);
}

TEST_F(CrLfRepair, UndoTranslation) {
  struct Case {
    std::string in;
    int expected;
    std::string out;
  };
  const Case cases[] = {
      {"a\r\nb", 1, "a\nb"},
      {"\r\r\n", 1, "\r\n"},
      {"x\r", 1, "x\r"},         // a CR at the very end stays
      {"\rx\r\r", 1, "\rx\r\r"},  // lone CRs stay
      {std::string("\0\r\n\xFF", 4), 1, std::string("\0\n\xFF", 3)},
      {"", 1, ""},
  };
  for (const Case& c : cases) {
    WriteSource(c.in);
    EXPECT_EQ(UndoCrLfTranslation(source.c_str(), target.c_str()), c.expected) << testing::PrintToString(c.in);
    EXPECT_EQ(ReadTarget(), c.out) << testing::PrintToString(c.in);
  }
}

TEST_F(CrLfRepair, UndoFailsOnABareLineFeed) {
  for (const char* bytes : {"\n\n", "ab\r\ncd\nef", "\r\n\n"}) {
    WriteSource(bytes);
    EXPECT_EQ(UndoCrLfTranslation(source.c_str(), target.c_str()), 0) << testing::PrintToString(std::string(bytes));
  }
  EXPECT_EQ(UndoCrLfTranslation((source + ".missing").c_str(), target.c_str()), 0);
}

TEST_F(CrLfRepair, LargeFileRoundTrip) {
  std::string original;
  for (unsigned i = 0; i < 300000; ++i) original += static_cast<char>((i * 7919u) % 256);
  std::string translated;
  for (char c : original) {
    if (c == '\n') translated += '\r';
    translated += c;
  }
  WriteSource(translated);
  EXPECT_EQ(IsCrLfTranslated(source.c_str()), 1);
  ASSERT_EQ(UndoCrLfTranslation(source.c_str(), target.c_str()), 1);
  const std::string repaired = ReadTarget();
  EXPECT_EQ(repaired.size(), original.size());
  EXPECT_TRUE(repaired == original);
}

}  // namespace
