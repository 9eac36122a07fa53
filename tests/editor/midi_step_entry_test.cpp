// Step entry from a MIDI keyboard: held keys going in as one chord when one is released, keys
// one by one as notes, spelling in the key and clef in force, the controller and pitch-bend
// gestures on the tools, program changes, and data bytes with a stray high bit.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "editor/MidiStepEntry.h"
#include "resources/CommandIds.h"
#include "tests/editor/OneStaffScore.h"
#include "tests/staffutl/StaffText.h"

namespace {

uint32_t Msg(int status, int d1, int d2 = 0) { return uint32_t(status) | (uint32_t(d1) << 8) | (uint32_t(d2) << 16); }
uint32_t On(int key, int velocity = 100) { return Msg(0x90, key, velocity); }
uint32_t Off(int key) { return Msg(0x80, key, 64); }

struct TMidiFixture : TOneStaffScore {
  TMidiStepEntry midi;

  explicit TMidiFixture(const std::string& text = "") : TOneStaffScore(text) {
    edit.MoveCaretTo(Staff().LastIndex(), false);
  }
  TMidiStepResult Send(uint32_t message) { return midi.Receive(message, entry); }
};

}  // namespace

TEST(MidiStepEntry, KeysHeldTogetherMakeOneChord) {
  TMidiFixture f;
  for (int key : {60, 64, 67}) EXPECT_EQ(f.Send(On(key)).kind, TMidiStepResult::TKind::None);
  EXPECT_EQ(f.Staff().LastIndex(), 1) << "nothing goes in while keys are held";
  EXPECT_EQ(f.Send(Off(64)).kind, TMidiStepResult::TKind::Inserted);
  // The other releases find no held key: nothing more goes in.
  EXPECT_EQ(f.Send(Off(60)).kind, TMidiStepResult::TKind::None);
  EXPECT_EQ(f.Send(On(67, 0)).kind, TMidiStepResult::TKind::None);
  ASSERT_EQ(f.Staff().LastIndex(), 2);
  EXPECT_EQ(f.Staff().GetItem(1)->GetType(), ntChord);
  EXPECT_EQ(f.Heads(1), (std::set<int>{2, 4, 6})) << "C, E and G above middle C in the treble clef";
  TUndoKind kind;
  int command;
  f.undo.PeekUndo(kind, command);
  EXPECT_EQ(kind, TUndoKind::Internal);
  EXPECT_EQ(command, static_cast<int>(TUndoInternal::MidiInput));
}

TEST(MidiStepEntry, KeysOneByOneMakeNotes) {
  TMidiFixture f;
  f.tools.ChooseDuration(3);
  for (int key : {60, 64, 67}) {
    f.Send(On(key));
    f.Send(Off(key));
  }
  EXPECT_EQ(StaffText(f.Staff()), "e@6 e@4 e@2");
  EXPECT_EQ(f.undo.UndoCount(), 3);
}

TEST(MidiStepEntry, SpellingFollowsKeyClefAndTransposition) {
  // Staff text, transposition, octave-shifting clef, key played, position and accidental written.
  struct Case {
    const char* staff;
    int transposition;
    int octaveShift;
    int key;
    int position, accidental;
  } cases[] = {
      {"", 0, osNone, 71, 0, acNatural},
      {"K-1", 0, osNone, 70, 0, acFlat},    // B flat in a flat key
      {"K2", 0, osNone, 70, 1, acSharp},    // A sharp in a sharp key
      {"", 2, osNone, 62, 6, acNatural},    // a staff sounding a tone up writes C for D
      {"", 0, osOctaveUp, 72, 6, acNatural},  // the clef sounds an octave up: C5 is written as C4
      {"", 0, osOctaveDown, 48, 6, acNatural},
  };
  for (const Case& c : cases) {
    TMidiFixture f(c.staff);
    f.Staff().SetTransposition(c.transposition);
    if (c.octaveShift != osNone) {
      f.edit.MoveCaretTo(1, false);
      f.Staff().InsertItem(new TClefData(clTreble, c.octaveShift), 1);
      RunStaffAudit(&f.Staff(), -1, -1);
      f.edit.MoveCaretTo(f.Staff().LastIndex(), false);
    }
    f.Send(On(c.key));
    ASSERT_EQ(f.Send(Off(c.key)).kind, TMidiStepResult::TKind::Inserted) << c.key;
    TMusicNote* note = f.Staff().GetItem(f.Staff().LastIndex() - 1)->GetNote(0);
    EXPECT_EQ(note->GetPosition(), c.position) << c.staff << " key " << c.key;
    EXPECT_EQ(note->GetAccidental(), c.accidental) << c.staff << " key " << c.key;
  }
}

TEST(MidiStepEntry, AHeadOnATakenLineIsRespelled) {
  TMidiFixture f;
  // B, C and C sharp: C sharp would share C's space in a chord of two heads already, so it is
  // written as D flat.
  for (int key : {59, 60, 61}) f.Send(On(key));
  f.Send(Off(61));
  ASSERT_EQ(f.Staff().GetItem(1)->GetType(), ntChord);
  EXPECT_EQ(f.Heads(1), (std::set<int>{5, 6, 7}));
  const TMusicNote* dflat = f.Staff().GetItem(1)->FindNoteAtPosition(5);
  ASSERT_TRUE(dflat);
  EXPECT_EQ(dflat->GetAccidental(), acFlat);
}

TEST(MidiStepEntry, DataBytesAreSevenBits) {
  TMidiFixture f;
  // A note on whose key byte carries the high bit (0xBC) holds key 60, not a flag past the 128.
  EXPECT_EQ(f.Send(Msg(0x90, 0xBC, 0xE4)).kind, TMidiStepResult::TKind::None);
  EXPECT_TRUE(f.midi.IsHeld(60));
  EXPECT_EQ(f.midi.HeldCount(), 1);
  EXPECT_EQ(f.Send(Msg(0x80, 0xFF, 0)).kind, TMidiStepResult::TKind::None) << "key 127 was not held";
  EXPECT_EQ(f.Send(Msg(0x80, 0x3C, 0)).kind, TMidiStepResult::TKind::Inserted);
  EXPECT_EQ(StaffText(f.Staff()), "q@6");
  // Channel bits do not matter; other statuses do nothing.
  EXPECT_EQ(f.Send(Msg(0x9F, 62, 1)).kind, TMidiStepResult::TKind::None);
  EXPECT_TRUE(f.midi.IsHeld(62));
  EXPECT_EQ(f.Send(Msg(0xA0, 62, 1)).kind, TMidiStepResult::TKind::None);
  EXPECT_EQ(f.Send(Msg(0xD0, 62, 1)).kind, TMidiStepResult::TKind::None);
}

TEST(MidiStepEntry, ControllersWorkTheTools) {
  TMidiFixture f;
  f.Send(Msg(0xB0, 64, 127));
  EXPECT_TRUE(f.tools.State().Has(naTieOut));
  f.Send(Msg(0xB0, 64, 10));
  EXPECT_FALSE(f.tools.State().Has(naTieOut));
  // Without keys held a modulation or foot controller chooses the duration.
  struct Case {
    int controller, value, duration;
  } durations[] = {{1, 0, 0}, {4, 45, 2}, {5, 100, 5}, {6, 127, 6}, {7, 127, 6}};
  for (const Case& c : durations) {
    f.tools.State().duration = 6;
    f.Send(Msg(0xB0, c.controller, c.value));
    EXPECT_EQ(f.tools.State().duration, c.controller == 7 ? 6 : c.duration) << c.controller << " " << c.value;
  }
  // With keys held it chooses the dots.
  f.Send(On(60));
  struct Dots {
    int value;
    bool dotted, doubleDotted;
  } dots[] = {{50, true, false}, {80, false, true}, {20, false, false}, {110, false, false}};
  for (const Dots& d : dots) {
    f.tools.State().attributes = 1u << naDotted | 1u << naDoubleDotted;
    f.Send(Msg(0xB0, 1, d.value));
    EXPECT_EQ(f.tools.State().Has(naDotted), d.dotted) << d.value;
    EXPECT_EQ(f.tools.State().Has(naDoubleDotted), d.doubleDotted) << d.value;
  }
  EXPECT_EQ(f.Staff().LastIndex(), 1);
}

TEST(MidiStepEntry, PitchBendGestures) {
  TMidiFixture f;
  using K = TMidiStepResult::TKind;
  // Without keys: a push up is Shorter, once however long the wheel stays there.
  TMidiStepResult r = f.Send(Msg(0xE0, 0, 110));
  EXPECT_EQ(r.kind, K::Command);
  EXPECT_EQ(r.command, CM_SHORTER);
  EXPECT_EQ(f.Send(Msg(0xE0, 0, 110)).kind, K::None);
  EXPECT_EQ(f.Send(Msg(0xE0, 0, 64)).kind, K::None);  // back to the middle
  EXPECT_EQ(f.midi.LastBend(), 64);
  r = f.Send(Msg(0xE0, 0, 10));
  EXPECT_EQ(r.kind, K::Command);
  EXPECT_EQ(r.command, CM_LONGER);
  f.Send(Msg(0xE0, 0, 64));
  // With a key held: a push up is the dot key; a pull down clears the dots.
  f.Send(On(60));
  r = f.Send(Msg(0xE0, 0, 120));
  EXPECT_EQ(r.kind, K::Command);
  EXPECT_EQ(r.command, CM_TOGGLEDOTTED);
  EXPECT_EQ(f.midi.LastBend(), 104);
  f.tools.State().attributes = 1u << naDotted;
  EXPECT_EQ(f.Send(Msg(0xE0, 0, 30)).kind, K::Tools);
  EXPECT_FALSE(f.tools.State().Has(naDotted));
  EXPECT_EQ(f.midi.LastBend(), 30);
  EXPECT_EQ(f.Send(Msg(0xE0, 0, 64)).kind, K::None);
  EXPECT_EQ(f.midi.LastBend(), 64);
}

TEST(MidiStepEntry, ProgramChangeInsertsAPatch) {
  TMidiFixture f("q");
  ASSERT_EQ(f.Send(Msg(0xC3, 4)).kind, TMidiStepResult::TKind::Inserted);
  ASSERT_EQ(f.Staff().LastIndex(), 3);
  const auto* patch = dynamic_cast<const TPatchData*>(f.Staff().GetItem(2));
  ASSERT_TRUE(patch);
  EXPECT_EQ(patch->GetPatch().patch, 5) << "programs count from 0, patches from 1";
}

TEST(MidiStepEntry, ASelectionOrAFullStaffTakesNothing) {
  TMidiFixture f("q q");
  f.edit.MoveCaretTo(1, true);
  f.Send(On(60));
  EXPECT_EQ(f.Send(Off(60)).kind, TMidiStepResult::TKind::None);
  EXPECT_EQ(f.Staff().LastIndex(), 3);

  TMidiFixture full("q");
  while (full.Staff().FreeItemSlots() > 0) full.Staff().AppendItem(new TMusicNote(0, 2));
  full.Send(On(60));
  const TMidiStepResult r = full.Send(Off(60));
  EXPECT_EQ(r.kind, TMidiStepResult::TKind::Refused);
  EXPECT_EQ(r.entry, TEntryResult::NoRoom);
  EXPECT_EQ(full.undo.UndoCount(), 0);
  EXPECT_EQ(full.midi.HeldCount(), 0) << "the keys are released even when the note is refused";
}
