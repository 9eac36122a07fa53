// The note tool state as a state machine: every tool command id, the exclusions between
// attributes, the wrapping duration steps, the reset, the dot key, the non-persistent clearing,
// and the state shown for a selection with the user's tools coming back after it.
#include <gtest/gtest.h>

#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/StaffRange.h"
#include "editor/NoteTools.h"
#include "resources/CommandIds.h"
#include "tests/staffutl/StaffText.h"

namespace {

uint16_t Bits(std::initializer_list<int> bits) {
  uint16_t w = 0;
  for (int b : bits) w = static_cast<uint16_t>(w | (1u << b));
  return w;
}

}  // namespace

TEST(NoteTools, EveryToolCommandNamesItsTool) {
  struct Case {
    int command;
    TToolKind kind;
    int value;
  } cases[] = {
      {101, TToolKind::Duration, 0},   {102, TToolKind::Duration, 1},   {103, TToolKind::Duration, 2},
      {104, TToolKind::Duration, 3},   {105, TToolKind::Duration, 4},   {106, TToolKind::Duration, 5},
      {107, TToolKind::Duration, 6},   {97, TToolKind::Accidental, 0},  {98, TToolKind::Accidental, 1},
      {96, TToolKind::Accidental, 2},  {99, TToolKind::Accidental, 3},  {100, TToolKind::Accidental, 4},
      {116, TToolKind::Attribute, 0},  {119, TToolKind::Attribute, 1},  {117, TToolKind::Attribute, 2},
      {121, TToolKind::Attribute, 3},  {114, TToolKind::Attribute, 7},  {118, TToolKind::Attribute, 9},
      {122, TToolKind::Attribute, 10}, {123, TToolKind::Attribute, 11}, {120, TToolKind::Attribute, 12},
      {225, TToolKind::Attribute, 13}, {111, TToolKind::Stem, 1},       {112, TToolKind::Stem, 2},
      {113, TToolKind::Group, kGroupBeam}, {115, TToolKind::Group, kGroupTriplet},
      {108, TToolKind::None, 0},       {128, TToolKind::None, 0},
  };
  for (const Case& c : cases) {
    const TToolCommand t = FindToolCommand(c.command);
    EXPECT_EQ(t.kind, c.kind) << c.command;
    if (c.kind != TToolKind::None) {
      EXPECT_EQ(t.value, c.value) << c.command;
    }
  }
}

TEST(NoteTools, ChoosingToolsTogglesAndExcludes) {
  // Each row: the attributes before, the bit chosen, the attributes and duration after.
  struct Case {
    uint16_t before;
    int duration;
    int bit;
    uint16_t after;
    int durationAfter;
  } cases[] = {
      {0, 2, naDotted, Bits({naDotted}), 2},
      {Bits({naDotted}), 2, naDotted, 0, 2},
      {Bits({naDotted}), 2, naDoubleDotted, Bits({naDoubleDotted}), 2},
      {Bits({naDoubleDotted}), 2, naDotted, Bits({naDotted}), 2},
      {Bits({naStaccato, naAccent}), 2, naTenuto, Bits({naTenuto, naAccent}), 2},
      {Bits({naTenuto}), 2, naStaccato, Bits({naStaccato}), 2},
      {Bits({10}), 2, 11, Bits({11}), 2},
      {Bits({11}), 2, 10, Bits({10}), 2},
      {0, 0, naGrace, Bits({naGrace}), 2},  // a grace note is never whole or half
      {0, 1, naGrace, Bits({naGrace}), 2},
      {0, 3, naGrace, Bits({naGrace}), 3},
      {Bits({naGrace}), 1, naGrace, 0, 1},  // clearing grace leaves the duration
      {0, 2, naSlurOut, Bits({naSlurOut}), 2},
      {0, 2, naTieOut, Bits({naTieOut}), 2},
      {0, 2, naChordMember, 0, 2},  // not a tool bit
  };
  for (const Case& c : cases) {
    TNoteTools tools;
    tools.State().attributes = c.before;
    tools.State().duration = c.duration;
    tools.ToggleAttribute(c.bit);
    EXPECT_EQ(tools.State().attributes, c.after) << c.before << " bit " << c.bit;
    EXPECT_EQ(tools.State().duration, c.durationAfter) << c.before << " bit " << c.bit;
  }
}

TEST(NoteTools, AccidentalAndStemToggleAgainstNone) {
  TNoteTools tools;
  tools.ChooseAccidental(acSharp);
  EXPECT_EQ(tools.State().accidental, acSharp);
  tools.ChooseAccidental(acFlat);
  EXPECT_EQ(tools.State().accidental, acFlat);
  tools.ChooseAccidental(acFlat);
  EXPECT_EQ(tools.State().accidental, acNone);
  tools.ChooseStem(stUp);
  EXPECT_EQ(tools.State().stem, stUp);
  tools.ChooseStem(stDown);
  EXPECT_EQ(tools.State().stem, stDown);
  tools.ChooseStem(stDown);
  EXPECT_EQ(tools.State().stem, stAuto);
}

TEST(NoteTools, DurationsAndTheirStepsWrap) {
  // Duration, grace, step (-1 longer, +1 shorter) and the duration after.
  struct Case {
    int duration;
    bool grace;
    int step;
    int after;
  } cases[] = {
      {0, false, -1, 6}, {6, false, 1, 0}, {2, false, -1, 1}, {2, false, 1, 3},
      {2, true, -1, 6},  {6, true, 1, 2},  {1, true, 1, 2},   {1, true, -1, 6},
  };
  for (const Case& c : cases) {
    TNoteTools tools;
    tools.State().duration = c.duration;
    tools.State().attributes = c.grace ? Bits({naGrace}) : 0;
    tools.StepDuration(c.step);
    EXPECT_EQ(tools.State().duration, c.after) << c.duration << " grace " << c.grace << " step " << c.step;
  }
  TNoteTools tools;
  tools.State().attributes = Bits({naGrace, naAccent});
  tools.ChooseDuration(4);
  EXPECT_EQ(tools.State().duration, 4);
  EXPECT_EQ(tools.State().attributes, Bits({naGrace, naAccent}));
  tools.ChooseDuration(1);  // half clears grace
  EXPECT_EQ(tools.State().duration, 1);
  EXPECT_EQ(tools.State().attributes, Bits({naAccent}));
}

TEST(NoteTools, ResetAndTheDotKey) {
  TNoteTools tools;
  tools.State() = {5, acFlat, Bits({naAccent, naGrace}), stDown};
  tools.ResetTools();
  EXPECT_EQ(tools.State().duration, 2);
  EXPECT_EQ(tools.State().accidental, acNone);
  EXPECT_EQ(tools.State().attributes, 0);
  EXPECT_EQ(tools.State().stem, stAuto);

  EXPECT_EQ(tools.DotCommand(true), CM_DOTTED) << "no dot yet: the key dots";
  tools.ToggleAttribute(naDotted);
  EXPECT_EQ(tools.DotCommand(false), CM_DOTTED);
  EXPECT_EQ(tools.DotCommand(true), CM_DOUBLEDOTTED);
  tools.ToggleAttribute(naDoubleDotted);
  EXPECT_EQ(tools.DotCommand(true), CM_DOUBLEDOTTED);
}

TEST(NoteTools, ToolsThatDoNotPersistClearAfterEachInsert) {
  const uint16_t all = Bits({naAccent, naDotted, naStaccato, naTieOut, naSlurOut, naTenuto, 10, 11, naDoubleDotted, naGrace});
  struct Case {
    bool note, persistent;
    uint16_t attributes;
    int accidental;
  } cases[] = {
      {true, false, 0, acNone},
      {false, false, 0, acSharp},  // a rest keeps the accidental
      {true, true, all, acSharp},
  };
  for (const Case& c : cases) {
    TNoteTools tools;
    tools.State().attributes = all;
    tools.State().accidental = acSharp;
    tools.State().duration = 4;
    tools.AfterInsert(c.note, c.persistent);
    EXPECT_EQ(tools.State().attributes, c.attributes) << c.note << c.persistent;
    EXPECT_EQ(tools.State().accidental, c.accidental) << c.note << c.persistent;
    EXPECT_EQ(tools.State().duration, 4);
  }
}

TEST(NoteTools, LooksFollowTheStateAndTheView) {
  TNoteTools tools;
  tools.State().duration = 3;
  tools.State().accidental = acNatural;
  tools.State().attributes = Bits({naStaccato});
  tools.State().stem = stUp;
  struct Case {
    int command;
    bool checked;
  } cases[] = {{CM_EIGHTH, true}, {CM_QUARTER, false}, {CM_NATURAL, true}, {CM_SHARP, false},
               {CM_STACCATO, true}, {CM_TENUTO, false}, {CM_STEMUP, true}, {CM_STEMDOWN, false},
               {CM_BEAM, false}};
  for (const Case& c : cases) {
    EXPECT_TRUE(tools.Look(c.command, true).enabled) << c.command;
    EXPECT_EQ(tools.Look(c.command, true).checked, c.checked) << c.command;
    EXPECT_FALSE(tools.Look(c.command, false).enabled) << "an unusable view disables " << c.command;
  }
  EXPECT_FALSE(tools.Look(CM_INSERTNOTE, true).enabled) << "not a tool";
}

TEST(NoteTools, ASelectionShowsItselfAndTheUserToolsComeBack) {
  InstallAuditPass();
  TMusicStaff staff;
  // Items 1..5: two eighths made staccato, a bar line at 3, a quarter and a rest.
  FillStaff(staff, "e e@1 | q@2 rq");
  staff.GetItem(1)->GetNote(0)->SetAttribute(naStaccato);
  staff.GetItem(2)->GetNote(0)->SetAttribute(naStaccato);
  TNoteTools tools;
  tools.State().duration = 1;
  tools.State().accidental = acFlat;
  tools.State().attributes = Bits({naAccent});

  tools.ShowSelection(TStaffRange(&staff, 1, 2));
  const TNoteToolState& s = tools.State();
  EXPECT_EQ(s.duration, 3);
  EXPECT_TRUE(s.Has(naStaccato));
  EXPECT_FALSE(s.Has(naAccent)) << "the selection has no accents";
  EXPECT_TRUE(s.allowedGroups & kGroupBeam) << "two eighths can be beamed";
  EXPECT_FALSE(s.groups & kGroupBeam);
  EXPECT_TRUE(tools.Look(CM_BEAM, true).enabled);
  EXPECT_TRUE(tools.Look(CM_EIGHTH, true).checked);

  // A mixed selection shows no duration; a selection of a bar line alone allows no note tool.
  tools.ShowSelection(TStaffRange(&staff, 2, 4));
  EXPECT_EQ(tools.State().duration, -1);
  EXPECT_FALSE(tools.State().Has(naStaccato)) << "not every item is staccato";
  tools.ShowSelection(TStaffRange(&staff, 3, 3));
  EXPECT_FALSE(tools.Look(CM_QUARTER, true).enabled);
  EXPECT_FALSE(tools.Look(CM_SHARP, true).enabled);
  EXPECT_FALSE(tools.Look(CM_STEMUP, true).enabled);

  tools.EndSelection();
  EXPECT_EQ(tools.State().duration, 1);
  EXPECT_EQ(tools.State().accidental, acFlat);
  EXPECT_EQ(tools.State().attributes, Bits({naAccent}));
  EXPECT_TRUE(tools.Look(CM_BEAM, true).enabled) << "without a selection every tool is allowed";
}

TEST(NoteTools, GraceSelectionsRefuseWholeAndHalf) {
  InstallAuditPass();
  TMusicStaff staff;
  FillStaff(staff, "gs gs@1 q");
  TNoteTools tools;
  tools.ShowSelection(TStaffRange(&staff, 1, 2));
  EXPECT_TRUE(tools.State().Has(naGrace));
  EXPECT_FALSE(tools.Look(CM_WHOLE, true).enabled);
  EXPECT_FALSE(tools.Look(CM_HALF, true).enabled);
  EXPECT_TRUE(tools.Look(CM_QUARTER, true).enabled);
}
