#include "app/win32/PrintCommands.h"

#include <commdlg.h>

#include "app/win32/PrintPreviewDlg.h"
#include "app/win32/QVKPrintData.h"
#include "foundation/win32/MessageBoxes.h"
#include "framework/Printer.h"
#include "resources/StringIds.h"

namespace {

// PDERR_DEFAULTDIFFERENT: the printer data names a printer that is no longer the default one.
constexpr DWORD kDefaultDifferent = 0x100C;

struct TPrintChoice {
  HDC dc = nullptr;
  int from = 1;
  int to = TPrintPages::kLastPossiblePage;
};

TPrintChoice AskForPrinter(HWND frame, TPrinter& printer) {
  TPrintChoice choice;
  for (int attempt = 0; attempt < 2; ++attempt) {
    PRINTDLGA pd{};
    pd.hwndOwner = frame;
    pd.Flags = PD_NOSELECTION | PD_RETURNDC | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE;
    pd.nFromPage = 1;
    pd.nToPage = 1;
    pd.nMinPage = 1;
    pd.nMaxPage = 0xFFFF;  // the dialog's own limit: its page fields are 16 bits wide
    if (printer.RunPrintDialog(pd)) {
      choice.dc = pd.hDC;
      if (pd.Flags & PD_PAGENUMS) {
        choice.from = pd.nFromPage;
        choice.to = pd.nToPage;
      }
      return choice;
    }
    if (CommDlgExtendedError() != kDefaultDifferent) break;
    printer.Reset();
  }
  return choice;
}

}  // namespace

bool PrintScore(HWND frame, TPrinter& printer, TMusicScore* score, const TQVBoolArray& staves,
                TStaffColorHandles* colors, const char* path) {
  const TPrintChoice choice = AskForPrinter(frame, printer);
  if (!choice.dc) return false;
  TQVKPrintData job(frame, choice.dc, score, staves, colors);
  job.Pages().SetPageRange(choice.from, choice.to);
  return job.Print(path);
}

void PreviewScore(HWND parent, TPrinter& printer, TMusicScore* score, const TQVBoolArray& staves,
                  TStaffColorHandles* colors, int caretIndex) {
  HDC dc = printer.CreatePrinterDC();
  if (!dc) {
    MBLMessage(parent, MB_OK | MB_ICONINFORMATION, IDS_ERROR_DETECTED, IDS_NO_DEFAULT_PRINTER);
    return;
  }
  TQVKPrintData job(parent, dc, score, staves, colors);
  if (!job.IsReady()) return;
  job.Pages().SetPageRange(0, 20000);
  TPrintPreviewDlg preview(parent, &job, caretIndex);
  preview.Execute();
}
