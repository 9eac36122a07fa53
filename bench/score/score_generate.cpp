// Writes a generated large score to a file, for trying the editor and the tools on it.
//   score_generate big|stress PATH [plain]
#include <cstdio>
#include <cstring>
#include <memory>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreFile.h"
#include "bench/score/ScoreGenerator.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: score_generate big|stress PATH [plain]\n");
    return 2;
  }
  const TScoreShape shape = std::strcmp(argv[1], "stress") == 0 ? kStressScore : kBigScore;
  const bool plain = argc > 3 && std::strcmp(argv[3], "plain") == 0;
  std::unique_ptr<TMusicScore> score = GenerateScore(shape);
  if (!SaveScoreFile(argv[2], plain ? 0 : 1, *score)) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %d staves x %d items\n", argv[2], shape.staves, shape.itemsPerStaff);
  return 0;
}
