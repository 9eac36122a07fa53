// Turns the data the Standard MIDI File reader collected (or a recording) into a new score: a
// conductor staff with the tempo, time and key signatures, one staff per import instruction and
// lyric staves from lyric or karaoke text, each quantised, spelled, re-barred and formatted.
#pragma once
#include <memory>

#include "midi/SMFImportInstructions.h"

class TMusicScore;
class TSMFData;

// Which text events of a track become lyrics.
enum class TLyricMode { kNone = 0, kLyricEvents = 1, kKaraokeText = 2 };

// The long-task dialog's cancel check, or none.
using TImportCancelCheck = bool (*)();

// The new score, or null when the cancel check stopped the work (the partial score is deleted).
std::unique_ptr<TMusicScore> ConvertMidiToScore(TSMFData& data, const TSMFImportInstructionList& instructions,
                                                TLyricMode lyrics, TImportCancelCheck cancel = nullptr);
