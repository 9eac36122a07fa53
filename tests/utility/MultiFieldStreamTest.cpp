#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/QVMultiField.h"
#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"

namespace {

std::string Fields(const TQVMultiField& m) {
  std::string s;
  for (int i = 0; i < m.GetCount(); ++i) s += std::string(i ? "|" : "") + m.GetField(i);
  return s;
}

// A stream holding the given header words and strings.
struct Recorded {
  explicit Recorded(std::initializer_list<int> header, std::initializer_list<const char*> strings = {}) {
    for (int word : header) stream.WriteInt16(word);
    for (const char* s : strings) stream.WriteString(s);
    stream.Rewind();
  }
  TQXTSegRamStream stream{1024};
};

TEST(MultiFieldStream, RoundTrip) {
  TQVMultiField original(4, 255);
  original.SetGrowStep(16);
  original.SplitString("Title,Author,(c) 2003,", ',');
  TQXTSegRamStream stream(1024);
  original.Write(stream);
  EXPECT_EQ(stream.Size(), 6u + 6 + 7 + 9 + 1);
  stream.Rewind();
  EXPECT_EQ(stream.ReadUInt16(), 4);
  EXPECT_EQ(stream.ReadUInt16(), 23 + 2) << "used size + 2";
  EXPECT_EQ(stream.ReadUInt16(), 16);
  stream.Rewind();

  const TQVMultiField back(stream);
  EXPECT_FALSE(stream.IsFailed());
  EXPECT_EQ(Fields(back), "Title|Author|(c) 2003|");
  EXPECT_EQ(back.GetGrowStep(), 16);
}

TEST(MultiFieldStream, StringsAreBoundedByTheSpaceLeft) {
  // The header claims 6 bytes of text for 2 fields, but the first string is 20 characters long.
  Recorded r({2, 6 + 2, 1}, {"abcdefghijklmnopqrst", "xyz"});
  const TQVMultiField m(r.stream);
  EXPECT_EQ(Fields(m), "abcd|") << "the first field leaves one byte for the second";
  EXPECT_EQ(m.GetUsedSize(), 6u);
  EXPECT_EQ(m.GetBufferSize(), 6u);
  EXPECT_EQ(r.stream.Tell(), r.stream.Size()) << "every string is consumed whole";

  // Many fields and a tiny size: each field still gets its NUL.
  Recorded tiny({3, 3 + 2, 1}, {"long one", "long two", "long three"});
  const TQVMultiField t(tiny.stream);
  EXPECT_EQ(Fields(t), "long ||");
  EXPECT_EQ(t.GetUsedSize(), t.GetBufferSize());
  EXPECT_FALSE(tiny.stream.IsFailed());
}

TEST(MultiFieldStream, InvalidHeadersFailTheStream) {
  struct Case {
    std::vector<int> header;
    const char* why;
  };
  const Case cases[] = {
      {{5, 3 + 2, 1}, "a used size below the count"},
      {{-1, 10, 1}, "a negative count"},
      {{2, -4, 1}, "a negative size"},
      {{2, 1, 1}, "a size below 2"},
      {{2}, "a stream that ends inside the header"},
  };
  for (const Case& c : cases) {
    TQXTSegRamStream stream(1024);
    for (int word : c.header) stream.WriteInt16(word);
    if (c.header.size() == 3) {
      stream.WriteString("a");
      stream.WriteString("b");
    }
    stream.Rewind();
    const TQVMultiField m(stream);
    EXPECT_TRUE(stream.IsFailed()) << c.why;
    EXPECT_EQ(m.GetCount(), 0) << c.why;
    EXPECT_STREQ(m.GetField(0), "") << c.why;
  }
}

TEST(MultiFieldStream, ATruncatedStreamLeavesTerminatedFields) {
  unsigned char bytes[] = {2, 0, 12, 0, 1, 0, 'a', 'b', 0, 'c', 'd'};
  TQXTFlatRamStream stream(bytes, sizeof bytes, sizeof bytes);
  const TQVMultiField m(stream);
  EXPECT_TRUE(stream.IsFailed());
  EXPECT_EQ(m.GetCount(), 2);
  EXPECT_STREQ(m.GetField(0), "ab");
  EXPECT_STREQ(m.GetField(1), "cd");
}

TEST(MultiFieldStream, WriteRefusesWhatTheHeaderCannotHold) {
  TQVMultiField m(1, 0);
  m.SetField(0, std::string(40000, 'x').c_str());
  TQXTSegRamStream stream(1024);
  m.Write(stream);
  EXPECT_TRUE(stream.IsFailed());
}

}  // namespace
