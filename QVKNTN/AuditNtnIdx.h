// A cursor that carries the running musical context of the staff (clef, key, accidentals, time
// signature, ties, slurs) and the open beam and triplet groups. The context can only be built
// forwards, so this cursor only walks forwards; going back restarts from the top of the staff.
#pragma once
#include "QVKNTN/NeighborhoodNtnIdx.h"
#include "QVKNTN/StaffContext.h"

class TAuditNtnIdx : public TNeighborhoodNtnIdx {
public:
  // Bits of the open-group words.
  enum { kOpenBeam = 1, kOpenTriplet = 2 };

  TAuditNtnIdx();
  explicit TAuditNtnIdx(TMusicStaff* staff);
  TAuditNtnIdx(TMusicStaff* staff, int index);
  TAuditNtnIdx(const TAuditNtnIdx& other) = default;
  TAuditNtnIdx& operator=(const TAuditNtnIdx& other) = default;

  void Reset() override;
  TNotatedItem* SetIndex(int i) override;
  TNotatedItem* Next() override;
  // Costs a walk from the start of the staff: never call it in a loop.
  TNotatedItem* Prev() override;
  void GetTimeSig(int& beats, int& beatValue) const override;

  // Takes over a cursor saved earlier on the same staff (its index and running state), reading the
  // item at that index afresh.
  void RestoreFrom(const TAuditNtnIdx& saved);
  // Same index and the same running state (contexts, open groups, last items of each kind).
  bool SameWalkState(const TAuditNtnIdx& other) const;

  TStaffContext& Context() { return context_; }
  const TStaffContext& Context() const { return context_; }
  // The open-group word of normal notes (grace 0) or grace notes (grace 1).
  int GetOpenGroups(int grace) const { return openGroups_[grace ? 1 : 0]; }

  // Times the audit cursors this thread has finished with were sent back and had to walk up again
  // from the top: the audit and the edits never do it, which tests and benchmarks check.
  static long long Rewinds() { return TNtnWalkCount::ThreadRewinds(); }

protected:
  // The state that special endings and codas save and restore; the derived cursors extend it.
  virtual void SaveAtEnding() { endingContext_ = context_; }
  virtual void RestoreAtEnding() { context_ = endingContext_; }
  virtual void SaveAtCoda() { codaContext_ = context_; }
  virtual void RestoreAtCoda() { context_ = codaContext_; }
  // Applies the jumps of the current item (a special ending or a flow direction) to the saved state.
  void ApplyJumpCopies(int type);

private:
  void TrackOpenGroups(int type);

  TStaffContext context_;
  TStaffContext endingContext_;
  TStaffContext codaContext_;
  int openGroups_[2] = {0, 0};
};
