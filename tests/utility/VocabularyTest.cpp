#include <gtest/gtest.h>

#include <cstring>

#include "foundation/VocabularyLists.h"

TEST(Vocabulary, EntriesByListAndIndex) {
  EXPECT_STREQ(GetListEntry(8, 6), "G");
  EXPECT_STREQ(GetListEntry(8, 7), "***");
  EXPECT_STREQ(GetListEntry(35, 1), "Top");
  EXPECT_STREQ(GetListEntry(35, -4), "Bottom") << "a negative entry answers entry 0";
  EXPECT_STREQ(GetListEntry(0, 0), "Printer Default");
  EXPECT_STREQ(GetListEntry(21, 13), "Effects (Reverb) Depth");
  EXPECT_STREQ(GetListEntry(27, 1), "y");
  EXPECT_STREQ(GetListEntry(16, 5), " ");
  EXPECT_STREQ(GetListEntry(32, 3), "at next note/bar");
  EXPECT_STREQ(GetListEntry(38, 1), "Pedal Released");
}

TEST(Vocabulary, ListIndexOutOfRangeAnswersStars) {
  EXPECT_STREQ(GetListEntry(39, 0), "***");
  EXPECT_STREQ(GetListEntry(-1, 0), "***");
  EXPECT_STREQ(GetTableString(39), "***");
  EXPECT_EQ(GetTableString(39)[4], '\0') << "still a double-NUL list";
  EXPECT_EQ(GetListEntryCount(39), 0);
}

TEST(Vocabulary, ListLengths) {
  const int expected[kVocabularyListCount] = {8, 4,  4, 4, 4, 8,  5,  10, 7,  7, 3,  3, 3,  4, 2, 6, 6,  8,  8, 5,
                                              5, 18, 18, 2, 3, 6, 9, 9, 23, 23, 3, 3, 4, 4, 12, 2, 3, 2, 2};
  for (int list = 0; list < kVocabularyListCount; ++list) {
    EXPECT_EQ(GetListEntryCount(list), expected[list]) << "list " << list;
    EXPECT_STREQ(GetListEntry(list, expected[list]), "***") << "list " << list;
  }
  // Paired lists give a long and a short name for the same codes.
  for (int pair : {17, 19, 21, 26, 28}) EXPECT_EQ(GetListEntryCount(pair), GetListEntryCount(pair + 1));
}

TEST(Vocabulary, TextsAreCodePage1252) {
  // u-grave is the single byte 0xF9, not a UTF-8 pair.
  EXPECT_STREQ(GetListEntry(28, 12), "Pi\xF9 mosso");
  EXPECT_STREQ(GetListEntry(29, 12), "pi\xF9 mosso");
  EXPECT_EQ(std::strlen(GetListEntry(28, 12)), 9u);
  for (int list = 0; list < kVocabularyListCount; ++list) {
    for (int entry = 0; entry < GetListEntryCount(list); ++entry) {
      for (const char* p = GetListEntry(list, entry); *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 0x80) {
          EXPECT_EQ(c, 0xF9) << "list " << list << " entry " << entry;
        }
      }
    }
  }
}

TEST(Vocabulary, TableStringIsTheWholeList) {
  const char* list = GetTableString(4);
  EXPECT_STREQ(list, "Treble Clef");
  EXPECT_STREQ(list + std::strlen(list) + 1, "Bass Clef");
  EXPECT_EQ(GetTableString(4), GetListEntry(4, 0));
}
