#include "app/win32/MCTDialog.h"

#include "app/AppOptions.h"
#include "app/win32/MusicStatusBar.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/VellichordApp.h"
#include "app/win32/VellichordFrame.h"
#include "foundation/win32/WindowPlacement.h"
#include "foundation/win32/WindowStyle.h"
#include "framework/Application.h"

namespace {
using R = TResponse<TMCTDialog>;
constexpr R kResponses[] = {
    R::Message(WM_ENTERIDLE, &TMCTDialog::EvEnterIdle),
    R::Command(TMCTDialog::kHelpButton, &TMCTDialog::CmHelp),
    R::Message(WM_HELP, &TMCTDialog::EvHelp),
    R::Message(WM_CONTEXTMENU, &TMCTDialog::EvContextMenu),
};
const THelpPair kNoHelp[] = {{0, 0}};
}  // namespace

namespace dialog_base {

void ShowHelpForId(int helpId) {
  if (!gStatusBar) return;
  const int previous = gStatusBar->GetHintId();
  gStatusBar->SetHintId(helpId);
  gStatusBar->ShowHelpForHint();
  gStatusBar->SetHintId(previous);
}

const char* HelpFile() { return gApp ? gApp->GetHelpFile() : "help.hlp"; }

bool UseLightFont() { return gApp && gApp->Option(kOptDlgUseLightFont) != 0; }

void ApplyLightFont(HWND dialog) {
  if (UseLightFont()) SetAnsiVarFontRecursive(dialog);
}

void CentreOnScreen(HWND dialog) { CenterWindowOnScreen(dialog, true); }

}  // namespace dialog_base

TMCTDialog::TMCTDialog(TWindow* parent, int resourceId, HINSTANCE module)
    : TDialog(parent, resourceId, module), helpId_(resourceId), helpTable_(kNoHelp) {}

TMCTDialog::TMCTDialog(int resourceId) : TMCTDialog(gFrame, resourceId, nullptr) {}

bool TMCTDialog::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TDialog::Find(ev); }

void TMCTDialog::SetHelpTable(const THelpPair* table) { helpTable_ = table ? table : kNoHelp; }

void TMCTDialog::SetupWindow() {
  TDialog::SetupWindow();
  dialog_base::ApplyLightFont(GetHandle());
  if (!keepPosition_) dialog_base::CentreOnScreen(GetHandle());
}

void TMCTDialog::CmHelp() { dialog_base::ShowHelpForId(helpId_); }

LRESULT TMCTDialog::EvEnterIdle(WPARAM, LPARAM) {
  const LRESULT r = DefaultProcessing();
  if (TApplication* app = TApplication::Current()) app->IdleAction(0);
  return r;
}

LRESULT TMCTDialog::EvHelp(WPARAM, LPARAM lParam) {
  const HELPINFO* info = reinterpret_cast<const HELPINFO*>(lParam);
  if (info) {
    WinHelpA(static_cast<HWND>(info->hItemHandle), dialog_base::HelpFile(), HELP_WM_HELP,
             reinterpret_cast<ULONG_PTR>(helpTable_));
  }
  return TRUE;
}

LRESULT TMCTDialog::EvContextMenu(WPARAM wParam, LPARAM) {
  WinHelpA(reinterpret_cast<HWND>(wParam), dialog_base::HelpFile(), HELP_CONTEXTMENU,
           reinterpret_cast<ULONG_PTR>(helpTable_));
  return 0;
}
