// The score window's save as a Standard MIDI File: the user is told when the file cannot be
// written, and an existing file is replaced only by a complete one.
#pragma once
#include <windows.h>

#include "midi/SMFExportStream.h"

class TMusicScore;

// How the failure is shown: a message box unless a caller (a test) records it instead.
using TExportFailureBox = int (*)(HWND window, const char* caption, const char* text);
int ShowExportFailureBox(HWND window, const char* caption, const char* text);

// 1 when the file was written, 0 (after the message box) when it was not.
int ExportMidiFile(HWND window, TMusicScore& score, const char* path, int format, const TSMFExportOptions& options,
                   TExportFailureBox box = ShowExportFailureBox);
