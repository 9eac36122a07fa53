// Putting a finished file in place on Windows: the move replaces the target in one step.
#include "foundation/win32/FileUtils.h"
#include "midi/SMFExportStream.h"

bool ReplaceFileWith(const char* source, const char* target) { return FileMove(source, target) != 0; }
