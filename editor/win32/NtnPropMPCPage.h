// The notation properties page of one multi-point controller: its controls are the shared
// controller controls, over the sheet's controller record.
#pragma once

#include "app/win32/QVKPropertyPage.h"
#include "editor/NtnPropExpressions.h"
#include "editor/win32/ControllerControls.h"

class TNtnPropMPCPage : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 549;

  TNtnPropMPCPage(TQVKPropertyDlg* sheet, TNtnPropController& group);
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool IsPageValid() override;
  bool Apply() override;

private:
  TNtnPropController& g_;
  TControllerControls controls_;
};
