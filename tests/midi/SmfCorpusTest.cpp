// Real-world files: every valid one reads to the track and note-on counts of the corpus summary,
// every malformed one is refused or read with its damage logged, and none crashes the reader.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/QXTFStream.h"
#include "foundation/QXTSegRamStream.h"
#include "midi/SMFImport.h"

namespace {

// Counts what the file holds, chunk by chunk, beside the import's own result.
class TCountingImport : public TSMFImport {
public:
  using TSMFImport::TSMFImport;
  void OnTrackStart() override {
    ++chunks;
    TSMFImport::OnTrackStart();
  }
  void OnNoteOn(int channel, int key, int velocity) override { ++noteOns; }
  int chunks = 0;
  long noteOns = 0;
};

struct TCorpusLine {
  std::string file;
  int tracks = -1;  // -1: the summary gives no plain count
  long noteOns = -1;
  bool smpte = false;
};

std::string CorpusDir() {
  const char* shared = std::getenv("VC_SHARED_DIR");
  return shared ? std::string(shared) + "/midicorpus" : std::string();
}

std::vector<TCorpusLine> ReadSummary(const std::string& dir) {
  std::vector<TCorpusLine> lines;
  std::ifstream in(dir + "/summary.txt");
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string word;
    TCorpusLine entry;
    while (words >> word) {
      if (word.rfind("trk=", 0) == 0 && word.find('/') == std::string::npos) entry.tracks = std::atoi(word.c_str() + 4);
      if (word.rfind("on=", 0) == 0) entry.noteOns = std::atol(word.c_str() + 3);
      if (word.rfind("div=smpte", 0) == 0) entry.smpte = true;
      if (word.rfind("valid/", 0) == 0 || word.rfind("malformed/", 0) == 0) entry.file = word;
    }
    if (!entry.file.empty()) lines.push_back(entry);
  }
  return lines;
}

struct TOutcome {
  bool ok = false;
  int chunks = 0;
  long noteOns = 0;
  long storedNoteOns = 0;
  std::string log;
};

TOutcome ReadFile(const std::string& path) {
  TOutcome out;
  TQXTFStream file(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path.c_str());
  EXPECT_TRUE(file.IsOpen()) << path;
  TSMFData data;
  TQXTSegRamStream log(1024);
  TCountingImport import(data, file, &log);
  out.ok = import.ReadMidiFile();
  out.chunks = import.chunks;
  out.noteOns = import.noteOns;
  for (int t = 0; t < data.TrackCount(); ++t) {
    const TMidiFileBuf& events = data.Track(t)->Events();
    EXPECT_FALSE(events.IsOverflowed()) << path;
    for (int32_t i = 0, n = events.EventCount(); i < n; ++i) out.storedNoteOns += IsMidiNoteStart(events.EventAt(i));
  }
  log.Seek(0);
  for (uint32_t i = 0, n = log.Size(); i < n; ++i) out.log += char(log.GetByte());
  return out;
}

TEST(SmfCorpus, ValidFilesReadToTheirCountsAndMalformedOnesAreRefusedOrLogged) {
  const std::string dir = CorpusDir();
  const std::vector<TCorpusLine> lines = dir.empty() ? std::vector<TCorpusLine>() : ReadSummary(dir);
  if (lines.empty()) GTEST_SKIP() << "the MIDI corpus is not there (VC_SHARED_DIR/midicorpus)";
  int valid = 0, refused = 0, logged = 0, clean = 0;
  for (const TCorpusLine& line : lines) {
    const TOutcome out = ReadFile(dir + "/" + line.file);
    if (line.file.rfind("valid/", 0) == 0) {
      ++valid;
      if (line.smpte) {
        EXPECT_FALSE(out.ok) << line.file;
        EXPECT_NE(out.log.find("SMPTE"), std::string::npos) << line.file;
        continue;
      }
      EXPECT_TRUE(out.ok) << line.file << "\n" << out.log;
      EXPECT_EQ(out.log, "") << line.file;
      if (line.tracks >= 0) {
        EXPECT_EQ(out.chunks, line.tracks) << line.file;
      }
      if (line.noteOns >= 0) {
        EXPECT_EQ(out.noteOns, line.noteOns) << line.file;
      }
      EXPECT_EQ(out.storedNoteOns, out.noteOns) << line.file;
      continue;
    }
    if (!out.ok) {
      ++refused;
    } else if (!out.log.empty()) {
      ++logged;
    } else {
      ++clean;
    }
    // A refusal says why, unless the input never showed a MIDI header at all.
    if (!out.ok && out.chunks > 0) {
      EXPECT_NE(out.log, "") << line.file;
    }
  }
  EXPECT_GT(valid, 50);
  std::printf("malformed: %d refused, %d read with log lines, %d read cleanly\n", refused, logged, clean);
}

}  // namespace
