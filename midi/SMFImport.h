// Reads a Standard MIDI File into a TSMFData: every kept track's events converted to 192 ticks per
// quarter note, tempo and time signatures gathered in the first track (the conductor track), and
// the song texts taken from the file's text events.
#pragma once
#include <memory>

#include "midi/SMFData.h"
#include "midi/SMFInStream.h"

class TSMFImport : public TSMFInStream {
public:
  TSMFImport(TSMFData& data, TQXTStream& in, TQXTStream* log = nullptr);

  // A tick of the file in the score's resolution.
  int32_t ScoreTick(uint64_t fileTick) const;

  void OnHeader(int format, int trackCount, int division) override;
  void OnTrackStart() override;
  void OnTrackEnd() override;
  void OnChannelMessage(uint8_t status, uint8_t data1, uint8_t data2) override;
  void OnMidiPort(int port) override;
  void OnTextEvent(int type, const char* text) override;
  void OnTimeSignature(int nn, int dd, int cc, int bb) override;
  void OnTempo(uint32_t microsecondsPerQuarter) override;
  void OnKeySignature(int sf, int mi) override;
  void OnSysEx(const uint8_t* data, uint32_t length) override;
  void OnSysExEscape(const uint8_t* data, uint32_t length) override;

private:
  int32_t Now() const { return ScoreTick(RunningTick()); }
  // Tempo and time signatures belong to the first track, whichever chunk they come in.
  TSMFTrackData* Conductor();
  void TakeCopyright(const char* text);

  TSMFData& data_;
  std::unique_ptr<TSMFTrackData> current_;
  int fileDivision_ = 192;
  int quotient_ = 1;
  int remainder_ = 0;
};

// Reads the whole stream into the data (which is emptied first); true when the file was read
// without error. cancelCheck: the long-task dialog's cancel, or none.
bool ImportMidiFile(TSMFData& data, TQXTStream& in, TQXTStream* log, bool (*cancelCheck)() = nullptr);
