// A special ending (volta): the passes of a master repeat that play into it.
#pragma once
#include <string>
#include "QVKNTN/NotatedItem.h"

class TSpecialEnding final : public TNotatedItem {
 public:
  explicit TSpecialEnding(uint32_t mask = 1) : TNotatedItem(ntSpecialEnding), fMask(mask) {}
  int GetDefaultVisibility() const override { return visOnTopStaff; }
  int GetPosition() const override { return -10; }
  int GetWidth(const TStaffDrawInfo& line, int cell) const override;
  void Draw(TStaffDrawInfo& line, int cell, int x) const override;
  // A blank, then "1.", "2." ... for its endings and "D." for the default ending.
  std::string GetText() const;
  void UpdateContext(TStaffContext& context) const override;
  int Perform(TStaffContext& context, const TStaffItems& items, int index) const override;

  // Bit n: ending n + 1.
  uint32_t GetMask() const { return fMask; }
  void SetMask(uint32_t mask) { fMask = mask; }
  bool PlaysOnPass(int pass) const;

 private:
  uint32_t fMask;
};
