#include "framework/WizardPage.h"

#include "framework/PropertyTab.h"
#include "framework/WizardDialog.h"

namespace {
using R = TResponse<TWizardPage>;
constexpr R kResponses[] = {R::Command(TWizardDialog::kNextId, &TWizardPage::CmNext)};
}  // namespace

TWizardPage::TWizardPage(TWizardDialog* wizard, int resourceId, LPCSTR bitmap, TPictureFrame frame, HINSTANCE module)
    : TQVPropertyPage(wizard, resourceId, module) {
  if (bitmap) picture_ = new TBitmapControl(this, kPictureId, bitmap, frame, module);
}

bool TWizardPage::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TQVPropertyPage::Find(ev); }

void TWizardPage::Activated() {
  if (keepDefault_ || !GetSheet() || !GetSheet()->GetTabStrip()) return;
  const TQVPropertyTab* strip = GetSheet()->GetTabStrip();
  bool last = true;
  for (int i = GetIndex() + 1; i < strip->GetEntryCount(); ++i) {
    if (strip->IsTabEnabled(i)) last = false;
  }
  SendMessage(DM_SETDEFID, last ? IDOK : TWizardDialog::kNextId);
}
