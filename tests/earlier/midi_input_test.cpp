// The earlier line's pitch-bend wheel from a MIDI keyboard: a gesture steps the duration tool
// by the earlier line's own limits and gives a selection the new duration under one record.
#include <gtest/gtest.h>

#include "QVKNTN/EditorLine.h"
#include "editor/MidiStepEntry.h"
#include "tests/editor/OneStaffScore.h"

namespace {

static_assert(kEarlierLine, "built with the earlier line's libraries");

uint32_t Bend(int value) { return 0xE0u | (uint32_t(value) << 16); }
constexpr int kPullDown = 10;  // more than 40 under the middle: one step longer
constexpr int kPushUp = 120;   // more than 40 over it: one step shorter

}  // namespace

TEST(EarlierMidiInput, WheelStepsTheDurationTool) {
  const struct {
    int duration;
    bool grace;
    int bend;
    int expected;
  } cases[] = {
      {2, true, kPullDown, 2},   // a grace note is never longer than a quarter
      {3, true, kPullDown, 2},
      {0, false, kPullDown, 6},  // longer than a whole note wraps to the sixty-fourth
      {3, false, kPullDown, 2},
      {3, false, kPushUp, 4},
      {6, false, kPushUp, 0},    // shorter than a sixty-fourth wraps to the whole note
      {6, true, kPushUp, 2},     // ... or, for a grace note, to the quarter
  };
  for (const auto& c : cases) {
    TOneStaffScore f;
    TMidiStepEntry midi;
    f.tools.State().duration = c.duration;
    f.tools.State().attributes = c.grace ? uint16_t(1u << naGrace) : uint16_t(0);
    const TMidiStepResult r = midi.Receive(Bend(c.bend), f.entry);
    EXPECT_EQ(r.kind, TMidiStepResult::TKind::Tools);
    EXPECT_EQ(f.tools.State().duration, c.expected) << c.duration << (c.grace ? " grace" : "") << " bend " << c.bend;
    EXPECT_EQ(f.undo.UndoCount(), 0);
  }
}

TEST(EarlierMidiInput, WheelGivesTheSelectionTheNewDuration) {
  TOneStaffScore f("h q e | q");
  TMidiStepEntry midi;
  f.tools.State().duration = 3;
  f.Select(1, 4);
  const TMidiStepResult r = midi.Receive(Bend(kPushUp), f.entry);
  EXPECT_EQ(r.kind, TMidiStepResult::TKind::Changed);
  EXPECT_EQ(f.Text(), "s s s | q") << "all three, whatever they were";
  EXPECT_EQ(f.tools.State().duration, 4);
  ASSERT_EQ(f.undo.UndoCount(), 1);
  TUndoKind kind;
  int command;
  f.undo.PeekUndo(kind, command);
  EXPECT_EQ(kind, TUndoKind::Internal);
  EXPECT_EQ(command, static_cast<int>(TUndoInternal::ChangeSelection));
  TUndoEffects effects;
  ASSERT_EQ(f.edit.Undo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(f.Text(), "h q e | q");

  // Keys and controllers still wait while there is a selection.
  f.Select(1, 2);
  EXPECT_EQ(midi.Receive(0x90u | (60u << 8) | (100u << 16), f.entry).kind, TMidiStepResult::TKind::None);
  EXPECT_EQ(midi.Receive(0xB0u | (1u << 8) | (100u << 16), f.entry).kind, TMidiStepResult::TKind::None);
  EXPECT_EQ(f.tools.State().duration, 4);
}
