// Writes a Standard MIDI File: the header chunk, then one track chunk per track whose length is
// filled in once its body is written. The bodies come from the subclasses.
#pragma once
#include <cstdint>

#include "midi/SMFStream.h"

class TQXTStream;
struct TMidiEvent;

class TSMFOutStream : public TSMFStream {
public:
  explicit TSMFOutStream(TQXTStream& out);

  // Format 0 writes the tempo track's body only; format 1 the tempo track and then `trackCount`
  // further tracks (the header counts them all). True when every byte was taken.
  virtual bool WriteMidiFile(int format, int trackCount, int division);
  virtual void WriteTrackBody(int track) {}
  virtual void WriteTempoTrackBody() {}

  // A list event at its tick (no running status); holds write nothing.
  void WriteEvent(const TMidiEvent& event);
  // A text-type meta event, at the given tick or (tick < 0) at delta 0.
  void WriteMetaText(int type, const char* text, int32_t tick = -1);
  // A meta event with its payload at delta 0.
  void WriteMeta(int type, const uint8_t* data, uint32_t length);
  int32_t LastTick() const { return lastTick_; }

protected:
  void WriteByte(uint8_t byte);
  void WriteVarLen(uint32_t value);
  void WriteDelta(int32_t tick);

private:
  void WriteTrack(bool tempoTrack, int track);
  void WriteBig(uint32_t value, int bytes);

  TQXTStream& out_;
  uint32_t trackBytes_ = 0;
  int32_t lastTick_ = 0;
};
