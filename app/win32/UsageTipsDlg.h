// The "Did you know?" dialog: the usage tips of "qvktips.tip" one at a time, stepping forwards and
// backwards through the "NextUsageTip" option, with the start-up switch and the tip's help macro.
#pragma once
#include "app/UsageTips.h"
#include "app/win32/MCTDialog.h"

class TUsageTipsDlg : public TMCTDialog {
public:
  // The tips file sits beside the help file.
  TUsageTipsDlg(TWindow* parent, const char* helpFile);

  void SetupWindow() override;
  void CleanupWindow() override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;

  int GetTipCount() const { return tips_.Count(); }

private:
  void ShowTip(int step);

  const char* helpFile_;
  TUsageTips tips_;
  char macro_[TUsageTips::kMacroRoom] = {};
};
