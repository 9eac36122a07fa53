// A clef: sets the clef and octave shift of the staff context.
#pragma once
#include "QVKNTN/NotatedItem.h"

class TClefData final : public TNotatedItem {
 public:
  explicit TClefData(int clef = clTreble, int octaveShift = osNone);
  int GetLowPosition() const override { return -6; }
  int GetHighPosition() const override { return 6; }
  int GetWidth(const TStaffDrawInfo& line, int cell) const override;
  void Draw(TStaffDrawInfo& line, int cell, int x) const override;
  void UpdateContext(TStaffContext& context) const override;

  int GetClef() const { return fClef; }
  void SetClef(int clef);  // 0..3, anything else treble
  int GetOctaveShift() const { return fOctaveShift; }
  void SetOctaveShift(int shift) { fOctaveShift = int8_t(shift); }

 private:
  int8_t fClef = clTreble;
  int8_t fOctaveShift = osNone;
};
