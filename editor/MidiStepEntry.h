// Step entry from a MIDI keyboard: the short messages the engine echoes to the focused view. Keys
// are held until one is released, and then all held keys go in as one note or chord at the caret;
// the sustain pedal, the modulation and foot controllers and the pitch-bend wheel work the note
// tools (in the earlier line the wheel also sets a selection's duration); a program change
// inserts an instrument patch.
#pragma once

#include <cstdint>

#include "editor/NoteEntry.h"

class TMusicStaff;
class TNotatedItem;
class TStaffContext;

// What a message asked of the view.
struct TMidiStepResult {
  enum class TKind {
    None,     // nothing to do (held a key, or a message of no use here)
    Tools,    // the note tools changed: the toolbars show it
    Command,  // run the tool command (14, 108 or 109) as if chosen from the menu
    Inserted, // an item went in at the caret
    Refused,  // the insert was refused: beep, or the capacity box when the staff is full
    Changed,  // the selected items changed
  };
  TKind kind = TKind::None;
  int command = 0;
  TEntryResult entry = TEntryResult::Done;
};

class TMidiStepEntry {
public:
  static constexpr int kKeys = 128;

  // One short message (status in the low byte, then data 1 and data 2).
  TMidiStepResult Receive(uint32_t message, TNoteEntry& entry);

  bool IsHeld(int key) const { return key >= 0 && key < kKeys && held_[key]; }
  int HeldCount() const;
  int LastBend() const { return lastBend_; }
  void ReleaseAll();

  // The note or chord the held keys make at the context, with the tools' duration, attributes
  // and stem; null when no key is held. Exposed for the tests of spelling and chords.
  TNotatedItem* BuildFromHeld(const TStaffContext& context, int transposition, const TNoteEntry& entry) const;

private:
  TMidiStepResult KeysReleased(TNoteEntry& entry);
  TMidiStepResult Controller(int number, int value, TNoteTools& tools);
  TMidiStepResult PitchBend(int value, TNoteEntry& entry);
  // A wheel gesture: the current line runs Longer or Shorter; the earlier line steps the duration
  // tool by its own limits and gives a selection the new duration.
  TMidiStepResult StepDuration(bool longer, TNoteEntry& entry);

  bool held_[kKeys] = {};
  int lastBend_ = 64;
};

// The held keys are the application's: one set for every view.
TMidiStepEntry& MidiStepEntry();
