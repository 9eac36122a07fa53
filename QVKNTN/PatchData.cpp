#include "QVKNTN/PatchData.h"
#include "QVKNTN/ExpressionEvents.h"
#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/StaffContext.h"

TPatchData::TPatchData(const TStaffInstrument* instrument) : TNtnGeneralExpression(ntPatch) {
  if (instrument) fInstrument = *instrument;
  SetPosition(-8);
}

void TPatchData::AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const {
  if (fInstrument.patch == 0) return;
  const int32_t tick = context.GetTick();
  if (fInstrument.bankSelect) {
    NtnSendController(context, sink, tick, 0, (fInstrument.bank / 128) & 0x7F);
    NtnSendController(context, sink, tick, 32, fInstrument.bank % 128);
  }
  sink.AddShortEvent(tick, context.GetPort(), uint8_t(0xC0 | context.GetChannel()), uint8_t((fInstrument.patch - 1) & 0x7F), 0);
}
