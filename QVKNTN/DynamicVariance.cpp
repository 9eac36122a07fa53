#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/ExpressionEvents.h"
#include "QVKNTN/StaffContext.h"

namespace {
constexpr int kVolumeController = 7;
}

TDynamicVariance::TDynamicVariance(int style) : TNtnGeneralExpression(ntDynamicVariance), fStyle(uint8_t(style)) {
  SetWide(kEarlierLine);
  SetPosition(kEarlierLine ? 0 : 8);
}

void TDynamicVariance::SetRunTime(int targetVelocity, int startVolume, int endVolume, int32_t length) {
  fTargetVelocity = uint8_t(targetVelocity);
  fStartVolume = int8_t(startVolume);
  fEndVolume = int8_t(endVolume);
  fLength = length;
}

void TDynamicVariance::UpdateContext(TStaffContext& context) const {
  if (fLength <= 0 || fTargetVelocity == 0 || fTargetVelocity == context.GetVelocity()) return;
  context.StartRamp(context.GetVelocity(), fTargetVelocity, fLength);
}

void TDynamicVariance::AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const {
  if (fLength <= 0 || fStartVolume < 0 || fEndVolume < 0) return;
  NtnSweepBySteps(context.GetTick(), fLength, fStartVolume, fEndVolume,
                  [&](int32_t t, int v) { NtnSendController(context, sink, t, kVolumeController, v); });
}
