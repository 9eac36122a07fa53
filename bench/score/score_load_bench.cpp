// Loading a large score file (read, inflate, parse, build the model, then the audit pass over
// every staff, as opening a file in the editor does) against the bare cost of reading the same file's bytes and inflating them with zlib in one call.
//   score_load_bench [big|stress] [runs]
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreFile.h"
#include "bench/score/BenchTimer.h"
#include "bench/score/ScoreGenerator.h"
#include "foundation/QXTSegRamStream.h"

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

  const double baseline = BestMilliseconds(runs, [&] {
    const std::vector<unsigned char> file = ReadAll(packed);
    uLongf size = static_cast<uLongf>(out.size());
    if (uncompress(out.data(), &size, file.data() + 6, static_cast<uLong>(file.size() - 6)) != Z_OK) std::abort();
  });
  // The score is deleted outside the timed part: loading is what is measured.
  std::unique_ptr<TMusicScore> loaded;
  auto load = [&](const std::string& path) {
    return BestMilliseconds(runs, [&] { loaded.reset(); }, [&] {
      TScoreLoadInfo info;
      loaded.reset(ReadScoreFile(path.c_str(), info));
      if (!loaded || info.status != slRead) std::abort();
    });
  };
  const double loadPacked = load(packed);
  const double loadPlain = load(plain);
  std::printf("score load, %s: %d staves x %d items, file %zu bytes compressed, %zu plain\n", stress ? "stress" : "big",
              shape.staves, shape.itemsPerStaff, ReadAll(packed).size(), body.size());
  std::printf("  read + inflate in one call:         %8.1f ms\n", baseline);
  std::printf("  load compressed + audit:            %8.1f ms   ratio %.2f (limit 2.00)\n", loadPacked, loadPacked / baseline);
  std::printf("  load plain + audit:                 %8.1f ms   ratio %.2f\n", loadPlain, loadPlain / baseline);
  std::remove(packed.c_str());
  std::remove(plain.c_str());
  return 0;
}
