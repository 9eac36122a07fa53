#include "QVKNTN/ChordHeads.h"
#include <algorithm>
#include <cstring>
#include "QVKNTN/ItemPool.h"

namespace {
constexpr std::size_t kFirstRoom = 4;
}

TChordHeads::~TChordHeads() {
  if (heads_) ItemPoolFree(heads_, capacity_ * sizeof(TMusicNote*));
}

// Moves the heads into room for at least `least`; the old array goes back to the pool.
bool TChordHeads::Grow(std::size_t least) {
  if (least > kMostHeads) return false;
  if (least <= capacity_) return true;
  const std::size_t room = std::min(kMostHeads, std::max(least, std::max<std::size_t>(kFirstRoom, 2u * capacity_)));
  auto* bigger = static_cast<TMusicNote**>(ItemPoolAllocate(room * sizeof(TMusicNote*)));
  if (size_) std::memcpy(bigger, heads_, size_ * sizeof(TMusicNote*));
  if (heads_) ItemPoolFree(heads_, capacity_ * sizeof(TMusicNote*));
  heads_ = bigger;
  capacity_ = uint16_t(room);
  return true;
}

bool TChordHeads::insert(iterator at, TMusicNote* head) {
  const std::size_t i = std::size_t(at - heads_);
  if (!Grow(std::size_t(size_) + 1)) return false;
  std::memmove(heads_ + i + 1, heads_ + i, (size_ - i) * sizeof(TMusicNote*));
  heads_[i] = head;
  ++size_;
  return true;
}

void TChordHeads::erase(iterator at) {
  const std::size_t i = std::size_t(at - heads_);
  std::memmove(heads_ + i, heads_ + i + 1, (size_ - i - 1) * sizeof(TMusicNote*));
  --size_;
}

// Exactly the room asked for while the array is empty: a stored chord says how many heads follow.
void TChordHeads::reserve(std::size_t n) {
  if (n <= capacity_ || n > kMostHeads) return;
  if (size_ == 0 && heads_) {
    ItemPoolFree(heads_, capacity_ * sizeof(TMusicNote*));
    heads_ = nullptr;
    capacity_ = 0;
  }
  if (size_ == 0) {
    heads_ = static_cast<TMusicNote**>(ItemPoolAllocate(n * sizeof(TMusicNote*)));
    capacity_ = uint16_t(n);
    return;
  }
  Grow(n);
}

bool TChordHeads::assign(const_iterator first, const_iterator last) {
  const std::size_t n = std::size_t(last - first);
  if (!Grow(n)) return false;
  if (n) std::memmove(heads_, first, n * sizeof(TMusicNote*));
  size_ = uint16_t(n);
  return true;
}
