// Inserting at a tick and splitting a note there.
#include <cstddef>
#include <vector>

#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/TiedChain.h"

namespace {

// Items are split at the tick only when it lies this close after their start: eight quarters.
constexpr long kSplitReach = 1536;

}  // namespace

int TMusicStaff::SplitAtTick(int i, long startTick, long tick) {
  if (IsNearlyFull() || !IsInnerIndex(i)) return 0;
  TNotatedItem* item = items_[static_cast<std::size_t>(i)];
  const long total = item->GetDuration();
  const long before = tick - startTick;
  // Both parts must be worth a piece of their own, or the cut would lose time.
  if (!NtnCanSplit(item) || before < kNtnShortestPieceTicks || total - before < kNtnShortestPieceTicks) return 0;
  std::vector<TNotatedItem*> pieces;
  NtnAppendSplitChain(item, before, total, pieces);
  // Below the nearly-full count at least 101 slots are free, more than the longest chain takes
  // (an explicit rest of 32767 ticks makes 29 pieces).
  const int added = static_cast<int>(pieces.size()) - 1;
  TouchItems(i);
  items_.insert(items_.begin() + i + 1, pieces.begin() + 1, pieces.end());
  changed_ = true;
  return added;
}

namespace {

// The index at which the durations from index 1 reach the tick, splitting the item that holds it.
template <class Staff>
int IndexForTick(Staff& staff, long tick) {
  int i = 1;
  long sum = 0;
  while (i < staff.LastIndex() && sum < tick) {
    long d = staff.GetItem(i)->GetDuration();
    if (sum + d > tick && tick - sum <= kSplitReach && staff.SplitAtTick(i, sum, tick) > 0)
      d = staff.GetItem(i)->GetDuration();
    sum += d;
    ++i;
  }
  return i;
}

}  // namespace

bool TMusicStaff::InsertAtTick(TNotatedItem* item, long tick) {
  if (!item || FreeItemSlots() == 0) return false;
  return InsertItem(item, IndexForTick(*this, tick));
}

bool TMusicStaff::InsertAtTickNotify(TNotatedItem* item, long tick) {
  if (!item || FreeItemSlots() == 0) return false;
  return InsertNotify(item, IndexForTick(*this, tick));
}
