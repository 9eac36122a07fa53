// The block pool behind the items: blocks never overlap, come back through their size class,
// large blocks go to the heap, and a pool whose blocks have all come back carves again from its
// first chunk instead of taking more memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include <thread>

#include "QVKNTN/ItemPool.h"
#include "QVKNTN/NtnPrecondition.h"

namespace {

// A pool of the test's own, giving its chunks back at the end.
struct TTestPool : TItemBlockPool {
  ~TTestPool() { Release(); }
};

struct TBlock {
  unsigned char* at;
  std::size_t size;
};

// Fills every block with its own pattern, so a block handed out twice shows up as a wrong byte.
void Stamp(const TBlock& b, unsigned char tag) { std::memset(b.at, tag, b.size); }
bool Intact(const TBlock& b, unsigned char tag) {
  for (std::size_t i = 0; i < b.size; ++i)
    if (b.at[i] != tag) return false;
  return true;
}

TEST(ItemBlockPool, BlocksOfMixedSizesNeverOverlapAndAreAligned) {
  TTestPool pool;
  std::vector<TBlock> blocks;
  const std::size_t sizes[] = {1, 7, 8, 9, 24, 40, 56, 64, 255, 256, 257, 1000};
  for (int round = 0; round < 8000; ++round) {
    const std::size_t size = sizes[round % (sizeof sizes / sizeof sizes[0])];
    auto* at = static_cast<unsigned char*>(pool.Allocate(size));
    ASSERT_NE(at, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(at) % TItemBlockPool::kAlign, 0u);
    blocks.push_back({at, size});
    Stamp(blocks.back(), static_cast<unsigned char>(round));
  }
  for (std::size_t i = 0; i < blocks.size(); ++i) EXPECT_TRUE(Intact(blocks[i], static_cast<unsigned char>(i))) << i;
  EXPECT_GT(pool.ChunkCount(), 1u);
  for (const TBlock& b : blocks) pool.Free(b.at, b.size);
  EXPECT_EQ(pool.LiveBlocks(), 0u);
}

TEST(ItemBlockPool, AFreedBlockServesTheNextRequestOfItsClassOnly) {
  TTestPool pool;
  void* keep = pool.Allocate(40);  // keeps the pool from emptying and rewinding
  void* a = pool.Allocate(40);
  pool.Free(a, 40);
  void* other = pool.Allocate(16);
  EXPECT_NE(other, a);
  EXPECT_EQ(pool.Allocate(33), a);  // 33 and 40 share the 40-byte class
  EXPECT_EQ(pool.LiveBlocks(), 3u);
  (void)keep;
}

TEST(ItemBlockPool, AnEmptiedPoolReusesItsChunksInOrder) {
  TTestPool pool;
  std::vector<void*> first;
  for (int i = 0; i < 20000; ++i) first.push_back(pool.Allocate(48));
  const std::size_t chunks = pool.ChunkCount();
  // Freed in file order, as a staff deletes its items.
  for (void* p : first) pool.Free(p, 48);
  std::vector<void*> second;
  for (int i = 0; i < 20000; ++i) second.push_back(pool.Allocate(48));
  EXPECT_EQ(pool.ChunkCount(), chunks);
  EXPECT_EQ(second, first);  // the same addresses, in the same ascending order
  // Not emptied: freed blocks are reused before any new carving.
  pool.Free(second[5], 48);
  EXPECT_EQ(pool.Allocate(48), second[5]);
  for (void* p : second) pool.Free(p, 48);
}

TEST(ItemBlockPool, LargeBlocksComeFromTheHeapAndDoNotCountAsPooled) {
  TTestPool pool;
  void* big = pool.Allocate(TItemBlockPool::kLargestClass + 1);
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(pool.LiveBlocks(), 0u);
  EXPECT_EQ(pool.ChunkCount(), 0u);
  pool.Free(big, TItemBlockPool::kLargestClass + 1);
  pool.Free(nullptr, 8);  // harmless
  EXPECT_EQ(pool.LiveBlocks(), 0u);
}

// The pool takes no lock: only the thread that owns it (the model's thread) may take or return
// blocks. Debug builds check it on every block, so a worker that made or freed an item fails at once.
TEST(ItemPoolOwner, AnotherThreadTakingOrReturningABlockIsAPreconditionFailure) {
#ifdef NDEBUG
  GTEST_SKIP() << "the owner check is part of debug builds";
#else
  void* mine = ItemPoolAllocate(16);
  ASSERT_NE(mine, nullptr);
  bool allocateRefused = false, freeRefused = false;
  std::thread worker([&] {
    try {
      ItemPoolFree(ItemPoolAllocate(16), 16);
    } catch (const TNtnPreconditionFailure&) {
      allocateRefused = true;
    }
    try {
      ItemPoolFree(mine, 16);
    } catch (const TNtnPreconditionFailure&) {
      freeRefused = true;
    }
  });
  worker.join();
  EXPECT_TRUE(allocateRefused);
  EXPECT_TRUE(freeRefused);
  ItemPoolFree(mine, 16);
#endif
}

}  // namespace
