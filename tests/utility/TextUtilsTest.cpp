#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/TextUtils.h"

TEST(IsNumberText, AcceptsAndRejects) {
  struct Case {
    const char* text;
    bool fraction;
    int expected;
  };
  const Case cases[] = {
      {" -12 ", false, 1}, {"1.5", true, 1},   {"+7", false, 1},   {"- 3", false, 1},  {"5.", true, 1},
      {"1 2", false, 0},   {"--1", false, 0},  {"1-", false, 0},   {"1.5", false, 0},  {"", false, 0},
      {"   ", false, 0},   {"-", false, 0},    {"1.2.3", true, 0}, {"12a", false, 0},  {". 5", true, 0},
      {"+-1", false, 0},   {"1\t", false, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(IsNumberText(c.text, c.fraction), c.expected) << '"' << c.text << '"';
  EXPECT_EQ(IsNumberText(nullptr, true), 0);
}

TEST(TextEdits, StripCollapseAndTrim) {
  char a[] = " 12-34\t- 5";
  StripBlanksAndDashes(a);
  EXPECT_STREQ(a, "12345");

  char b[] = "a  b--c  --d";
  CollapseRepeatedChars(b, " -");
  EXPECT_STREQ(b, "a b-c -d");

  char c[] = " \t\r\nword \r\n";
  StrTrim(c);
  EXPECT_STREQ(c, "word");
  char d[] = "  left";
  StrTrimRight(d);
  EXPECT_STREQ(d, "  left");
  StrTrimLeft(d);
  EXPECT_STREQ(d, "left");

  char e[] = "xxabcyx";
  StrTrimLeftSet(e, "x");
  StrTrimRightSet(e, "xy");
  EXPECT_STREQ(e, "abc");
}

TEST(StrCopyMax, BoundsTheCopyAndToleratesSizeZero) {
  char buffer[8];
  std::memset(buffer, 'Z', sizeof buffer);
  StrCopyMax(buffer, "abc", 8);
  EXPECT_STREQ(buffer, "abc");
  StrCopyMax(buffer, "abcdefghij", 4);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(buffer[4], 'Z') << "nothing written past the size";

  std::memset(buffer, 'Z', sizeof buffer);
  StrCopyMax(buffer, "abc", 0);
  EXPECT_EQ(buffer[0], 'Z') << "size 0 writes nothing at all";
  StrCopyMax(buffer, nullptr, 8);
  EXPECT_STREQ(buffer, "");
}

TEST(MultiStringList, NthEntryAndFind) {
  const char list[] = "One\0Two\0Three\0";
  EXPECT_STREQ(GetNthMultiString(list, 0), "One");
  EXPECT_STREQ(GetNthMultiString(list, 2), "Three");
  EXPECT_EQ(GetNthMultiString(list, 3), list) << "past the end answers the list start";
  EXPECT_EQ(GetNthMultiString(list, 9), list);

  EXPECT_EQ(FindMultiStringIndex(list, "Two", false, -1), 1);
  EXPECT_EQ(FindMultiStringIndex(list, "two", false, -1), -1);
  EXPECT_EQ(FindMultiStringIndex(list, "tHREE", true, -1), 2);
  EXPECT_EQ(FindMultiStringIndex(list, "Four", true, 7), 7);
  EXPECT_EQ(FindMultiStringIndex(nullptr, "One", true, 5), 5);
  EXPECT_EQ(FindMultiStringIndex(list, nullptr, true, 5), 5);
}

TEST(CountSeparatedFields, CountsSeparatorsPlusOne) {
  EXPECT_EQ(CountSeparatedFields("a|b||c", '|'), 4);
  EXPECT_EQ(CountSeparatedFields("", '|'), 1);
  EXPECT_EQ(CountSeparatedFields(nullptr, '|'), 0);
}

TEST(CharTests, DigitsAndLetters) {
  EXPECT_TRUE(IsDigitChar('0'));
  EXPECT_TRUE(IsDigitChar('9'));
  EXPECT_FALSE(IsDigitChar('a'));
  EXPECT_TRUE(IsAlnumChar('z'));
  EXPECT_TRUE(IsAlnumChar('Q'));
  EXPECT_FALSE(IsAlnumChar('_'));
  EXPECT_FALSE(IsAlnumChar('\xF9')) << "only ASCII letters count";
}
