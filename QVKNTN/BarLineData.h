// A bar line: its style (single, double, section and repeat marks), system break and repeat count.
// Resets the bar's accidentals, counts repeat passes and, in playback, answers the repeat target.
#pragma once
#include "QVKNTN/NotatedItem.h"

class TBarLineData final : public TNotatedItem {
 public:
  enum {
    blSingle = 0,
    blDouble = 1,
    blSectionOpen = 2,
    blSectionClose = 3,
    blLocalRepeatOpen = 4,
    blLocalRepeatClose = 5,
    blMasterRepeatOpen = 6,
    blMasterRepeatClose = 7,
  };
  // The draw type of a repeat close meeting a repeat open: the dots alone.
  static constexpr int kDotsOnly = 9;

  explicit TBarLineData(int style = blSingle, int repeatCount = 1);
  int GetLowPosition() const override { return -4; }
  int GetHighPosition() const override { return 4; }
  int GetWidth(const TStaffDrawInfo& line, int cell) const override;
  void Draw(TStaffDrawInfo& line, int cell, int x) const override;
  // The style drawn in a cell: the leading bar and meeting repeat marks draw otherwise.
  int GetDrawType(const TStaffDrawInfo& line, int cell) const;
  void UpdateContext(TStaffContext& context) const override;
  int Perform(TStaffContext& context, const TStaffItems& items, int index) const override;

  int GetStyle() const { return fStyleByte & 0x3F; }
  // A style sets the repeat count to 1, except a local repeat close, which keeps a given count
  // above 1 and otherwise takes 2.
  void SetStyle(int style, int repeatCount = 0);
  int GetRepeatCount() const { return fRepeatCount; }
  void SetRepeatCount(int count) { fRepeatCount = uint8_t(count); }
  bool HasSystemBreak() const { return fStyleByte & 0x40; }
  void SetSystemBreak(bool on) { fStyleByte = uint8_t(on ? fStyleByte | 0x40 : fStyleByte & ~0x40); }
  // Set and read by the staff layout, never stored.
  bool GetLayoutFlag() const { return fStyleByte & 0x80; }
  void SetLayoutFlag(bool on) { fStyleByte = uint8_t(on ? fStyleByte | 0x80 : fStyleByte & ~0x80); }
  uint8_t GetStyleByte() const { return fStyleByte; }
  void SetStyleByte(uint8_t b) { fStyleByte = b; }
  bool ClosesSection() const;
  bool OpensSection() const;

 private:
  int RepeatTarget(const TStaffItems& items, int index) const;

  uint8_t fStyleByte = blSingle;
  uint8_t fRepeatCount = 1;
};
