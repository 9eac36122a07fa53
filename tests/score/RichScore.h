#pragma once
// A score that uses every setting and every item type with values away from their defaults, and
// the checks that a copy of it read back from a file holds the same model.

#include <memory>

class TMusicScore;

std::unique_ptr<TMusicScore> BuildRichScore();
void ExpectRichScore(const TMusicScore& score);
