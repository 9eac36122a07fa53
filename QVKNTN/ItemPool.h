#pragma once
// Memory for staff items. A large score holds close to a million small items; the system heap
// takes a few hundred nanoseconds per block under Wine, which would make loading such a score
// ten times slower than reading and inflating its file. Items are therefore carved from large
// chunks in size classes and recycled through free lists. Freed memory stays in the pool for
// the next items. Sanitizer builds use the ordinary heap, so that every item stays checked.

#include <cstddef>

void* ItemPoolAllocate(std::size_t size);
void ItemPoolFree(void* block, std::size_t size);

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
