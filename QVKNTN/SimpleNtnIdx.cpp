#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"

TSimpleNtnIdx::TSimpleNtnIdx() = default;

TSimpleNtnIdx::TSimpleNtnIdx(TMusicStaff* staff) { Attach(staff); }

TSimpleNtnIdx::TSimpleNtnIdx(TMusicStaff* staff, int index) {
  Attach(staff);
  MoveTo(index);
}

void TSimpleNtnIdx::Attach(TMusicStaff* staff) {
  staff_ = staff;
  Reset();  // the running state of a derived cursor belongs to the old staff
}

TNotatedItem* TSimpleNtnIdx::MoveTo(int i) {
  if (i < 0) i = 0;
  if (i > LastIndex()) i = LastIndex();
  index_ = i;
  item_ = staff_ ? staff_->GetItem(i) : nullptr;
  return item_;
}

void TSimpleNtnIdx::Reset() { MoveTo(0); }

TNotatedItem* TSimpleNtnIdx::SetIndex(int i) { return MoveTo(i); }

TNotatedItem* TSimpleNtnIdx::Next() {
  CountStep();
  ++index_;
  item_ = staff_ ? staff_->GetItem(index_) : nullptr;
  return item_;
}

TNotatedItem* TSimpleNtnIdx::Prev() {
  CountStep();
  --index_;
  item_ = staff_ ? staff_->GetItem(index_) : nullptr;
  return item_;
}

void TSimpleNtnIdx::GetTimeSig(int& beats, int& beatValue) const {
  beats = 4;
  beatValue = 2;
}

TNotatedItem* TSimpleNtnIdx::Refresh() {
  const int old = index_;
  Reset();
  return SetIndex(old);
}

// --- typed accessors -------------------------------------------------------------------------

TNotatedItem* TSimpleNtnIdx::AsExpression() const { return item_ && NtnIsExpression(item_) ? item_ : nullptr; }

TSongNote* TSimpleNtnIdx::AsSongNote() const { return NtnAsSongNote(item_); }

TMusicNote* TSimpleNtnIdx::AsNoteOrChord() const { return NtnAsNoteOrChord(item_); }

TNotatedItem* TSimpleNtnIdx::AsKind(int type) const { return item_ && NtnType(item_) == type ? item_ : nullptr; }

TNotatedItem* TSimpleNtnIdx::AsGradualTempoVariance() const {
  return NtnIsGradualTempoVariance(item_) ? item_ : nullptr;
}

TMusicNote* TSimpleNtnIdx::AsNoteBearing() const { return NtnNoteBearingPart(item_); }

// --- searches --------------------------------------------------------------------------------

template <class Test>
bool TSimpleNtnIdx::SearchFor(int dir, Test test) {
  while (CanStep(dir)) {
    if (dir > 0) Next(); else Prev();
    if (test()) return true;
  }
  return false;
}

bool TSimpleNtnIdx::FindType(int type, int dir) {
  return SearchFor(dir, [&] { return NtnType(item_) == type; });
}

bool TSimpleNtnIdx::StepToNote(int dir) {
  return SearchFor(dir, [&] { return NtnAsSongNote(item_) != nullptr; });
}

bool TSimpleNtnIdx::StepToGraceState(int grace, int dir) {
  return SearchFor(dir, [&] {
    const TMusicNote* n = NtnAsNoteOrChord(item_);
    return n && NtnGrace(n) == grace;
  });
}

bool TSimpleNtnIdx::StepToHeads(int dir) {
  return SearchFor(dir, [&] { return NtnHasHeads(item_); });
}

bool TSimpleNtnIdx::FindNoteAt(int position, int dir) {
  return SearchFor(dir, [&] { return NtnAsSongNote(item_) && NtnHeadAt(item_, position); });
}

bool TSimpleNtnIdx::StepInPassage(int dir) {
  while (CanStep(dir)) {
    if (dir > 0) Next(); else Prev();
    if (NtnAsSongNote(item_)) return true;
    const int type = NtnType(item_);
    if (type == ntSpecialEnding || type == ntFlowDirection) return false;
    if (dir < 0 && type == ntBarLine && NtnBarStyle(item_) != kNtnBarSingle) return false;
  }
  return false;
}

bool TSimpleNtnIdx::StepToHeadsInPassage(int dir) {
  while (StepInPassage(dir)) {
    if (NtnHasHeads(item_)) return true;
  }
  return false;
}

bool TSimpleNtnIdx::FindTieTarget(int position, int dir) {
  while (CanStep(dir)) {
    if (dir > 0) Next(); else Prev();
    const int type = NtnType(item_);
    if (type == ntClef) return false;
    if (type == ntBarLine) {
      const int style = NtnBarStyle(item_);
      if (style == kNtnBarLocalRepeatClose || style == kNtnBarMasterRepeatClose) return false;
    }
    if (type == ntSpecialEnding && !(NtnEndingMask(item_) & 1)) return false;
    if (type == ntFlowDirection) {
      const int style = NtnFlowStyle(item_);
      // A tie into a coda or out to a jump is drawn to the edge of the passage: it ends on the
      // item next to the sign.
      if (style == kNtnFlowCoda) {
        if (CanStep(-1)) Prev();
        return true;
      }
      if (style == kNtnFlowDCAlCoda || style == kNtnFlowDSAlCoda) {
        if (CanStep(1)) Next();
        return true;
      }
    }
    if (NtnHasHeads(item_) && NtnHeadAt(item_, position)) return true;
  }
  return false;
}

bool TSimpleNtnIdx::FindSlurEnd(int dir) {
  // The walk looks at the current item first: a slur may end on the note it starts from.
  for (;;) {
    const int type = NtnType(item_);
    if (dir < 0) {
      if (type == ntClef || type == ntKey || type == ntBarLine ||
          type == ntTimeSignature || type == ntSpecialEnding)
        return false;
    } else if (type == ntSpecialEnding && !(NtnEndingMask(item_) & 1)) {
      return false;
    }
    if (const TSongNote* note = NtnAsSongNote(item_)) {
      if (dir > 0 && !NtnHasAttr(note, naSlurOut)) return true;
      if (dir < 0 && !NtnHasAttr(note, naSlurIn)) return true;
    }
    if (!CanStep(dir)) return false;
    if (dir > 0) Next(); else Prev();
  }
}

// --- groups ----------------------------------------------------------------------------------

bool TSimpleNtnIdx::InGroup() const {
  const TSongNote* n = NtnAsSongNote(item_);
  return n && (NtnGroupState(n, kNtnGroupBeam) || NtnGroupState(n, kNtnGroupTriplet));
}

bool TSimpleNtnIdx::InGroupOfKind(int kind) const {
  const TSongNote* n = NtnAsSongNote(item_);
  return n && NtnGroupState(n, kind) != 0;
}

bool TSimpleNtnIdx::InGroupOfKind(int grace, int kind) const {
  const TSongNote* n = NtnAsSongNote(item_);
  return n && NtnGrace(n) == grace && NtnGroupState(n, kind) != 0;
}

bool TSimpleNtnIdx::HasGroupState(int grace, int kind, int state) const {
  const TSongNote* n = NtnAsSongNote(item_);
  return n && NtnGrace(n) == grace && NtnGroupState(n, kind) == state && state != 0;
}

bool TSimpleNtnIdx::GroupContinuesAfter(int kind) const {
  const TSongNote* n = NtnAsSongNote(item_);
  if (!n) return false;
  const int s = NtnGroupState(n, kind);
  return s == kNtnGroupFirst || s == kNtnGroupMiddle;
}

bool TSimpleNtnIdx::GroupContinuesBefore(int kind) const {
  const TSongNote* n = NtnAsSongNote(item_);
  if (!n) return false;
  const int s = NtnGroupState(n, kind);
  return s == kNtnGroupMiddle || s == kNtnGroupLast;
}

bool TSimpleNtnIdx::IsGroupableItem(const TNotatedItem* item, int grace, bool anyNote) {
  if (!item) return false;
  switch (NtnType(item)) {
    case ntClef: case ntKey: case ntBarLine:
    case ntSpecialEnding: case ntTimeSignature: case ntFlowDirection:
      return false;
    default: break;
  }
  const TSongNote* n = NtnAsSongNote(item);
  if (!n) return true;
  if (NtnGrace(n) != grace) return grace != 1;  // a grace group may not cross normal notes
  if (anyNote || NtnIsRest(item)) return true;
  const TMusicNote* m = NtnAsNoteOrChord(item);
  return m && NtnFlagCount(m) > 0;
}

bool TSimpleNtnIdx::IsGroupable(int grace, bool anyNote) const { return IsGroupableItem(item_, grace, anyNote); }

void TSimpleNtnIdx::FindGroupEnd(int grace, int kind, int dir) {
  const int end = dir > 0 ? kNtnGroupLast : kNtnGroupFirst;
  while (CanStep(dir)) {
    if (HasGroupState(grace, kind, end)) return;
    const TNotatedItem* next = staff_->GetItem(index_ + (dir > 0 ? 1 : -1));
    if (!IsGroupableItem(next, grace, kind == kNtnGroupTriplet)) return;
    if (dir > 0) Next(); else Prev();
  }
}

bool TSimpleNtnIdx::NextGroupMember(int grace, int kind, int dir) {
  return SearchFor(dir, [&] { return InGroupOfKind(grace, kind); });
}

bool TSimpleNtnIdx::NextMemberInState(int grace, int kind, int state, int dir) {
  return SearchFor(dir, [&] { return HasGroupState(grace, kind, state); });
}

bool TSimpleNtnIdx::NextGrouped(int dir) {
  return SearchFor(dir, [&] { return InGroup(); });
}

bool TSimpleNtnIdx::NextWithGroupBit(int bit, int dir) {
  return SearchFor(dir, [&] {
    const TSongNote* n = NtnAsSongNote(item_);
    return n && InGroup() && NtnHasAttr(n, bit);
  });
}

int TSimpleNtnIdx::GetForcedStemSign() const {
  const TSongNote* note = NtnAsSongNote(item_);
  if (!note || !staff_) return 0;
  const int grace = NtnGrace(note);
  // The probes are plain cursors: this may be an audit cursor, which must never step back.
  if (NtnGroupState(note, kNtnGroupBeam) != 0) {
    TSimpleNtnIdx probe(staff_, index_);
    probe.FindGroupEnd(grace, kNtnGroupBeam, -1);
    for (;;) {
      const TSongNote* member = NtnAsSongNote(probe.item_);
      if (member && NtnGrace(member) == grace && NtnGroupState(member, kNtnGroupBeam) != 0) {
        if (NtnHasSplitStems(member)) return NtnStemSign(member);
        if (NtnGroupState(member, kNtnGroupBeam) == kNtnGroupLast) return 0;
      }
      if (!probe.CanStep(1) || (probe.index_ > index_ && !probe.IsGroupable(grace, false))) return 0;
      probe.Next();
    }
  }
  // Not beamed: an earlier chord of two voices in this bar may still sound over this note. The
  // look back ends where no head could still sound (a whole note with both dot flags is the
  // longest): on a staff without bar lines it would otherwise reach the start for every note.
  constexpr long kLongestHeadTicks = kWholeNoteTicks * 9 / 4;
  long sum = 0;
  for (int i = index_ - 1; i > 0 && sum < kLongestHeadTicks; --i) {
    const TNotatedItem* item = staff_->GetItem(i);
    CountStep();
    if (NtnType(item) == ntBarLine) return 0;
    sum += NtnDuration(item);
    const TSongNote* earlier = NtnAsSongNote(item);
    if (!earlier) continue;
    if (!NtnHasSplitStems(earlier) || !NtnHasSplitDurations(earlier)) continue;
    // The other part sounds at this note's start only when it lasts beyond the ticks between.
    return NtnOtherPartDuration(earlier) > sum ? NtnStemSign(earlier) : 0;
  }
  return 0;
}
