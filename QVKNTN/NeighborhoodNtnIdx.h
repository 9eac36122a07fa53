// A cursor that knows, for each kind of item that governs its neighbours, the index of the last
// one before it: the bar, clef, key, time signature, dynamics, tempo and the last two song notes.
#pragma once
#include "QVKNTN/SimpleNtnIdx.h"

class TNeighborhoodNtnIdx : public TSimpleNtnIdx {
public:
  // The kinds tracked; each slot holds the index of the last such item before the cursor (0: none).
  enum Slot {
    kLastBar, kLastClef, kLastKey, kLastTimeSig, kLastDynamic, kLastDynamicVariance, kLastTempo,
    kLastGradualTempoVariance, kLastRest, kLastNote, kBeforeLastNote, kSlotCount
  };

  TNeighborhoodNtnIdx() = default;
  explicit TNeighborhoodNtnIdx(TMusicStaff* staff) : TSimpleNtnIdx(staff) {}
  TNeighborhoodNtnIdx(TMusicStaff* staff, int index);
  TNeighborhoodNtnIdx(const TNeighborhoodNtnIdx& other) = default;
  TNeighborhoodNtnIdx& operator=(const TNeighborhoodNtnIdx& other) = default;

  void Reset() override;
  TNotatedItem* SetIndex(int i) override;
  TNotatedItem* Next() override;
  TNotatedItem* Prev() override;
  void GetTimeSig(int& beats, int& beatValue) const override;

  int GetLast(Slot slot) const { return last_[slot]; }

protected:
  // Plain forward walk to i from the current place, resetting first for small or earlier targets
  // when the caller cannot step back.
  void WalkTo(int i, bool canStepBack);

private:
  // The slot that an item of this kind updates, or -1.
  static int SlotOf(const TNotatedItem* item);
  static int SlotOfType(const TNotatedItem* item, int type);
  // The index of the previous item before i that fills the same slot, 0 when none.
  int FindPrevious(int slot, int i) const;

  int last_[kSlotCount] = {};
};
