#include "QVKNTN/ExpressionEvents.h"
#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/StaffContext.h"

void NtnSendController(const TStaffContext& context, TMidiEventSink& sink, int32_t tick, int controller, int value) {
  const int v = value < 0 ? 0 : (value > 127 ? 127 : value);
  sink.AddShortEvent(tick, context.GetPort(), uint8_t(0xB0 | context.GetChannel()), uint8_t(controller & 0x7F), uint8_t(v));
}

void NtnSendTempo(TMidiEventSink& sink, int32_t tick, int beatsPerMinute) {
  sink.AddTempoEvent(tick, beatsPerMinute < 1 ? 1 : beatsPerMinute);
}
