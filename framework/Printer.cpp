#include "framework/Printer.h"
#include <commdlg.h>

TPrinter::~TPrinter() { Reset(); }

void TPrinter::Reset() {
  if (devMode_) GlobalFree(devMode_);
  if (devNames_) GlobalFree(devNames_);
  devMode_ = nullptr;
  devNames_ = nullptr;
}

bool TPrinter::RunPrintDialog(PRINTDLGA& pd) {
  pd.lStructSize = sizeof pd;
  pd.hDevMode = devMode_;
  pd.hDevNames = devNames_;
  const bool ok = PrintDlgA(&pd) != 0;
  devMode_ = pd.hDevMode;
  devNames_ = pd.hDevNames;
  return ok;
}

bool TPrinter::Setup(HWND owner) {
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.hDevMode = devMode_;
  pd.hDevNames = devNames_;
  pd.Flags = PD_PRINTSETUP;
  const bool ok = PrintDlgA(&pd) != 0;
  // The dialog may hand back new blocks even when cancelled.
  devMode_ = pd.hDevMode;
  devNames_ = pd.hDevNames;
  return ok;
}

HDC TPrinter::CreatePrinterDC() const {
  if (!devNames_) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgA(&pd)) return nullptr;
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    return pd.hDC;
  }
  const DEVNAMES* names = static_cast<const DEVNAMES*>(GlobalLock(devNames_));
  const DEVMODEA* mode = devMode_ ? static_cast<const DEVMODEA*>(GlobalLock(devMode_)) : nullptr;
  const char* base = reinterpret_cast<const char*>(names);
  HDC dc = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
  if (mode) GlobalUnlock(devMode_);
  GlobalUnlock(devNames_);
  return dc;
}
