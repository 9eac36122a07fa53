// A cursor that performs one staff in playing order (repeats, endings and jumps followed), a
// stretch of ticks at a time, or moves to the item sounding at a tick without making events.
#pragma once
#include <cstdint>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/StaffContext.h"

class TMidiEventSink;
class TMusicStaff;

class TStaffMidiPlayerIndex {
public:
  // A staff, or none (detached: the cursor is finished at once).
  void Attach(const TMusicStaff* staff);
  void Restart() { Attach(staff_); }
  // The staff's initial events (patch, volume, pan).
  void StartStaff(TMidiEventSink& list);
  // Performs every item that starts before `limit`; true while the staff has more.
  bool PerformUntil(TMidiEventSink& list, int32_t limit);
  // Moves to the item sounding at `tick` (walking again from the start for an earlier tick);
  // true when the cursor moved.
  bool SeekTo(int32_t tick);

  TItemTickPos GetPosition() const { return {index_, context_.GetTick()}; }
  TItemTickPos GetLastPosition() const { return last_; }
  const TStaffContext& Context() const { return context_; }
  const TMusicStaff* Staff() const { return staff_; }
  bool IsFinished() const { return index_ < 0; }

private:
  // Perform and UpdateContext of the item at the index; false when the staff is finished.
  bool Step(bool withEvents, TMidiEventSink* list);

  const TMusicStaff* staff_ = nullptr;
  TStaffContext context_;
  int index_ = -1;
  TItemTickPos last_ = {0, 0};
  // Repeats and jumps of a damaged staff could circle without moving on: a walk gives up after
  // this many steps per item, as the staff's own play does.
  long stepsLeft_ = 0;
};
