// The host side of putting a finished file in place: rename replaces the target in one step.
#include <cstdio>

#include "midi/SMFExportStream.h"

bool ReplaceFileWith(const char* source, const char* target) { return std::rename(source, target) == 0; }
