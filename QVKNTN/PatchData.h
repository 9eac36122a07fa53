// An instrument patch change: bank select and program.
#pragma once
#include "QVKNTN/NtnGeneralExpression.h"
#include "QVKNTN/StaffInstrument.h"

class TPatchData : public TNtnGeneralExpression {
 public:
  explicit TPatchData(const TStaffInstrument* instrument = nullptr);
  int GetType() const override { return ntPatch; }
  int GetDefaultVisibility() const override { return visNever; }
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;

  const TStaffInstrument& GetPatch() const { return fInstrument; }
  void SetPatch(const TStaffInstrument& instrument) { fInstrument = instrument; }

 private:
  TStaffInstrument fInstrument;
};
