// The entry points of MIDI import: a ".mid", ".rmi" or ".kar" file into a new score (what file
// opening calls), and a recording into a new score with the "Import" options.
#pragma once
#include <functional>
#include <memory>

#include "midi/MidiImportConverter.h"
#include "midi/SMFData.h"

class TMusicScore;
class TSMFData;

// ".kar" (any case) takes its lyrics from text events; every other file from lyric events.
TLyricMode LyricModeForPath(const char* path);

// What one file import works on: the read data, the instructions the wizard edits, and the options
// they come from.
struct TQVKImportData {
  TSMFData data;
  TSMFImportInstructionList instructions;
  TMidiImportOptions options;
  TLyricMode lyrics = TLyricMode::kLyricEvents;
  // The "ExtractChannels" and "MaxChordSize" the instructions were built with: the wizard builds
  // them again when either changed.
  bool builtExtractChannels = true;
  int builtMaxChordSize = 18;

  // One instruction per used track or channel, with the record's default flags and resolutions.
  void BuildDefaultInstructions();
};

// Reads the file into the import data and builds its default instructions; false when the file
// does not open.
bool ReadMidiImportFile(const char* path, TQVKImportData& import, TImportCancelCheck cancel = nullptr);

enum class TImportOpenResult { kConverted, kOpenFailed, kCancelled };

// The wizard: edits the import data's instructions; false when it did not end with Finish.
using TImportInstructionEditor = std::function<bool(TQVKImportData&)>;

// Reads the file, lets the editor (when given) change the instructions, and converts. The score is
// null unless the result is kConverted. options: "ExtractChannels" and "MaxChordSize" shape the
// default instructions; without the wizard the instructions keep the record's default flags and
// resolutions. The progress (when given) hears of the conversion only, after the wizard.
TImportOpenResult ImportMidiFileToScore(const char* path, std::unique_ptr<TMusicScore>& score,
                                        TImportCancelCheck cancel = nullptr,
                                        const TMidiImportOptions& options = TMidiImportOptions{},
                                        const TImportInstructionEditor& wizard = nullptr,
                                        TImportProgress* progress = nullptr);

// A recording into one staff for the current score: the instruction that the instruction dialog
// starts from (the Import options, the channels that carry notes in the first track and that
// track's lowest and highest keys), and the conversion of an instruction into the first staff of
// its result, which the caller then owns (null when cancelled).
TSMFImportInstructions TrackStaffInstruction(const TSMFData& recording, const TMidiImportOptions& options);
class TMusicStaff;
TMusicStaff* ImportTrackAsStaff(TSMFData& recording, const TSMFImportInstructions& instruction,
                                TImportCancelCheck cancel = nullptr, TImportProgress* progress = nullptr);

// A recording into a new score: default instructions from extractChannels and maxChordSize, the
// options applied to each, no lyrics. The progress counts as a file's conversion does; null when
// the cancel check stopped the work.
std::unique_ptr<TMusicScore> ConvertMidiDataToScore(TSMFData& recording, const TMidiImportOptions& options,
                                                    TImportCancelCheck cancel = nullptr,
                                                    TImportProgress* progress = nullptr);
