// What every expression shares: a staff position above or below the staff and a placement byte
// (wide, justification, placement).
#pragma once
#include "QVKNTN/NotatedItem.h"

class TNtnGeneralExpression : public TNotatedItem {
 public:
  int GetPosition() const override { return fPosition; }
  void SetPosition(int position) override { fPosition = int8_t(NtnClampPosition(position)); }

  bool IsWide() const { return fPlacement & 1; }
  void SetWide(bool wide) { fPlacement = uint8_t(wide ? fPlacement | 1 : fPlacement & ~1); }
  int GetJustify() const { return (fPlacement >> 1) & 3; }
  void SetJustify(int j) { fPlacement = uint8_t((fPlacement & ~0x06) | ((j & 3) << 1)); }
  int GetPlacement() const { return (fPlacement >> 3) & 3; }
  void SetPlacement(int p) { fPlacement = uint8_t((fPlacement & ~0x18) | ((p & 3) << 3)); }
  // The stored byte, for the item record.
  uint8_t GetPlacementByte() const { return fPlacement; }
  void SetPlacementByte(uint8_t b) { fPlacement = uint8_t(b & 0x1F); }

 protected:
  explicit TNtnGeneralExpression(int type) : TNotatedItem(type) {}  // below the staff, wide

 private:
  int8_t fPosition = 8;
  uint8_t fPlacement = 1;
};
