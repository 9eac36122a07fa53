#include "QVKNTN/NeighborhoodNtnIdx.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"

namespace {
constexpr int kResetBelow = 2;
}  // namespace

TNeighborhoodNtnIdx::TNeighborhoodNtnIdx(TMusicStaff* staff, int index) : TSimpleNtnIdx(staff) {
  SetIndex(index);
}

void TNeighborhoodNtnIdx::Reset() {
  TSimpleNtnIdx::Reset();
  for (int& slot : last_) slot = 0;
}

int TNeighborhoodNtnIdx::SlotOf(const TNotatedItem* item) { return item ? SlotOfType(item, item->GetType()) : -1; }

int TNeighborhoodNtnIdx::SlotOfType(const TNotatedItem* item, int type) {
  switch (type) {
    case ntBarLine: return kLastBar;
    case ntClef: return kLastClef;
    case ntKey: return kLastKey;
    case ntTimeSignature: return kLastTimeSig;
    case ntDynamicLevel: return kLastDynamic;
    case ntDynamicVariance: return kLastDynamicVariance;
    case ntTempo: return kLastTempo;
    // The earlier line records every tempo variance there, breath marks and fermatas included.
    case ntTempoVariance:
      return (kEarlierLine || NtnIsGradualTempoVariance(item)) ? kLastGradualTempoVariance : -1;
    case ntRest: return kLastRest;
    default: return -1;
  }
}

int TNeighborhoodNtnIdx::FindPrevious(int slot, int i) const {
  for (int j = i - 1; j > 0; --j) {
    CountStep();
    const TNotatedItem* item = staff_->GetItem(j);
    if (slot == kLastNote ? NtnAsSongNote(item) != nullptr : SlotOf(item) == slot) return j;
  }
  // Index 0 is the leading sentinel bar line; the slots keep 0 for "none" there as well.
  return 0;
}

TNotatedItem* TNeighborhoodNtnIdx::Next() {
  const int type = NtnType(item_);
  if (NtnIsSongNoteType(type)) {
    last_[kBeforeLastNote] = last_[kLastNote];
    last_[kLastNote] = index_;
  }
  const int slot = SlotOfType(item_, type);
  if (slot >= 0) last_[slot] = index_;
  return TSimpleNtnIdx::Next();
}

TNotatedItem* TNeighborhoodNtnIdx::Prev() {
  TSimpleNtnIdx::Prev();
  if (NtnAsSongNote(item_)) {
    last_[kLastNote] = last_[kBeforeLastNote];
    last_[kBeforeLastNote] = last_[kLastNote] > 0 ? FindPrevious(kLastNote, last_[kLastNote]) : 0;
  }
  const int slot = SlotOf(item_);
  if (slot >= 0) last_[slot] = FindPrevious(slot, index_);
  return item_;
}

void TNeighborhoodNtnIdx::WalkTo(int i, bool canStepBack) {
  if (i > LastIndex()) i = LastIndex();
  if (i < kResetBelow || (!canStepBack && i < index_)) {
    Reset();
    if (i <= 0) return;
  }
  while (index_ < i) Next();
  while (index_ > i) Prev();
}

TNotatedItem* TNeighborhoodNtnIdx::SetIndex(int i) {
  if (!staff_) return TSimpleNtnIdx::SetIndex(i);
  WalkTo(i, true);
  return item_;
}

void TNeighborhoodNtnIdx::GetTimeSig(int& beats, int& beatValue) const {
  const TNotatedItem* sig = staff_ && last_[kLastTimeSig] > 0 ? staff_->GetItem(last_[kLastTimeSig]) : nullptr;
  if (!sig) {
    beats = 4;
    beatValue = 2;
    return;
  }
  NtnTimeSigOf(sig, beats, beatValue);
}
