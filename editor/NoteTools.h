// The note tools: duration, accidental, attributes, stem and the beam/triplet grouping that the
// Notes menu and toolbar set and every score window reads when it inserts a note or rest. One
// state serves the whole process; while a view has a selection the state shows the selection,
// and the user's own tools come back when the selection goes.
#pragma once

#include <cstdint>

class TStaffRange;

// What a tool command does.
enum class TToolKind { None, Duration, Accidental, Attribute, Stem, Group };

struct TToolCommand {
  int command;
  TToolKind kind;
  int value;  // duration class, accidental code, attribute bit, stem code or group bit
};

// The command of a tool; kind None for other commands.
TToolCommand FindToolCommand(int command);

// The attribute bits the tools set: accent, dotted, staccato, tie, slur, tenuto, 10, 11, double
// dotted and grace.
constexpr uint16_t kToolAttributeMask = 0x3E8F;
constexpr int kGroupBeam = 1;
constexpr int kGroupTriplet = 2;
constexpr int kDurationCount = 7;

struct TNoteToolState {
  int duration = 2;         // 0 whole .. 6 sixty-fourth; -1 while a selection's durations differ
  int accidental = 5;       // 0 sharp, 1 flat, 2 natural, 3 double sharp, 4 double flat, 5 none
  uint16_t attributes = 0;  // note attribute bits
  int stem = 0;             // 0 automatic, 1 up, 2 down
  int groups = 0;           // kGroupBeam, kGroupTriplet: only a selection sets them
  // What may be chosen: everything without a selection.
  uint8_t allowedDurations = 0x7F;
  uint16_t allowedAttributes = kToolAttributeMask;
  bool accidentalAllowed = true;
  bool stemAllowed = true;
  int allowedGroups = kGroupBeam | kGroupTriplet;

  bool Has(int bit) const { return (attributes >> bit) & 1; }
};

// How a tool's menu item and button look.
struct TToolLook {
  bool enabled = false;
  bool checked = false;
};

class TNoteTools {
public:
  const TNoteToolState& State() const { return state_; }
  TNoteToolState& State() { return state_; }
  bool ShowsSelection() const { return showsSelection_; }

  // Each score window starts its user at quarter notes.
  void ResetDuration() { state_.duration = 2; }

  // The tool changes made without a selection (with one, the view applies the choice to the
  // selected items and then shows the selection again).
  void ChooseDuration(int durationClass);
  // Longer (-1, command 108) or shorter (+1, command 109), wrapping past the ends.
  void StepDuration(int step);
  // Command 110 (the view also puts its caret back on the middle line).
  void ResetTools();
  void ChooseAccidental(int code);
  void ChooseStem(int code);
  void ToggleAttribute(int bit);
  // The attribute command 14 ('.') stands for: double dotted instead of dotted when a dot is
  // already chosen and a toolbar shows the double-dotted button right after the dotted one.
  int DotCommand(bool doubleDottedFollowsDotted) const;
  // After a note (note true) or rest went in with tools that do not persist.
  void AfterInsert(bool note, bool persistent);

  // The state shows the selection: the user's tools are kept aside the first time.
  void ShowSelection(const TStaffRange& selection);
  // The selection went: the user's tools come back.
  void EndSelection();

  TToolLook Look(int command, bool usable) const;

private:
  TNoteToolState state_;
  TNoteToolState saved_;
  bool showsSelection_ = false;
};

// The one tool state of the process.
TNoteTools& NoteTools();
