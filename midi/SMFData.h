// What a Standard MIDI File holds once read: the song texts, one track record per kept track
// (its events at 192 ticks per quarter, its text events, its port and names) and the SysEx data.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/QVMultiField.h"
#include "foundation/QXTSegRamStream.h"
#include "midi/MidiFileBuf.h"

class TSMFTrackData {
public:
  enum TNameField { kTrackName = 0, kInstrumentName = 1 };
  static constexpr int kNameSize = 40;

  TSMFTrackData();
  void Reset();

  TMidiFileBuf& Events() { return events_; }
  const TMidiFileBuf& Events() const { return events_; }
  // Records {i32 tick, u8 meta type, zero-terminated text}.
  TQXTSegRamStream& Texts() { return texts_; }
  void AddText(int32_t tick, int type, const char* text);
  bool HasTexts() const { return textCount_ > 0; }
  int TextCount() const { return textCount_; }
  int Port() const { return port_; }
  void SetPort(int port) { port_ = port; }
  const char* Name(TNameField field) const { return names_.GetField(field); }
  // Cut to the field's size.
  void SetName(TNameField field, const char* text);

  // For the import's track search: a lyric (type 5) after tick 0, or a text (type 1) after
  // tick 0 that does not begin with "@" (karaoke files put their headers there).
  bool HasLyrics();
  bool HasText();

private:
  bool HasTextOf(int type, bool skipAtSign);

  TMidiFileBuf events_;
  TQXTSegRamStream texts_;
  int textCount_ = 0;
  int port_ = 0;
  TQVMultiField names_;
};

class TSMFData {
public:
  enum TSongText { kTitle = 0, kAuthor = 1, kCopyright1 = 2, kCopyright2 = 3 };
  static constexpr int kSongTextSize = 255;

  TSMFData();

  const char* Text(TSongText field) const { return texts_.GetField(field); }
  void SetText(TSongText field, const char* text);

  int TrackCount() const { return int(tracks_.size()); }
  TSMFTrackData* Track(int i) const { return i >= 0 && i < TrackCount() ? tracks_[size_t(i)].get() : nullptr; }
  void AppendTrack(std::unique_ptr<TSMFTrackData> track) { tracks_.push_back(std::move(track)); }
  // Clears the SysEx data and the song texts, and leaves n reset tracks.
  void SetTrackCount(int n);

  // Records {u8 0xF0 or 0xF7, i32 tick, i32 length, bytes}.
  TQXTSegRamStream& SysEx() { return sysEx_; }
  void AddSysEx(uint8_t kind, int32_t tick, const uint8_t* data, uint32_t length);
  int SysExCount() const { return sysExCount_; }

private:
  TQVMultiField texts_;
  std::vector<std::unique_ptr<TSMFTrackData>> tracks_;
  TQXTSegRamStream sysEx_;
  int sysExCount_ = 0;
};
