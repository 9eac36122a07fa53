#include "app/NewScore.h"

#include <cstring>

#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreFile.h"
#include "foundation/NewScoreInfo.h"

std::unique_ptr<TMusicScore> NewBlankScore(const TScoreInfoTexts& info) {
  static_assert(sizeof info == sizeof(TScoreInfoBlock), "the same block");
  TScoreInfoBlock block;
  std::memcpy(&block, &info, sizeof block);
  auto score = std::make_unique<TMusicScore>(block);
  auto* staff = new TMusicStaff;
  score->AppendStaff(staff);
  RunStaffAudit(staff, -1, -1);
  return score;
}

std::unique_ptr<TMusicScore> ReadTemplateScore(const char* path) {
  TScoreLoadInfo info;
  info.Clear();
  std::unique_ptr<TMusicScore> score(ReadScoreFile(path, info));
  // Anything past a converted read was refused or read only in part.
  if (info.status > slConverted) score.reset();
  return score;
}
