#include "app/win32/QVKPropertyPage.h"

#include "app/win32/MCTDialog.h"
#include "app/win32/QVKPropertyDlg.h"

namespace {
using R = TResponse<TQVKPropertyPage>;
constexpr R kResponses[] = {R::Command(TQVKPropertyDlg::kHelpButton, &TQVKPropertyPage::CmHelp)};
}  // namespace

TQVKPropertyPage::TQVKPropertyPage(TQVKPropertyDlg* sheet, int resourceId, HINSTANCE module)
    : TQVPropertyPage(sheet, resourceId, module), pageId_(resourceId) {}

bool TQVKPropertyPage::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TQVPropertyPage::Find(ev); }

void TQVKPropertyPage::SetupWindow() {
  TQVPropertyPage::SetupWindow();
  dialog_base::ApplyLightFont(GetHandle());
}

int TQVKPropertyPage::RunChildDialog(TDialog& dialog) {
  if (auto* mct = dynamic_cast<TMCTDialog*>(&dialog)) mct->SetKeepPosition(true);
  return dialog.Execute();
}

void TQVKPropertyPage::CmHelp() { dialog_base::ShowHelpForId(pageId_); }
