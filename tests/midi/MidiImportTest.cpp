// MIDI import: instructions, quantisation, chords and ties, spelling, the conductor and lyric
// staves, the file entry point, the round trip through the exporter and the real-world corpus.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <random>
#include <string>

#include "MidiImportNotes.h"
#include "QVKNTN/LyricText.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/AuditPass.h"
#include "midi/MidiImportDocument.h"

namespace {

// The import audits its staves as the editor does.
const bool kAuditInstalled = (InstallAuditPass(), true);

std::unique_ptr<TMusicScore> Convert(const TBytes& file, TSMFImportInstructionList* chosen = nullptr,
                                     TLyricMode lyrics = TLyricMode::kLyricEvents, uint8_t restResolution = 2) {
  TSMFData data;
  EXPECT_TRUE(ReadSmfBytes(data, file));
  TSMFImportInstructionList list = chosen ? *chosen : BuildDefaultInstructions(data, true, 18);
  for (auto& i : list) i.restResolution = restResolution;
  return ConvertMidiToScore(data, list, lyrics);
}

std::vector<TNoteValue> Written(const TMusicScore& score) { return NotesOfScore(score); }

std::vector<TNoteValue> Played(TMusicScore& score) {
  TSMFData data;
  EXPECT_TRUE(ExportAndRead(score, data));
  return NotesOf(data);
}

// A song note whose item runs over the next bar line's tick, found by walking the durations.
int CountBarCrossings(const TMusicStaff& staff) {
  int crossings = 0;
  long tick = 0, barStart = 0;
  for (int i = 1; i < staff.LastIndex(); ++i) {
    const TNotatedItem* item = staff.GetItem(i);
    if (item->GetType() == ntBarLine) {
      barStart = tick;
      continue;
    }
    tick += item->GetDuration();
    if (NtnAsSongNote(item) && tick > barStart + 768) ++crossings;
  }
  return crossings;
}

// Notes on the 16th-note grid in 16 channels, chords of three in the even channels.
std::vector<TNoteValue> GridSong(int bars, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<TNoteValue> notes;
  for (int ch = 0; ch < 16; ++ch) {
    long t = 0;
    const long end = long(bars) * 768;
    while (t < end) {
      const long length = 48 * long(1 + rng() % 8);
      const long rest = 48 * long(rng() % 3);
      if (t + length > end) break;
      const int root = 48 + int(rng() % 24);
      const int heads = ch % 2 == 0 ? 3 : 1;
      for (int h = 0; h < heads; ++h) notes.push_back({t, t + length, root + 4 * h, ch});
      t += length + rest;
    }
  }
  std::sort(notes.begin(), notes.end());
  return notes;
}

TBytes SongFile(const std::vector<TNoteValue>& notes, int tracks = 16) {
  std::vector<std::vector<TTimedBytes>> all = {ConductorEvents()};
  for (int t = 0; t < tracks; ++t) {
    std::vector<TNoteValue> mine;
    for (const TNoteValue& n : notes)
      if (n.channel % tracks == t) mine.push_back(n);
    all.push_back(NoteEvents(mine));
    all.back().push_back(TextAt(0, 0x03, "Track " + std::to_string(t + 1)));
  }
  return Format1(all);
}

TEST(MidiImportInstructions, PianoOverFortySemitonesSplitsUpperFirst) {
  const std::vector<TNoteValue> notes = {{0, 192, 40, 0}, {0, 192, 80, 0}, {192, 384, 60, 0}};
  TSMFData data;
  ASSERT_TRUE(ReadSmfBytes(data, Format1({ConductorEvents(), NoteEvents(notes)})));
  const TSMFImportInstructionList list = BuildDefaultInstructions(data, true, 18);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].track, 1);
  EXPECT_EQ(list[0].channelMask, 0x0001);
  EXPECT_EQ(list[0].lowestPitch, 60);  // 40 + 40 / 2
  EXPECT_EQ(list[0].highestPitch, 127);
  EXPECT_EQ(list[1].lowestPitch, 0);
  EXPECT_EQ(list[1].highestPitch, 59);
  EXPECT_EQ(list[0].flags, TSMFImportInstructions::kAutoBeam | TSMFImportInstructions::kCompoundTime);
  EXPECT_EQ(BuildDefaultInstructions(data, true, 40).size(), 1u);

  auto score = Convert(Format1({ConductorEvents(), NoteEvents(notes)}));
  ASSERT_EQ(score->StaffCount(), 3);
  EXPECT_STREQ(score->GetStaff(2)->GetName(), "Tempo Track");
  EXPECT_STREQ(score->GetStaff(2)->GetGroupName(), "Conductor");
  EXPECT_EQ(Written(*score), notes);
}

TEST(MidiImportInstructions, ChannelsTogetherOrApart) {
  const std::vector<TNoteValue> notes = {{0, 192, 60, 0}, {0, 192, 64, 3}, {192, 384, 67, 5}};
  TSMFData data;
  ASSERT_TRUE(ReadSmfBytes(data, Format1({ConductorEvents(), NoteEvents(notes)})));
  EXPECT_EQ(BuildDefaultInstructions(data, true, 18).size(), 3u);
  const TSMFImportInstructionList together = BuildDefaultInstructions(data, false, 18);
  ASSERT_EQ(together.size(), 1u);
  EXPECT_EQ(together[0].channelMask, 0x0029);
}

// The core check: a quantised file's every note lands on its tick with its duration and pitch,
// chords included, notes over bar lines tied, across 16 channels.
TEST(MidiImportConversion, GridNotesComeBackExactly) {
  const std::vector<TNoteValue> notes = GridSong(12, 7);
  auto score = Convert(SongFile(notes), nullptr, TLyricMode::kLyricEvents, 6);
  ASSERT_EQ(score->StaffCount(), 17);
  EXPECT_EQ(Written(*score), notes);
  for (int s = 0; s + 1 < score->StaffCount(); ++s) EXPECT_EQ(CountBarCrossings(*score->GetStaff(s)), 0) << s;
}

TEST(MidiImportConversion, QuantisationTable) {
  struct TRow {
    const char* what;
    std::vector<TNoteValue> in;
    uint8_t resolution;
    std::vector<TNoteValue> out;
  };
  const TRow rows[] = {
      {"ticks 0 and 5 form one chord", {{0, 192, 60, 0}, {5, 192, 64, 0}}, 5, {{0, 192, 60, 0}, {0, 192, 64, 0}}},
      {"a start 3 late moves to the grid", {{0, 192, 60, 0}, {195, 384, 62, 0}}, 5, {{0, 192, 60, 0}, {192, 384, 62, 0}}},
      // Rounded to 12 ticks first (204), then to the resolution.
      {"a start 10 late rounds twice", {{0, 192, 60, 0}, {202, 384, 62, 0}}, 5, {{0, 192, 60, 0}, {216, 384, 62, 0}}},
      {"on and off in one quantum still sound", {{96, 99, 60, 0}}, 5, {{96, 108, 60, 0}}},
      {"a sixteenth grid", {{0, 40, 60, 0}, {50, 100, 62, 0}}, 4, {{0, 48, 60, 0}, {48, 96, 62, 0}}},
      // Classes past the sixty-fourth would quantise to no ticks at all.
      {"a resolution out of range", {{0, 5, 60, 0}, {30, 60, 62, 0}}, 200, {{0, 12, 60, 0}, {36, 60, 62, 0}}},
      {"over the bar line, tied", {{384, 1152, 60, 0}}, 5, {{384, 1152, 60, 0}}},
  };
  for (const TRow& row : rows) {
    TSMFData data;
    ASSERT_TRUE(ReadSmfBytes(data, Format1({ConductorEvents(), NoteEvents(row.in)})));
    TSMFImportInstructionList list = BuildDefaultInstructions(data, true, 18);
    for (auto& i : list) {
      i.noteResolution = row.resolution;
      i.restResolution = 6;
    }
    auto score = ConvertMidiToScore(data, list, TLyricMode::kNone);
    std::vector<TNoteValue> expected = row.out;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Written(*score), expected) << row.what;
    const TMusicStaff& staff = *score->GetStaff(0);
    EXPECT_EQ(CountBarCrossings(staff), 0) << row.what;
    for (int i = 1; i < staff.LastIndex(); ++i) {
      const TNotatedItem* item = staff.GetItem(i);
      if (NtnAsSongNote(item)) {
        EXPECT_GE(item->GetDuration(), 12) << row.what;
      }
    }
  }
}

// Straight from the converter, before any re-barring: no piece runs over a bar start (3/4, then
// 5/8 from tick 1152), and none is shorter than the shortest duration.
TEST(MidiImportConversion, PiecesStopAtBarStartsBeforeFormatting) {
  const std::vector<TTimedBytes> conductor = {MetaAt(0, 0x58, {3, 2, 24, 8}), MetaAt(1152, 0x58, {5, 3, 24, 8})};
  const std::vector<TNoteValue> notes = {{0, 1152, 60, 0}, {1152, 2304, 62, 0}, {2304, 2804, 64, 0}, {2900, 2903, 65, 0}};
  TSMFData data;
  ASSERT_TRUE(ReadSmfBytes(data, Format1({conductor, NoteEvents(notes)})));
  const std::vector<TMusicStaff*> staves = BuildStavesFromInstruction(data, BuildDefaultInstructions(data, true, 18)[0]);
  ASSERT_EQ(staves.size(), 1u);
  std::unique_ptr<TMusicStaff> staff(staves[0]);
  auto isBarStart = [](long t) { return t < 1152 ? t % 576 == 0 : (t - 1152) % 480 == 0; };
  long tick = 0;
  int pieces = 0;
  for (int i = 1; i < staff->LastIndex(); ++i) {
    const TNotatedItem* item = staff->GetItem(i);
    const long length = item->GetDuration();
    if (!NtnAsSongNote(item)) continue;
    ++pieces;
    EXPECT_GE(length, 12) << "at " << tick;
    for (long t = tick + 12; t < tick + length; t += 12) EXPECT_FALSE(isBarStart(t)) << "piece at " << tick << " runs over " << t;
    tick += length;
  }
  EXPECT_GT(pieces, 6);
  EXPECT_EQ(tick, 2916);
}

// A drum part of 14,400 sixteenths would fill a staff (12,000 items) near bar 650: the music
// carries on in a further staff after rests, and every note keeps its tick, length and key.
TEST(MidiImportConversion, AFullStaffCarriesOnInAnother) {
  std::vector<TNoteValue> notes;
  for (long t = 0; t < 900L * 768; t += 48) notes.push_back({t, t + 48, 36 + int(t / 48 % 3), 9});
  auto score = Convert(Format1({ConductorEvents(), NoteEvents(notes)}), nullptr, TLyricMode::kNone, 6);
  ASSERT_EQ(score->StaffCount(), 3);
  // Named after the same track, made unique.
  EXPECT_EQ(std::string(score->GetStaff(1)->GetName()).rfind(score->GetStaff(0)->GetName(), 0), 0u);
  EXPECT_EQ(score->GetStaff(1)->GetChannel(), 9);
  EXPECT_EQ(Written(*score), notes);
}

TEST(MidiImportConversion, SpellingFollowsTheKeySignature) {
  std::vector<TTimedBytes> track = NoteEvents({{0, 192, 70, 0}, {192, 384, 61, 0}});
  track.push_back(MetaAt(0, 0x59, {0xFE, 0}));  // two flats
  auto score = Convert(Format1({ConductorEvents(), track}), nullptr, TLyricMode::kNone, 6);
  const TMusicStaff& staff = *score->GetStaff(0);
  std::vector<int> accidentals;
  for (int i = 1; i < staff.LastIndex(); ++i)
    if (const TMusicNote* n = NtnAsNoteOrChord(const_cast<TNotatedItem*>(staff.GetItem(i)))) accidentals.push_back(n->GetPosition());
  // B flat sits on the middle line, D flat five steps below it (treble positions).
  ASSERT_EQ(accidentals.size(), 2u);
  EXPECT_EQ(accidentals[0], 0);
  EXPECT_EQ(accidentals[1], 5);
  EXPECT_EQ(staff.CountItemsOfKind(ntKey), 1);
}

TEST(MidiImportConversion, PedalMarksOnlyWhenAsked) {
  std::vector<TTimedBytes> track = NoteEvents({{0, 384, 60, 0}});
  track.push_back({0, 0, {0xB0, 64, 127}});
  track.push_back({384, 0, {0xB0, 64, 0}});
  track.push_back({0, 0, {0xC0, 40}});
  for (bool pedal : {false, true}) {
    TSMFData data;
    ASSERT_TRUE(ReadSmfBytes(data, Format1({ConductorEvents(), track})));
    TSMFImportInstructionList list = BuildDefaultInstructions(data, true, 18);
    list[0].Set(TSMFImportInstructions::kPedalMarks, pedal);
    auto score = ConvertMidiToScore(data, list, TLyricMode::kNone);
    EXPECT_EQ(score->GetStaff(0)->CountItemsOfKind(ntSustainPedal) > 0, pedal);
    EXPECT_EQ(score->GetStaff(0)->GetInstrument().patch, 41);
  }
}

// A track index wider than a byte: track 260 of 300 must not be read as track 4.
TEST(MidiImportConversion, MoreThan256TracksKeepTheirIndex) {
  std::vector<std::vector<TTimedBytes>> tracks = {ConductorEvents()};
  for (int t = 1; t < 300; ++t) {
    tracks.push_back(NoteEvents({{0, 192, 20 + t % 100, 0}}));
    tracks.back().push_back(TextAt(0, 0x03, "T" + std::to_string(t)));
  }
  TSMFData data;
  ASSERT_TRUE(ReadSmfBytes(data, Format1(tracks)));
  ASSERT_EQ(data.TrackCount(), 300);
  TSMFImportInstructionList list = BuildDefaultInstructions(data, true, 18);
  ASSERT_EQ(list.size(), 299u);
  EXPECT_EQ(list[259].track, 260);
  TSMFImportInstructionList one = {list[259]};
  auto score = ConvertMidiToScore(data, one, TLyricMode::kNone);
  EXPECT_STREQ(score->GetStaff(0)->GetName(), "T260");
  const std::vector<TNoteValue> expected = {{0, 192, 80, 0}};
  EXPECT_EQ(Written(*score), expected);
}

std::string LyricTextOf(const TMusicStaff& staff) {
  char buffer[4096];
  const TStaffLyrics* lyrics = staff.GetLyrics();
  if (!lyrics || lyrics->GetLineCount() == 0) return "";
  lyrics->GetLine(0)->FormatForEdit(buffer, sizeof buffer);
  return buffer;
}

TEST(MidiImportLyrics, LyricEventsBecomeALyricStaffBelowTheirTrack) {
  std::vector<TTimedBytes> track = NoteEvents({{0, 192, 60, 0}, {192, 384, 62, 0}, {384, 768, 64, 0}});
  track.push_back(TextAt(0, 0x05, "Hel-"));
  track.push_back(TextAt(192, 0x05, "lo "));
  track.push_back(TextAt(384, 0x05, "world "));
  auto score = Convert(Format1({ConductorEvents(), track}));
  ASSERT_EQ(score->StaffCount(), 3);
  const TMusicStaff& lyric = *score->GetStaff(1);
  EXPECT_STREQ(lyric.GetGroupName(), "Lyrics");
  EXPECT_EQ(lyric.GetLineCount(), 1);
  EXPECT_EQ(LyricTextOf(lyric).find("Hel-lo world"), 0u) << LyricTextOf(lyric);
  EXPECT_EQ(lyric.GetLyrics()->GetLine(0)->CountSyllables(), 3);
  // The staff of the track keeps its notes; the lyric staff plays nothing.
  const std::vector<TNoteValue> expected = {{0, 192, 60, 0}, {192, 384, 62, 0}, {384, 768, 64, 0}};
  EXPECT_EQ(Written(*score), expected);
}

TEST(MidiImportLyrics, KaraokeTextSkipsHeadersAndOtherModesIgnoreIt) {
  std::vector<TTimedBytes> track = NoteEvents({{0, 192, 60, 0}, {192, 384, 62, 0}});
  track.push_back(TextAt(0, 0x01, "@KMIDI KARAOKE FILE"));
  track.push_back(TextAt(0, 0x01, "@TTwinkle"));
  track.push_back(TextAt(10, 0x01, "\\Twin"));
  track.push_back(TextAt(192, 0x01, "kle"));
  const TBytes file = Format1({ConductorEvents(), track});
  auto kar = Convert(file, nullptr, TLyricMode::kKaraokeText);
  ASSERT_EQ(kar->StaffCount(), 3);
  const std::string text = LyricTextOf(*kar->GetStaff(1));
  EXPECT_EQ(text.find('@'), std::string::npos) << text;
  EXPECT_NE(text.find("Twin"), std::string::npos) << text;
  EXPECT_EQ(Convert(file, nullptr, TLyricMode::kLyricEvents)->StaffCount(), 2);
}

std::string TempDir() {
  const char* tmp = std::getenv("TMPDIR");
  return tmp ? tmp : "/tmp";
}

TEST(MidiImportDocument, OpensMidRmiAndKarFiles) {
  std::vector<TTimedBytes> track = NoteEvents({{0, 192, 60, 0}, {192, 384, 62, 0}});
  track.push_back(TextAt(10, 0x01, "Twin"));
  track.push_back(TextAt(192, 0x01, "kle "));
  const TBytes file = Format1({ConductorEvents(), track});
  for (const char* name : {"vc_import.mid", "vc_import.rmi", "vc_import.KAR"}) {
    const std::string path = TempDir() + "/" + name;
    { std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size())); }
    std::unique_ptr<TMusicScore> score;
    ASSERT_EQ(ImportMidiFileToScore(path.c_str(), score), TImportOpenResult::kConverted) << name;
    EXPECT_EQ(score->StaffCount(), std::string(name).find(".KAR") != std::string::npos ? 3 : 2) << name;
    std::remove(path.c_str());
  }
  std::unique_ptr<TMusicScore> none;
  EXPECT_EQ(ImportMidiFileToScore((TempDir() + "/vc_no_such_file.mid").c_str(), none), TImportOpenResult::kOpenFailed);
  EXPECT_FALSE(none);
  // The wizard edits the instructions the converter then follows, or stops the import.
  const std::string path = TempDir() + "/vc_import_wizard.mid";
  { std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size())); }
  std::unique_ptr<TMusicScore> edited;
  ASSERT_EQ(ImportMidiFileToScore(path.c_str(), edited, nullptr, {}, [](TQVKImportData& import) {
              import.instructions.push_back(import.instructions.front());
              import.instructions.back().lowestPitch = 61;
              return true;
            }), TImportOpenResult::kConverted);
  EXPECT_EQ(edited->StaffCount(), 3);
  EXPECT_EQ(ImportMidiFileToScore(path.c_str(), edited, nullptr, {}, [](TQVKImportData&) { return false; }),
            TImportOpenResult::kCancelled);
  EXPECT_FALSE(edited);
  std::remove(path.c_str());
  EXPECT_EQ(LyricModeForPath("a.kar"), TLyricMode::kKaraokeText);
  EXPECT_EQ(LyricModeForPath("a.karx"), TLyricMode::kLyricEvents);
}

bool CancelNow() { return true; }

TEST(MidiImportDocument, RecordingsTakeTheOptionsAndCancelDropsTheScore) {
  const std::vector<TNoteValue> notes = {{0, 96, 60, 0}, {0, 96, 64, 1}};
  TSMFData data;
  ASSERT_TRUE(ReadSmfBytes(data, Format1({ConductorEvents(), NoteEvents(notes)})));
  TMidiImportOptions options;
  options.extractChannels = false;
  options.pedalMarks = true;
  options.restResolution = 6;
  auto score = ConvertMidiDataToScore(data, options);
  ASSERT_EQ(score->StaffCount(), 2);
  // One staff for both channels plays on the lowest.
  const std::vector<TNoteValue> together = {{0, 96, 60, 0}, {0, 96, 64, 0}};
  EXPECT_EQ(Written(*score), together);
  EXPECT_FALSE(ConvertMidiDataToScore(data, options, CancelNow));
}

TEST(MidiImportDocument, ARecordingBecomesOneStaff) {
  const std::vector<TNoteValue> notes = {{0, 192, 55, 0}, {192, 384, 72, 2}};
  TSMFData data;
  ASSERT_TRUE(ReadSmfBytes(data, Format1({NoteEvents(notes)})));
  const TSMFImportInstructions instruction = TrackStaffInstruction(data, TMidiImportOptions{});
  EXPECT_EQ(instruction.channelMask, 0x0005);
  EXPECT_EQ(instruction.lowestPitch, 55);
  EXPECT_EQ(instruction.highestPitch, 72);
  std::unique_ptr<TMusicStaff> staff(ImportTrackAsStaff(data, instruction));
  ASSERT_TRUE(staff);
  const std::vector<TNoteValue> expected = {{0, 192, 55, 0}, {192, 384, 72, 0}};
  EXPECT_EQ(NotesOfStaff(*staff), expected);
}

// Round trip on a generated song the shape of the benchmark file: every note comes back, on a
// jittered copy too (starts moved by up to 10 ticks come back on the grid).
TEST(MidiImportRoundTrip, GeneratedSongAndItsJitteredCopyKeepEveryNote) {
  const std::vector<TNoteValue> notes = GridSong(40, 11);
  std::mt19937 rng(3);
  std::vector<TNoteValue> jittered = notes;
  for (TNoteValue& n : jittered) n.start = std::max(0L, n.start + long(rng() % 21) - 10);
  auto keyed = [](std::vector<TNoteValue> notes, bool withStart) {
    for (TNoteValue& n : notes) {
      n.end = 0;
      if (!withStart) n.start = 0;
    }
    std::sort(notes.begin(), notes.end());
    return notes;
  };
  for (const std::vector<TNoteValue>* song : {&notes, static_cast<const std::vector<TNoteValue>*>(&jittered)}) {
    auto score = Convert(SongFile(*song));
    const std::vector<TNoteValue> back = Played(*score);
    ASSERT_EQ(back.size(), notes.size());
    EXPECT_EQ(keyed(back, song == &notes), keyed(notes, song == &notes));
  }
  // Written at their own durations, the plain song's notes come back whole.
  auto exact = Convert(SongFile(notes), nullptr, TLyricMode::kNone, 6);
  EXPECT_EQ(Written(*exact), notes);
}

std::string CorpusDir() {
  const char* shared = std::getenv("VC_SHARED_DIR");
  return shared ? std::string(shared) + "/midicorpus/valid" : std::string();
}

// Every valid corpus file converts, and plays back no more notes than the file starts (overlapping
// notes of one key merge, and a staff stops growing near its item limit), but some when it has any.
TEST(MidiImportCorpus, EveryValidFileConverts) {
  const std::string dir = CorpusDir();
  std::unique_ptr<DIR, int (*)(DIR*)> d(dir.empty() ? nullptr : opendir(dir.c_str()), closedir);
  if (!d) GTEST_SKIP() << "the MIDI corpus is not there (VC_SHARED_DIR/midicorpus)";
  int files = 0, withNotes = 0;
  while (dirent* entry = readdir(d.get())) {
    const std::string name = entry->d_name;
    if (name.size() < 5 || name[0] == '.') continue;
    const std::string path = dir + "/" + name;
    std::unique_ptr<TMusicScore> score;
    ASSERT_EQ(ImportMidiFileToScore(path.c_str(), score), TImportOpenResult::kConverted) << name;
    ++files;
    TSMFData read;
    {
      std::ifstream in(path, std::ios::binary);
      TBytes bytes((std::istreambuf_iterator<char>(in)), {});
      ReadSmfBytes(read, bytes);
    }
    size_t sent = 0;
    for (int t = 0; t < read.TrackCount(); ++t)
      for (int32_t i = 0, n = read.Track(t)->Events().EventCount(); i < n; ++i)
        sent += IsMidiNoteStart(read.Track(t)->Events().EventAt(i));
    const size_t back = Played(*score).size();
    EXPECT_LE(back, sent) << name;
    if (sent > 0) {
      ++withNotes;
      EXPECT_GT(back, 0u) << name;
    }
    EXPECT_STREQ(score->GetStaff(score->StaffCount() - 1)->GetName(), "Tempo Track") << name;
  }
  EXPECT_GT(files, 40);
  EXPECT_GT(withNotes, 30);
}

}  // namespace

namespace {

// Damaged files convert what the reader could read, without failing.
TEST(MidiImportCorpus, MalformedFilesConvertWhatWasRead) {
  const char* shared = std::getenv("VC_SHARED_DIR");
  const std::string dir = shared ? std::string(shared) + "/midicorpus/malformed" : std::string();
  std::unique_ptr<DIR, int (*)(DIR*)> d(dir.empty() ? nullptr : opendir(dir.c_str()), closedir);
  if (!d) GTEST_SKIP() << "the MIDI corpus is not there (VC_SHARED_DIR/midicorpus)";
  int files = 0;
  while (dirent* entry = readdir(d.get())) {
    const std::string name = entry->d_name;
    if (name.size() < 5 || name[0] == '.') continue;
    std::unique_ptr<TMusicScore> score;
    EXPECT_EQ(ImportMidiFileToScore((dir + "/" + name).c_str(), score), TImportOpenResult::kConverted) << name;
    if (score) {
      EXPECT_STREQ(score->GetStaff(score->StaffCount() - 1)->GetName(), "Tempo Track") << name;
    }
    ++files;
  }
  EXPECT_GT(files, 0);
}

}  // namespace

// The gauge of the conversion counts four steps for each instruction and for each track with
// words, whether or not that track's words could make a lyric staff, and ends full.
TEST(MidiImportProgress, FourStepsPerInstructionAndLyricTrack) {
  std::vector<TTimedBytes> sung = NoteEvents({{0, 192, 60, 0}, {192, 384, 62, 0}});
  sung.push_back(TextAt(0, 0x05, "Hel-"));
  sung.push_back(TextAt(192, 0x05, "lo "));
  std::vector<TTimedBytes> played = NoteEvents({{0, 384, 48, 1}});
  // Words alone in a track of their own: a track with lyrics but no instruction.
  std::vector<TTimedBytes> words = {TextAt(0, 0x05, "la "), TextAt(192, 0x05, "la ")};
  TSMFData data;
  ASSERT_TRUE(ReadSmfBytes(data, Format1({ConductorEvents(), sung, played, words})));
  const TSMFImportInstructionList instructions = BuildDefaultInstructions(data, true, 18);
  ASSERT_EQ(instructions.size(), 2u);
  const struct {
    TLyricMode mode;
    int steps;
  } cases[] = {{TLyricMode::kLyricEvents, 4 * (2 + 2)}, {TLyricMode::kNone, 4 * 2}};
  for (const auto& c : cases) {
    TRecordedProgress progress;
    auto score = ConvertMidiToScore(data, instructions, c.mode, nullptr, &progress);
    ASSERT_TRUE(score);
    ASSERT_EQ(progress.starts.size(), 1u);
    EXPECT_EQ(progress.starts[0].first, c.steps) << int(c.mode);
    EXPECT_EQ(progress.starts[0].second, "Converting MIDI data to notation");
    EXPECT_EQ(progress.done, c.steps) << int(c.mode);
  }
}

// A recording converts under the same gauge as a file; a Cancel seen during the conversion leaves
// no score, so nothing is opened or imported.
TEST(MidiImportProgress, ARecordingCountsItsStavesAndCancelLeavesNoScore) {
  TSMFData data;
  ASSERT_TRUE(ReadSmfBytes(data, Format1({NoteEvents({{0, 192, 60, 0}, {0, 192, 48, 1}})})));
  TMidiImportOptions options;
  options.extractChannels = true;
  TRecordedProgress progress;
  auto score = ConvertMidiDataToScore(data, options, nullptr, &progress);
  ASSERT_TRUE(score);
  ASSERT_EQ(progress.starts.size(), 1u);
  EXPECT_EQ(progress.starts[0].first, 4 * 2) << "one staff a channel";
  EXPECT_EQ(progress.starts[0].second, "Converting MIDI data to notation");
  EXPECT_EQ(progress.done, 4 * 2);

  // The dialog's Cancel, pressed once the first staff is done.
  static bool cancelled;
  cancelled = false;
  struct TCancelAfterFirst : TRecordedProgress {
    void Advance(int steps) override {
      TRecordedProgress::Advance(steps);
      cancelled = true;
    }
  } cancelling;
  EXPECT_FALSE(ConvertMidiDataToScore(data, options, [] { return cancelled; }, &cancelling));
  EXPECT_EQ(cancelling.done, 4) << "stopped after the first staff";

  // Import Recording: its one instruction, one staff's steps; cancelled, no staff.
  const TSMFImportInstructions instruction = TrackStaffInstruction(data, options);
  TRecordedProgress single;
  std::unique_ptr<TMusicStaff> staff(ImportTrackAsStaff(data, instruction, nullptr, &single));
  ASSERT_TRUE(staff);
  ASSERT_EQ(single.starts.size(), 1u);
  EXPECT_EQ(single.starts[0].first, 4);
  EXPECT_EQ(single.done, 4);
  EXPECT_FALSE(ImportTrackAsStaff(data, instruction, [] { return true; }, &single));
}
