// The entry points of MIDI import: a ".mid", ".rmi" or ".kar" file into a new score (what file
// opening calls), and a recording into a new score with the "Import" options.
#pragma once
#include <memory>

#include "midi/MidiImportConverter.h"

class TMusicScore;
class TSMFData;

// ".kar" (any case) takes its lyrics from text events; every other file from lyric events.
TLyricMode LyricModeForPath(const char* path);

enum class TImportOpenResult { kConverted, kOpenFailed, kCancelled };

// Reads the file and converts it with the default instructions. The score is null unless the
// result is kConverted.
TImportOpenResult ImportMidiFileToScore(const char* path, std::unique_ptr<TMusicScore>& score,
                                        TImportCancelCheck cancel = nullptr);

// A recording into one staff for the current score: the instruction that the instruction dialog
// starts from (the Import options, the channels that carry notes in the first track and that
// track's lowest and highest keys), and the conversion of an instruction into the first staff of
// its result, which the caller then owns (null when cancelled).
TSMFImportInstructions TrackStaffInstruction(const TSMFData& recording, const TMidiImportOptions& options);
class TMusicStaff;
TMusicStaff* ImportTrackAsStaff(TSMFData& recording, const TSMFImportInstructions& instruction,
                                TImportCancelCheck cancel = nullptr);

// A recording into a new score: default instructions from extractChannels and maxChordSize, the
// options applied to each, no lyrics.
std::unique_ptr<TMusicScore> ConvertMidiDataToScore(TSMFData& recording, const TMidiImportOptions& options,
                                                    TImportCancelCheck cancel = nullptr);
