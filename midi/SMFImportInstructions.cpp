#include "midi/SMFImportInstructions.h"

#include <algorithm>

#include "foundation/SysInfo.h"
#include "midi/SMFData.h"

namespace {

constexpr const char* kSection = "Import";
constexpr uint8_t kNoteClasses = (1u << kMidiNoteOff) | (1u << kMidiNoteOn);

int ClampResolution(int durationClass) {
  return std::clamp(durationClass, 0, TSMFImportInstructions::kFinestResolution);
}

int LowestKey(const TMidiFileBuf& events, uint16_t channelMask) {
  int lowest = 127;
  for (int32_t i = 0, n = events.EventCount(); i < n; ++i) {
    const TMidiEvent e = events.EventAt(i);
    if (IsMidiNoteStart(e) && (channelMask >> MidiEventChannel(e) & 1)) lowest = std::min(lowest, int(e.b[1] & 0x7F));
  }
  return lowest;
}

void AddInstructionsFor(TSMFImportInstructionList& list, const TMidiFileBuf& events, int track,
                        uint16_t channelMask, int maxChordSize) {
  TSMFImportInstructions instruction;
  instruction.track = uint16_t(track);
  instruction.channelMask = channelMask;
  const int span = events.LargestChordSpan(channelMask);
  if (span <= maxChordSize) {
    list.push_back(instruction);
    return;
  }
  const int split = std::clamp(LowestKey(events, channelMask) + span / 2, 1, 127);
  TSMFImportInstructions upper = instruction, lower = instruction;
  upper.lowestPitch = uint8_t(split);
  lower.highestPitch = uint8_t(split - 1);
  list.push_back(upper);
  list.push_back(lower);
}

}  // namespace

void TMidiImportOptions::Read(TSysInfo& settings) {
  pedalMarks = settings.ReadInt(kSection, "AddPedalMarks", 0) != 0;
  patchChanges = settings.ReadInt(kSection, "AddPatchChanges", 0) != 0;
  autoBeam = settings.ReadInt(kSection, "AutoBeam", 1) != 0;
  compoundTime = settings.ReadInt(kSection, "DetectCompoundTime", 1) != 0;
  noteResolution = ClampResolution(settings.ReadInt(kSection, "NoteResolution", 5));
  restResolution = ClampResolution(settings.ReadInt(kSection, "RestResolution", 2));
  extractChannels = settings.ReadInt(kSection, "ExtractChannels", 1) != 0;
  maxChordSize = std::clamp(settings.ReadInt(kSection, "MaxChordSize", 18), 2, 127);
}

void TMidiImportOptions::Write(TSysInfo& settings) const {
  settings.WriteInt(kSection, "AddPedalMarks", pedalMarks);
  settings.WriteInt(kSection, "AddPatchChanges", patchChanges);
  settings.WriteInt(kSection, "AutoBeam", autoBeam);
  settings.WriteInt(kSection, "DetectCompoundTime", compoundTime);
  settings.WriteInt(kSection, "NoteResolution", noteResolution);
  settings.WriteInt(kSection, "RestResolution", restResolution);
  settings.WriteInt(kSection, "ExtractChannels", extractChannels);
  settings.WriteInt(kSection, "MaxChordSize", maxChordSize);
}

void TMidiImportOptions::ApplyTo(TSMFImportInstructions& instruction) const {
  instruction.Set(TSMFImportInstructions::kPedalMarks, pedalMarks);
  instruction.Set(TSMFImportInstructions::kPatchChanges, patchChanges);
  instruction.Set(TSMFImportInstructions::kAutoBeam, autoBeam);
  instruction.Set(TSMFImportInstructions::kCompoundTime, compoundTime);
  instruction.noteResolution = uint8_t(ClampResolution(noteResolution));
  instruction.restResolution = uint8_t(ClampResolution(restResolution));
}

TSMFImportInstructionList BuildDefaultInstructions(const TSMFData& data, bool extractChannels, int maxChordSize) {
  TSMFImportInstructionList list;
  list.reserve(251);
  for (int t = 0; t < data.TrackCount(); ++t) {
    const TMidiFileBuf& events = data.Track(t)->Events();
    const uint16_t used = events.ChannelsUsing(kNoteClasses);
    if (!used) continue;
    if (!extractChannels) {
      AddInstructionsFor(list, events, t, used, maxChordSize);
      continue;
    }
    for (int c = 0; c < 16; ++c)
      if (used >> c & 1) AddInstructionsFor(list, events, t, uint16_t(1u << c), maxChordSize);
  }
  return list;
}

void ApplyImportOptions(TSMFImportInstructionList& list, const TMidiImportOptions& options) {
  for (TSMFImportInstructions& instruction : list) options.ApplyTo(instruction);
}
