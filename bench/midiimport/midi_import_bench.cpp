// The whole import of Standard MIDI Files into scores: read, convert and format (the one entry
// point file opening calls), then the notes the score keeps, counted by exporting it and reading
// the export back.
//   midi_import_bench [runs] FILE...
// Per file: the best import time of `runs`, the notes in the file, the notes kept (by key and
// channel; for a file on the grid by start tick as well) and the time per thousand notes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "bench/BenchBuildKind.h"
#include "bench/score/BenchTimer.h"
#include "foundation/QXTFStream.h"
#include "foundation/QXTSegRamStream.h"
#include "midi/MidiImportDocument.h"
#include "midi/SMFData.h"
#include "midi/SMFExportStream.h"
#include "midi/SMFImport.h"

namespace {

// start tick, key, channel of every note start.
using TNoteStart = std::tuple<long, int, int>;

std::vector<TNoteStart> NoteStarts(const TSMFData& data) {
  std::vector<TNoteStart> starts;
  for (int t = 0; t < data.TrackCount(); ++t) {
    const TMidiFileBuf& events = data.Track(t)->Events();
    for (int32_t i = 0, n = events.EventCount(); i < n; ++i) {
      const TMidiEvent e = events.EventAt(i);
      if (IsMidiNoteStart(e)) starts.emplace_back(e.tick, e.b[1] & 0x7F, MidiEventChannel(e));
    }
  }
  std::sort(starts.begin(), starts.end());
  return starts;
}

bool ReadFile(const char* path, TSMFData& data) {
  TQXTFStream file(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path);
  return file.IsOpen() && ImportMidiFile(data, file, nullptr);
}

bool ReadExport(TMusicScore& score, TSMFData& data) {
  TQXTSegRamStream out(32768);
  if (!WriteScoreAsMidi(out, score, 1, {})) return false;
  out.Seek(0);
  return ImportMidiFile(data, out, nullptr);
}

// Notes of `sent` found in `kept`, compared by (key, channel), and with the start tick too.
void CountKept(const std::vector<TNoteStart>& sent, const std::vector<TNoteStart>& kept, long& byPitch, long& byStart) {
  std::map<std::pair<int, int>, long> have;
  for (const auto& [tick, key, channel] : kept) ++have[{key, channel}];
  byPitch = 0;
  for (const auto& [tick, key, channel] : sent) {
    long& n = have[{key, channel}];
    if (n > 0) {
      --n;
      ++byPitch;
    }
  }
  std::vector<TNoteStart> common;
  std::set_intersection(sent.begin(), sent.end(), kept.begin(), kept.end(), std::back_inserter(common));
  byStart = long(common.size());
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1, runs = 3;
  if (argc > 1 && std::atoi(argv[1]) > 0) {
    runs = std::atoi(argv[1]);
    first = 2;
  }
  if (first >= argc) {
    std::fprintf(stderr, "usage: midi_import_bench [runs] FILE...  (files from ../shared/bench/gen_smf.py)\n");
    return 2;
  }
  InstallAuditPass();
  std::printf("MIDI import (%s), best of %d runs\n", kBuildKind, runs);
  std::printf("%-28s %10s %10s %12s %12s %10s %12s\n", "file", "read ms", "import ms", "notes", "kept pitch", "kept tick", "us per note");
  for (int f = first; f < argc; ++f) {
    const char* path = argv[f];
    TSMFData sentData;
    if (!ReadFile(path, sentData)) {
      std::fprintf(stderr, "cannot read %s\n", path);
      return 1;
    }
    const double readMs = BestMilliseconds(runs, [&] {
      TSMFData data;
      ReadFile(path, data);
    });
    std::unique_ptr<TMusicScore> score;
    bool ok = true;
    const double importMs = BestMilliseconds(runs, [&] { score.reset(); }, [&] {
      ok = ImportMidiFileToScore(path, score) == TImportOpenResult::kConverted && ok;
    });
    if (!ok || !score) {
      std::fprintf(stderr, "the import of %s failed\n", path);
      return 1;
    }
    const std::vector<TNoteStart> sent = NoteStarts(sentData);
    TSMFData back;
    ReadExport(*score, back);
    long byPitch = 0, byStart = 0;
    CountKept(sent, NoteStarts(back), byPitch, byStart);
    std::string name = path;
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    std::printf("%-28s %10.1f %10.1f %12zu %12ld %10ld %12.2f\n", name.c_str(), readMs, importMs, sent.size(), byPitch,
                byStart, sent.empty() ? 0.0 : 1000.0 * importMs / double(sent.size()));
    if (byPitch == long(sent.size())) continue;
    // Where notes went missing: per channel, the notes sent and kept.
    const std::vector<TNoteStart> kept = NoteStarts(back);
    for (int c = 0; c < 16; ++c) {
      auto on = [c](const TNoteStart& n) { return std::get<2>(n) == c; };
      const long s = long(std::count_if(sent.begin(), sent.end(), on)), k = long(std::count_if(kept.begin(), kept.end(), on));
      if (s != k) std::printf("    channel %2d: %ld notes, %ld kept\n", c + 1, s, k);
    }
  }
  return 0;
}
