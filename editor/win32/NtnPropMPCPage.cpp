#include "editor/win32/NtnPropMPCPage.h"

#include "framework/ResponseTable.h"

TNtnPropMPCPage::TNtnPropMPCPage(TQVKPropertyDlg* sheet, TNtnPropController& group)
    : TQVKPropertyPage(sheet, kResourceId), g_(group), controls_(this, TNtnPropController::kTypes) {}

bool TNtnPropMPCPage::Find(TEvent& ev) { return controls_.Find(ev, g_) || TQVKPropertyPage::Find(ev); }

void TNtnPropMPCPage::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  controls_.Show(g_);
}

bool TNtnPropMPCPage::IsPageValid() { return controls_.Validate(g_); }

bool TNtnPropMPCPage::Apply() {
  controls_.Read(g_);
  return TQVKPropertyPage::Apply();
}
