// Re-barring: bar lines where the durations fill a bar, notes split across them, unfinished
// bar lines removed and the last bar padded with rests. The list is rebuilt in one pass.
#include <algorithm>
#include <deque>
#include <vector>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ItemListRebuild.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffRange.h"
#include "QVKNTN/TiedChain.h"
#include "QVKNTN/TimeSignatureData.h"

namespace {

constexpr long kCommonTimeBar = 768;

// The walk over the old list: split-off pieces come first, then the rest of the old items.
class TRebarInput {
 public:
  explicit TRebarInput(std::vector<TNotatedItem*>& items) : items_(items) {}
  TNotatedItem* Peek() const {
    if (!pending_.empty()) return pending_.front();
    return next_ < items_.size() ? items_[next_] : nullptr;
  }
  TNotatedItem* Take() {
    TNotatedItem* item = Peek();
    if (!pending_.empty()) pending_.pop_front();
    else ++next_;
    return item;
  }
  // Puts items back in front, in their order.
  void PushFront(const std::vector<TNotatedItem*>& items) { pending_.insert(pending_.begin(), items.begin(), items.end()); }
  void PushFront(TNotatedItem* item) { pending_.push_front(item); }
  size_t Remaining() const { return pending_.size() + (items_.size() - next_); }
  // Only the trailing sentinel is left.
  bool AtSentinel() const { return pending_.empty() && next_ + 1 == items_.size(); }
  void MoveRestTo(std::vector<TNotatedItem*>& out) {
    while (Peek()) out.push_back(Take());
  }

 private:
  std::vector<TNotatedItem*>& items_;
  std::deque<TNotatedItem*> pending_;
  size_t next_ = 1;  // the leading sentinel is written by the caller
};

bool IsCrossingStopper(const TNotatedItem* item) {
  const TSongNote* note = NtnAsSongNote(item);
  return NtnGroupState(note, kNtnGroupTriplet) != 0 || NtnType(item) == ntRestChord || NtnHasSplitStems(note);
}

}  // namespace

void TMusicStaff::Rebar() {
  TouchItems(0);
  ResolveAccidentals(true);
  // Bar lines and split pieces can as much as double a staff, up to where the walk stops.
  const size_t before = items_.size();
  const size_t room = std::max(before + before / 4, std::min(2 * before, size_t(kMaxItems))) + 16;
  TItemListRebuild rebuild(items_, room);
  std::vector<TNotatedItem*>& old = rebuild.Old();
  items_.push_back(old.front());
  TRebarInput in(old);

  long sum = 0, barStart = 0, barLength = kCommonTimeBar, barEnd = kCommonTimeBar;
  const auto nearlyFull = [&] { return items_.size() + in.Remaining() > size_t(kNearlyFullCount); };
  while (in.Peek()) {
    if (nearlyFull()) break;
    TNotatedItem* item = in.Peek();
    const int type = item->GetType();
    const long duration = item->GetDuration();
    // A bar of no length (a signature of 0 beats) never fills: no bar lines are made for it.
    const bool metred = barLength > 0;
    if (metred && sum >= barEnd && (type == ntSpecialEnding || item->IsSongNote())) {
      in.PushFront(new TBarLineData(TBarLineData::blSingle, 1));
      continue;
    }
    if (metred && item->IsSongNote() && sum < barEnd && sum + duration > barEnd) {
      if (IsCrossingStopper(item)) break;
      const long before = barEnd - sum;
      if (NtnCanSplit(item) && before >= kNtnShortestPieceTicks && duration - before >= kNtnShortestPieceTicks) {
        in.Take();
        std::vector<TNotatedItem*> pieces;
        NtnAppendSplitChain(item, before, duration, pieces);
        in.PushFront(pieces);
        // A piece that still runs past the bar end would be split again and again.
        if (pieces.front()->GetDuration() > before) break;
        continue;
      }
    }
    if (type == ntTimeSignature) {
      barLength = static_cast<const TTimeSignatureData*>(item)->GetBarTicks();
      barEnd = sum == barStart ? sum + barLength : sum;
    }
    if (type == ntBarLine) {
      if (in.AtSentinel()) {
        // Pad the last bar, when it has begun, with rests up to its end.
        while (metred && sum > barStart && barEnd - sum >= kNtnShortestPieceTicks && !nearlyFull()) {
          auto* rest = new TRestNote;
          NtnSetDurationFromTicks(rest, int(barEnd - sum));
          items_.push_back(rest);
          sum += rest->GetDuration();
        }
        items_.push_back(in.Take());
        break;
      }
      const bool full = sum >= barEnd;
      if (!full && NtnBarStyle(item) == TBarLineData::blSingle) {
        delete in.Take();
        continue;
      }
      barStart = sum;
      barEnd = sum + barLength;
    }
    items_.push_back(in.Take());
    sum += duration;
  }
  in.MoveRestTo(items_);
  changed_ = true;
  RunStaffAudit(this, -1, -1);
  ResolveAccidentals(false);
}
