// What every expression shares: a staff position above or below the staff and a placement byte
// (wide, justification, placement).
#pragma once
#include "QVKNTN/NotatedItem.h"

struct TExpressionText;
class TMusicPrimitives;

class TNtnGeneralExpression : public TNotatedItem {
 public:
  enum { plBestFit = 0, plBeforeSignatures = 1, plAfterSignatures = 2, plAtNextNote = 3 };
  enum { jsLeft = 0, jsCenter = 1, jsRight = 2 };

  int GetWidth(const TStaffDrawInfo& line, int cell) const override;
  void Draw(TStaffDrawInfo& line, int cell, int x) const override;
  // What the expression shows; the editing view adds its editing aids.
  virtual void GetText(TExpressionText& text, bool editView) const = 0;
  int GetTextWidth(TMusicPrimitives& fonts, bool editView) const;
  int DrawExpressionText(TMusicPrimitives& fonts, int x, int position, bool editView, int color) const;
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
