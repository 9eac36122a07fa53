// Playing a staff into an event list: its set-up events, then every item in playing order.
#include "QVKNTN/ExpressionEvents.h"
#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/StaffItems.h"

namespace {

constexpr int kVolumeController = 7;
constexpr int kPanController = 10;
// Repeats and jumps could make a damaged staff circle: a walk gives up after this many steps per item.
constexpr long kPlayStepsPerItem = 64;

}  // namespace

void TMusicStaff::InitContext(TStaffContext& context) const {
  context.Reset();
  context.SetChannel(channel_);
  context.SetPort(port_);
}

void TMusicStaff::PlayPreamble(TMidiEventSink& list, TStaffContext& context) const {
  InitContext(context);
  context.SetTranspose(transposition_);
  if (!muted_ && instrument_.patch != 0) {
    const TPatchData patch(&instrument_);
    patch.AddMidiEvents(context, list);
  }
  if (volume_ >= 0) NtnSendController(context, list, 0, kVolumeController, volume_);
  if (pan_ >= 0) NtnSendController(context, list, 0, kPanController, pan_);
}

void TMusicStaff::Play(TMidiEventSink& list, TStaffContext& context) const {
  PlayPreamble(list, context);
  const TStaffItems view{Items(), ItemCount()};
  long budget = kPlayStepsPerItem * (ItemCount() + 1);
  for (int i = 0; i >= 0 && i <= LastIndex() && budget-- > 0 && !list.IsFull();) {
    const TNotatedItem* item = items_[static_cast<size_t>(i)];
    item->AddMidiEvents(context, list);
    const int next = item->Perform(context, view, i);
    item->UpdateContext(context);
    i = next;
  }
}
