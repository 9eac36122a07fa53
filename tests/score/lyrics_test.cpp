// Lyric lines: parsing text into syllable records, the edit-control form, the cursor and the
// lyrics record of the score file, including blocks that are not sound.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "QVKNTN/LyricText.h"
#include "QVKNTN/StaffLyrics.h"
#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"

namespace {

struct Syllable {
  std::string text;
  int separator;
  bool operator==(const Syllable&) const = default;
};

std::vector<Syllable> Syllables(const TLyricText& line) {
  std::vector<Syllable> out;
  for (TLyric c(&line, 0); c.HasSyllable(); c.Next()) out.push_back({c.Syllable(), c.Separator()});
  return out;
}

std::string EditText(const TLyricText& line) {
  std::vector<char> buffer(TLyricText::kEditBufferSize);
  line.FormatForEdit(buffer.data(), static_cast<int>(buffer.size()));
  return buffer.data();
}

// Parses text lines the way the lyrics editor hands them over: each line with the flag telling
// whether the previous one was empty.
void ParseLines(TLyricText& line, const std::vector<std::string>& lines, bool underscore = false) {
  bool previousEmpty = false;
  for (const std::string& text : lines) previousEmpty = line.ParseTextLine(text.c_str(), previousEmpty, underscore) == 0;
}

TEST(LyricText, ParsesTextLinesIntoSyllableRecords) {
  struct Case {
    std::vector<std::string> lines;
    bool underscore;
    std::vector<Syllable> syllables;
    std::string shown;
  };
  const Case cases[] = {
      {{"Hap-py birth-day"}, false, {{"Hap", 1}, {"py", '-'}, {"birth", ' '}, {"day", '-'}}, "Hap-py birth-day"},
      {{"a -- b"}, false, {{"a", 1}, {"--", ' '}, {"b", ' '}}, "a -- b"},
      {{"one", "", "two"}, false, {{"one", 1}, {"two", 10}}, "one\r\n\r\ntwo"},
      {{"one", "two three"}, false, {{"one", 1}, {"two", 13}, {"three", ' '}}, "one\r\ntwo three"},
      {{"to_the end"}, true, {{"to the", 1}, {"end", ' '}}, "to_the end"},
      // A hyphen with nothing after it stays in the syllable.
      {{"  lead-  \t"}, false, {{"lead-", 1}}, "lead-"},
      {{"   "}, false, {}, ""},
  };
  for (const Case& c : cases) {
    TLyricText line;
    ParseLines(line, c.lines, c.underscore);
    EXPECT_EQ(Syllables(line), c.syllables) << c.lines[0];
    EXPECT_EQ(EditText(line), c.shown) << c.lines[0];
  }
}

TEST(LyricText, AppendGrowsToWhatALongSyllableNeeds) {
  TLyricText line;
  const std::string longSyllable(3000, 'x');
  EXPECT_EQ(line.Append("a", ' ', false), 3);
  EXPECT_EQ(line.Append(longSyllable.c_str(), ' ', false), 3002);
  EXPECT_GE(line.Capacity(), line.Length() + 1);
  EXPECT_EQ(Syllables(line), (std::vector<Syllable>{{"a", 1}, {longSyllable, ' '}}));
  line.Clear();
  EXPECT_TRUE(line.IsShared());
  EXPECT_EQ(line.Length(), 1);
  EXPECT_EQ(line.Capacity(), 0);
}

TEST(LyricText, EditTextStopsBeforeTheRecordThatWouldPassTheLimit) {
  // A paragraph separator is one byte in the block but four characters in the edit control, so a
  // line that fits its block can still pass the edit text's limit.
  TLyricText line;
  const std::string chunk(100, 'y');
  for (int i = 0; i < 320; ++i) ASSERT_GT(line.Append(chunk.c_str(), kLyricSepParagraph, false), 0) << i;
  const std::string shown = EditText(line);
  EXPECT_LE(static_cast<int>(shown.size()), TLyricText::kEditTextLimit);
  // Whole records only: the first syllable, then 313 more, each behind "\r\n\r\n".
  EXPECT_EQ(shown.size(), 100u + 313u * 104);
}

TEST(LyricText, ALineNeverOutgrowsWhatItsFileBlockCanState) {
  TLyricText line;
  const std::string chunk(1000, 'z');
  int added = 0;
  for (int i = 0; i < 40; ++i)
    if (line.Append(chunk.c_str(), ' ', false) > 0) ++added;
  EXPECT_EQ(added, 32);
  EXPECT_LE(line.Capacity(), TLyricText::kMaxCapacity);
  EXPECT_GT(line.Append("tail", ' ', false), 0);  // a short syllable still fits
  // The whole line writes and reads back as it was.
  TQXTSegRamStream s(1024);
  line.Write(s);
  s.Rewind();
  TLyricText back;
  ASSERT_TRUE(back.Read(s));
  EXPECT_EQ(Syllables(back), Syllables(line));
}

TEST(LyricCursor, StepsSeeksAndPeeks) {
  TLyricText line;
  ParseLines(line, {"a bb-ccc d"});
  TLyric c(&line, 2);
  EXPECT_EQ(c.Index(), 2);
  EXPECT_STREQ(c.Syllable(), "ccc");
  EXPECT_EQ(c.PeekNext()[0], ' ');
  c.Prev();
  EXPECT_STREQ(c.Syllable(), "bb");
  c.SeekSyllable(0);
  EXPECT_STREQ(c.Syllable(), "a");
  c.Prev();  // never before the first record
  EXPECT_EQ(c.Index(), 0);
  c.SeekSyllable(99);
  EXPECT_EQ(c.Index(), 4);
  EXPECT_FALSE(c.HasSyllable());
  EXPECT_EQ(c.PeekNext(), c.PeekNext());  // stays at the end

  TLyricText empty;
  TLyric none(&empty, 3);
  EXPECT_FALSE(none.HasSyllable());
  EXPECT_EQ(none.Index(), 0);
}

TEST(LyricText, LoadFromStreamParsesTheWholeText) {
  const char text[] = "la la-la\r\nlee";
  TQXTFlatRamStream s(const_cast<char*>(text), sizeof text - 1, sizeof text - 1);
  TLyricText line;
  line.LoadFromStream(s, false);
  EXPECT_EQ(Syllables(line), (std::vector<Syllable>{{"la", 1}, {"la", ' '}, {"la", '-'}, {"lee", ' '}}));
}

// Builds the bytes of a lyrics record by hand.
struct RecordBytes {
  std::vector<unsigned char> bytes;
  void Int16(int v) {
    bytes.push_back(static_cast<unsigned char>(v & 0xFF));
    bytes.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
  }
  void Raw(const std::vector<unsigned char>& b) { bytes.insert(bytes.end(), b.begin(), b.end()); }
  // The record's line count, flag word and offset; then the block of a line by its fields.
  void Start(int lines, int flags = 0, int offset = 0) {
    Int16(lines);
    Int16(flags);
    Int16(offset);
  }
  void Block(int capacity, int length, const std::vector<unsigned char>& block) {
    Int16(capacity);
    Int16(length);
    Raw(block);
  }
  // A block of one syllable "la" with some spare capacity.
  void LaBlock() { Block(8, 5, {0, 1, 'l', 'a', 0, 0, 0, 0}); }
};

// Saves the lyrics record and reads it back as the current version.
bool SaveAndLoad(const TStaffLyrics& lyrics, TStaffLyrics& back) {
  TQXTSegRamStream s(1024);
  lyrics.Save(s);
  s.Rewind();
  return back.Load(s, 16);
}

TEST(StaffLyricsRecord, RoundTripsLinesAndSettings) {
  TStaffLyrics lyrics;
  for (const char* text : {"one two", "three-four"}) {
    auto* line = new TLyricText;
    line->ParseTextLine(text, false, false);
    lyrics.AddLine(line);
  }
  lyrics.AddLine(new TLyricText);  // an empty verse is stored with capacity 0
  lyrics.SetFirstSetting(1);
  lyrics.SetSecondSetting(1);
  lyrics.SetOffset(-7);
  TStaffLyrics back;
  ASSERT_TRUE(SaveAndLoad(lyrics, back));
  ASSERT_EQ(back.GetLineCount(), 3);
  EXPECT_EQ(Syllables(*back.GetLine(0)), Syllables(*lyrics.GetLine(0)));
  EXPECT_EQ(Syllables(*back.GetLine(1)), Syllables(*lyrics.GetLine(1)));
  EXPECT_TRUE(back.GetLine(2)->IsShared());
  EXPECT_EQ(back.GetFirstSetting(), 1);
  EXPECT_EQ(back.GetSecondSetting(), 1);
  EXPECT_EQ(back.GetOffset(), -7);
  EXPECT_EQ(back.GetLine(3), nullptr);
}

TEST(StaffLyricsRecord, KeepsNineLinesAndStaysInStep) {
  RecordBytes r;
  r.Start(12, 1);
  for (int i = 0; i < 12; ++i) r.LaBlock();
  r.Int16(0x1234);  // what follows the record
  TQXTFlatRamStream s(r.bytes.data(), static_cast<uint32_t>(r.bytes.size()), static_cast<uint32_t>(r.bytes.size()));
  TStaffLyrics lyrics;
  ASSERT_TRUE(lyrics.Load(s, 16));
  EXPECT_EQ(lyrics.GetLineCount(), TStaffLyrics::kMaxLines);
  EXPECT_EQ(s.ReadUInt16(), 0x1234);
}

TEST(StaffLyricsRecord, FlagWordByVersion) {
  struct Case {
    int version;
    int flags;
    int first, second;
    bool hasFlagWord;
  };
  const Case cases[] = {
      {7, 0, 0, 0, false}, {8, 3, 1, 0, true}, {14, 3, 1, 0, true}, {15, -1, 0, 0, true}, {15, 3, 1, 1, true}, {16, -1, 1, 1, true},
  };
  for (const Case& c : cases) {
    RecordBytes r;
    r.Int16(1);
    if (c.hasFlagWord) {
      r.Int16(c.flags);
      r.Int16(4);
    }
    r.LaBlock();
    TQXTFlatRamStream s(r.bytes.data(), static_cast<uint32_t>(r.bytes.size()), static_cast<uint32_t>(r.bytes.size()));
    TStaffLyrics lyrics;
    ASSERT_TRUE(lyrics.Load(s, c.version)) << c.version;
    EXPECT_EQ(lyrics.GetFirstSetting(), c.first) << c.version;
    EXPECT_EQ(lyrics.GetSecondSetting(), c.second) << c.version;
    EXPECT_EQ(lyrics.GetOffset(), c.hasFlagWord ? 4 : 0);
    EXPECT_EQ(lyrics.GetLineCount(), 1);
  }
}

TEST(StaffLyricsRecord, RefusesBlocksThatAreNotSound) {
  struct Case {
    const char* what;
    int capacity, length;
  };
  const Case cases[] = {{"negative capacity", -4, 1}, {"length past capacity", 4, 9}, {"zero length", 4, 0}};
  for (const Case& c : cases) {
    RecordBytes r;
    r.Start(1);
    r.Block(c.capacity, c.length, {0, 1, 'x', 0});
    TQXTFlatRamStream s(r.bytes.data(), static_cast<uint32_t>(r.bytes.size()), static_cast<uint32_t>(r.bytes.size()));
    TStaffLyrics lyrics;
    EXPECT_FALSE(lyrics.Load(s, 16)) << c.what;
    EXPECT_TRUE(s.IsFailed()) << c.what;
    EXPECT_EQ(lyrics.GetLineCount(), 0) << c.what;
  }
}

TEST(StaffLyricsRecord, AnUnterminatedBlockIsCutAtItsLength) {
  // No terminator anywhere: once with room after the length, once filled to its capacity.
  for (int capacity : {6, 4}) {
    RecordBytes r;
    r.Start(1);
    r.Block(capacity, 4, {0, 1, 'a', 'b', 'c', 'd'});
    r.bytes.resize(r.bytes.size() - static_cast<size_t>(6 - capacity));
    TQXTFlatRamStream s(r.bytes.data(), static_cast<uint32_t>(r.bytes.size()), static_cast<uint32_t>(r.bytes.size()));
    TStaffLyrics lyrics;
    ASSERT_TRUE(lyrics.Load(s, 16)) << capacity;
    TLyricText* line = lyrics.GetLine(0);
    EXPECT_EQ(Syllables(*line), (std::vector<Syllable>{{"ab", 1}})) << capacity;
    EXPECT_LE(line->Length(), line->Capacity());
    // Appending after such a block still yields well-formed records.
    line->Append("next", ' ', false);
    EXPECT_EQ(Syllables(*line), (std::vector<Syllable>{{"ab", 1}, {"next", ' '}})) << capacity;
  }
}

TEST(StaffLyricsRecord, AFullBlockOfTheLargestSizeStaysWithinIt) {
  // Stored full and without its terminator: terminating it must not make a block that saves
  // as a negative capacity.
  RecordBytes r;
  std::vector<unsigned char> block(TLyricText::kMaxCapacity, 'q');
  block[0] = 0;
  block[1] = 1;
  r.Start(1);
  r.Block(TLyricText::kMaxCapacity, TLyricText::kMaxCapacity, block);
  TQXTFlatRamStream s(r.bytes.data(), static_cast<uint32_t>(r.bytes.size()), static_cast<uint32_t>(r.bytes.size()));
  TStaffLyrics lyrics;
  ASSERT_TRUE(lyrics.Load(s, 16));
  ASSERT_EQ(lyrics.GetLineCount(), 1);
  EXPECT_EQ(lyrics.GetLine(0)->Capacity(), TLyricText::kMaxCapacity);
  const std::vector<Syllable> want = {{std::string(TLyricText::kMaxCapacity - 3, 'q'), 1}};
  EXPECT_EQ(Syllables(*lyrics.GetLine(0)), want);

  TStaffLyrics back;
  ASSERT_TRUE(SaveAndLoad(lyrics, back));
  ASSERT_EQ(back.GetLineCount(), 1);
  EXPECT_EQ(Syllables(*back.GetLine(0)), want);
}

TEST(StaffLyricsRecord, ATruncatedRecordFails) {
  RecordBytes r;
  r.Start(2);
  r.LaBlock();
  r.Block(8, 5, {0, 1});  // short
  TQXTFlatRamStream s(r.bytes.data(), static_cast<uint32_t>(r.bytes.size()), static_cast<uint32_t>(r.bytes.size()));
  TStaffLyrics lyrics;
  EXPECT_FALSE(lyrics.Load(s, 16));
  EXPECT_EQ(lyrics.GetLineCount(), 1);
}

}  // namespace
