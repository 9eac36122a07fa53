#include "QVKNTN/ItemPool.h"
#include <atomic>
#include <thread>
#include "QVKNTN/NtnPrecondition.h"

// Constant-initialised, with no destructor to run: items deleted during static destruction still
// find their pool.
constinit TItemBlockPool gItemPool;

#ifndef NDEBUG
namespace {
std::atomic<std::thread::id> poolOwner;
}

void ItemPoolCheckOwner() {
  const std::thread::id me = std::this_thread::get_id();
  std::thread::id owner;
  if (poolOwner.compare_exchange_strong(owner, me) || owner == me) return;
  NtnPreconditionFailed("items are made and freed on the thread that owns the item pool", __FILE__, __LINE__);
}
#endif

void TItemBlockPool::Release() {
  while (first_) {
    TChunk* next = first_->next;
    std::free(first_);
    first_ = next;
  }
  for (TFreeBlock*& head : free_) head = nullptr;
  current_ = nullptr;
  cursor_ = nullptr;
  left_ = 0;
  live_ = 0;
}

std::size_t TItemBlockPool::ChunkCount() const {
  std::size_t n = 0;
  for (const TChunk* c = first_; c; c = c->next) ++n;
  return n;
}

void TItemBlockPool::StartChunk(TChunk* chunk) {
  current_ = chunk;
  cursor_ = reinterpret_cast<unsigned char*>(chunk) + kChunkHeader;
  left_ = kChunkBytes - kChunkHeader;
}

void* TItemBlockPool::Carve(std::size_t bytes) {
  TChunk* next = current_ ? current_->next : first_;
  if (!next) {
    next = static_cast<TChunk*>(std::malloc(kChunkBytes));
    if (!next) return nullptr;
    next->next = nullptr;
    if (current_)
      current_->next = next;
    else
      first_ = next;
  }
  StartChunk(next);
  void* block = cursor_;
  cursor_ += bytes;
  left_ -= bytes;
  return block;
}

// Once every block is back (the last score closed), carving restarts at the first chunk: the
// next score's items then lie in file order in memory instead of along scattered free lists.
void TItemBlockPool::Rewind() {
  if (!first_) return;
  for (TFreeBlock*& head : free_) head = nullptr;
  StartChunk(first_);
}
