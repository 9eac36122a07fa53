#include "app/win32/ShellGlobals.h"

TVellichordApp* gApp = nullptr;
TVellichordFrame* gFrame = nullptr;
TMDIClient* gMDIClient = nullptr;
TMusicStatusBar* gStatusBar = nullptr;
THintTip* gToolTip = nullptr;
TWindow* gPlayingWindow = nullptr;
int gToolbarHintCount = 0;

namespace {

// Registered before the program's main function runs, as the other programs that exchange
// these formats and messages expect them to exist from the first window on.
const UINT notationFormat = RegisterClipboardFormatA("Vellichord V1");
const UINT midiFileFormat = RegisterClipboardFormatA("Standard MIDI File");
const UINT initMessage = RegisterWindowMessageA("QVINIT");
const UINT commDlgHelpMessage = RegisterWindowMessageA("commdlg_help");

}  // namespace

UINT GetNotationClipboardFormat() { return notationFormat; }
UINT GetMidiFileClipboardFormat() { return midiFileFormat; }
UINT GetInitMessage() { return initMessage; }
UINT GetCommDlgHelpMessage() { return commDlgHelpMessage; }

#include "app/win32/ScoreWindowSeam.h"
#include "framework/Window.h"

TOpenDocumentWindowFn gOpenDocumentWindow = nullptr;

TScoreWindowActions* ScoreWindowOf(HWND child) { return dynamic_cast<TScoreWindowActions*>(TWindow::FromHandle(child)); }
