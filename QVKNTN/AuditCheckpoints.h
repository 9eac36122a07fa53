// Saved audit cursors at bar lines of one staff, so that the audit of an edit starts near the edit
// instead of walking up from the top. A cursor saved at index c holds what items 0..c-1 made of
// the context, so it stays good until one of those items changes; the staff drops the stale ones.
#pragma once
#include <vector>

#include "QVKNTN/AuditNtnIdx.h"

class TAuditCheckpoints {
public:
  // One saved cursor at most in each stretch of this many items.
  static constexpr int kSpacing = 128;

  // Items from index first on changed (were inserted, removed or rewritten): every cursor saved
  // past first is dropped.
  void DropAfter(int first);
  void Clear();
  // Saves the cursor when its stretch holds none yet; the cursor must stand on a bar line whose
  // items before it are settled.
  void Offer(const TAuditNtnIdx& cursor);
  // Puts the cursor at the nearest saved place at or before target; false (cursor untouched)
  // when none is saved.
  bool RestoreBefore(TAuditNtnIdx& cursor, int target) const;
  // A walk marks where it starts; an item behind the walking cursor that changes afterwards (the
  // audit rewrites a few it has passed) leaves the cursor's state stale from then on, and it
  // offers nothing more.
  void MarkWalk() { lowestChange_ = kNone; }
  bool ChangedBehind(int index) const { return lowestChange_ < index; }
  // The highest saved index, -1 when none: changes above it drop nothing.
  int Highest() const { return highest_; }
  int Count() const;
  // The saved cursor of stretch s, or null; tests compare them with fresh walks.
  const TAuditNtnIdx* Saved(int stretch) const;
  int Stretches() const { return static_cast<int>(slots_.size()); }

private:
  struct TSlot {
    bool valid = false;
    TAuditNtnIdx cursor;
  };
  void FindHighest();

  static constexpr int kNone = 1 << 30;
  std::vector<TSlot> slots_;
  int highest_ = -1;
  int lowestChange_ = kNone;
};
