// Linked into test programs that read, edit or write scores: the model audits through hooks that
// the program installs at start-up, and so does every such test program, before its first test.
#include <gtest/gtest.h>
#include "QVKNTN/AuditPass.h"

namespace {

class TAuditPassEnvironment : public ::testing::Environment {
public:
  void SetUp() override { InstallAuditPass(); }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new TAuditPassEnvironment);

}  // namespace
