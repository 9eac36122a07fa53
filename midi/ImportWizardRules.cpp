#include "midi/ImportWizardRules.h"

#include <cstdio>

#include "QVKNTN/NtnHelpers.h"
#include "midi/MidiImportDocument.h"

std::string ChannelListText(uint16_t mask) {
  if (!mask) return "-";
  std::string text;
  char part[16];
  for (int c = 0; c < 16;) {
    if (!(mask >> c & 1)) {
      ++c;
      continue;
    }
    int end = c;
    while (end + 1 < 16 && (mask >> (end + 1) & 1)) ++end;
    const int run = end - c + 1;
    if (run >= 3)
      std::snprintf(part, sizeof part, "%d-%d", c + 1, end + 1);
    else if (run == 2)
      std::snprintf(part, sizeof part, "%d,%d", c + 1, end + 1);
    else
      std::snprintf(part, sizeof part, "%d", c + 1);
    if (!text.empty()) text += ',';
    text += part;
    c = end + 1;
  }
  return text;
}

std::string InstructionLineText(const TSMFImportInstructions& instruction) {
  char line[96];
  std::snprintf(line, sizeof line, "Track=%02d  channel=%s", instruction.track,
                ChannelListText(instruction.channelMask).c_str());
  std::string text = line;
  if (instruction.lowestPitch != 0 || instruction.highestPitch != 127) {
    char low[kNtnMidiNoteNameSize + 1], high[kNtnMidiNoteNameSize + 1];
    NtnMidiNoteName(low, sizeof low, instruction.lowestPitch);
    NtnMidiNoteName(high, sizeof high, instruction.highestPitch);
    std::snprintf(line, sizeof line, "  pitch=%s through %s", low, high);
    text += line;
  }
  return text;
}

bool PrepareInstructionStep(TQVKImportData& import) {
  const bool rebuild = import.options.extractChannels != import.builtExtractChannels ||
                       import.options.maxChordSize != import.builtMaxChordSize;
  if (rebuild) import.BuildDefaultInstructions();
  ApplyImportOptions(import.instructions, import.options);
  return rebuild;
}

TSMFImportInstructions NewImportInstruction(const TMidiImportOptions& options) {
  TSMFImportInstructions instruction;
  options.ApplyTo(instruction);
  return instruction;
}

int ClampedInstructionSelection(int selection, int count) {
  if (count <= 0) return -1;
  if (selection < 0) return 0;
  return selection < count ? selection : count - 1;
}
