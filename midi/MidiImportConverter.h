// Turns the data the Standard MIDI File reader collected (or a recording) into a new score: a
// conductor staff with the tempo, time and key signatures, one staff per import instruction and
// lyric staves from lyric or karaoke text, each quantised, spelled, re-barred and formatted.
#pragma once
#include <memory>
#include <vector>

#include "midi/ImportProgress.h"
#include "midi/SMFImportInstructions.h"

class TMusicScore;
class TSMFData;

// Which text events of a track become lyrics.
enum class TLyricMode { kNone = 0, kLyricEvents = 1, kKaraokeText = 2 };

// The long-task dialog's cancel check, or none.
using TImportCancelCheck = bool (*)();

class TMusicStaff;

// The staves of one instruction and of the conductor, as the converter writes them before the
// score is finished (for the single-staff import of a recording, and for tests); the caller owns
// them. An instruction whose music fills a staff (12000 items) carries on in further staves, so
// that no note is lost.
std::vector<TMusicStaff*> BuildStavesFromInstruction(TSMFData& data, const TSMFImportInstructions& instruction,
                                                     TImportCancelCheck cancel = nullptr);
TMusicStaff* BuildConductorStaff(TSMFData& data, TImportCancelCheck cancel = nullptr);

// The new score, or null when the cancel check stopped the work (the partial score is deleted).
// The earlier line makes no lyric staves, whatever the mode. The progress (when given) counts
// kImportStepsPerStaff steps per instruction and per track with lyrics.
std::unique_ptr<TMusicScore> ConvertMidiToScore(TSMFData& data, const TSMFImportInstructionList& instructions,
                                                TLyricMode lyrics, TImportCancelCheck cancel = nullptr,
                                                TImportProgress* progress = nullptr);
