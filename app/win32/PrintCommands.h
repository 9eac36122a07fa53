// The entries a score window prints and previews through: the print dialog, the print job and
// the preview dialog, each on the frame's printer. The caller audits the score first.
#pragma once
#include <windows.h>

class TMusicScore;
class TPrinter;
class TQVBoolArray;
class TStaffColorHandles;

// The print dialog (all pages or a range), then the job; false when nothing was printed.
bool PrintScore(HWND frame, TPrinter& printer, TMusicScore* score, const TQVBoolArray& staves,
                TStaffColorHandles* colors, const char* path);
// The preview on the chosen printer, opening on the page that holds the item at caretIndex of the
// first printed staff. Without a printer the user is told there is none.
void PreviewScore(HWND parent, TPrinter& printer, TMusicScore* score, const TQVBoolArray& staves,
                  TStaffColorHandles* colors, int caretIndex);
