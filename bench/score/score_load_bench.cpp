// Loading a large score file (read, inflate, parse, build the model, then the audit pass over
// every staff, as opening a file in the editor does) against the bare cost of reading the same
// file's bytes and inflating them with zlib in one call.
//   score_load_bench [big|stress] [runs]
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "bench/BenchBuildKind.h"
#include "bench/score/BenchTimer.h"
#include "bench/score/ScoreGenerator.h"
#include "foundation/QXTSegRamStream.h"
#include "tests/support/model/BareModelHooks.h"

namespace {

std::vector<unsigned char> ReadAll(const std::string& path) {
  std::vector<unsigned char> bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  std::fseek(f, 0, SEEK_END);
  bytes.resize(static_cast<size_t>(std::ftell(f)));
  std::fseek(f, 0, SEEK_SET);
  if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
  std::fclose(f);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  const bool stress = argc > 1 && std::strcmp(argv[1], "stress") == 0;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  const TScoreShape shape = stress ? kStressScore : kBigScore;
  // The reader's audit hooks run the real pass, as in the editor.
  InstallAuditPass();
  const auto dir = std::filesystem::temp_directory_path();
  const std::string packed = (dir / "vc_bench_load_z.qvk").string();
  const std::string plain = (dir / "vc_bench_load_p.qvk").string();
  {
    std::unique_ptr<TMusicScore> score = GenerateScore(shape);
    if (!SaveScoreFile(packed.c_str(), 1, *score, skAutoSave) || !SaveScoreFile(plain.c_str(), 0, *score, skAutoSave)) {
      std::fprintf(stderr, "cannot write the benchmark files\n");
      return 1;
    }
  }
  const std::vector<unsigned char> body = ReadAll(plain);
  std::vector<unsigned char> out(body.size());

  auto inflateAll = [&] {
    const std::vector<unsigned char> file = ReadAll(packed);
    uLongf size = static_cast<uLongf>(out.size());
    if (uncompress(out.data(), &size, file.data() + 6, static_cast<uLong>(file.size() - 6)) != Z_OK) std::abort();
  };
  // The score is deleted outside the timed part: loading is what is measured.
  std::unique_ptr<TMusicScore> loaded;
  auto load = [&](const std::string& path) {
    return BestMilliseconds(1, [&] { loaded.reset(); }, [&] {
      TScoreLoadInfo info;
      loaded.reset(ReadScoreFile(path.c_str(), info));
      if (!loaded || info.status != slRead) std::abort();
    });
  };
  const TScoreAuditHooks audit = GetScoreAuditHooks();
  // Each round times every case in turn, so that a machine busy with other work slows them
  // alike; the best round of each is kept.
  double baseline = 1e300, loadPacked = 1e300, loadPlain = 1e300, readOnly = 1e300;
  for (int round = 0; round < runs; ++round) {
    baseline = std::min(baseline, BestMilliseconds(1, inflateAll));
    loadPacked = std::min(loadPacked, load(packed));
    loadPlain = std::min(loadPlain, load(plain));
    SetScoreAuditHooks(BareModelHooks());
    readOnly = std::min(readOnly, load(packed));
    SetScoreAuditHooks(audit);
  }
  loaded.reset();
  // Loading inflates ahead and audits beside the parsing on other threads: the cores count.
  std::printf("score load, %s: %d staves x %d items, file %zu bytes compressed, %zu plain (%s, %u cores)\n",
              stress ? "stress" : "big", shape.staves, shape.itemsPerStaff, ReadAll(packed).size(), body.size(), kBuildKind,
              std::thread::hardware_concurrency());
  std::printf("  read + inflate in one call:         %8.1f ms\n", baseline);
  std::printf("  load compressed + audit:            %8.1f ms   ratio %.2f (limit 2.00)\n", loadPacked, loadPacked / baseline);
  std::printf("  load plain + audit:                 %8.1f ms   ratio %.2f\n", loadPlain, loadPlain / baseline);
  std::printf("  load compressed, no audit:          %8.1f ms   ratio %.2f\n", readOnly, readOnly / baseline);
  std::remove(packed.c_str());
  std::remove(plain.c_str());
  return 0;
}
