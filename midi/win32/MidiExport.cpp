#include "midi/win32/MidiExport.h"

#include <cstring>

#include "foundation/win32/MessageBoxes.h"

namespace {

const char* FileNamePart(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  }
  return name;
}

}  // namespace

int ExportMidiFile(HWND window, TMusicScore& score, const char* path, int format, const TSMFExportOptions& options) {
  const bool ok = WriteFileReplacing(path, [&](TQXTStream& out) { return WriteScoreAsMidi(out, score, format, options); });
  if (ok) return 1;
  // A failed write is reported as a failed open would be: the user must not take a partial
  // file for the score.
  MessageBoxF(window, MB_OK | MB_ICONEXCLAMATION, FileNamePart(path), "%s", "There was a problem saving the file!");
  return 0;
}
