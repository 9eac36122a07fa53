// Saving a large score, plain and compressed, against the bare deflate (level 9, one call) of
// the same bytes.
//   score_save_bench [big|stress] [runs]
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreFile.h"
#include "bench/score/BenchTimer.h"
#include "bench/score/ScoreGenerator.h"
#include "foundation/QXTSegRamStream.h"

int main(int argc, char** argv) {
  const bool stress = argc > 1 && std::strcmp(argv[1], "stress") == 0;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  const TScoreShape shape = stress ? kStressScore : kBigScore;
  std::unique_ptr<TMusicScore> score = GenerateScore(shape);
  TQXTSegRamStream memory(1024);
  WriteScoreHeader(memory, *score, skAutoSave);
  std::vector<unsigned char> body(memory.Size());
  memory.Rewind();
  memory.Read(body.data(), static_cast<uint32_t>(body.size()));
  std::vector<unsigned char> packed(compressBound(static_cast<uLong>(body.size())));

  const double deflate = BestMilliseconds(runs, [&] {
    uLongf size = static_cast<uLongf>(packed.size());
    if (compress2(packed.data(), &size, body.data(), static_cast<uLong>(body.size()), 9) != Z_OK) std::abort();
  });
  const std::string path = (std::filesystem::temp_directory_path() / "vc_bench_save.qvk").string();
  const double savePacked = BestMilliseconds(runs, [&] {
    if (!SaveScoreFile(path.c_str(), 1, *score, skAutoSave)) std::abort();
  });
  const double savePlain = BestMilliseconds(runs, [&] {
    if (!SaveScoreFile(path.c_str(), 0, *score, skAutoSave)) std::abort();
  });
  std::printf("score save, %s: %d staves x %d items, %zu bytes plain\n", stress ? "stress" : "big", shape.staves,
              shape.itemsPerStaff, body.size());
  std::printf("  bare deflate, level 9, one call:    %8.1f ms\n", deflate);
  std::printf("  save compressed:                    %8.1f ms   ratio %.2f (limit 2.00)\n", savePacked, savePacked / deflate);
  std::printf("  save plain:                         %8.1f ms   ratio %.2f (limit 2.00)\n", savePlain, savePlain / deflate);
  std::remove(path.c_str());
  return 0;
}
