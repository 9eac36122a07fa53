// Lends a whole-staff rebuild (re-barring, consolidating notes, merging full-bar rests) the memory
// for its new item list and keeps the old list's memory for the next rebuild on the same thread.
#pragma once
#include <cstddef>
#include <vector>

class TNotatedItem;

// A large staff's list is close to 100 KB. Taken fresh from the system on every rebuild and handed
// back afterwards, memory of that size costs page faults that made the time per item of these
// operations grow with the staff.
class TItemListRebuild {
 public:
  // Moves the list out of `items` (see Old) and leaves `items` empty, with room for `room` entries.
  // Should that room not be had, std::bad_alloc leaves `items` as it was.
  TItemListRebuild(std::vector<TNotatedItem*>& items, std::size_t room);
  ~TItemListRebuild();
  TItemListRebuild(const TItemListRebuild&) = delete;
  TItemListRebuild& operator=(const TItemListRebuild&) = delete;

  // The list as it was; its pointers are the caller's to move or delete, never freed here.
  std::vector<TNotatedItem*>& Old() { return old_; }

 private:
  std::vector<TNotatedItem*> old_;
};
