// What one imported staff is made of (a track, a set of channels and a pitch range, with its
// quantisation and notation choices), the "Import" options that fill it, and the default list of
// instructions for a read file. The import wizard edits these records; the converter only reads them.
#pragma once
#include <cstdint>
#include <vector>

class TSMFData;
class TSysInfo;

struct TSMFImportInstructions {
  enum : uint8_t {
    kPedalMarks = 0x01,
    kPatchChanges = 0x02,
    kAutoBeam = 0x04,
    kCompoundTime = 0x08,
  };
  // Duration classes: whole (0) to sixty-fourth (6).
  static constexpr int kFinestResolution = 6;

  uint16_t channelMask = 0xFFFF;  // bit n: channel n + 1
  // Wider than a byte: a file may hold more than 256 tracks, and a byte would wrap to track 0.
  uint16_t track = 0;
  uint8_t highestPitch = 127;
  uint8_t lowestPitch = 0;
  uint8_t noteResolution = 5;
  uint8_t restResolution = 2;
  uint8_t flags = kAutoBeam | kCompoundTime;

  bool Has(uint8_t flag) const { return (flags & flag) != 0; }
  void Set(uint8_t flag, bool on) { flags = uint8_t(on ? flags | flag : flags & ~flag); }
};

// The "Import" section of the settings.
struct TMidiImportOptions {
  bool pedalMarks = false;
  bool patchChanges = false;
  bool autoBeam = true;
  bool compoundTime = true;
  int noteResolution = 5;
  int restResolution = 2;
  bool extractChannels = true;
  int maxChordSize = 18;

  void Read(TSysInfo& settings);
  void Write(TSysInfo& settings) const;
  // The four flags and the two resolutions.
  void ApplyTo(TSMFImportInstructions& instruction) const;
};

using TSMFImportInstructionList = std::vector<TSMFImportInstructions>;

// One instruction per track with notes (or per used channel with extractChannels); a track whose
// chords span more than maxChordSize semitones is split into an upper and a lower staff.
TSMFImportInstructionList BuildDefaultInstructions(const TSMFData& data, bool extractChannels, int maxChordSize);
void ApplyImportOptions(TSMFImportInstructionList& list, const TMidiImportOptions& options);
