// A heap that refuses: segment, copy-buffer and global-block allocations must fail the stream
// and keep what it already holds. The heap and global-memory seams are replaced here at link
// time by versions a test can switch to refusing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTGlobalBlock.h"
#include "foundation/QXTHeap.h"
#include "foundation/QXTSegRamStream.h"
#include "tests/streams/StreamBytes.h"

namespace {
int heapGrants = -1;    // allocations still granted; -1 grants all
bool globalRefuses = false;

bool Grant() {
  if (heapGrants < 0) return true;
  if (heapGrants == 0) return false;
  --heapGrants;
  return true;
}

struct HeapScope {
  explicit HeapScope(int grants) { heapGrants = grants; }
  ~HeapScope() { heapGrants = -1; }
};
}  // namespace

void* QXTHeapAlloc(uint32_t bytes) { return Grant() ? std::malloc(bytes == 0 ? 1 : bytes) : nullptr; }
void QXTHeapFree(void* block) { std::free(block); }

bool QXTGlobalAllocLocked(TQXTGlobalBlock& block, uint32_t size) {
  block = TQXTGlobalBlock();
  if (globalRefuses) return false;
  block.handle = block.data = static_cast<unsigned char*>(std::malloc(size == 0 ? 1 : size));
  return block.handle != nullptr;
}
bool QXTGlobalReAllocLocked(TQXTGlobalBlock& block, uint32_t size) {
  if (globalRefuses) return false;
  void* moved = std::realloc(block.handle, size);
  if (moved == nullptr) return false;
  block.handle = block.data = static_cast<unsigned char*>(moved);
  return true;
}
void QXTGlobalFree(TQXTGlobalBlock& block) {
  std::free(block.handle);
  block = TQXTGlobalBlock();
}

TEST(AllocationFailure, NoFirstSegment) {
  HeapScope refuse(0);
  TQXTSegRamStream s(16);
  EXPECT_TRUE(s.IsFailed());
  s.Rewind();
  s.PutByte(1);
  EXPECT_TRUE(s.IsFailed());
  EXPECT_EQ(s.Size(), 0u);
  heapGrants = -1;  // the heap recovers: the stream tries again
  s.Rewind();
  s.WriteString("ok");
  EXPECT_FALSE(s.IsFailed());
  EXPECT_EQ(AllBytes(s), std::string("ok\0", 3));
}

TEST(AllocationFailure, NoFurtherSegment) {
  HeapScope grantOne(1);
  TQXTSegRamStream s(4);
  s.Write("abcdef", 6);
  EXPECT_TRUE(s.IsFailed());
  EXPECT_EQ(s.Size(), 4u);
  s.Rewind();
  s.PutByte('x');  // rewriting the segment it has still works
  EXPECT_FALSE(s.IsFailed());
  for (int i = 0; i < 4; ++i) s.PutByte('y');
  EXPECT_TRUE(s.IsFailed());
  EXPECT_EQ(AllBytes(s), "xyyy");
}

TEST(AllocationFailure, NoCopyBuffer) {
  TQXTSegRamStream source(64);
  source.WriteString("payload");
  TQXTSegRamStream target(64);
  HeapScope refuse(0);
  target.CopyFrom(source);
  EXPECT_TRUE(target.IsFailed());
  target.Rewind();
  EXPECT_EQ(target.CopyBytesFrom(source, 3), 0u);
  EXPECT_TRUE(target.IsFailed());
  EXPECT_EQ(target.Size(), 0u);
}

TEST(AllocationFailure, NoGlobalBlockOrNoGrowth) {
  globalRefuses = true;
  {
    TQXTFlatRamStream s(100, 4096);
    EXPECT_TRUE(s.IsFailed());
    s.Rewind();
    s.PutByte(1);
    EXPECT_TRUE(s.IsFailed());
  }
  globalRefuses = false;
  TQXTFlatRamStream s(4, 4);
  s.Write("abcd", 4);
  EXPECT_FALSE(s.IsFailed());
  globalRefuses = true;
  s.PutByte('e');
  EXPECT_TRUE(s.IsFailed());
  globalRefuses = false;
  EXPECT_EQ(AllBytes(s), "abcd");
}
