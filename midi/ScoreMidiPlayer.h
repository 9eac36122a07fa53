// Turns a score into one MIDI performance: every staff is walked in playing order by its own
// cursor, all staves side by side in passes of two quarter notes, into a sorted event list that
// the engine plays or the writer exports. The cursors also follow the song position.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "midi/StaffMidiPlayerIndex.h"

class TMidiFileBuf;
class TMusicScore;

class TScoreMidiPlayer {
public:
  // Ticks each pass performs of every staff before the next pass.
  static constexpr int32_t kPassTicks = 384;

  // Audits the score and attaches one cursor to each staff.
  void SetScore(TMusicScore* score);
  TMusicScore* Score() const { return score_; }

  // Performs the score from `startTick` into the list, which is emptied first but keeps its type
  // filter. Of what lies before the start tick only the state in force there is kept, at tick 0;
  // the time it would take to play is the lead-in. False when the list overflowed.
  bool Perform(TMidiFileBuf& list, int32_t startTick = 0);
  // SeekTo on every staff; true when any cursor moved.
  bool SeekAll(int32_t tick);

  int StaffCount() const { return int(cursors_.size()); }
  TStaffMidiPlayerIndex* Cursor(int i) const { return i >= 0 && i < StaffCount() ? cursors_[size_t(i)].get() : nullptr; }
  TItemTickPos GetStaffPosition(int i) const;
  TItemTickPos GetStaffLastPosition(int i) const;
  // The longest tick any staff's walk reached: the performed length.
  int32_t PerformedLength() const;

  int32_t StartTick() const { return startTick_; }
  uint32_t LeadInMs() const { return leadInMs_; }
  uint32_t TotalMs() const { return totalMs_; }

private:
  void StartAll(TMidiFileBuf& list);

  TMusicScore* score_ = nullptr;
  std::vector<std::unique_ptr<TStaffMidiPlayerIndex>> cursors_;
  int32_t startTick_ = 0;
  uint32_t leadInMs_ = 0;
  uint32_t totalMs_ = 0;
};
