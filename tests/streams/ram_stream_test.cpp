// The storage classes without a file: the byte counter, the segment chain and the flat block.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"
#include "foundation/QXTSizerStream.h"
#include "tests/streams/StreamBytes.h"

#ifndef _WIN32
// Let the sanitizer's allocator answer an impossible request with null, as a heap does.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=2048"; }
extern "C" const char* __tsan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=2048"; }
#endif

TEST(SizerStream, MeasuresWithoutStoring) {
  TQXTSizerStream s;
  s.WriteString("abc");
  s.WriteInt32(5);
  EXPECT_EQ(s.Size(), 8u);
  EXPECT_EQ(s.Tell(), 8u);
  EXPECT_TRUE(s.Seek(2));
  s.PutByte(1);  // rewriting inside does not grow it
  EXPECT_EQ(s.Size(), 8u);
  EXPECT_EQ(s.GetByte(), 0);
  EXPECT_EQ(s.Tell(), 4u);
  EXPECT_FALSE(s.Seek(9));
  EXPECT_EQ(s.Tell(), 4u);
  EXPECT_FALSE(s.IsFailed());
  EXPECT_TRUE(s.Seek(8));
  s.GetByte();
  EXPECT_TRUE(s.IsFailed());
  s.Reset();
  EXPECT_EQ(s.Size(), 0u);
  EXPECT_FALSE(s.IsFailed());
}

TEST(SegRamStream, SpansSegmentsAndSeeksAnywhereUpToTheEnd) {
  TQXTSegRamStream s(1024);
  for (int i = 0; i < 3000; ++i) s.PutByte(static_cast<unsigned char>(i % 251));
  EXPECT_EQ(s.Size(), 3000u);
  EXPECT_TRUE(s.Seek(2500));
  EXPECT_EQ(s.GetByte(), 2500 % 251);
  for (uint32_t p : {0u, 1023u, 1024u, 1025u, 2048u, 2999u}) {
    ASSERT_TRUE(s.Seek(p));
    EXPECT_EQ(s.GetByte(), p % 251) << p;
  }
  EXPECT_FALSE(s.Seek(3001));
  EXPECT_FALSE(s.IsFailed());
  EXPECT_TRUE(s.Seek(3000));
  s.GetByte();
  EXPECT_TRUE(s.IsFailed());
}

TEST(SegRamStream, BlockAndByteOperationsAgreeAcrossSegmentEdges) {
  std::string bytes;
  for (int i = 0; i < 5000; ++i) bytes += static_cast<char>(i * 13);
  TQXTSegRamStream s(100);
  s.Write(bytes.data(), 1234);
  for (size_t i = 1234; i < bytes.size(); ++i) s.PutByte(static_cast<unsigned char>(bytes[i]));
  EXPECT_EQ(AllBytes(s), bytes);
  ASSERT_TRUE(s.Seek(200));  // an exact segment edge
  std::string part(350, '\0');
  EXPECT_EQ(s.Read(&part[0], 350), 350u);
  EXPECT_EQ(part, bytes.substr(200, 350));
  EXPECT_EQ(s.GetByte(), static_cast<unsigned char>(bytes[550]));
  // Past the end Read answers what there was and fails, like the byte loop.
  ASSERT_TRUE(s.Seek(4990));
  std::string tail(20, '\0');
  EXPECT_EQ(s.Read(&tail[0], 20), 10u);
  EXPECT_TRUE(s.IsFailed());
}

TEST(SegRamStream, RewritingAfterSeekKeepsTheChainAndResetEmpties) {
  TQXTSegRamStream s(4);
  s.WriteString("abcdefghij");  // 11 bytes, three segments
  ASSERT_TRUE(s.Seek(4));
  s.WriteString("XY");
  EXPECT_EQ(AllBytes(s), std::string("abcdXY\0hij\0", 11));
  s.Reset();
  EXPECT_EQ(s.Size(), 0u);
  EXPECT_EQ(s.Tell(), 0u);
  s.WriteString("12345678");
  EXPECT_EQ(AllBytes(s), std::string("12345678\0", 9));
}

TEST(SegRamStream, AZeroSegmentSizeStillStores) {
  TQXTSegRamStream s(0);
  s.WriteString("ab");
  EXPECT_EQ(AllBytes(s), std::string("ab\0", 3));
  EXPECT_FALSE(s.IsFailed());
}

TEST(FlatRamStream, AViewFailsPastItsCapacity) {
  std::vector<unsigned char> memory(4096);
  TQXTFlatRamStream s(memory.data(), 4096, 0);
  for (int i = 0; i < 4096; ++i) s.PutByte(static_cast<unsigned char>(i));
  EXPECT_FALSE(s.IsFailed());
  s.PutByte(1);
  EXPECT_TRUE(s.IsFailed());
  EXPECT_EQ(s.Size(), 4096u);
  EXPECT_EQ(memory[4095], 4095 % 256);
}

TEST(FlatRamStream, AReadViewHoldsItsPresetSize) {
  unsigned char memory[6] = {'a', 'b', 0, 'c', 0, 'z'};
  TQXTFlatRamStream s(memory, sizeof memory, 5);
  EXPECT_EQ(s.Size(), 5u);
  char text[8];
  s.ReadString(text, sizeof text);
  EXPECT_STREQ(text, "ab");
  EXPECT_TRUE(s.Seek(5));
  EXPECT_FALSE(s.Seek(6));
  s.GetByte();
  EXPECT_TRUE(s.IsFailed());
  // A size beyond the memory given would read past it: the view holds no more than its memory.
  TQXTFlatRamStream overstated(memory, 4, 10);
  EXPECT_EQ(overstated.Size(), 4u);
  char four[8];
  EXPECT_EQ(overstated.Read(four, 8), 4u);
}

TEST(FlatRamStream, AnOwnedBlockGrowsToTheStepThenByTheStep) {
  TQXTFlatRamStream s(100, 4096);
  std::string bytes;
  for (int i = 0; i < 9000; ++i) bytes += static_cast<char>(i % 253);
  s.Write(bytes.data(), 100);
  EXPECT_EQ(s.Size(), 100u);
  for (size_t i = 100; i < bytes.size(); ++i) s.PutByte(static_cast<unsigned char>(bytes[i]));
  EXPECT_FALSE(s.IsFailed());
  EXPECT_EQ(AllBytes(s), bytes);
  s.Reset();
  EXPECT_EQ(s.Size(), 0u);
}

TEST(FlatRamStream, WithoutAStepOrStorageWritesFail) {
  TQXTFlatRamStream fixed(32000, 0);
  std::string bytes(32000, 'x');
  fixed.Write(bytes.data(), 32000);
  EXPECT_FALSE(fixed.IsFailed());
  fixed.PutByte(1);
  EXPECT_TRUE(fixed.IsFailed());

  TQXTFlatRamStream none;
  none.PutByte(1);
  EXPECT_TRUE(none.IsFailed());
  EXPECT_EQ(none.Size(), 0u);
}

TEST(FlatRamStream, AFailedBlockAllocationFails) {
#if defined(_WIN64)
  GTEST_SKIP() << "a 64-bit process may well get a block of 4 GB; the 32-bit build checks this";
#endif
  // No heap gives a 32-bit program a block this large (natively, the sanitizer's cap refuses it).
  TQXTFlatRamStream s(0xFFFFFFF0u, 0);
  EXPECT_TRUE(s.IsFailed());
  s.Rewind();
  s.PutByte(1);
  EXPECT_TRUE(s.IsFailed());
}
