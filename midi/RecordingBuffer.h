// The recording buffer: what was played in while recording, as the first track of MIDI data that
// the import turns into notation.
#pragma once
#include "engine/EngineState.h"
#include "midi/SMFData.h"

class TRecordingBuffer {
public:
  TRecordingBuffer();

  // One empty track, flagged empty: a recording starts afresh.
  void Reset();
  TSMFData& Data() { return data_; }
  TMidiFileBuf& Track() { return data_.Track(0)->Events(); }
  // Appends one recorded short message; input that arrived while nothing played (tick -1) has no
  // place in the song and is skipped. True when it was kept.
  bool AddRecorded(const TRecordedEvent& event);
  // Whether anything was played in since the last reset (the score's own signatures do not count).
  bool HasData() const { return present_; }

private:
  TSMFData data_;
  bool present_ = false;
};
