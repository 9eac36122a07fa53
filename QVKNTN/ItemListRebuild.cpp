#include "QVKNTN/ItemListRebuild.h"

#include <utility>

namespace {
// Like the items themselves, a staff's list is changed on one thread at a time.
thread_local std::vector<TNotatedItem*> spare;
}  // namespace

TItemListRebuild::TItemListRebuild(std::vector<TNotatedItem*>& items, std::size_t room) {
  std::vector<TNotatedItem*> fresh;
  fresh.swap(spare);
  fresh.reserve(room);
  old_.swap(items);
  items.swap(fresh);
}

TItemListRebuild::~TItemListRebuild() {
  old_.clear();
  if (old_.capacity() > spare.capacity()) spare.swap(old_);
}
