// The audit cursor of the find-error command: it remembers, per staff position, the pitch of each
// open tie and the accidental last written in the bar, to spot ties between different pitches and
// heads whose unwritten accidental reads differently from what the bar suggests.
#pragma once
#include <cstdint>
#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/NotationTypes.h"

// Per staff position: the sounding pitch of the open tie there (0: none) and the accidental last
// written there in the current bar (5: none). Every position a score file can store (a signed
// byte) has its entry, so a tie far above or below the staff is checked like any other.
class TFindErrorTable {
public:
  static constexpr int kLowest = kMinStaffPosition;
  static constexpr int kHighest = kMaxStaffPosition;
  static constexpr int kSize = kHighest - kLowest + 1;

  TFindErrorTable() { Clear(); }
  void Clear();
  void ClearAccidentals();

  // Positions outside the stored range read as "none" and are not stored.
  int GetTiePitch(int position) const;
  void SetTiePitch(int position, int pitch);
  int GetAccidental(int position) const;
  void SetAccidental(int position, int code);

private:
  static bool Holds(int position) { return position >= kLowest && position <= kHighest; }
  uint8_t tie_[kSize];
  uint8_t accidental_[kSize];
};

class TFindErrorNtnIdx : public TAuditNtnIdx {
public:
  TFindErrorNtnIdx();
  explicit TFindErrorNtnIdx(TMusicStaff* staff);
  TFindErrorNtnIdx(TMusicStaff* staff, int index);
  // Copies own their tables: a copy walks on without disturbing the original.
  TFindErrorNtnIdx(const TFindErrorNtnIdx& other) = default;
  TFindErrorNtnIdx& operator=(const TFindErrorNtnIdx& other) = default;

  void Reset() override;
  TNotatedItem* Next() override;

  // Both look at the current item before Next applies it.
  bool HasAccidentalConflict() const;
  bool HasTieConflict() const;

  const TFindErrorTable& Table() const { return table_; }

protected:
  void SaveAtEnding() override;
  void RestoreAtEnding() override;
  void SaveAtCoda() override;
  void RestoreAtCoda() override;

private:
  TFindErrorTable table_;
  TFindErrorTable endingTable_;
  TFindErrorTable codaTable_;
};
