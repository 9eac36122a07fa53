// The clean-ups after reading a Standard MIDI File: redundant signatures and marks, notes cut
// into tied pieces by the reader, and bars of rests. Each rebuilds the item list in one pass.
#include <vector>

#include "QVKNTN/ItemListRebuild.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnHelpers.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/StaffRange.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TiedChain.h"
#include "QVKNTN/TimeSignatureData.h"

namespace {

constexpr long kCommonTimeBar = 768;

// Keeps only the later of two neighbours that `same` pairs; the leading sentinel always stays.
// The list only shrinks, so it is compacted where it stands.
template <class Same>
void DropEarlierTwins(std::vector<TNotatedItem*>& items, Same same) {
  size_t kept = 1;
  for (size_t k = 1; k < items.size(); ++k) {
    TNotatedItem* item = items[k];
    if (kept > 1 && same(items[kept - 1], item)) {
      delete items[kept - 1];
      items[kept - 1] = item;
      continue;
    }
    items[kept++] = item;
  }
  items.resize(kept);
}

bool SameHead(const TMusicNote* a, const TMusicNote* b) {
  return a && b && a->GetPosition() == b->GetPosition() && a->GetAccidental() == b->GetAccidental();
}

bool AllTiedOn(const TNotatedItem* item) {
  const int heads = NtnHeadCount(item);
  for (int h = 0; h < heads; ++h)
    if (!NtnHasAttr(NtnHead(item, h), naTieOut)) return false;
  return heads > 0;
}

// Whether `next` carries on the run that `prev` (of the same kind as the run's first) ends.
bool ContinuesRun(const TNotatedItem* prev, const TNotatedItem* next) {
  if (!NtnCanSplit(next) || NtnType(prev) != NtnType(next)) return false;
  if (NtnType(next) == ntRest) return true;
  if (!AllTiedOn(prev) || NtnHeadCount(prev) != NtnHeadCount(next)) return false;
  for (int h = 0; h < NtnHeadCount(next); ++h)
    if (!SameHead(NtnHead(prev, h), NtnHead(next, h))) return false;
  return true;
}

// The item takes the tie-onward state of the run's last member, head by head.
void TakeTiesFrom(TNotatedItem* item, const TNotatedItem* last) {
  for (int h = 0; h < NtnHeadCount(item); ++h) NtnSetAttr(NtnHead(item, h), naTieOut, NtnHasAttr(NtnHead(last, h), naTieOut));
  NtnSync(item);
}

// The metre that the consolidation walk keeps.
struct TMetre {
  long beat;
  long barLength = kCommonTimeBar;
  long barStart = 0;
  // The first beat boundary at or after the tick.
  long BoundaryFrom(long tick) const {
    if (beat <= 0 || tick <= barStart) return barStart;
    return barStart + (tick - barStart + beat - 1) / beat * beat;
  }
};

}  // namespace

// One pass serves every kind: dropping the earlier of a pair leaves its neighbour before the
// later one, which is of the same kind, so no pair of another kind is made by it.
void TMusicStaff::RemoveRedundantItems() {
  TouchItems(0);
  DropEarlierTwins(items_, [](const TNotatedItem* a, const TNotatedItem* b) {
    const int type = a->GetType();
    if (type != b->GetType()) return false;
    if (type >= ntKey && type <= ntDynamicLevel) return true;
    if (type != ntSustainPedal) return false;
    return (static_cast<const TSustainPedal*>(a)->GetState() != 0) == (static_cast<const TSustainPedal*>(b)->GetState() != 0);
  });
  changed_ = true;
}

void TMusicStaff::ConsolidateNotes(bool compound, int limit) {
  TouchItems(0);
  TItemListRebuild rebuild(items_, items_.size() + 16);
  std::vector<TNotatedItem*>& old = rebuild.Old();
  items_.push_back(old.front());
  const size_t sentinel = old.size() - 1;
  TMetre metre{NtnBeatTicks(4, 2, compound)};
  long tick = 0;
  size_t k = 1;
  while (k < sentinel && items_.size() + (old.size() - k) <= size_t(kNearlyFullCount)) {
    TNotatedItem* item = old[k];
    const int type = item->GetType();
    if (type == ntBarLine || type == ntTimeSignature) {
      if (type == ntTimeSignature) {
        metre.beat = NtnTimeSigBeatTicks(item, compound);
        metre.barLength = static_cast<const TTimeSignatureData*>(item)->GetBarTicks();
      }
      metre.barStart = tick;
      items_.push_back(item);
      ++k;
      continue;
    }
    if (!NtnCanSplit(item)) {
      items_.push_back(item);
      tick += item->GetDuration();
      ++k;
      continue;
    }
    // The run of equal items tied on from this one (rests: every following rest).
    long total = item->GetDuration();
    size_t r = k + 1;
    for (; r < sentinel && ContinuesRun(old[r - 1], old[r]); ++r) total += old[r]->GetDuration();
    bool changed = r > k + 1;
    if (changed && NtnHasHeads(item)) TakeTiesFrom(item, old[r - 1]);
    for (size_t j = k + 1; j < r; ++j) delete old[j];
    // A note cut short before a rest takes the rest up to the next beat.
    long restLeft = 0;
    size_t restEnd = r;
    if (NtnHasHeads(item) && r < sentinel && NtnType(old[r]) == ntRest) {
      long restTotal = 0;
      for (; restEnd < sentinel && NtnType(old[restEnd]) == ntRest; ++restEnd) restTotal += old[restEnd]->GetDuration();
      const long distance = metre.BoundaryFrom(tick + total) - (tick + total);
      if (distance > 0 && distance < limit) {
        const long moved = distance < restTotal ? distance : restTotal;
        total += moved;
        restLeft = restTotal - moved;
        changed = true;
      } else {
        restEnd = r;  // the rests stay as they are
      }
    }
    const long barEnd = metre.barStart + metre.barLength;
    const bool crosses = metre.barLength > 0 && tick < barEnd && tick + total > barEnd &&
                         barEnd - tick >= kNtnShortestPieceTicks && tick + total - barEnd >= kNtnShortestPieceTicks;
    if (crosses) NtnAppendSplitChain(item, barEnd - tick, total, items_);
    else if (changed) NtnAppendTiedChain(item, total, items_);
    else items_.push_back(item);
    tick += total;
    if (restEnd > r) {
      for (size_t j = r + 1; j < restEnd; ++j) delete old[j];
      if (restLeft >= kNtnShortestPieceTicks) tick += NtnAppendTiedChain(old[r], restLeft, items_);
      else delete old[r];
    }
    k = restEnd;
  }
  for (; k < old.size(); ++k) items_.push_back(old[k]);
  changed_ = true;
}

namespace {

bool IsPlainRest(const TNotatedItem* item) { return NtnType(item) == ntRest; }

// Bar items [first, last) of a list: one unbroken run of plain rests filling barLength, and
// nothing else that lasts. Answers the run's first and last rest.
bool IsFullBarOfRests(const std::vector<TNotatedItem*>& items, size_t first, size_t last, long barLength,
                      size_t& runFirst, size_t& runLast) {
  long total = 0;
  bool inRun = false, ended = false;
  for (size_t j = first; j < last; ++j) {
    const TNotatedItem* item = items[j];
    if (IsPlainRest(item)) {
      if (ended) return false;
      if (!inRun) runFirst = j;
      inRun = true;
      runLast = j;
      total += item->GetDuration();
      continue;
    }
    if (item->GetDuration() != 0) return false;
    if (inRun) ended = true;
  }
  return inRun && barLength > 0 && total == barLength;
}

}  // namespace

void TMusicStaff::MergeFullBarRests() {
  TouchItems(0);
  TItemListRebuild rebuild(items_, items_.size());
  std::vector<TNotatedItem*>& old = rebuild.Old();
  int beats = 4, code = 2;
  size_t barFirst = 0;
  for (size_t k = 0; k < old.size(); ++k) {
    TNotatedItem* item = old[k];
    if (item->GetType() == ntTimeSignature) {
      beats = static_cast<const TTimeSignatureData*>(item)->GetBeats();
      code = static_cast<const TTimeSignatureData*>(item)->GetBeatCode();
    }
    if (item->GetType() != ntBarLine) continue;
    // Items barFirst..k-1 form a bar (the time signature read above is the one in effect).
    size_t runFirst = 0, runLast = 0;
    const long barLength = long(beats) * (kWholeNoteTicks >> code);
    const bool merge = k > barFirst && IsFullBarOfRests(old, barFirst, k, barLength, runFirst, runLast) &&
                       (runLast > runFirst || NtnDurationCode(NtnAsSongNote(old[runFirst])) != 0);
    for (size_t j = barFirst; j <= k; ++j) {
      if (merge && j > runFirst && j <= runLast) {
        delete old[j];
        continue;
      }
      items_.push_back(old[j]);
    }
    if (merge) {
      TSongNote* rest = NtnAsSongNote(old[runFirst]);
      NtnSetDurationCode(rest, 0);
      NtnSetAttr(rest, naDotted, false);
      NtnSetAttr(rest, naDoubleDotted, false);
      NtnSetRestExplicitLength(old[runFirst], beats, code);
    }
    barFirst = k + 1;
  }
  for (size_t j = barFirst; j < old.size(); ++j) items_.push_back(old[j]);
  changed_ = true;
  RunStaffAudit(this, -1, -1);
}
