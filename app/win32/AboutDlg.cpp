#include "app/win32/AboutDlg.h"

#include "app/AboutText.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/VellichordFrame.h"

namespace {
using R = TResponse<TAboutDlg>;
constexpr R kResponses[] = {R::Command(TAboutDlg::kWebUpdatesId, &TAboutDlg::CmWebUpdates)};
const THelpPair kAboutHelp[] = {{TAboutDlg::kNameId, TAboutDlg::kHelpContext},
                                {TAboutDlg::kVersionId, TAboutDlg::kHelpContext},
                                {TAboutDlg::kWebUpdatesId, TAboutDlg::kHelpContext},
                                {IDOK, TAboutDlg::kHelpContext},
                                {0, 0}};
}  // namespace

TAboutDlg::TAboutDlg(int resourceId) : TMCTDialog(resourceId) { SetHelpTable(kAboutHelp); }

TAboutDlg::TAboutDlg(TWindow* parent, int resourceId) : TMCTDialog(parent, resourceId) { SetHelpTable(kAboutHelp); }

bool TAboutDlg::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TMCTDialog::Find(ev); }

void TAboutDlg::SetupWindow() {
  TMCTDialog::SetupWindow();
  char version[40];
  FormatAboutVersion(version, sizeof version);
  SetDlgItemTextA(GetHandle(), kNameId, kProductName);
  SetDlgItemTextA(GetHandle(), kVersionId, version);
}

// The frame knows the product-news page.
void TAboutDlg::CmWebUpdates() {
  if (gFrame) gFrame->CmWebUpdates();
}
