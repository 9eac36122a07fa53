// Parses a Standard MIDI File from any byte stream and reports what it finds through virtual
// callbacks, all empty here. Every byte of a chunk is counted against the chunk's length, so a
// damaged length or event can never make the reader run past its chunk or its input.
#pragma once
#include <cstdarg>
#include <cstdint>
#include <vector>

#include "midi/SMFStream.h"

class TQXTStream;

class TSMFInStream : public TSMFStream {
public:
  // log: where warnings and errors go as text lines (none = no log).
  explicit TSMFInStream(TQXTStream& in, TQXTStream* log = nullptr);

  // Polled once per event; answering true ends the reading (the long-task dialog's cancel).
  void SetCancelCheck(bool (*check)()) { cancelCheck_ = check; }

  // The header, then the announced track chunks while each succeeds, then OnEnd. True when
  // everything announced was read without error.
  bool ReadMidiFile();

  virtual void OnHeader(int format, int trackCount, int division) {}
  virtual void OnTrackStart() {}
  virtual void OnTrackEnd() {}
  virtual void OnEnd() {}
  virtual void OnChannelMessage(uint8_t status, uint8_t data1, uint8_t data2) {}
  virtual void OnNoteOn(int channel, int key, int velocity) {}
  virtual void OnNoteOff(int channel, int key) {}
  virtual void OnPolyPressure(int channel, int key, int pressure) {}
  virtual void OnControlChange(int channel, int controller, int value) {}
  virtual void OnPitchBend(int channel, int lsb, int msb) {}
  virtual void OnProgramChange(int channel, int program) {}
  virtual void OnChannelPressure(int channel, int pressure) {}
  virtual void OnMetaEvent(int type, const uint8_t* data, uint32_t length) {}
  virtual void OnUnknownMeta(int type, const uint8_t* data, uint32_t length) {}
  virtual void OnMidiPort(int port) {}
  virtual void OnSequencerSpecific(const uint8_t* data, uint32_t length) {}
  virtual void OnSequenceNumber(int number) {}
  virtual void OnTextEvent(int type, const char* text) {}
  virtual void OnEndOfTrack() {}
  virtual void OnTimeSignature(int nn, int dd, int cc, int bb) {}
  virtual void OnSmpteOffset(const uint8_t* fiveBytes) {}
  virtual void OnTempo(uint32_t microsecondsPerQuarter) {}
  virtual void OnKeySignature(int sf, int mi) {}
  virtual void OnSysEx(const uint8_t* data, uint32_t length) {}
  virtual void OnSysExEscape(const uint8_t* data, uint32_t length) {}

  // Meta types and the size of the fixed-size ones.
  enum TMetaType : uint8_t {
    kMetaSequenceNumber = 0x00,
    kMetaText = 0x01,
    kMetaCopyright = 0x02,
    kMetaTrackName = 0x03,
    kMetaInstrument = 0x04,
    kMetaLyric = 0x05,
    kMetaLastText = 0x0F,
    kMetaPort = 0x21,
    kMetaEndOfTrack = 0x2F,
    kMetaTempo = 0x51,
    kMetaSmpteOffset = 0x54,
    kMetaTimeSignature = 0x58,
    kMetaKeySignature = 0x59,
    kMetaSequencerSpecific = 0x7F,
  };

protected:
  // The running tick of the current track, in the file's units.
  uint64_t RunningTick() const { return trackTick_; }

private:
  bool ReadHeader();
  bool ReadTrack();
  bool FindTrackTag();
  // A byte outside any chunk (tags and lengths); false at the end of the input.
  bool ReadRawByte(uint8_t& byte);
  bool ReadRawLength(uint32_t& length);
  // A byte of the current chunk, counted against its budget.
  uint8_t ReadByte();
  int ReadWord();  // 16 bits, big-endian
  uint32_t ReadVarLen();
  // Reads `length` bytes of the chunk (clamped to what it holds) into the message buffer.
  uint32_t ReadMessage(uint32_t length, const char* what);
  void SkipBudget();
  void ReadChannelMessage(uint8_t status, uint8_t first, bool firstRead);
  void ReadMetaEvent();
  void DispatchMeta(int type, const uint8_t* data, uint32_t length);
  bool HasFixedSize(int type, uint32_t length);
  // A log line: the prefix with the input position, then the message.
  void Warn(const char* format, ...);
  void Fail(const char* format, ...);
  void Log(bool error, const char* format, va_list args);
  bool Cancelled() const { return cancelCheck_ && cancelCheck_(); }

  TQXTStream& in_;
  TQXTStream* log_;
  uint32_t budget_ = 0;
  bool atEnd_ = false;
  bool noMoreData_ = false;  // the input ended where a track chunk was due
  uint8_t runningStatus_ = 0;
  std::vector<uint8_t> message_;
  bool (*cancelCheck_)() = nullptr;
};
