#include "midi/MidiImportDocument.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "foundation/QXTFStream.h"
#include "midi/SMFData.h"
#include "midi/SMFImport.h"

TLyricMode LyricModeForPath(const char* path) {
  const char* dot = path ? std::strrchr(path, '.') : nullptr;
  if (!dot || std::strlen(dot) != 4) return TLyricMode::kLyricEvents;
  const char kar[] = ".kar";
  for (int i = 0; i < 4; ++i)
    if (std::tolower(static_cast<unsigned char>(dot[i])) != kar[i]) return TLyricMode::kLyricEvents;
  return TLyricMode::kKaraokeText;
}

void TQVKImportData::BuildDefaultInstructions() {
  builtExtractChannels = options.extractChannels;
  builtMaxChordSize = options.maxChordSize;
  instructions = ::BuildDefaultInstructions(data, builtExtractChannels, builtMaxChordSize);
}

bool ReadMidiImportFile(const char* path, TQVKImportData& import, TImportCancelCheck cancel) {
  import.lyrics = LyricModeForPath(path);
  {
    TQXTFStream file(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path);
    if (!file.IsOpen()) return false;
    ImportMidiFile(import.data, file, nullptr, cancel);
  }
  import.BuildDefaultInstructions();
  return true;
}

TImportOpenResult ImportMidiFileToScore(const char* path, std::unique_ptr<TMusicScore>& score,
                                        TImportCancelCheck cancel, const TMidiImportOptions& options,
                                        const TImportInstructionEditor& wizard, TImportProgress* progress) {
  score.reset();
  TQVKImportData import;
  import.options = options;
  if (!ReadMidiImportFile(path, import, cancel)) return TImportOpenResult::kOpenFailed;
  if (wizard && !wizard(import)) return TImportOpenResult::kCancelled;
  score = ConvertMidiToScore(import.data, import.instructions, import.lyrics, cancel, progress);
  return score ? TImportOpenResult::kConverted : TImportOpenResult::kCancelled;
}

std::unique_ptr<TMusicScore> ConvertMidiDataToScore(TSMFData& recording, const TMidiImportOptions& options,
                                                    TImportCancelCheck cancel, TImportProgress* progress) {
  TSMFImportInstructionList instructions =
      BuildDefaultInstructions(recording, options.extractChannels, options.maxChordSize);
  ApplyImportOptions(instructions, options);
  return ConvertMidiToScore(recording, instructions, TLyricMode::kNone, cancel, progress);
}

TSMFImportInstructions TrackStaffInstruction(const TSMFData& recording, const TMidiImportOptions& options) {
  TSMFImportInstructions instruction;
  options.ApplyTo(instruction);
  const TSMFTrackData* track = recording.Track(0);
  if (!track) return instruction;
  const TMidiFileBuf& events = track->Events();
  int lowest = 127, highest = 0;
  for (int32_t i = 0, n = events.EventCount(); i < n; ++i) {
    const TMidiEvent e = events.EventAt(i);
    if (!IsMidiNoteStart(e)) continue;
    lowest = std::min(lowest, e.b[1] & 0x7F);
    highest = std::max(highest, e.b[1] & 0x7F);
  }
  instruction.channelMask = events.ChannelsUsing((1u << kMidiNoteOff) | (1u << kMidiNoteOn));
  if (lowest <= highest) {
    instruction.lowestPitch = uint8_t(lowest);
    instruction.highestPitch = uint8_t(highest);
  }
  return instruction;
}

TMusicStaff* ImportTrackAsStaff(TSMFData& recording, const TSMFImportInstructions& instruction,
                                TImportCancelCheck cancel, TImportProgress* progress) {
  std::unique_ptr<TMusicScore> score =
      ConvertMidiToScore(recording, {instruction}, TLyricMode::kNone, cancel, progress);
  if (!score || score->StaffCount() < 2) return nullptr;
  TMusicStaff* staff = score->RemoveStaff(0);
  // Its sizes were set for a first staff among others; clamped again for its new place.
  staff->SetExtents(staff->GetUpperSize(), staff->GetLowerSize());
  return staff;
}
