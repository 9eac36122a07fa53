// The DDE execute strings: the grammar as a table of strings and what each asks for, and the
// fixed buffers that refuse a long string whole instead of cutting it into another command.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/DdeCommand.h"

namespace {

struct TCase {
  const char* text;
  int command;
  const char* argument;
};

const TCase kCases[] = {
    // Open in any letter case, quoted or not; blanks, tabs and line ends around are dropped.
    {"[Open(C:\\Songs\\a.qvk)]", kDdeOpen, "C:\\Songs\\a.qvk"},
    {"[open(\"C:\\My Songs\\a.qvk\")]", kDdeOpen, "C:\\My Songs\\a.qvk"},
    {"[OPEN(a.mid)]\r\n", kDdeOpen, "a.mid"},
    {" \t[oPeN(\"a b.qvk\")] \n", kDdeOpen, "a b.qvk"},
    // Only one quote goes from each side; a quote inside stays.
    {"[Open(\"\"a\"\")]", kDdeOpen, "\"a\""},
    {"[Open(a\"b)]", kDdeOpen, "a\"b"},
    {"[Open(\"a)]", kDdeOpen, "a"},
    {"[Open(a\")]", kDdeOpen, "a"},
    // A lone quote is the opening one and goes once.
    {"[Open(\")]", kDdeOpen, ""},
    // The argument runs to the last parenthesis of the string.
    {"[Open(a(1).qvk)]", kDdeOpen, "a(1).qvk"},
    {"[Open(a) b) c]", kDdeOpen, "a) b"},
    {"[Open()]", kDdeOpen, ""},
    // Null, with or without an argument.
    {"[Null()]", kDdeNull, ""},
    {"[NULL(\"x\")]", kDdeNull, "x"},
    // Refused: brackets missing or misplaced, unknown keywords, no closing parenthesis.
    {"Open(a.qvk)", kDdeInvalid, ""},
    {"[Open(a.qvk)", kDdeInvalid, ""},
    {"Open(a.qvk)]", kDdeInvalid, ""},
    {"[Close(a.qvk)]", kDdeInvalid, ""},
    {"[Open a.qvk]", kDdeInvalid, ""},
    {"[ Open(a.qvk)]", kDdeInvalid, ""},
    {"[Open(a.qvk]", kDdeInvalid, ""},
    {"[Open]", kDdeInvalid, ""},
    {"[Ope]", kDdeInvalid, ""},
    {"[]", kDdeInvalid, ""},
    {"]", kDdeInvalid, ""},
    {"[", kDdeInvalid, ""},
    {"", kDdeInvalid, ""},
    {" \r\n\t", kDdeInvalid, ""},
    {"[Open(a.qvk)]x", kDdeInvalid, ""},
};

TEST(DdeCommandTest, ParsesEveryFormOfTheGrammar) {
  for (const TCase& c : kCases) {
    int command = 99;
    char argument[kDdeArgumentSize];
    std::memset(argument, 'x', sizeof argument);
    const bool valid = ParseDdeCommand(c.text, command, argument);
    EXPECT_EQ(valid, c.command != kDdeInvalid) << c.text;
    EXPECT_EQ(command, c.command) << c.text;
    EXPECT_STREQ(argument, c.argument) << c.text;
  }
}

TEST(DdeCommandTest, AnArgumentThatDoesNotFitItsBufferIsRefusedNotCut) {
  for (size_t length : {size_t{258}, size_t{259}, size_t{260}, size_t{300}}) {
    const std::string path(length, 'p');
    for (const std::string& text : {"[Open(" + path + ")]", "[Open(\"" + path + "\")]", "[Null(" + path + ")]"}) {
      int command = 99;
      char argument[kDdeArgumentSize];
      const bool valid = ParseDdeCommand(text.c_str(), command, argument);
      EXPECT_EQ(valid, length <= 259) << text.size();
      if (valid) {
        EXPECT_EQ(std::string(argument), path);
      } else {
        EXPECT_EQ(command, kDdeInvalid);
        EXPECT_STREQ(argument, "");
      }
    }
  }
}

TEST(DdeCommandTest, ExecuteDataLongerThanItsBufferIsRefusedWhole) {
  char buffer[kDdeExecuteSize];
  // 459 characters and the zero fit; one more does not, whether or not the data carries its zero.
  const std::string fits = "[Open(" + std::string(459 - 8, 'a') + ")]";
  ASSERT_EQ(fits.size(), 459u);
  EXPECT_TRUE(CopyDdeExecuteData(fits.c_str(), fits.size() + 1, buffer));
  EXPECT_EQ(std::string(buffer), fits);
  EXPECT_TRUE(CopyDdeExecuteData(fits.data(), fits.size(), buffer));
  EXPECT_EQ(std::string(buffer), fits);

  // A long Open whose first 459 bytes would themselves read as a valid, different command.
  const std::string shortCommand = "[Null()]";
  const std::string tooLong = shortCommand + std::string(459 - shortCommand.size(), ' ') + "[Open(x)]";
  EXPECT_FALSE(CopyDdeExecuteData(tooLong.c_str(), tooLong.size() + 1, buffer));
  EXPECT_STREQ(buffer, "");
  EXPECT_FALSE(CopyDdeExecuteData(tooLong.data(), 460, buffer));

  // Data after an embedded zero is not part of the command.
  const char data[] = "[Null()]\0garbage";
  EXPECT_TRUE(CopyDdeExecuteData(data, sizeof data, buffer));
  EXPECT_STREQ(buffer, "[Null()]");
  EXPECT_TRUE(CopyDdeExecuteData(nullptr, 0, buffer));
  EXPECT_FALSE(CopyDdeExecuteData(nullptr, 5, buffer));
}

}  // namespace
