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
  if (i < index_) CountRewind();
  WalkTo(i, false);
  return item_;
}

void TAuditNtnIdx::RestoreFrom(const TAuditNtnIdx& saved) {
  *this = saved;
  RereadCurrent();
}

bool TAuditNtnIdx::SameWalkState(const TAuditNtnIdx& other) const {
  if (staff_ != other.staff_ || index_ != other.index_) return false;
  for (int s = 0; s < kSlotCount; ++s)
    if (GetLast(Slot(s)) != other.GetLast(Slot(s))) return false;
  return context_ == other.context_ && endingContext_ == other.endingContext_ &&
         codaContext_ == other.codaContext_ && openGroups_[0] == other.openGroups_[0] &&
         openGroups_[1] == other.openGroups_[1];
}

TNotatedItem* TAuditNtnIdx::Prev() { return SetIndex(index_ - 1); }

void TAuditNtnIdx::ApplyJumpCopies(int type) {
  if (type == ntSpecialEnding) {
    // Every later ending starts from the state that held at the first one.
    if (NtnEndingMask(item_) & 1) SaveAtEnding(); else RestoreAtEnding();
  } else if (type == ntFlowDirection) {
    const int style = NtnFlowStyle(item_);
    if (style == kNtnFlowCoda) RestoreAtCoda();
    else if (style == kNtnFlowToCoda) SaveAtCoda();
  }
}

void TAuditNtnIdx::TrackOpenGroups(int type) {
  const TSongNote* note = static_cast<const TSongNote*>(item_);
  int& open = openGroups_[NtnGrace(note) ? 1 : 0];
  // Rests neither open nor close beams; every song note counts for triplets.
  if (type != ntRest && type != ntRestChord) {
    const int beam = NtnGroupState(note, kNtnGroupBeam);
    if (beam == kNtnGroupFirst || beam == kNtnGroupMiddle) open |= kOpenBeam; else open &= ~kOpenBeam;
  }
  const int triplet = NtnGroupState(note, kNtnGroupTriplet);
  if (triplet == kNtnGroupFirst || triplet == kNtnGroupMiddle) open |= kOpenTriplet; else open &= ~kOpenTriplet;
}

TNotatedItem* TAuditNtnIdx::Next() {
  if (item_) {
    const int type = item_->GetType();
    if (NtnIsSongNoteType(type)) TrackOpenGroups(type);
    else ApplyJumpCopies(type);
    item_->UpdateContext(context_);
  }
  return TNeighborhoodNtnIdx::Next();
}

void TAuditNtnIdx::GetTimeSig(int& beats, int& beatValue) const {
  beats = context_.GetTimeSigNumerator();
  beatValue = context_.GetTimeSigDenominator();
}
