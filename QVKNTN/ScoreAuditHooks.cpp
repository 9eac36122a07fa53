#include "QVKNTN/ScoreAuditHooks.h"

namespace {
TScoreAuditHooks gHooks;
}

TScoreAuditHooks SetScoreAuditHooks(const TScoreAuditHooks& hooks) {
  TScoreAuditHooks previous = gHooks;
  gHooks = hooks;
  return previous;
}

const TScoreAuditHooks& GetScoreAuditHooks() { return gHooks; }

void RunScoreAudit(TMusicScore* score, int all) {
  if (gHooks.auditScore) gHooks.auditScore(score, all);
}

void RunStaffAudit(TMusicStaff* staff, int first, int last) {
  if (gHooks.auditStaff) gHooks.auditStaff(staff, first, last);
}

void RunStaffAuditAround(TMusicStaff* staff, int first, int last) {
  if (gHooks.auditStaffAround) gHooks.auditStaffAround(staff, first, last);
}

void RunItemAudit(TMusicStaff* staff, int first, int last) {
  if (gHooks.auditItems) gHooks.auditItems(staff, first, last);
}
