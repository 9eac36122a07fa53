#include "QVKNTN/ItemPool.h"

// Constant-initialised, with no destructor to run: items deleted during static destruction still
// find their pool.
constinit TItemBlockPool gItemPool;

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
