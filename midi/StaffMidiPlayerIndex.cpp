#include "midi/StaffMidiPlayerIndex.h"

#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/StaffItems.h"

namespace {

constexpr long kStepsPerItem = 64;

}  // namespace

void TStaffMidiPlayerIndex::Attach(const TMusicStaff* staff) {
  staff_ = staff;
  index_ = 0;
  SetItemTickPos(last_, 0, 0);
  if (!staff) {
    context_.Reset();
    index_ = -1;
    return;
  }
  staff->InitContext(context_);
  context_.SetTranspose(staff->GetTransposition());
  stepsLeft_ = kStepsPerItem * (staff->ItemCount() + 1);
}

void TStaffMidiPlayerIndex::StartStaff(TMidiEventSink& list) {
  if (staff_) staff_->PlayPreamble(list, context_);
}

bool TStaffMidiPlayerIndex::Step(bool withEvents, TMidiEventSink* list) {
  const TStaffItems view{staff_->Items(), staff_->ItemCount()};
  const TNotatedItem* item = view.At(index_);
  if (!item || stepsLeft_-- <= 0) {
    index_ = -1;
    return false;
  }
  if (withEvents && !(staff_->IsMuted() && item->HasNotes())) item->AddMidiEvents(context_, *list);
  const int next = item->Perform(context_, view, index_);
  item->UpdateContext(context_);
  index_ = next > view.LastIndex() || next < 0 ? -1 : next;
  return index_ >= 0;
}

bool TStaffMidiPlayerIndex::PerformUntil(TMidiEventSink& list, int32_t limit) {
  while (index_ >= 0 && context_.GetTick() < limit && !list.IsFull()) Step(true, &list);
  return index_ >= 0;
}

bool TStaffMidiPlayerIndex::SeekTo(int32_t tick) {
  if (!staff_ || (index_ < 0 && tick >= context_.GetTick())) return false;
  const TItemTickPos before = GetPosition();
  if (tick < context_.GetTick()) Attach(staff_);
  last_ = before;
  while (index_ >= 0) {
    const TNotatedItem* item = staff_->GetItem(index_);
    if (item && tick < context_.GetTick() + item->GetDuration()) break;
    Step(false, nullptr);
  }
  return index_ != before.index || context_.GetTick() != before.tick;
}
