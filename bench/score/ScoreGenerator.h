#pragma once
// Builds realistic large scores for benchmarks and load tests: staves full of notes, chords,
// rests, bar lines and expressions, with lyrics on some staves. The same arguments always build
// the same score.

#include <memory>

class TMusicScore;

struct TScoreShape {
  int staves;
  int itemsPerStaff;  // stored items, sentinels not counted
  int lyricsEvery;    // every n-th staff carries lyrics (0: none)
  unsigned seed;
};

// "big": 64 staves of 11998 items; "stress": 255 staves of 11998 items.
constexpr TScoreShape kBigScore = {64, 11998, 4, 1};
constexpr TScoreShape kStressScore = {255, 11998, 8, 2};

std::unique_ptr<TMusicScore> GenerateScore(const TScoreShape& shape);
