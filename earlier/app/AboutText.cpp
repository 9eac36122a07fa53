// The earlier line's version line: release 1.55, sub-release b, a final release.
#include "app/AboutText.h"

#include "earlier/app/EarlierShellRules.h"
#include "foundation/BoundedFormat.h"

void FormatAboutVersion(char* buffer, size_t size) {
  if (!buffer || size == 0) return;
  char version[32];
  earlier_shell::FormatReleaseVersion(version, sizeof version, earlier_shell::kReleaseNumber,
                                      earlier_shell::kReleaseStage, earlier_shell::kSubRelease);
  FormatBounded(buffer, size, "%s (32-bit)", version);
}
