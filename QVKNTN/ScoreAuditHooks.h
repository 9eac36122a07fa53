#pragma once
// The audit pass walks staves with the notation indexes, which sit above the score model; the
// model and the score reader reach it through these hooks, which the audit module installs
// (InstallAuditPass: the application object does so before any score exists). Layout, drawing,
// playback and saving rely on the state the audit leaves, so a hook that was never installed is a
// precondition failure, not a silent skip; a test of the bare model installs hooks that do nothing.

class TMusicScore;
class TMusicStaff;

struct TScoreAuditHooks {
  void (*auditScore)(TMusicScore* score, int all) = nullptr;
  void (*auditStaff)(TMusicStaff* staff, int first, int last) = nullptr;
  void (*auditStaffAround)(TMusicStaff* staff, int first, int last) = nullptr;
  void (*auditItems)(TMusicStaff* staff, int first, int last) = nullptr;
};

// Installs the hooks (a copy is kept); answers the previous ones.
TScoreAuditHooks SetScoreAuditHooks(const TScoreAuditHooks& hooks);
const TScoreAuditHooks& GetScoreAuditHooks();

// Each calls its hook; a null hook raises TNtnPreconditionFailure.
void RunScoreAudit(TMusicScore* score, int all);
void RunStaffAudit(TMusicStaff* staff, int first, int last);
void RunStaffAuditAround(TMusicStaff* staff, int first, int last);
void RunItemAudit(TMusicStaff* staff, int first, int last);
