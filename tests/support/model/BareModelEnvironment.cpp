// Linked into test programs about what the score file stores, field by field: the audit would
// recompute derived fields (cancelled accidentals, ramp volumes, beam and group bits) from their
// neighbours, so these programs read and write the bare model.
#include <gtest/gtest.h>
#include "tests/support/model/BareModelHooks.h"

namespace {

class TBareModelEnvironment : public ::testing::Environment {
public:
  void SetUp() override { SetScoreAuditHooks(BareModelHooks()); }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new TBareModelEnvironment);

}  // namespace
