#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/NtnPrecondition.h"

namespace {
TScoreAuditHooks gHooks;

template <class Hook>
Hook Installed(Hook hook, int line) {
  if (!hook) NtnPreconditionFailed("the audit pass is installed", __FILE__, line);
  return hook;
}
}  // namespace

TScoreAuditHooks SetScoreAuditHooks(const TScoreAuditHooks& hooks) {
  TScoreAuditHooks previous = gHooks;
  gHooks = hooks;
  return previous;
}

const TScoreAuditHooks& GetScoreAuditHooks() { return gHooks; }

void RunScoreAudit(TMusicScore* score, int all) {
  Installed(gHooks.auditScore, __LINE__)(score, all);
}

void RunStaffAudit(TMusicStaff* staff, int first, int last) {
  Installed(gHooks.auditStaff, __LINE__)(staff, first, last);
}

void RunStaffAuditAround(TMusicStaff* staff, int first, int last) {
  Installed(gHooks.auditStaffAround, __LINE__)(staff, first, last);
}

void RunItemAudit(TMusicStaff* staff, int first, int last) {
  Installed(gHooks.auditItems, __LINE__)(staff, first, last);
}
