// The earlier line's conversion of a Standard MIDI File into a score: the conductor staff and one
// staff per instruction as the current line makes them, and no lyric staves, whether the words
// come as lyric events or as karaoke text.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "midi/MidiImportDocument.h"
#include "tests/midi/MidiImportNotes.h"

namespace {

static_assert(kEarlierLine, "built with the earlier line's libraries");

const bool kAuditInstalled = (InstallAuditPass(), true);

// Three notes with a word each, as lyric events and as karaoke text, and a title in the
// conductor track.
TBytes SongWithWords() {
  std::vector<TTimedBytes> conductor = ConductorEvents();
  conductor.push_back(TextAt(0, 0x03, "Round Song"));
  std::vector<TTimedBytes> track = NoteEvents({{0, 192, 60, 0}, {192, 384, 62, 0}, {384, 768, 64, 0}});
  for (const auto& [tick, word] : {std::pair<long, const char*>{0, "Hel-"}, {192, "lo "}, {384, "world "}}) {
    track.push_back(TextAt(tick, 0x05, word));
    track.push_back(TextAt(tick, 0x01, word));
  }
  return Format1({conductor, track});
}

}  // namespace

TEST(EarlierMidiImport, WordsMakeNoLyricStaff) {
  const std::vector<TNoteValue> notes = {{0, 192, 60, 0}, {192, 384, 62, 0}, {384, 768, 64, 0}};
  for (TLyricMode mode : {TLyricMode::kLyricEvents, TLyricMode::kKaraokeText}) {
    TSMFData data;
    ASSERT_TRUE(ReadSmfBytes(data, SongWithWords()));
    auto score = ConvertMidiToScore(data, BuildDefaultInstructions(data, true, 18), mode);
    ASSERT_TRUE(score);
    ASSERT_EQ(score->StaffCount(), 2) << "the track's staff and the conductor, mode " << int(mode);
    for (int s = 0; s < score->StaffCount(); ++s) EXPECT_EQ(score->GetStaff(s)->GetLyrics(), nullptr) << s;
    EXPECT_EQ(NotesOfScore(*score), notes);
    EXPECT_STREQ(score->Info().title, "Round Song");
  }
}

// The file entry point the Import command opens with: a ".kar" file, whose text events the
// current line would take as lyrics.
TEST(EarlierMidiImport, KaraokeFileOpensWithoutWords) {
  const std::string path = ::testing::TempDir() + "earlier_import_song.kar";
  const TBytes bytes = SongWithWords();
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  std::unique_ptr<TMusicScore> score;
  ASSERT_EQ(ImportMidiFileToScore(path.c_str(), score), TImportOpenResult::kConverted);
  std::remove(path.c_str());
  ASSERT_EQ(score->StaffCount(), 2);
  EXPECT_EQ(score->GetStaff(0)->GetLyrics(), nullptr);
  EXPECT_EQ(NotesOfScore(*score).size(), 3u);
}

// The gauge of the conversion: four steps for each instruction, and none for the tracks with
// words, which the earlier line does not convert.
TEST(EarlierMidiImport, GaugeCountsFourStepsPerInstruction) {
  TSMFData data;
  ASSERT_TRUE(ReadSmfBytes(data, SongWithWords()));
  TSMFImportInstructionList instructions = BuildDefaultInstructions(data, true, 18);
  instructions.push_back(instructions.front());
  TRecordedProgress progress;
  auto score = ConvertMidiToScore(data, instructions, TLyricMode::kLyricEvents, nullptr, &progress);
  ASSERT_TRUE(score);
  ASSERT_EQ(progress.starts.size(), 1u);
  EXPECT_EQ(progress.starts[0].first, 4 * 2);
  EXPECT_EQ(progress.starts[0].second, "Converting MIDI data to notation");
  EXPECT_EQ(progress.done, progress.starts[0].first);
}
