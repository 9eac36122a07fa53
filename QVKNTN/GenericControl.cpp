#include "QVKNTN/GenericControl.h"
#include "QVKNTN/ExpressionEvents.h"
#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/StaffContext.h"

namespace {
// MIDI controller numbers of the controller indexes; -1 where the index is not a controller.
// The earlier line knows the first five kinds only.
constexpr int kMidiController[] = {
    -1, 7, 10, 2, -1, 1, 4, 5, 6, 8, 11, 12, 13, 91, 92, 93, 94, 95,
};
static_assert(TGenericControl::kControllers <= sizeof kMidiController / sizeof kMidiController[0]);
}  // namespace

TGenericControl::TGenericControl() : TNtnGeneralExpression(ntGenericControl) { SetPosition(-8); }

int TGenericControl::MidiControllerOf(int controller) {
  return (controller >= 0 && controller < kControllers) ? kMidiController[controller] : -1;
}

void TGenericControl::SetSetting(int i, int offset, int value) {
  TSetting& s = fSettings[i & 3];
  s.present = 1;
  s.offset = offset;
  s.value = value;
}

void TGenericControl::ClearSettings() {
  for (TSetting& s : fSettings) s = TSetting();
}

void TGenericControl::Send(const TStaffContext& context, TMidiEventSink& sink, int32_t tick, int value) const {
  if (fController == ctTempo) {
    NtnSendTempo(sink, tick, value);
    return;
  }
  if (fController == ctPitchBend) {
    const int v = value < 0 ? 0 : (value > 0x3FFF ? 0x3FFF : value);
    sink.AddShortEvent(tick, context.GetPort(), uint8_t(0xE0 | context.GetChannel()), uint8_t(v & 0x7F), uint8_t(v >> 7));
    return;
  }
  const int controller = MidiControllerOf(fController);
  if (controller >= 0) NtnSendController(context, sink, tick, controller, value);
}

void TGenericControl::AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const {
  const int resolution = (fTimeResolution >= 0 && fTimeResolution <= 7) ? fTimeResolution : 2;
  const int32_t unit = kWholeNoteTicks >> resolution;
  int32_t t = context.GetTick();
  if (fSweepMode != smLinearSweep) {
    for (const TSetting& s : fSettings) {
      if (!s.present) continue;
      t += unit * s.offset;
      Send(context, sink, t, s.value);
    }
    return;
  }
  for (int i = 0; i < kSettings && fSettings[i].present; ++i) {
    t += unit * fSettings[i].offset;
    const int v = fSettings[i].value;
    Send(context, sink, t, v);
    if (i + 1 >= kSettings || !fSettings[i + 1].present) continue;
    const int32_t g = unit * fSettings[i + 1].offset;
    const int d = fSettings[i + 1].value - v;
    const int r = fSweepResolution < 0 ? -fSweepResolution : fSweepResolution;
    if (r == 0 || d == 0) continue;
    const int n = (d < 0 ? -d : d) / r;  // 0 when the step is larger than the distance
    int32_t last = t;
    for (int k = 0; k < n; ++k) {
      const int32_t tick = t + int32_t(k * (double(g) / n));
      if (tick >= t + g) break;
      if (tick <= last) continue;
      Send(context, sink, tick, d > 0 ? v + k * r : v - k * r);
      last = tick;
    }
  }
}
