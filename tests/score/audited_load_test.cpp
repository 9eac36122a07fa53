// Opening a score file audits every staff. Large staves are audited on a worker beside the
// reading of the next staff record, and a large compressed file is inflated ahead on another:
// the model must come out exactly as the one-thing-at-a-time reader builds it, however many
// processors the reader may use.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/StaffAuditQueue.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"
#include "foundation/AllowedProcessors.h"
#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"
#include "foundation/QXTZLibAheadStream.h"
#include "foundation/QXTZLibOutStream.h"

namespace {

// Bars whose derived state the audit changes: ties and slurs into the next note, a whole rest
// alone in its bar, a triplet that does not add up, beams, chords and dynamics. Each bar also
// carries a text of noise, so that a compressed file of many such staves is large.
TMusicStaff* UnauditedStaff(int bars, uint32_t seed) {
  auto* staff = new TMusicStaff;
  staff->AppendItem(new TTimeSignatureData(4, 2));
  for (int bar = 0; bar < bars; ++bar) {
    seed = seed * 1103515245u + 12345u;
    const int p = static_cast<int>(seed >> 27) - 8;
    auto* tied = new TMusicNote(p, 2);
    tied->SetAttribute(naTieOut);
    tied->SetAttribute(naSlurOut);
    staff->AppendItem(tied);
    staff->AppendItem(new TMusicNote(p, 2));
    auto* chord = new TChordData;
    for (int head : {p, p - 2, p - 4}) {
      auto* note = new TMusicNote(head, 3);
      if (!chord->AddNote(note)) delete note;
    }
    chord->SetBeamState(1);
    staff->AppendItem(chord);
    auto* beamEnd = new TMusicNote(p + static_cast<int>(seed >> 30), 3);
    beamEnd->SetBeamState(3);
    staff->AppendItem(beamEnd);
    for (int i = 0; i < 2; ++i) {
      auto* triplet = new TMusicNote(p + i, 3);
      triplet->SetTripletState(i == 0 ? 1 : 3);  // two members: does not add up
      staff->AppendItem(triplet);
    }
    staff->AppendItem(new TDynamicLevelData(static_cast<int>(seed >> 29)));
    std::string noise(60, ' ');
    for (char& c : noise) {
      seed ^= seed << 13;
      seed ^= seed >> 17;
      seed ^= seed << 5;
      c = static_cast<char>(1 + seed % 255);
    }
    auto* text = new TTextExpression;
    text->SetText(noise);
    staff->AppendItem(text);
    staff->AppendItem(new TBarLineData(TBarLineData::blSingle));
    staff->AppendItem(new TRestNote(0));
    staff->AppendItem(new TBarLineData(TBarLineData::blSingle));
  }
  return staff;
}

// Short staves (audited at once) before and after long ones (audited on the worker).
std::unique_ptr<TMusicScore> UnauditedScore(int longStaves) {
  auto score = std::make_unique<TMusicScore>();
  const int perBar = 11;
  score->AppendStaff(UnauditedStaff(3, 1));
  for (int i = 0; i < longStaves; ++i)
    score->AppendStaff(UnauditedStaff(TStaffAuditQueue::kWorkerMinimumItems / perBar + 50 + i, 7u + i));
  score->AppendStaff(UnauditedStaff(5, 2));
  return score;
}

std::string Bytes(TQXTStream& s) {
  std::string bytes(s.Size(), '\0');
  s.Rewind();
  if (!bytes.empty()) s.Read(&bytes[0], static_cast<uint32_t>(bytes.size()));
  return bytes;
}

std::string PlainFile(TMusicScore& score) {
  TQXTSegRamStream out(4096);
  EXPECT_EQ(WriteScoreHeader(out, score, skAutoSave), 1);
  return Bytes(out);
}

std::string CompressedFile(const std::string& plain) {
  TQXTSegRamStream inner(4096);
  TQXTZLibOutStream out(&inner, false);
  out.Write(plain.data(), static_cast<uint32_t>(plain.size()));
  out.Finish();
  return Bytes(inner);
}

// The reader that reads and audits one staff after another, through the plain stream interface.
std::string LoadedOneByOne(std::string bytes) {
  TQXTFlatRamStream in(reinterpret_cast<unsigned char*>(&bytes[0]), static_cast<uint32_t>(bytes.size()),
                       static_cast<uint32_t>(bytes.size()));
  TScoreLoadInfo info;
  std::unique_ptr<TMusicScore> score(LoadScore(in, info, nullptr));
  EXPECT_EQ(info.status, slRead);
  return score ? PlainFile(*score) : std::string();
}

std::string LoadedFromImage(const std::string& bytes, int& status) {
  TScoreLoadInfo info;
  std::unique_ptr<TMusicScore> score(
      ReadScoreImage(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<uint32_t>(bytes.size()), info));
  status = info.status;
  return score ? PlainFile(*score) : std::string();
}

}  // namespace

TEST(AuditedLoad, OpeningAFileAuditsEveryStaffAsTheOneByOneReaderDoes) {
  InstallAuditPass();
  std::unique_ptr<TMusicScore> score = UnauditedScore(6);
  const std::string unaudited = PlainFile(*score);
  const std::string compressed = CompressedFile(unaudited);
  // The compressed file is large enough to be inflated ahead.
  ASSERT_GE(compressed.size(), size_t{TQXTZLibAheadStream::kBlock});

  const std::string want = LoadedOneByOne(unaudited);
  // The audit changes what is saved, so a staff left unaudited would show.
  ASSERT_NE(want, unaudited);
  // One processor: everything on the reading thread; more: the audit worker and the inflation
  // ahead; 0: whatever this machine allows.
  for (const int processors : {1, 2, 0}) {
    SetAllowedProcessorsOverride(processors);
    for (const std::string* file : {&unaudited, &compressed}) {
      int status = -1;
      EXPECT_TRUE(LoadedFromImage(*file, status) == want)
          << (file == &compressed ? "compressed" : "plain") << " on " << processors << " processors";
      EXPECT_EQ(status, slRead);
    }
  }
  SetAllowedProcessorsOverride(0);
}

TEST(AuditedLoad, ABrokenCompressedFileStillGivesTheStreamFailure) {
  InstallAuditPass();
  std::unique_ptr<TMusicScore> score = UnauditedScore(6);
  const std::string compressed = CompressedFile(PlainFile(*score));
  std::string corrupted = compressed;
  corrupted[compressed.size() * 2 / 3] ^= 0x5A;
  const std::string corrupt = corrupted;
  const std::string truncated = compressed.substr(0, compressed.size() * 2 / 3);
  const std::string badChecksum = compressed.substr(0, compressed.size() - 1) + static_cast<char>(compressed.back() ^ 1);
  for (const int processors : {1, 2}) {
    SetAllowedProcessorsOverride(processors);
    for (const std::string* file : {&corrupt, &truncated, &badChecksum}) {
      int status = -1;
      LoadedFromImage(*file, status);
      EXPECT_EQ(status, slStreamFailed) << processors << " processors";
    }
  }
  SetAllowedProcessorsOverride(0);
}
