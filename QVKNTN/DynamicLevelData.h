// A dynamic mark (ppp .. fff) with the velocity it sets and the channel volume it sends.
#pragma once
#include "QVKNTN/NtnGeneralExpression.h"

class TDynamicLevelData final : public TNtnGeneralExpression {
 public:
  void GetText(TExpressionText& text, bool editView) const override;
  enum { dynPPP = 0, dynPP, dynP, dynMP, dynMF, dynF, dynFF, dynFFF };

  explicit TDynamicLevelData(int dynamic = dynMP);
  void UpdateContext(TStaffContext& context) const override;
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;

  int GetDynamic() const { return fBits & 0x0F; }
  void SetDynamic(int d) { SetField(0, 0x0F, d); }
  // The two override flags the properties dialog keeps (0 or 1).
  bool GetOverride(int which) const { return (fBits >> (4 + (which & 1))) & 1; }
  void SetOverride(int which, bool on) { SetField(4 + (which & 1), 1, on ? 1 : 0); }
  int GetVelocity() const { return (fBits >> 6) & 0xFF; }
  void SetVelocity(int v) { SetField(6, 0xFF, v); }
  // 128 or more: no volume is sent.
  int GetVolume() const { return (fBits >> 14) & 0xFF; }
  void SetVolume(int v) { SetField(14, 0xFF, v); }
  uint32_t GetPackedBits() const { return fBits; }
  void SetPackedBits(uint32_t bits) { fBits = bits & 0xFFFFFF; }

 private:
  void SetField(int shift, uint32_t mask, int value) {
    fBits = (fBits & ~(mask << shift)) | ((uint32_t(value) & mask) << shift);
  }
  uint32_t fBits = 0;  // 24 bits: dynamic, two flags, velocity, volume
};
