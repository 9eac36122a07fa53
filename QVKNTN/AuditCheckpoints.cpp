#include "QVKNTN/AuditCheckpoints.h"

#include <algorithm>

void TAuditCheckpoints::DropAfter(int first) {
  if (first < lowestChange_) lowestChange_ = first;
  if (first >= highest_) return;
  const int from = first < 0 ? 0 : first / kSpacing;
  for (int s = from; s < Stretches(); ++s) {
    TSlot& slot = slots_[static_cast<size_t>(s)];
    if (slot.valid && slot.cursor.GetIndex() > first) slot.valid = false;
  }
  FindHighest();
}

void TAuditCheckpoints::Clear() {
  for (TSlot& slot : slots_) slot.valid = false;
  highest_ = -1;
}

void TAuditCheckpoints::FindHighest() {
  highest_ = -1;
  for (int s = Stretches() - 1; s >= 0 && highest_ < 0; --s) {
    const TSlot& slot = slots_[static_cast<size_t>(s)];
    if (slot.valid) highest_ = slot.cursor.GetIndex();
  }
}

void TAuditCheckpoints::Offer(const TAuditNtnIdx& cursor) {
  const int index = cursor.GetIndex();
  // The top of the staff is as quick to reach from a reset.
  if (index < kSpacing) return;
  const size_t s = static_cast<size_t>(index / kSpacing);
  if (s >= slots_.size()) slots_.resize(s + 1);
  TSlot& slot = slots_[s];
  if (slot.valid) return;
  slot.cursor = cursor;
  slot.valid = true;
  if (index > highest_) highest_ = index;
}

bool TAuditCheckpoints::RestoreBefore(TAuditNtnIdx& cursor, int target) const {
  if (target < 0 || highest_ < 0) return false;
  const int top = std::min(target / kSpacing, Stretches() - 1);
  for (int s = top; s >= 0; --s) {
    const TSlot& slot = slots_[static_cast<size_t>(s)];
    if (!slot.valid || slot.cursor.GetIndex() > target) continue;
    cursor.RestoreFrom(slot.cursor);
    return true;
  }
  return false;
}

int TAuditCheckpoints::Count() const {
  int n = 0;
  for (const TSlot& slot : slots_) n += slot.valid ? 1 : 0;
  return n;
}

const TAuditNtnIdx* TAuditCheckpoints::Saved(int stretch) const {
  if (stretch < 0 || stretch >= Stretches()) return nullptr;
  const TSlot& slot = slots_[static_cast<size_t>(stretch)];
  return slot.valid ? &slot.cursor : nullptr;
}
