// What a MIDI file's conversion into a score reports while it runs: the gauge's range and its
// message when the conversion starts, then each step done. The long-task dialog shows them.
#pragma once

class TImportProgress {
public:
  virtual ~TImportProgress() = default;
  virtual void Start(int steps, const char* message) = 0;
  virtual void Advance(int steps) = 0;
};

constexpr char kImportProgressMessage[] = "Converting MIDI data to notation";
// Each instruction's staff (and, in the current line, each lyric track) counts this many steps.
constexpr int kImportStepsPerStaff = 4;
