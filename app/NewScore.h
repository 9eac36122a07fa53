// The scores the New command starts from: a blank score with the chosen information and one
// staff, or a template file read whole.
#pragma once
#include <memory>

class TMusicScore;
struct TScoreInfoTexts;

// A score with this information and one new staff.
std::unique_ptr<TMusicScore> NewBlankScore(const TScoreInfoTexts& info);
// The template's score; null when it cannot be read, or was read only in part.
std::unique_ptr<TMusicScore> ReadTemplateScore(const char* path);
