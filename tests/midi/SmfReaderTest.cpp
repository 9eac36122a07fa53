// The Standard MIDI File reader: time conversion, running status, texts, the conductor track, and
// damaged files that are refused or read partly with a log line.
#include <gtest/gtest.h>

#include <string>

#include "SmfBytes.h"
#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"
#include "midi/SMFImport.h"

namespace {

struct TRead {
  TSMFData data;
  std::string log;
  bool ok = false;
};

void Read(TRead& r, TBytes bytes) {
  TQXTFlatRamStream in(bytes.data(), uint32_t(bytes.size()), uint32_t(bytes.size()));
  TQXTSegRamStream log(256);
  r.ok = ImportMidiFile(r.data, in, &log);
  log.Seek(0);
  r.log.clear();
  for (uint32_t i = 0, n = log.Size(); i < n; ++i) r.log += char(log.GetByte());
}

TMidiEvent EventOf(const TRead& r, int track, int i) { return r.data.Track(track)->Events().EventAt(i); }

TBytes NoteTrack(uint8_t delta) { return Cat({{0x00, 0x90, 60, 100, delta, 0x80, 60, 0}, EndOfTrack()}); }

TEST(SmfReader, DeltasBecome192TicksPerQuarter) {
  const struct {
    int division;
    uint8_t delta;
    int32_t tick;
  } rows[] = {{96, 100, 200}, {480, 120, 48}, {192, 100, 100}, {120, 120, 192}, {1, 1, 192}};
  for (const auto& row : rows) {
    TRead r;
    Read(r, Cat({SmfHeader(0, 1, row.division), SmfTrack(NoteTrack(row.delta))}));
    ASSERT_TRUE(r.ok) << row.division << r.log;
    EXPECT_EQ(EventOf(r, 0, 1).tick, row.tick) << "division " << row.division;
  }
  // 480 ticks per quarter: a delta of 240 (two bytes) is an eighth, 96 ticks.
  TRead r;
  Read(r, Cat({SmfHeader(0, 1, 480), SmfTrack(Cat({{0x00, 0x90, 60, 100, 0x81, 0x70, 0x80, 60, 0}, EndOfTrack()}))}));
  EXPECT_EQ(EventOf(r, 0, 1).tick, 96);
}

TEST(SmfReader, RunningStatusAndVelocityZeroGiveNoteOffs) {
  TRead r;
  Read(r, Cat({SmfHeader(0, 1, 192),
               SmfTrack(Cat({{0x00, 0x91, 60, 90, 0x00, 64, 80, 0x60, 60, 0, 0x00, 64, 0}, EndOfTrack()}))}));
  ASSERT_TRUE(r.ok) << r.log;
  const TMidiFileBuf& events = r.data.Track(0)->Events();
  ASSERT_EQ(events.EventCount(), 4);
  int offs = 0;
  for (int i = 0; i < 4; ++i) {
    const TMidiEvent e = events.EventAt(i);
    EXPECT_EQ(MidiEventChannel(e), 1);
    if (e.tick == 96) {
      EXPECT_EQ(e.b[0] & 0xF0, 0x80) << "velocity 0 is stored as a note-off";
      ++offs;
    }
  }
  EXPECT_EQ(offs, 2);
}

TEST(SmfReader, ConductorTrackTitleAndEmptyTracks) {
  // Track 1: name and tempo only; track 2: end of track only (dropped); track 3: a note.
  TRead r;
  Read(r, Cat({SmfHeader(1, 3, 96), SmfTrack(Cat({Meta(0x03, "Song"), Meta(0x51, std::string("\x07\xA1\x20", 3)), EndOfTrack()})),
               SmfTrack(EndOfTrack()), SmfTrack(Cat({Meta(0x03, "Piano"), Meta(0x51, std::string("\x0F\x42\x40", 3), 10), NoteTrack(4)}))}));
  ASSERT_TRUE(r.ok) << r.log;
  EXPECT_STREQ(r.data.Text(TSMFData::kTitle), "Song");
  ASSERT_EQ(r.data.TrackCount(), 2);
  EXPECT_STREQ(r.data.Track(0)->Name(TSMFTrackData::kTrackName), "Song");
  EXPECT_STREQ(r.data.Track(1)->Name(TSMFTrackData::kTrackName), "Piano");
  // Both tempi are in the conductor track, at their ticks.
  const TMidiFileBuf& conductor = r.data.Track(0)->Events();
  ASSERT_EQ(conductor.EventCount(), 2);
  EXPECT_EQ(MidiEventTempoBpm(conductor.EventAt(0)), 120);
  EXPECT_EQ(conductor.EventAt(1).tick, 20);
  EXPECT_EQ(MidiEventTempoBpm(conductor.EventAt(1)), 60);
  EXPECT_EQ(r.data.Track(1)->Events().EventCount(), 2);

  // The first track is kept even when it holds nothing.
  TRead first;
  Read(first, Cat({SmfHeader(1, 2, 96), SmfTrack(EndOfTrack()), SmfTrack(NoteTrack(4))}));
  EXPECT_EQ(first.data.TrackCount(), 2);
}

TEST(SmfReader, SongTextsFromTextEvents) {
  TRead r;
  Read(r, Cat({SmfHeader(1, 2, 96),
               SmfTrack(Cat({Meta(0x01, "By J. Doe"), Meta(0x02, "(c) 1999\rAll rights"), Meta(0x01, "By Nobody"), EndOfTrack()})),
               SmfTrack(Cat({Meta(0x02, "Third"), Meta(0x04, "Grand Piano"), Meta(0x05, "la", 5), Meta(0x01, "", 1), NoteTrack(4)}))}));
  ASSERT_TRUE(r.ok) << r.log;
  EXPECT_STREQ(r.data.Text(TSMFData::kAuthor), "J. Doe");
  EXPECT_STREQ(r.data.Text(TSMFData::kCopyright1), "(c) 1999");
  EXPECT_STREQ(r.data.Text(TSMFData::kCopyright2), "All rights");
  EXPECT_STREQ(r.data.Track(1)->Name(TSMFTrackData::kInstrumentName), "Grand Piano");
  EXPECT_EQ(r.data.Track(0)->TextCount(), 3);
  EXPECT_EQ(r.data.Track(1)->TextCount(), 3) << "the empty text is ignored";
  EXPECT_TRUE(r.data.Track(1)->HasLyrics());
  EXPECT_FALSE(r.data.Track(0)->HasLyrics());
  EXPECT_FALSE(r.data.Track(0)->HasText()) << "texts at tick 0 do not count";

  // Karaoke headers begin with "@": only a plain text after tick 0 counts as text.
  TRead kar;
  Read(kar, Cat({SmfHeader(0, 1, 96), SmfTrack(Cat({Meta(0x01, "@TTitle", 4), NoteTrack(4)}))}));
  EXPECT_FALSE(kar.data.Track(0)->HasText());
  TRead text;
  Read(text, Cat({SmfHeader(0, 1, 96), SmfTrack(Cat({Meta(0x01, "Twin", 4), NoteTrack(4)}))}));
  EXPECT_TRUE(text.data.Track(0)->HasText());
}

TEST(SmfReader, SysExPortAndKeySignature) {
  TRead r;
  Read(r, Cat({SmfHeader(0, 1, 96),
               SmfTrack(Cat({{0x00, 0xF0, 0x03, 0x7E, 0x09, 0xF7, 0x02, 0xF7, 0x01, 0x42}, Meta(0x21, std::string(1, '\x02')),
                             Meta(0x59, std::string("\xFD\x01", 2), 1), EndOfTrack()}))}));
  ASSERT_TRUE(r.ok) << r.log;
  EXPECT_EQ(r.data.SysExCount(), 2);
  TQXTSegRamStream& s = r.data.SysEx();
  s.Seek(0);
  EXPECT_EQ(s.GetByte(), 0xF0);
  EXPECT_EQ(s.ReadInt32(), 0);
  EXPECT_EQ(s.ReadInt32(), 4) << "the message starts with 0xF0";
  EXPECT_EQ(s.GetByte(), 0xF0);
  EXPECT_EQ(r.data.Track(0)->Port(), 2);
  const TMidiEvent key = EventOf(r, 0, 0);
  EXPECT_EQ(MidiEventType(key), kMidiEventKeySig);
  EXPECT_EQ(key.tick, 6);
  EXPECT_EQ(int8_t(key.b[0]), -3);
  EXPECT_EQ(key.b[2], 1);
}

// Damaged files: each is refused or read partly, with a log line that says why.
TEST(SmfReader, DamagedFilesAreRefusedOrReadPartlyWithALogLine) {
  const TBytes note = NoteTrack(4);
  const struct {
    const char* name;
    TBytes bytes;
    bool ok;
    int tracks;
    const char* logged;
  } rows[] = {
      {"division 0", Cat({SmfHeader(0, 1, 0), SmfTrack(note)}), false, 0, "division"},
      {"SMPTE division", Cat({SmfHeader(0, 1, 0xE250), SmfTrack(note)}), false, 0, "SMPTE"},
      {"tempo of 0", Cat({SmfHeader(0, 1, 96), SmfTrack(Cat({Meta(0x51, std::string(3, '\0')), note}))}), true, 1, "Tempo of 0"},
      {"short tempo", Cat({SmfHeader(0, 1, 96), SmfTrack(Cat({Meta(0x51, std::string(2, '\x10')), note}))}), true, 1, "shorter"},
      {"short key signature", Cat({SmfHeader(0, 1, 96), SmfTrack(Cat({Meta(0x59, std::string(1, '\x01')), note}))}), true, 1, "shorter"},
      {"meta longer than its track",
       Cat({SmfHeader(0, 2, 96), SmfTrack(Cat({note, {0x00, 0xFF, 0x01, 0x7F, 'x'}})), SmfTrack(note)}), true, 2, "clamped"},
      {"SysEx longer than its track",
       Cat({SmfHeader(0, 2, 96), SmfTrack(Cat({note, {0x00, 0xF0, 0x83, 0xFF, 0x7F, 1}})), SmfTrack(note)}), true, 2, "clamped"},
      {"more tracks announced than held", Cat({SmfHeader(1, 40, 96), SmfTrack(note)}), true, 1, "announces 40"},
      {"truncated last track", Cat({SmfHeader(0, 1, 96), SmfTrack(note, 40)}), false, 1, "Premature error detected"},
      {"garbage before the header", Cat({{'R', 'I', 'F', 'F', 0, 1}, SmfHeader(0, 1, 96), SmfTrack(note)}), true, 1, ""},
      {"bad track tag", Cat({SmfHeader(0, 1, 96), {'M', 'X', 'r', 'k', 0, 0, 0, 4}, EndOfTrack()}), false, 0, "not found"},
      {"data byte without status", Cat({SmfHeader(0, 1, 96), SmfTrack(Cat({{0x00, 0x40}, note}))}), true, 1, "running status"},
      {"undefined status byte", Cat({SmfHeader(0, 1, 96), SmfTrack(Cat({{0x00, 0xF4}, note}))}), true, 1, "Bad byte (244)"},
      {"not a MIDI file", {'<', 'h', 't', 'm', 'l', '>'}, false, 0, ""},
      {"empty file", {}, false, 0, ""},
      {"header cut short", {'M', 'T', 'h', 'd', 0, 0}, false, 0, "Premature"},
  };
  for (const auto& row : rows) {
    TRead r;
    Read(r, row.bytes);
    EXPECT_EQ(r.ok, row.ok) << row.name << "\n" << r.log;
    EXPECT_EQ(r.data.TrackCount(), row.tracks) << row.name;
    EXPECT_NE(r.log.find(row.logged), std::string::npos) << row.name << ": " << r.log;
    if (row.logged[0]) {
      EXPECT_NE(r.log.find("["), std::string::npos) << row.name;
    }
  }
}

TEST(SmfReader, TruncatedTrackKeepsWhatWasRead) {
  TRead r;
  Read(r, Cat({SmfHeader(0, 1, 96), SmfTrack(NoteTrack(4), 400)}));
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.log.find("Error["), std::string::npos) << r.log;
  EXPECT_EQ(r.data.Track(0)->Events().EventCount(), 2);
}

bool gCancel = false;
bool CancelCheck() { return gCancel; }

TEST(SmfReader, CancelEndsTheReading) {
  const TBytes bytes = Cat({SmfHeader(1, 2, 96), SmfTrack(NoteTrack(4)), SmfTrack(NoteTrack(4))});
  TSMFData data;
  TQXTFlatRamStream in(const_cast<uint8_t*>(bytes.data()), uint32_t(bytes.size()), uint32_t(bytes.size()));
  gCancel = true;
  EXPECT_FALSE(ImportMidiFile(data, in, nullptr, CancelCheck));
  gCancel = false;
  EXPECT_LE(data.TrackCount(), 1);
}

}  // namespace
