#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"

TAuditNtnIdx::TAuditNtnIdx() { Reset(); }

TAuditNtnIdx::TAuditNtnIdx(TMusicStaff* staff) : TNeighborhoodNtnIdx(staff) { Reset(); }

TAuditNtnIdx::TAuditNtnIdx(TMusicStaff* staff, int index) : TNeighborhoodNtnIdx(staff) {
  Reset();
  SetIndex(index);
}

void TAuditNtnIdx::Reset() {
  TNeighborhoodNtnIdx::Reset();
  context_.Reset();
  context_.SetAuditMode();
  endingContext_ = context_;
  codaContext_ = context_;
  openGroups_[0] = openGroups_[1] = 0;
}

TNotatedItem* TAuditNtnIdx::SetIndex(int i) {
  if (!staff_) return TSimpleNtnIdx::SetIndex(i);
  WalkTo(i, false);
  return item_;
}

TNotatedItem* TAuditNtnIdx::Prev() { return SetIndex(index_ - 1); }

void TAuditNtnIdx::ApplyJumpCopies() {
  const int type = NtnType(item_);
  if (type == ntSpecialEnding) {
    // Every later ending starts from the state that held at the first one.
    if (NtnEndingMask(item_) & 1) SaveAtEnding(); else RestoreAtEnding();
  } else if (type == ntFlowDirection) {
    const int style = NtnFlowStyle(item_);
    if (style == kNtnFlowCoda) RestoreAtCoda();
    else if (style == kNtnFlowToCoda) SaveAtCoda();
  }
}

TNotatedItem* TAuditNtnIdx::Next() {
  if (const TSongNote* note = NtnAsSongNote(item_)) {
    int& open = openGroups_[NtnGrace(note) ? 1 : 0];
    const bool counts[2] = {!NtnIsRest(item_), true};  // rests do not open or close beams
    for (int kind = kNtnGroupBeam; kind <= kNtnGroupTriplet; ++kind) {
      if (!counts[kind]) continue;
      const int bit = kind == kNtnGroupBeam ? kOpenBeam : kOpenTriplet;
      const int state = NtnGroupState(note, kind);
      if (state == kNtnGroupFirst || state == kNtnGroupMiddle) open |= bit; else open &= ~bit;
    }
  }
  ApplyJumpCopies();
  if (item_) NtnUpdateContext(item_, context_);
  return TNeighborhoodNtnIdx::Next();
}

void TAuditNtnIdx::GetTimeSig(int& beats, int& beatValue) const {
  beats = context_.GetTimeSigNumerator();
  beatValue = context_.GetTimeSigDenominator();
}
