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

int ShowExportFailureBox(HWND window, const char* caption, const char* text) {
  return MessageBoxF(window, MB_OK | MB_ICONEXCLAMATION, caption, "%s", text);
}

int ExportMidiFile(HWND window, TMusicScore& score, const char* path, int format, const TSMFExportOptions& options,
                   TExportFailureBox box) {
  const bool ok = WriteFileReplacing(path, [&](TQXTStream& out) { return WriteScoreAsMidi(out, score, format, options); });
  if (ok) return 1;
  // A failed write is reported as a failed open would be: the user must not take a partial
  // file for the score.
  box(window, FileNamePart(path), "There was a problem saving the file!");
  return 0;
}
