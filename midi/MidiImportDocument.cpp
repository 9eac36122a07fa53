#include "midi/MidiImportDocument.h"

#include <cctype>
#include <cstring>

#include "QVKNTN/MusicScore.h"
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

TImportOpenResult ImportMidiFileToScore(const char* path, std::unique_ptr<TMusicScore>& score,
                                        TImportCancelCheck cancel) {
  score.reset();
  TSMFData data;
  {
    TQXTFStream file(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path);
    if (!file.IsOpen()) return TImportOpenResult::kOpenFailed;
    ImportMidiFile(data, file, nullptr, cancel);
  }
  // Without the wizard the instructions keep the record's defaults.
  const TMidiImportOptions defaults;
  const TSMFImportInstructionList instructions =
      BuildDefaultInstructions(data, defaults.extractChannels, defaults.maxChordSize);
  score = ConvertMidiToScore(data, instructions, LyricModeForPath(path), cancel);
  return score ? TImportOpenResult::kConverted : TImportOpenResult::kCancelled;
}

std::unique_ptr<TMusicScore> ConvertMidiDataToScore(TSMFData& recording, const TMidiImportOptions& options,
                                                    TImportCancelCheck cancel) {
  TSMFImportInstructionList instructions =
      BuildDefaultInstructions(recording, options.extractChannels, options.maxChordSize);
  ApplyImportOptions(instructions, options);
  return ConvertMidiToScore(recording, instructions, TLyricMode::kNone, cancel);
}
