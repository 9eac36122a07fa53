// A cursor that also counts, for the items before it, the ticks, the bars and the lyric
// syllables: layout and editing seek by tick and by bar with it.
#pragma once
#include "QVKNTN/SimpleNtnIdx.h"

class TRelNtnIdx : public TSimpleNtnIdx {
public:
  TRelNtnIdx() = default;
  explicit TRelNtnIdx(TMusicStaff* staff) : TSimpleNtnIdx(staff) {}
  TRelNtnIdx(TMusicStaff* staff, int index);
  TRelNtnIdx(const TRelNtnIdx& other) = default;
  TRelNtnIdx& operator=(const TRelNtnIdx& other) = default;

  void Reset() override;
  TNotatedItem* SetIndex(int i) override;
  TNotatedItem* Next() override;
  TNotatedItem* Prev() override;

  // The first item whose start tick (bar count) is at least the target.
  TNotatedItem* SeekTick(long tick);
  TNotatedItem* SeekBar(int bar);

  // What an item adds to the running counts when a cursor passes it.
  static void CountsOf(const TNotatedItem* item, long& ticks, int& bars, int& syllables);

  long GetTick() const { return tick_; }
  int GetBarCount() const { return bars_; }
  int GetSyllableCount() const { return syllables_; }

private:
  // How much the item at the cursor adds to the running counts when passed.
  void Counts(long& ticks, int& bars, int& syllables) const;
  template <class Value> TNotatedItem* Seek(long target, Value value);

  long tick_ = 0;
  int bars_ = 0;
  int syllables_ = 0;
};
