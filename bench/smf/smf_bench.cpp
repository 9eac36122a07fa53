// Reading a large Standard MIDI File into event lists, and exporting a score of the same size,
// each against a plain read or write of the same bytes in one call.
//   smf_bench [file] [runs]   (file: big900.mid beside the program, made when it is built)
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/BarLineData.h"
#include "bench/BenchBuildKind.h"
#include "bench/score/BenchTimer.h"
#include "foundation/QXTFStream.h"
#include "foundation/QXTSegRamStream.h"
#include "midi/SMFExportStream.h"
#include "midi/SMFImport.h"

namespace {

constexpr int kStaves = 16;
constexpr int kBars = 900;

std::string Beside(const char* program, const char* name) {
  std::string path = program;
  const size_t slash = path.find_last_of("/\\");
  return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + name;
}

bool ReadPlain(const std::string& path, std::vector<unsigned char>& bytes) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fseek(f, 0, SEEK_END);
  bytes.resize(size_t(std::ftell(f)));
  std::fseek(f, 0, SEEK_SET);
  const bool ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
  std::fclose(f);
  return ok;
}

bool WritePlain(const std::string& path, const std::vector<unsigned char>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// 16 staves of 900 bars, five notes a bar (quarter, two eighths, two quarters): 72,000 notes,
// the size of the generated file.
void BuildScore(TMusicScore& score) {
  static const int kCodes[] = {2, 3, 3, 2, 2};
  for (int s = 0; s < kStaves; ++s) {
    auto* staff = new TMusicStaff;
    staff->SetChannel(s);
    for (int bar = 0; bar < kBars; ++bar) {
      for (int n = 0; n < 5; ++n) staff->AppendItem(new TMusicNote((bar + n + s) % 9 - 4, kCodes[n]));
      staff->AppendItem(new TBarLineData);
    }
    score.AppendStaff(staff);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : Beside(argv[0], "big900.mid");
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  std::vector<unsigned char> bytes;
  if (!ReadPlain(path, bytes)) {
    std::fprintf(stderr, "cannot read %s (made by ../shared/bench/gen_smf.py when the benchmark is built)\n", path.c_str());
    return 1;
  }

  long notes = 0;
  int tracks = 0;
  const double plainRead = BestMilliseconds(runs, [&] { ReadPlain(path, bytes); });
  const double import = BestMilliseconds(runs, [&] {
    TSMFData data;
    TQXTFStream file(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path.c_str());
    if (!ImportMidiFile(data, file, nullptr)) std::fprintf(stderr, "the file did not read cleanly\n");
    tracks = data.TrackCount();
    notes = 0;
    for (int t = 0; t < tracks; ++t) {
      const TMidiFileBuf& events = data.Track(t)->Events();
      for (int32_t i = 0, n = events.EventCount(); i < n; ++i) notes += IsMidiNoteStart(events.EventAt(i));
    }
  });

  InstallAuditPass();
  TMusicScore score;
  BuildScore(score);
  const std::string out = path + ".export.mid";
  const std::string plainOut = path + ".plain.mid";
  std::vector<unsigned char> exported;
  const double exportMs = BestMilliseconds(runs, [&] {
    if (!WriteFileReplacing(out.c_str(), [&](TQXTStream& s) { return WriteScoreAsMidi(s, score, 1, {}); })) {
      std::fprintf(stderr, "the export failed\n");
    }
  });
  ReadPlain(out, exported);
  const double plainWrite = BestMilliseconds(runs, [&] { WritePlain(plainOut, exported); });
  std::remove(out.c_str());
  std::remove(plainOut.c_str());

  std::printf("standard MIDI files (%s), best of %d runs\n", kBuildKind, runs);
  std::printf("  read %zu bytes plainly:             %8.2f ms\n", bytes.size(), plainRead);
  std::printf("  read into %d tracks, %ld notes:   %8.2f ms   ratio %.1f\n", tracks, notes, import, import / plainRead);
  std::printf("  write %zu bytes plainly:            %8.2f ms\n", exported.size(), plainWrite);
  std::printf("  export %d staves x %d bars (format 1): %8.2f ms   ratio %.1f\n", kStaves, kBars, exportMs, exportMs / plainWrite);
  return 0;
}
