#include "framework/WizardDialog.h"

#include <vector>

#include "foundation/SheetRules.h"
#include "framework/PropertyPage.h"
#include "framework/PropertyTab.h"

namespace {
using R = TResponse<TWizardDialog>;
constexpr R kResponses[] = {
    R::Command(TWizardDialog::kBackId, &TWizardDialog::CmBack),
    R::Command(TWizardDialog::kNextId, &TWizardDialog::CmNext),
};
}  // namespace

TWizardDialog::TWizardDialog(TWindow* parent, int resourceId, uint32_t style, HINSTANCE module)
    : TQVPropertyDialog(parent, resourceId, style | psfWizard, module) {}

bool TWizardDialog::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TQVPropertyDialog::Find(ev); }

void TWizardDialog::SetupWindow() {
  TQVPropertyDialog::SetupWindow();
  HWND next = GetDlgItem(kNextId);
  if (next && !(GetStyleWord() & psfFocusPage)) PostMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
}

bool TWizardDialog::NextPage() { return nextEnabled_ && TQVPropertyDialog::NextPage(); }

bool TWizardDialog::PreviousPage() { return backEnabled_ && TQVPropertyDialog::PreviousPage(); }

void TWizardDialog::UpdateButtons(int index) {
  std::vector<bool> enabled;
  for (int i = 0; i < GetPageCount(); ++i) enabled.push_back(GetTabStrip() && GetTabStrip()->IsTabEnabled(i));
  const TWizardButtons b = WizardButtonsFor(enabled, index);
  HWND back = GetDlgItem(kBackId), next = GetDlgItem(kNextId), finish = GetDlgItem(IDOK);
  HWND defaultButton = nullptr;
  if (back) {
    backEnabled_ = b.back;
    ::EnableWindow(back, b.back);
  }
  if (next) {
    if (!b.last) {
      SendMessage(DM_SETDEFID, kNextId);
      defaultButton = next;
    }
    nextEnabled_ = !b.last;
    ::EnableWindow(next, !b.last);
  }
  if (finish) {
    ::EnableWindow(finish, b.last);
    if (b.last) {
      SendMessage(DM_SETDEFID, IDOK);
      defaultButton = finish;
    }
  }
  if (defaultButton && !(GetStyleWord() & psfFocusPage)) {
    PostMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(defaultButton), TRUE);
    return;
  }
  TQVPropertyPage* page = GetCurrentPage();
  HWND first = page && page->GetHandle() ? TQVPropertyPage::FirstTabStop(page->GetHandle()) : nullptr;
  if (!first) return;
  page->PostMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  if (::SendMessageA(first, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) ::PostMessageA(first, EM_SETSEL, 0, 0x7FFF);
}
