#include "QVKNTN/TransposeNtnIdx.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"

TTransposeNtnIdx::TTransposeNtnIdx(TMusicStaff* staff, int semitones, int preference)
    : TAuditNtnIdx(staff), semitones_(semitones), preference_(preference) {
  Reset();
}

void TTransposeNtnIdx::Reset() {
  TAuditNtnIdx::Reset();
  Context().SetTransposeMode();
  // Until the first key signature, notes move as C major would.
  shift_ = NtnShiftForEmptyKey(semitones_, preference_);
  endingShift_ = codaShift_ = shift_;
  TAuditNtnIdx::SaveAtEnding();
  TAuditNtnIdx::SaveAtCoda();
}

void TTransposeNtnIdx::SaveAtEnding() {
  TAuditNtnIdx::SaveAtEnding();
  endingShift_ = shift_;
}

void TTransposeNtnIdx::RestoreAtEnding() {
  TAuditNtnIdx::RestoreAtEnding();
  shift_ = endingShift_;
}

void TTransposeNtnIdx::SaveAtCoda() {
  TAuditNtnIdx::SaveAtCoda();
  codaShift_ = shift_;
}

void TTransposeNtnIdx::RestoreAtCoda() {
  TAuditNtnIdx::RestoreAtCoda();
  shift_ = codaShift_;
}

bool TTransposeNtnIdx::TransposeItem(bool test) {
  if (!item_) return false;
  if (NtnType(item_) == ntKey) {
    shift_ = NtnTransposeKey(item_, semitones_, preference_, test);
    return true;
  }
  if (NtnAsSongNote(item_)) return NtnTransposeSongNote(item_, Context(), semitones_, shift_, test);
  return true;
}

void TTransposeNtnIdx::TransposeCurrent() { TransposeItem(false); }

bool TTransposeNtnIdx::CanTransposeCurrent() { return TransposeItem(true); }
