// A sustain-pedal mark: pedal down or up.
#pragma once
#include "QVKNTN/NtnGeneralExpression.h"

class TSustainPedal final : public TNtnGeneralExpression {
 public:
  void GetText(TExpressionText& text, bool editView) const override;
  explicit TSustainPedal(int state = 1) : TNtnGeneralExpression(ntSustainPedal), fState(uint8_t(state)) {}
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;

  int GetState() const { return fState; }
  void SetState(int state) { fState = uint8_t(state); }

 private:
  uint8_t fState;
};
