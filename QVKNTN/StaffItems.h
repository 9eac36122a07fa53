// A read-only view of a staff's item array, index 0 being the leading bar-line sentinel: what an
// item needs to find the target of a repeat or a jump without depending on the staff class.
#pragma once

class TNotatedItem;

struct TStaffItems {
  TNotatedItem* const* items = nullptr;
  int count = 0;

  TNotatedItem* At(int i) const { return (i >= 0 && i < count) ? items[i] : nullptr; }
  int LastIndex() const { return count - 1; }
};
