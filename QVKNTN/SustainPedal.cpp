#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/ExpressionEvents.h"
#include "QVKNTN/StaffContext.h"

void TSustainPedal::AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const {
  NtnSendController(context, sink, context.GetTick(), 64, fState ? 127 : 0);
}
