// The printer a program prints to: the chosen device's settings (DEVMODE and DEVNAMES, empty
// until the user picks a printer, which means the default printer) and the printer set-up dialog.
#pragma once
#include <windows.h>
#include <commdlg.h>

class TPrinter {
public:
  TPrinter() = default;
  virtual ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The system's printer set-up dialog; answers true when the user chose OK.
  bool Setup(HWND owner);
  // A device context of the chosen (or default) printer; null when there is no printer.
  HDC CreatePrinterDC() const;
  // The system's print dialog on these settings (which it may replace); the structure's other
  // fields are the caller's. Answers what PrintDlg answered.
  bool RunPrintDialog(PRINTDLGA& pd);
  // Forgets the chosen printer: the default printer again.
  void Reset();
  HGLOBAL GetDevMode() const { return devMode_; }
  HGLOBAL GetDevNames() const { return devNames_; }

private:
  HGLOBAL devMode_ = nullptr;
  HGLOBAL devNames_ = nullptr;
};
