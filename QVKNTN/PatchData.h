// An instrument patch change: bank select and program.
#pragma once
#include "QVKNTN/NtnGeneralExpression.h"
#include "QVKNTN/StaffInstrument.h"

class TPatchData final : public TNtnGeneralExpression {
 public:
  void GetText(TExpressionText& text, bool editView) const override;
  explicit TPatchData(const TStaffInstrument* instrument = nullptr);
  int GetDefaultVisibility() const override { return visNever; }
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;

  const TStaffInstrument& GetPatch() const { return fInstrument; }
  void SetPatch(const TStaffInstrument& instrument) { fInstrument = instrument; }

 private:
  TStaffInstrument fInstrument;
};
