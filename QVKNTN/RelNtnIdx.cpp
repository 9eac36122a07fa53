#include "QVKNTN/RelNtnIdx.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"

namespace {
// Small targets are reached faster from the start than by walking back from afar.
constexpr int kResetBelow = 5;
}  // namespace

TRelNtnIdx::TRelNtnIdx(TMusicStaff* staff, int index) : TSimpleNtnIdx(staff) { SetIndex(index); }

void TRelNtnIdx::Reset() {
  TSimpleNtnIdx::Reset();
  tick_ = 0;
  bars_ = 0;
  syllables_ = 0;
}

void TRelNtnIdx::CountsOf(const TNotatedItem* item, long& ticks, int& bars, int& syllables) {
  ticks = NtnDuration(item);
  bars = 0;
  syllables = 0;
  if (NtnType(item) == ntBarLine) {
    if (!NtnIsEmptyBar(item)) bars = 1;
  } else if (NtnAsSongNote(item) && NtnTakesSyllable(NtnAsSongNote(item))) {
    syllables = 1;
  }
}

void TRelNtnIdx::Counts(long& ticks, int& bars, int& syllables) const { CountsOf(item_, ticks, bars, syllables); }

TNotatedItem* TRelNtnIdx::Next() {
  long t;
  int b, s;
  Counts(t, b, s);
  tick_ += t;
  bars_ += b;
  syllables_ += s;
  return TSimpleNtnIdx::Next();
}

TNotatedItem* TRelNtnIdx::Prev() {
  TSimpleNtnIdx::Prev();
  long t;
  int b, s;
  Counts(t, b, s);
  tick_ -= t;
  bars_ -= b;
  syllables_ -= s;
  return item_;
}

TNotatedItem* TRelNtnIdx::SetIndex(int i) {
  if (!staff_) return TSimpleNtnIdx::SetIndex(i);
  if (i < kResetBelow) {
    Reset();
    if (i <= 0) return item_;
  }
  if (i > LastIndex()) i = LastIndex();
  while (index_ < i) Next();
  while (index_ > i) Prev();
  return item_;
}

template <class Value>
TNotatedItem* TRelNtnIdx::Seek(long target, Value value) {
  if (target <= 0 || !staff_) {
    Reset();
    return item_;
  }
  while (value() == target && CanStep(-1)) Prev();
  if (value() < target) {
    while (index_ < LastIndex() && value() < target) Next();
    return item_;
  }
  while (value() >= target) {
    if (!CanStep(-1)) {
      Reset();
      return item_;
    }
    Prev();
  }
  Next();
  return item_;
}

TNotatedItem* TRelNtnIdx::SeekTick(long tick) {
  return Seek(tick, [this] { return tick_; });
}

TNotatedItem* TRelNtnIdx::SeekBar(int bar) {
  return Seek(bar, [this] { return static_cast<long>(bars_); });
}
