// A time signature: beats, beat value and the way it is shown (standard, common time, alla breve).
#pragma once
#include "QVKNTN/NotatedItem.h"

class TTimeSignatureData final : public TNotatedItem {
 public:
  enum { tsStandard = 0, tsCommonTime = 1, tsAllaBreve = 2 };

  TTimeSignatureData(int beats = 4, int beatCode = 2, int style = tsStandard);
  int GetLowPosition() const override { return -4; }
  int GetHighPosition() const override { return 4; }
  int GetWidth(const TStaffDrawInfo& line, int cell) const override;
  void Draw(TStaffDrawInfo& line, int cell, int x) const override;
  void UpdateContext(TStaffContext& context) const override;

  int GetBeats() const { return fBeats; }
  void SetBeats(int beats);        // 1..99; 0 and anything larger count as 4
  int GetBeatCode() const { return fCodeAndStyle & 0x0F; }
  void SetBeatCode(int code);      // 0..5; anything else is a quarter (2)
  int GetStyle() const { return fCodeAndStyle >> 4; }
  void SetStyle(int style);        // common time forces 4/4, alla breve 2/2
  int32_t GetBarTicks() const;

 private:
  uint8_t fBeats = 4;
  uint8_t fCodeAndStyle = 2;  // bits 0-3 beat value code, bits 4-7 style
};
