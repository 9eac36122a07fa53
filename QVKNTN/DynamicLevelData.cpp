#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/ExpressionEvents.h"
#include "QVKNTN/StaffContext.h"

namespace {
constexpr int kVolumeController = 7;
}

TDynamicLevelData::TDynamicLevelData(int dynamic) : TNtnGeneralExpression(ntDynamicLevel) {
  SetDynamic(dynamic);
  SetVolume(255);
  // The earlier line's marks are wide unless made otherwise.
  SetWide(kEarlierLine);
  SetPosition(8);
}

void TDynamicLevelData::UpdateContext(TStaffContext& context) const {
  context.StopRamp();
  const int v = GetVelocity();
  if (v >= 1 && v <= 127) context.SetVelocity(v);
}

void TDynamicLevelData::AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const {
  if (GetVolume() >= 128) return;
  NtnSendController(context, sink, context.GetTick(), kVolumeController, GetVolume());
}
