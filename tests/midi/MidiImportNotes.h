// Notes as plain values, taken from a read Standard MIDI File or from a score played through the
// exporter, for comparing what an import kept.
#pragma once
#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "QVKNTN/MusicScore.h"
#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"
#include "midi/ImportProgress.h"
#include "midi/SMFData.h"
#include "midi/SMFExportStream.h"
#include "midi/SMFImport.h"
#include "SmfBytes.h"

struct TNoteValue {
  long start;
  long end;
  int key;
  int channel;
  bool operator==(const TNoteValue& o) const {
    return std::tie(start, end, key, channel) == std::tie(o.start, o.end, o.key, o.channel);
  }
  bool operator<(const TNoteValue& o) const {
    return std::tie(start, key, channel, end) < std::tie(o.start, o.key, o.channel, o.end);
  }
};

// Every note of every track, sorted; a note-on without its note-off is left out.
inline std::vector<TNoteValue> NotesOf(const TSMFData& data) {
  std::vector<TNoteValue> notes;
  for (int t = 0; t < data.TrackCount(); ++t) {
    const TMidiFileBuf& events = data.Track(t)->Events();
    long startOf[16][128];
    for (auto& row : startOf) std::fill(std::begin(row), std::end(row), -1L);
    for (int32_t i = 0, n = events.EventCount(); i < n; ++i) {
      const TMidiEvent e = events.EventAt(i);
      const int ch = MidiEventChannel(e), key = e.b[1] & 0x7F;
      if (IsMidiNoteStart(e)) startOf[ch][key] = e.tick;
      if (IsMidiNoteEnd(e) && startOf[ch][key] >= 0) {
        notes.push_back({startOf[ch][key], e.tick, key, ch});
        startOf[ch][key] = -1;
      }
    }
  }
  std::sort(notes.begin(), notes.end());
  return notes;
}

inline bool ReadSmfBytes(TSMFData& data, TBytes bytes) {
  TQXTFlatRamStream in(bytes.data(), uint32_t(bytes.size()), uint32_t(bytes.size()));
  return ImportMidiFile(data, in, nullptr);
}

// The score exported as a format-1 file and read back.
inline bool ExportAndRead(TMusicScore& score, TSMFData& data) {
  TQXTSegRamStream out(4096);
  if (!WriteScoreAsMidi(out, score, 1, {})) return false;
  TBytes bytes(out.Size());
  out.Seek(0);
  out.Read(bytes.data(), uint32_t(bytes.size()));
  return ReadSmfBytes(data, bytes);
}

// A format-1 file at 192 ticks per quarter: a conductor track with 4/4 and the given tempo, then
// one track per list of notes (note-offs before note-ons at a tick).
inline void PutDelta(TBytes& b, uint32_t v) {
  uint8_t tmp[5];
  int n = 0;
  do {
    tmp[n++] = uint8_t(v & 0x7F);
    v >>= 7;
  } while (v);
  while (n > 1) b.push_back(uint8_t(tmp[--n] | 0x80));
  b.push_back(tmp[0]);
}

struct TTimedBytes {
  long tick;
  int order;
  TBytes bytes;
};

inline TBytes TrackOf(std::vector<TTimedBytes> events) {
  std::stable_sort(events.begin(), events.end(),
                   [](const TTimedBytes& a, const TTimedBytes& b) { return std::tie(a.tick, a.order) < std::tie(b.tick, b.order); });
  TBytes body;
  long last = 0;
  for (const TTimedBytes& e : events) {
    PutDelta(body, uint32_t(e.tick - last));
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    last = e.tick;
  }
  const TBytes end = EndOfTrack();
  body.insert(body.end(), end.begin(), end.end());
  return SmfTrack(body);
}

inline std::vector<TTimedBytes> NoteEvents(const std::vector<TNoteValue>& notes) {
  std::vector<TTimedBytes> events;
  for (const TNoteValue& n : notes) {
    events.push_back({n.end, 1, {uint8_t(0x80 | n.channel), uint8_t(n.key), 64}});
    events.push_back({n.start, 2, {uint8_t(0x90 | n.channel), uint8_t(n.key), 90}});
  }
  return events;
}

inline TTimedBytes MetaAt(long tick, uint8_t type, const TBytes& payload) {
  TBytes b = {0xFF, type, uint8_t(payload.size())};
  b.insert(b.end(), payload.begin(), payload.end());
  return {tick, 0, b};
}

inline TTimedBytes TextAt(long tick, uint8_t type, const std::string& text) {
  return MetaAt(tick, type, TBytes(text.begin(), text.end()));
}

inline std::vector<TTimedBytes> ConductorEvents() {
  return {MetaAt(0, 0x58, {4, 2, 24, 8}), MetaAt(0, 0x51, {0x07, 0xA1, 0x20})};
}

inline TBytes Format1(const std::vector<std::vector<TTimedBytes>>& tracks) {
  TBytes file = SmfHeader(1, int(tracks.size()), 192);
  for (const auto& t : tracks) {
    const TBytes chunk = TrackOf(t);
    file.insert(file.end(), chunk.begin(), chunk.end());
  }
  return file;
}

// The notes a staff writes, tied pieces joined, at their nominal ticks and durations (the played
// performance shortens notes by its articulation, so durations are read from the items).
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/StaffContext.h"

inline std::vector<TNoteValue> NotesOfStaff(const TMusicStaff& staff) {
  std::vector<TNoteValue> notes;
  TStaffContext context;
  staff.InitContext(context);
  std::vector<size_t> open(128, size_t(-1));  // tied notes waiting for their continuation
  long tick = 0;
  for (int i = 1; i < staff.LastIndex(); ++i) {
    TNotatedItem* item = staff.GetItem(i);
    const long length = item->GetDuration();
    std::vector<size_t> stillOpen(128, size_t(-1));
    for (int h = 0; h < NtnHeadCount(item); ++h) {
      TMusicNote* head = NtnHead(item, h);
      const int key = head->GetPitch(context);
      size_t at = open[size_t(key)];
      if (at != size_t(-1) && notes[at].end == tick) {
        notes[at].end = tick + length;
      } else {
        notes.push_back({tick, tick + length, key, staff.GetChannel()});
        at = notes.size() - 1;
      }
      if (NtnHasAttr(head, naTieOut) || (h == 0 && NtnHasAttr(NtnAsSongNote(item), naTieOut))) stillOpen[size_t(key)] = at;
    }
    if (NtnAsSongNote(item) || NtnHeadCount(item) > 0) open.swap(stillOpen);
    item->UpdateContext(context);
    tick += length;
  }
  std::sort(notes.begin(), notes.end());
  return notes;
}

inline std::vector<TNoteValue> NotesOfScore(const TMusicScore& score) {
  std::vector<TNoteValue> all;
  for (int s = 0; s < score.StaffCount(); ++s) {
    const TMusicStaff& staff = *score.GetStaff(s);
    if (staff.IsMuted() || std::string(staff.GetGroupName()) == "Lyrics") continue;
    const std::vector<TNoteValue> notes = NotesOfStaff(staff);
    all.insert(all.end(), notes.begin(), notes.end());
  }
  std::sort(all.begin(), all.end());
  return all;
}

// What a conversion told its progress: each Start's range and message, and the steps since.
struct TRecordedProgress : TImportProgress {
  std::vector<std::pair<int, std::string>> starts;
  int done = 0;
  void Start(int steps, const char* message) override {
    starts.emplace_back(steps, message);
    done = 0;
  }
  void Advance(int steps) override { done += steps; }
};
