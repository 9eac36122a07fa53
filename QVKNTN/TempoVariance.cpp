#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/ExpressionEvents.h"
#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/StaffContext.h"

TTempoVariance::TTempoVariance(int style, int pause)
    : TNtnGeneralExpression(ntTempoVariance), fStyle(uint8_t(style)), fPause(uint8_t(pause)) {
  SetWide(kEarlierLine);
  SetPosition((kEarlierLine || style == tvBreathMark || style == tvFermata) ? -8 : 8);
}

void TTempoVariance::SetRunTime(int startTempo, int endTempo, int32_t length) {
  fStartTempo = int16_t(startTempo);
  fEndTempo = int16_t(endTempo);
  fLength = length;
}

void TTempoVariance::AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const {
  const int32_t tick = context.GetTick();
  if (HasPause()) {
    if (fPause != 0) sink.AddHoldEvent(fStyle == tvFermata ? tick + 1 : tick, fPause);
    return;
  }
  NtnSweepBySteps(tick, fLength, fStartTempo, fEndTempo, [&](int32_t t, int tempo) { NtnSendTempo(sink, t, tempo); });
}
