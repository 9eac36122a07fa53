// Writes a score as a Standard MIDI File: a tempo track first (with the score information by
// default), then one track per staff in format 1, or the whole performance in one track in
// format 0.
#pragma once
#include <functional>

#include "midi/SMFOutStream.h"

class TMidiFileBuf;
class TMusicScore;
class TMusicStaff;
class TQXTStream;

// Where the score information goes: nowhere, the tempo track, or the first staff track.
enum class TSMFHeaderInfo { kNone = 0, kTempoTrack = 1, kFirstStaffTrack = 2 };

struct TSMFExportOptions {
  TSMFHeaderInfo headerInfo = TSMFHeaderInfo::kTempoTrack;
  // Every staff track carries its own time and key signatures.
  bool trackSignatures = false;
};

class TSMFExportStream : public TSMFOutStream {
public:
  TSMFExportStream(TQXTStream& out, TMusicScore& score, TMidiFileBuf& list, const TSMFExportOptions& options);

  void WriteTrackBody(int track) override { WriteStaffTrack(track); }
  void WriteTempoTrackBody() override { WriteTempoTrack(); }

private:
  void WriteTempoTrack();
  void WriteStaffTrack(int staff);
  void WriteScoreInfoEvents(bool intoTempoTrack);
  void PlayStaff(const TMusicStaff& staff);
  // Every event of the list; with a staff that has lyrics, its syllables interleaved as lyric
  // events at the ticks of the notes that take them.
  void WriteList(const TMusicStaff* lyricStaff);
  void WriteLyricEvents(const TMusicStaff& staff);

  TMusicScore& score_;
  TMidiFileBuf& list_;
  TSMFExportOptions options_;
};

// The score as format 0 or 1 into the stream; true when every byte was taken.
bool WriteScoreAsMidi(TQXTStream& out, TMusicScore& score, int format, const TSMFExportOptions& options);

// Writes the file under a temporary name beside `path` and puts it in place of `path` only once
// it is complete: a failed write leaves an existing file as it was. True on success.
bool WriteFileReplacing(const char* path, const std::function<bool(TQXTStream&)>& write);
// Puts `source` in the place of `target` in one step (platform seam).
bool ReplaceFileWith(const char* source, const char* target);
