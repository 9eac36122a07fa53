// The shell's globals that other parts of the editor reach: the application, the frame, the MDI
// client, the status bar, the tooltip window, the playing score window, the clipboard formats and
// the registered window messages. The MIDI device manager is gMidiManager (midi/win32).
#pragma once
#include <windows.h>

class TVellichordApp;
class TVellichordFrame;
class TMDIClient;
class TMusicStatusBar;
class TWindow;

// The tooltip window as the status bar uses it: the tip text of the hint under the mouse.
class THintTip {
public:
  virtual ~THintTip() = default;
  // Null hides the tip.
  virtual void SetText(const char* text) = 0;
};

extern TVellichordApp* gApp;
extern TVellichordFrame* gFrame;
extern TMDIClient* gMDIClient;
extern TMusicStatusBar* gStatusBar;
extern THintTip* gToolTip;
// The score window that plays; null when nothing plays.
extern TWindow* gPlayingWindow;
// Raised while a toolbar gadget sets its hint: only then does the tooltip get the hint's tip part.
extern int gToolbarHintCount;

// Registered at static initialisation.
UINT GetNotationClipboardFormat();   // "Vellichord V1"
UINT GetMidiFileClipboardFormat();   // "Standard MIDI File"
UINT GetInitMessage();               // "QVINIT"
UINT GetCommDlgHelpMessage();        // "commdlg_help"

// The engine's notification to the frame: WM_USER plus the notify offset the device manager passes.
constexpr UINT WM_MIDISEQ_NOTIFY = WM_USER + 101;
