#include "app/AboutText.h"

#include "foundation/BoundedFormat.h"
#include "foundation/VersionText.h"

void FormatAboutVersion(char* buffer, size_t size) {
  if (!buffer || size == 0) return;
  char version[32];
  FormatVersion(version, sizeof version, kProgramVersion, 2, 0);
  FormatBounded(buffer, size, "%sb (32-bit)", version);
}
