// Linked into test programs about what the score file stores, field by field: the audit would
// recompute derived fields (cancelled accidentals, ramp volumes, beam and group bits) from their
// neighbours, so these programs read and write the bare model through hooks that do nothing.
#include <gtest/gtest.h>
#include "QVKNTN/ScoreAuditHooks.h"

namespace {

class TBareModelEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    TScoreAuditHooks none;
    none.auditScore = [](TMusicScore*, int) {};
    none.auditStaff = [](TMusicStaff*, int, int) {};
    none.auditStaffAround = [](TMusicStaff*, int, int) {};
    none.auditItems = [](TMusicStaff*, int, int) {};
    SetScoreAuditHooks(none);
  }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new TBareModelEnvironment);

}  // namespace
