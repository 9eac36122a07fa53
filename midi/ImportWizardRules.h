// What the MIDI import wizard and its instruction dialog show and do without their windows: the
// instruction list's lines, the duration lists, and the instructions made ready when the
// instruction step opens.
#pragma once
#include <string>

#include "midi/SMFImportInstructions.h"

struct TQVKImportData;

// Index = duration class, whole (0) to sixty-fourth (6).
constexpr int kImportDurationCount = TSMFImportInstructions::kFinestResolution + 1;
constexpr const char* kImportNoteNames[kImportDurationCount] = {
    "Whole Note", "Half Note", "Quarter Note", "Eighth Note", "Sixteenth Note", "32nd Note", "64th Note"};
constexpr const char* kImportRestNames[kImportDurationCount] = {
    "Whole Rest", "Half Rest", "Quarter Rest", "Eighth Rest", "Sixteenth Rest", "32nd Rest", "64th Rest"};
constexpr int kMinMaxChordSize = 2, kMaxMaxChordSize = 127;

// The 1-based channels of a mask: runs of three or more "%d-%d", two neighbours "%d,%d", single
// ones "%d", separated by ","; "-" for an empty mask.
std::string ChannelListText(uint16_t mask);
// "Track=%02d  channel=%s", and "  pitch=%s through %s" when the range is not 0 to 127.
std::string InstructionLineText(const TSMFImportInstructions& instruction);

// The instruction step becomes active: the instructions are built again when "ExtractChannels"
// or "MaxChordSize" changed since they were built (answers whether they were), then the step
// before's options go into every instruction.
bool PrepareInstructionStep(TQVKImportData& import);

// A new instruction for "Add..": the record's defaults with the options.
TSMFImportInstructions NewImportInstruction(const TMidiImportOptions& options);

// The list's selection after a refill: the same line, clamped to the list (-1 when empty).
int ClampedInstructionSelection(int selection, int count);
