// The audit cursor of a transposition: besides the context it carries the diatonic shift that
// notes move by, which each key signature on the way changes.
#pragma once
#include "QVKNTN/AuditNtnIdx.h"

class TTransposeNtnIdx : public TAuditNtnIdx {
public:
  // preference < 0 prefers flat keys, > 0 sharp keys, 0 neither.
  TTransposeNtnIdx(TMusicStaff* staff, int semitones, int preference);
  TTransposeNtnIdx(const TTransposeNtnIdx& other) = default;
  TTransposeNtnIdx& operator=(const TTransposeNtnIdx& other) = default;

  void Reset() override;

  // Transposes the current key signature or song note in place (before Next applies it).
  void TransposeCurrent();
  // Whether the current item can be transposed with a spelling for every head; changes no item,
  // but a key signature still moves the shift for the notes after it.
  bool CanTransposeCurrent();

  int GetShift() const { return shift_; }
  int GetSemitones() const { return semitones_; }

protected:
  void SaveAtEnding() override;
  void RestoreAtEnding() override;
  void SaveAtCoda() override;
  void RestoreAtCoda() override;

private:
  bool TransposeItem(bool test);

  int shift_ = 0;
  int endingShift_ = 0;
  int codaShift_ = 0;
  int semitones_ = 0;
  int preference_ = 0;
};
