// The import wizard's rules: the instruction list's lines, and the instructions made ready when
// the instruction step opens (built again only when the channel or chord choices changed).
#include <gtest/gtest.h>

#include "MidiImportNotes.h"
#include "midi/ImportWizardRules.h"
#include "foundation/SysInfo.h"
#include "midi/MidiImportDocument.h"

#include <cstdio>

namespace {

TEST(ImportWizardRules, ChannelListTexts) {
  const struct {
    uint16_t mask;
    const char* text;
  } cases[] = {
      {0x0000, "-"},          {0x0001, "1"},          {0x0003, "1,2"},       {0x0007, "1-3"},
      {0xFFFF, "1-16"},       {0x8000, "16"},         {0xC000, "15,16"},     {0x002D, "1,3,4,6"},
      {0x0F0B, "1,2,4,9-12"}, {0xE007, "1-3,14-16"},
  };
  for (const auto& c : cases) EXPECT_EQ(ChannelListText(c.mask), c.text) << std::hex << c.mask;
}

TEST(ImportWizardRules, InstructionLines) {
  TSMFImportInstructions i;
  i.track = 3;
  i.channelMask = 0x0001;
  EXPECT_EQ(InstructionLineText(i), "Track=03  channel=1");
  i.lowestPitch = 60;
  EXPECT_EQ(InstructionLineText(i), "Track=03  channel=1  pitch=C 5 through G 10");
  i.track = 12;
  i.channelMask = 0x0206;
  i.lowestPitch = 0;
  i.highestPitch = 61;
  EXPECT_EQ(InstructionLineText(i), "Track=12  channel=2,3,10  pitch=C 0 through C#5");
}

TEST(ImportWizardRules, SelectionAfterARefillStaysOnItsLine) {
  const struct {
    int selection, count, expected;
  } cases[] = {{2, 5, 2}, {4, 4, 3}, {7, 3, 2}, {-1, 3, 0}, {0, 0, -1}, {3, 0, -1}};
  for (const auto& c : cases)
    EXPECT_EQ(ClampedInstructionSelection(c.selection, c.count), c.expected) << c.selection << " of " << c.count;
}

// One track with a 40-semitone span on channel 1 and a note on channel 4.
void ReadWideTrack(TQVKImportData& import) {
  const std::vector<TNoteValue> notes = {{0, 192, 40, 0}, {0, 192, 80, 0}, {192, 384, 60, 3}};
  EXPECT_TRUE(ReadSmfBytes(import.data, Format1({ConductorEvents(), NoteEvents(notes)})));
  import.BuildDefaultInstructions();
}

TEST(ImportWizardRules, InstructionStepRebuildsOnlyForChannelOrChordChanges) {
  TQVKImportData import;
  ReadWideTrack(import);
  ASSERT_EQ(import.instructions.size(), 3u) << "channel 1 split in two, channel 4";

  // An instruction edited by hand survives when only the first step's options change.
  import.instructions[2].lowestPitch = 50;
  import.options.pedalMarks = true;
  import.options.noteResolution = 3;
  import.options.restResolution = 1;
  import.options.autoBeam = false;
  EXPECT_FALSE(PrepareInstructionStep(import));
  ASSERT_EQ(import.instructions.size(), 3u);
  EXPECT_EQ(import.instructions[2].lowestPitch, 50);
  for (const TSMFImportInstructions& i : import.instructions) {
    EXPECT_EQ(i.flags, TSMFImportInstructions::kPedalMarks | TSMFImportInstructions::kCompoundTime);
    EXPECT_EQ(i.noteResolution, 3);
    EXPECT_EQ(i.restResolution, 1);
  }

  import.options.maxChordSize = 40;
  EXPECT_TRUE(PrepareInstructionStep(import));
  ASSERT_EQ(import.instructions.size(), 2u) << "no split under the larger chord size";
  EXPECT_EQ(import.instructions[1].lowestPitch, 0) << "the hand edit went with the old list";
  EXPECT_EQ(import.instructions[0].noteResolution, 3) << "the options reach the rebuilt list";

  import.options.extractChannels = false;
  EXPECT_TRUE(PrepareInstructionStep(import));
  ASSERT_EQ(import.instructions.size(), 1u);
  EXPECT_EQ(import.instructions[0].channelMask, 0x0009);
  EXPECT_FALSE(PrepareInstructionStep(import)) << "nothing changed since";
}

TEST(ImportWizardRules, NewInstructionsTakeTheOptions) {
  TMidiImportOptions options;
  options.patchChanges = true;
  options.compoundTime = false;
  options.noteResolution = 4;
  const TSMFImportInstructions i = NewImportInstruction(options);
  EXPECT_EQ(i.flags, TSMFImportInstructions::kPatchChanges | TSMFImportInstructions::kAutoBeam);
  EXPECT_EQ(i.noteResolution, 4);
  EXPECT_EQ(i.channelMask, 0xFFFF);
  EXPECT_EQ(i.track, 0);
  EXPECT_EQ(i.lowestPitch, 0);
  EXPECT_EQ(i.highestPitch, 127);
}

}  // namespace

namespace {

// The "Import" options page reads and writes the eight keys of its section.
TEST(ImportWizardRules, ImportOptionsRoundTripThroughTheirSection) {
  const std::string path = ::testing::TempDir() + "vc_import_options.ini";
  std::remove(path.c_str());
  TSysInfo settings;
  settings.SetStorageNames("Vellichord Tests", path.c_str());
  settings.SetRegistryFlag(0);
  TMidiImportOptions read;
  read.Read(settings);
  const TMidiImportOptions defaults;
  EXPECT_EQ(read.autoBeam, defaults.autoBeam);
  EXPECT_EQ(read.maxChordSize, 18);

  TMidiImportOptions changed;
  changed.pedalMarks = true;
  changed.patchChanges = true;
  changed.autoBeam = false;
  changed.compoundTime = false;
  changed.noteResolution = 6;
  changed.restResolution = 0;
  changed.extractChannels = false;
  changed.maxChordSize = 127;
  changed.Write(settings);
  settings.FlushSettings();
  TSysInfo again;
  again.SetStorageNames("Vellichord Tests", path.c_str());
  again.SetRegistryFlag(0);
  read = TMidiImportOptions{};
  read.Read(again);
  EXPECT_TRUE(read.pedalMarks && read.patchChanges && !read.autoBeam && !read.compoundTime && !read.extractChannels);
  EXPECT_EQ(read.noteResolution, 6);
  EXPECT_EQ(read.restResolution, 0);
  EXPECT_EQ(read.maxChordSize, 127);
  EXPECT_EQ(again.ReadInt("Import", "MaxChordSize", 0), 127);
  std::remove(path.c_str());
}

}  // namespace
