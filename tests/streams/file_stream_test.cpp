// The file stream against a real file: whatever it buffers, positions, sizes, fail flags and
// the bytes on disk must be those of one system call per byte.
#include <gtest/gtest.h>

#include <string>

#include "foundation/QXTFStream.h"
#include "tests/streams/TempPath.h"

using namespace std::string_literals;

namespace {
constexpr int kRead = TQXTFStream::ModeRead;
constexpr int kWrite = TQXTFStream::ModeWrite;
constexpr int kShared = TQXTFStream::ShareRead | TQXTFStream::ShareWrite;

std::string Pattern(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += static_cast<char>((i * 31 + i / 256) & 0xFF);
  return s;
}
}  // namespace

TEST(FileStream, OpenModesCreateTruncateOrNeedAnExistingFile) {
  TempPath path("modes");
  TQXTFStream missing(kRead, path.c_str());
  EXPECT_TRUE(missing.IsFailed());
  EXPECT_FALSE(missing.IsOpen());
  TQXTFStream missingBoth(kRead | kWrite, path.c_str());
  EXPECT_TRUE(missingBoth.IsFailed());
  TQXTFStream noBits(0, path.c_str());  // no bit at all reads
  EXPECT_TRUE(noBits.IsFailed());

  path.SetContents("old contents");
  {
    TQXTFStream both(kRead | kWrite, path.c_str());
    ASSERT_TRUE(both.IsOpen());
    EXPECT_EQ(both.Size(), 12u);  // read+write keeps the file
  }
  {
    TQXTFStream write(kWrite, path.c_str());
    ASSERT_TRUE(write.IsOpen());
    EXPECT_EQ(write.Size(), 0u);  // write alone truncates
    write.GetByte();              // and cannot read
    EXPECT_TRUE(write.IsFailed());
  }
  EXPECT_EQ(path.Contents(), "");

  TQXTFStream s;
  EXPECT_FALSE(s.IsOpen());
  EXPECT_FALSE(s.Open(kRead, nullptr));
  EXPECT_TRUE(s.IsFailed());
  EXPECT_TRUE(s.Open(kRead, path.c_str()));  // Open clears the flag
  EXPECT_FALSE(s.IsFailed());
}

TEST(FileStream, AReadOnlyStreamRefusesWrites) {
  TempPath path("readonly");
  path.SetContents("abc");
  TQXTFStream s(kRead, path.c_str());
  s.PutByte('x');
  EXPECT_TRUE(s.IsFailed());
  s.Rewind();
  s.Write("xy", 2);
  EXPECT_TRUE(s.IsFailed());
  s.Close();
  EXPECT_EQ(path.Contents(), "abc");
}

TEST(FileStream, WrittenBytesReachTheFileAtFlushCloseAndDestruction) {
  TempPath path("flush");
  const std::string bytes = Pattern(200000);
  TQXTFStream s(kWrite | kShared, path.c_str());
  for (char c : bytes.substr(0, 1000)) s.PutByte(static_cast<unsigned char>(c));
  EXPECT_EQ(s.Tell(), 1000u);
  EXPECT_EQ(s.Size(), 1000u);
  s.Flush();
  EXPECT_EQ(path.Contents(), bytes.substr(0, 1000));

  s.Write(bytes.data() + 1000, 150000);  // larger than the buffer
  for (char c : bytes.substr(151000)) s.PutByte(static_cast<unsigned char>(c));
  EXPECT_EQ(s.Size(), 200000u);
  s.Close();
  EXPECT_EQ(path.Contents(), bytes);

  {
    TQXTFStream again(kRead | kWrite, path.c_str());
    ASSERT_TRUE(again.Seek(199998));
    again.WriteString("end");
    EXPECT_EQ(again.Size(), 200002u);
  }
  EXPECT_EQ(path.Contents(), bytes.substr(0, 199998) + "end\0"s);
  EXPECT_FALSE(TQXTFStream(kRead, path.c_str()).IsFailed());
}

TEST(FileStream, InterleavedReadsAndWritesActAtTheCallersPosition) {
  TempPath path("interleave");
  path.SetContents("abcdefgh");
  TQXTFStream s(kRead | kWrite | kShared, path.c_str());
  EXPECT_EQ(s.GetByte(), 'a');
  EXPECT_EQ(s.GetByte(), 'b');
  s.PutByte('X');  // overwrites c, although d.. were already read ahead
  EXPECT_EQ(s.Tell(), 3u);
  EXPECT_EQ(s.GetByte(), 'd');
  s.Write("YZ", 2);
  char rest[4] = {};
  EXPECT_EQ(s.Read(rest, 3), 2u);  // g h, then the end: a short count
  EXPECT_STREQ(rest, "gh");
  EXPECT_FALSE(s.IsFailed());
  EXPECT_TRUE(s.Seek(1));
  EXPECT_EQ(s.GetByte(), 'b');
  EXPECT_EQ(s.GetByte(), 'X');
  s.Flush();
  EXPECT_EQ(path.Contents(), "abXdYZgh");
  // Another reader sees what was written.
  TQXTFStream reader(kRead | kShared, path.c_str());
  char all[9];
  reader.ReadString(all, sizeof all);
  EXPECT_STREQ(all, "abXdYZgh");
}

TEST(FileStream, EndOfFileFailsByteReadsButNotBlockReads) {
  TempPath path("eof");
  path.SetContents("\x01\x02\x03"s);
  TQXTFStream s(kRead, path.c_str());
  char b[8];
  EXPECT_EQ(s.Read(b, 8), 3u);
  EXPECT_FALSE(s.IsFailed());
  EXPECT_EQ(s.Read(b, 8), 0u);
  EXPECT_FALSE(s.IsFailed());
  EXPECT_EQ(s.GetByte(), 0);
  EXPECT_TRUE(s.IsFailed());

  s.Rewind();
  EXPECT_EQ(s.ReadUInt16(), 0x0201);
  EXPECT_FALSE(s.IsFailed());
  EXPECT_EQ(s.ReadUInt16(), 0);  // one byte left: a truncated value fails
  EXPECT_TRUE(s.IsFailed());
  s.Rewind();
  EXPECT_EQ(s.ReadInt32(), 0);
  EXPECT_TRUE(s.IsFailed());
}

TEST(FileStream, ResetOnlyRewinds) {
  TempPath path("reset");
  TQXTFStream s(kWrite, path.c_str());
  s.WriteString("hello");
  s.SetFail();
  s.Reset();
  EXPECT_FALSE(s.IsFailed());
  EXPECT_EQ(s.Tell(), 0u);
  EXPECT_EQ(s.Size(), 6u);
  s.PutByte('J');
  s.Close();
  EXPECT_EQ(path.Contents(), "Jello\0"s);
}

TEST(FileStream, SeeksLandWhereAskedAndRelativeSeeksCanFail) {
  TempPath path("seek");
  path.SetContents("0123456789");
  TQXTFStream s(kRead | kWrite, path.c_str());
  EXPECT_TRUE(s.Seek(20));  // past the end: the pointer lands there, the size stays
  EXPECT_EQ(s.Tell(), 20u);
  EXPECT_EQ(s.Size(), 10u);
  s.GetByte();
  EXPECT_TRUE(s.IsFailed());
  s.Rewind();
  EXPECT_EQ(s.GetByte(), '0');
  EXPECT_TRUE(s.SeekRelative(4));
  EXPECT_EQ(s.GetByte(), '5');
  EXPECT_TRUE(s.SeekRelative(-2));
  EXPECT_EQ(s.Tell(), 4u);
  EXPECT_EQ(s.GetByte(), '4');
  EXPECT_FALSE(s.SeekRelative(-100));
  EXPECT_TRUE(s.IsFailed());
  EXPECT_EQ(s.Tell(), 5u);
  s.Rewind();
  ASSERT_TRUE(s.Seek(12));
  s.PutByte('!');  // the gap fills with zeros
  s.Close();
  EXPECT_EQ(path.Contents(), "0123456789\0\0!"s);
}

TEST(FileStream, LongMixedRunsMatchTheBytesOnDisk) {
  TempPath path("long");
  const std::string bytes = Pattern(300000);
  path.SetContents(bytes);
  TQXTFStream s(kRead, path.c_str());
  std::string back;
  for (size_t i = 0; i < 70000; ++i) back += static_cast<char>(s.GetByte());
  std::string block(100000, '\0');
  EXPECT_EQ(s.Read(&block[0], 100000), 100000u);
  back += block;
  EXPECT_EQ(s.Read(&block[0], 50), 50u);
  back += block.substr(0, 50);
  EXPECT_TRUE(s.Seek(250000));
  EXPECT_EQ(s.GetByte(), static_cast<unsigned char>(bytes[250000]));
  EXPECT_TRUE(s.Seek(170050));
  while (back.size() < bytes.size()) back += static_cast<char>(s.GetByte());
  EXPECT_FALSE(s.IsFailed());
  EXPECT_EQ(back, bytes);
}

TEST(FileStream, ClosedStreamsFail) {
  TQXTFStream s;
  s.PutByte(1);
  EXPECT_TRUE(s.IsFailed());
  s.Rewind();
  EXPECT_TRUE(s.IsFailed());  // Seek on no file
  char b[2];
  EXPECT_EQ(s.Read(b, 2), 0u);
  uint32_t stamp = 5;
  EXPECT_FALSE(s.GetDosDateTime(stamp));
  EXPECT_EQ(stamp, 0u);
}

// 2004-07-15 13:45:30 local time in DOS form.
constexpr uint32_t kStamp = (((2004 - 1980) << 9 | 7 << 5 | 15) << 16) | (13 << 11 | 45 << 5 | 15);

TEST(FileStream, DosDateTimeSurvivesPendingWritesAndClose) {
  TempPath path("stamp");
  {
    TQXTFStream s(kWrite, path.c_str());
    s.WriteString("data still in the buffer");
    EXPECT_TRUE(s.SetDosDateTime(kStamp));
  }
  TQXTFStream s(kRead | kShared, path.c_str());
  uint32_t stamp = 0;
  EXPECT_TRUE(s.GetDosDateTime(stamp));
  EXPECT_EQ(stamp, kStamp);
  EXPECT_EQ(path.Contents(), "data still in the buffer\0"s);
}

// Runs longer than the internal buffer, so every refill and every write of a full buffer is
// crossed, by bytes and by blocks, with a write landing right at a buffer edge.
TEST(FileStream, TrafficAcrossBufferEdges) {
  TempPath path("edges");
  const uint32_t n = 2 * TQXTFStream::kBufferSize + 123;
  const std::string bytes = Pattern(n);
  {
    TQXTFStream s(kWrite, path.c_str());
    for (char c : bytes) s.PutByte(static_cast<unsigned char>(c));
    EXPECT_EQ(s.Tell(), n);
    EXPECT_EQ(s.Size(), n);
  }
  ASSERT_EQ(path.Contents(), bytes);

  std::string expected = bytes;
  TQXTFStream s(kRead | kWrite | kShared, path.c_str());
  std::string back;
  for (uint32_t i = 0; i < TQXTFStream::kBufferSize + 10; ++i) back += static_cast<char>(s.GetByte());
  EXPECT_EQ(back, bytes.substr(0, back.size()));
  ASSERT_TRUE(s.Seek(TQXTFStream::kBufferSize - 2));
  std::string edge(4, '\0');
  EXPECT_EQ(s.Read(&edge[0], 4), 4u);
  EXPECT_EQ(edge, bytes.substr(TQXTFStream::kBufferSize - 2, 4));
  s.PutByte('!');  // at kBufferSize + 2, inside what was read ahead
  expected[TQXTFStream::kBufferSize + 2] = '!';
  EXPECT_EQ(s.GetByte(), static_cast<unsigned char>(bytes[TQXTFStream::kBufferSize + 3]));
  std::string rest(n, '\0');
  const uint32_t got = s.Read(&rest[0], n);
  EXPECT_EQ(got, n - (TQXTFStream::kBufferSize + 4));
  EXPECT_EQ(rest.substr(0, got), bytes.substr(TQXTFStream::kBufferSize + 4));
  EXPECT_FALSE(s.IsFailed());
  s.Flush();
  EXPECT_EQ(path.Contents(), expected);
}
