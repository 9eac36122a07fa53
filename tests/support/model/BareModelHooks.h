// Audit hooks that do nothing, for code that must see the model exactly as read: tests of what the
// score file stores field by field, and the load benchmark's reading without the audit. A null
// hook is a precondition failure, so leaving the audit out has to be said.
#pragma once
#include "QVKNTN/ScoreAuditHooks.h"

inline TScoreAuditHooks BareModelHooks() {
  TScoreAuditHooks none;
  none.auditScore = [](TMusicScore*, int) {};
  none.auditStaff = [](TMusicStaff*, int, int) {};
  none.auditStaffAround = [](TMusicStaff*, int, int) {};
  none.auditItems = [](TMusicStaff*, int, int) {};
  return none;
}
