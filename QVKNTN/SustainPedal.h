// A sustain-pedal mark: pedal down or up.
#pragma once
#include "QVKNTN/NtnGeneralExpression.h"

class TSustainPedal : public TNtnGeneralExpression {
 public:
  explicit TSustainPedal(int state = 1) : fState(uint8_t(state)) {}
  int GetType() const override { return ntSustainPedal; }
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;

  int GetState() const { return fState; }
  void SetState(int state) { fState = uint8_t(state); }

 private:
  uint8_t fState;
};
