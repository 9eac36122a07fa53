#pragma once
// Memory for staff items. A large score holds close to a million small items; the system heap
// takes a few hundred nanoseconds per block under Wine, which would make loading such a score
// ten times slower than reading and inflating its file. Items are therefore carved from large
// chunks in size classes and recycled through free lists. Freed memory stays in the pool for
// the next items. Sanitizer builds use the ordinary heap, so that every item stays checked.
// Like the score model it serves, the pool belongs to the user-interface thread: nothing in it
// is locked (an uncontended lock per item cost a tenth of a large score's load time). The score
// reader's audit worker (TStaffAuditQueue) takes nothing from it: an audit changes items in place.
// Debug builds check that rule on every block (ItemPoolAllocate, ItemPoolFree), sanitizer builds
// included: they use the heap, so no tool would see a breach otherwise.

#include <cstddef>
#include <cstdlib>
#include <new>


// The pool behind those two: blocks of up to kLargestClass bytes carved from chunks, larger ones
// from the heap. Once every block has come back, carving restarts at the first chunk, so the next
// score's items lie in file order in memory instead of along scattered free lists.
//
// The pool keeps cache lines of its own: the reader writes its counters for every item while the
// audit worker writes items and counters elsewhere, and a shared line would bounce between them.
class alignas(64) TItemBlockPool {
 public:
  static constexpr std::size_t kAlign = 8;
  static constexpr std::size_t kLargestClass = 256;
  // A little under 256 KB: a chunk that large is mapped apart by the heap, and with the heap's own
  // header a chunk of exactly 256 KB took one page more.
  static constexpr std::size_t kChunkBytes = 256 * 1024 - 64;

  constexpr TItemBlockPool() = default;
  TItemBlockPool(const TItemBlockPool&) = delete;
  TItemBlockPool& operator=(const TItemBlockPool&) = delete;
  // Gives the chunks back; the process-wide pool is never destroyed (items may outlive any
  // static destructor).
  void Release();

  // Null when the heap refuses a chunk or a large block. The common cases (a recycled block, room
  // left in the current chunk) are inline: a large score makes over a million of them.
  void* Allocate(std::size_t size) {
    if (size == 0) size = 1;
    if (size > kLargestClass) return std::malloc(size);
    const std::size_t c = (size - 1) / kAlign;
    const std::size_t bytes = (c + 1) * kAlign;
    void* block;
    if (TFreeBlock* head = free_[c]) {
      free_[c] = head->next;
      block = head;
    } else if (left_ >= bytes) {
      block = cursor_;
      cursor_ += bytes;
      left_ -= bytes;
    } else {
      block = Carve(bytes);
      if (!block) return nullptr;
    }
    ++live_;
    return block;
  }
  void Free(void* block, std::size_t size) {
    if (!block) return;
    if (size == 0) size = 1;
    if (size > kLargestClass) {
      std::free(block);
      return;
    }
    auto* freed = static_cast<TFreeBlock*>(block);
    const std::size_t c = (size - 1) / kAlign;
    freed->next = free_[c];
    free_[c] = freed;
    if (--live_ == 0) Rewind();
  }
  std::size_t LiveBlocks() const { return live_; }
  std::size_t ChunkCount() const;

 private:
  struct TFreeBlock {
    TFreeBlock* next;
  };
  // Chunks are kept once taken, chained through their first bytes.
  struct TChunk {
    TChunk* next;
  };
  static constexpr std::size_t kClasses = kLargestClass / kAlign;
  static constexpr std::size_t kChunkHeader = (sizeof(TChunk) + kAlign - 1) / kAlign * kAlign;

  void* Carve(std::size_t bytes);
  void StartChunk(TChunk* chunk);
  void Rewind();

  TFreeBlock* free_[kClasses] = {};
  TChunk* first_ = nullptr;
  TChunk* current_ = nullptr;
  unsigned char* cursor_ = nullptr;
  std::size_t left_ = 0;
  std::size_t live_ = 0;
};

// Sanitizer builds use the ordinary heap, so that every item stays checked.
#if defined(__SANITIZE_ADDRESS__)
#define VC_ITEM_POOL_USES_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VC_ITEM_POOL_USES_HEAP 1
#endif
#endif

extern TItemBlockPool gItemPool;

#ifndef NDEBUG
// Raises TNtnPreconditionFailure unless the calling thread owns the pool: the first thread that
// takes or returns a block.
void ItemPoolCheckOwner();
#endif

inline void* ItemPoolAllocate(std::size_t size) {
#ifndef NDEBUG
  ItemPoolCheckOwner();
#endif
#ifdef VC_ITEM_POOL_USES_HEAP
  void* block = std::malloc(size == 0 ? 1 : size);
#else
  void* block = gItemPool.Allocate(size);
#endif
  if (!block) throw std::bad_alloc();
  return block;
}

inline void ItemPoolFree(void* block, std::size_t size) {
#ifndef NDEBUG
  ItemPoolCheckOwner();
#endif
#ifdef VC_ITEM_POOL_USES_HEAP
  (void)size;
  std::free(block);
#else
  gItemPool.Free(block, size);
#endif
}

// A standard allocator over the pool, for the small arrays items own (a chord's notes).
template <class T>
struct TItemPoolAllocator {
  using value_type = T;
  TItemPoolAllocator() = default;
  template <class U>
  TItemPoolAllocator(const TItemPoolAllocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(ItemPoolAllocate(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) { ItemPoolFree(p, n * sizeof(T)); }
  template <class U>
  bool operator==(const TItemPoolAllocator<U>&) const { return true; }
};
