#pragma once
#include "QVKNTN/EditorLine.h"
// The lyrics of one staff: up to nine lyric lines (verses) and their two display settings.

#include <vector>

#include "QVKNTN/LyricText.h"

class TQXTStream;
class TReadAheadStream;

class TStaffLyrics {
public:
  // A staff keeps at most this many lyric lines; further lines in a file are read and dropped.
  // The earlier line keeps eight; either line reads and drops the blocks beyond.
  static constexpr int kMaxLines = kEarlierLine ? 8 : 9;

  TStaffLyrics();
  virtual ~TStaffLyrics();
  TStaffLyrics(const TStaffLyrics&) = delete;
  TStaffLyrics& operator=(const TStaffLyrics&) = delete;

  int GetLineCount() const { return static_cast<int>(lines_.size()); }
  TLyricText* GetLine(int i) const;
  void AddLine(TLyricText* line);
  void InsertLine(TLyricText* line, int i);
  // Takes line i out of the lyrics without deleting it; null outside the lines.
  TLyricText* RemoveLine(int i);

  int GetFirstSetting() const { return firstSetting_; }
  void SetFirstSetting(int on) { firstSetting_ = on ? 1 : 0; }
  int GetSecondSetting() const { return secondSetting_; }
  void SetSecondSetting(int on) { secondSetting_ = on ? 1 : 0; }
  int GetOffset() const { return offset_; }
  void SetOffset(int offset) { offset_ = static_cast<short>(offset); }

  // The lyrics record of the score file at the given format version.
  bool Load(TQXTStream& s, int version);
  bool Load(TReadAheadStream& s, int version);
  void Save(TQXTStream& s) const;

private:
  template <class In>
  bool LoadRecord(In& s, int version);

  std::vector<TLyricText*> lines_;
  int firstSetting_ = 0;
  int offset_ = 0;
  int secondSetting_ = 0;
};
