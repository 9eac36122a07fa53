#include "QVKNTN/ItemPool.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUseHeap = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUseHeap = true;
#else
constexpr bool kUseHeap = false;
#endif
#else
constexpr bool kUseHeap = false;
#endif

// Blocks are multiples of the alignment up to the largest class; bigger ones go to the heap.
constexpr std::size_t kAlign = 8;
constexpr std::size_t kLargestClass = 256;
constexpr std::size_t kClasses = kLargestClass / kAlign;
constexpr std::size_t kChunkBytes = 256 * 1024;

struct TFreeBlock {
  TFreeBlock* next;
};

struct TPool {
  TFreeBlock* free[kClasses] = {};
  unsigned char* chunk = nullptr;
  std::size_t chunkLeft = 0;
  std::atomic_flag busy = ATOMIC_FLAG_INIT;
};

TPool gPool;

// Items are made and deleted on the user-interface thread; the lock only keeps a stray second
// thread from corrupting the lists.
class TPoolLock {
public:
  TPoolLock() {
    while (gPool.busy.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~TPoolLock() { gPool.busy.clear(std::memory_order_release); }
};

std::size_t ClassOf(std::size_t size) { return (size + kAlign - 1) / kAlign - 1; }

void* Carve(std::size_t bytes) {
  if (gPool.chunkLeft < bytes) {
    gPool.chunk = static_cast<unsigned char*>(std::malloc(kChunkBytes));
    if (!gPool.chunk) {
      gPool.chunkLeft = 0;
      return nullptr;
    }
    gPool.chunkLeft = kChunkBytes;
  }
  void* block = gPool.chunk;
  gPool.chunk += bytes;
  gPool.chunkLeft -= bytes;
  return block;
}

}  // namespace

void* ItemPoolAllocate(std::size_t size) {
  if (size == 0) size = 1;
  if (kUseHeap || size > kLargestClass) {
    void* block = std::malloc(size);
    if (!block) throw std::bad_alloc();
    return block;
  }
  const std::size_t c = ClassOf(size);
  void* block;
  {
    TPoolLock lock;
    TFreeBlock* head = gPool.free[c];
    if (head) {
      gPool.free[c] = head->next;
      block = head;
    } else {
      block = Carve((c + 1) * kAlign);
    }
  }
  if (!block) throw std::bad_alloc();
  return block;
}

void ItemPoolFree(void* block, std::size_t size) {
  if (!block) return;
  if (size == 0) size = 1;
  if (kUseHeap || size > kLargestClass) {
    std::free(block);
    return;
  }
  const std::size_t c = ClassOf(size);
  TPoolLock lock;
  auto* freed = static_cast<TFreeBlock*>(block);
  freed->next = gPool.free[c];
  gPool.free[c] = freed;
}
