#include "app/win32/UsageTipsDlg.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/AppOptions.h"
#include "app/BesideHelpFile.h"
#include "app/win32/MusicStatusBar.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/VellichordApp.h"
#include "foundation/QXTFStream.h"

namespace {

constexpr int IDD_USAGETIPS = 554;
constexpr int kTipText = 102;
constexpr int kShowOnStartup = 103;
constexpr int kBack = 110;
constexpr int kNext = 111;
constexpr int kMoreInfo = 112;
// The tip's static holds 256 characters.
constexpr size_t kStaticRoom = 256;

int Option(TAppOptionIndex i) { return gApp ? gApp->Option(i) : TAppOptions()[i]; }

void SetOption(TAppOptionIndex i, int value) {
  if (gApp) gApp->Options()[i] = value;
}

// The whole file; a missing one gives no bytes and so no tips.
std::string ReadWholeFile(const char* path) {
  std::string bytes;
  TQXTFStream in(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path);
  if (!in.IsOpen()) return bytes;
  char block[4096];
  for (;;) {
    const uint32_t got = in.Read(block, sizeof block);
    if (got == 0) break;
    bytes.append(block, got);
  }
  return bytes;
}

}  // namespace

TUsageTipsDlg::TUsageTipsDlg(TWindow* parent, const char* helpFile) : TMCTDialog(parent, IDD_USAGETIPS), helpFile_(helpFile) {
  char path[260];
  tips_.Load(PathBesideHelpFile(helpFile, "qvktips.tip", path) ? ReadWholeFile(path) : std::string());
}

void TUsageTipsDlg::SetupWindow() {
  TMCTDialog::SetupWindow();
  if (gStatusBar) gStatusBar->SetHintId(IDD_USAGETIPS);
  CheckDlgButton(hwnd_, kShowOnStartup, Option(kOptUsageTipsOnStartup) ? BST_CHECKED : BST_UNCHECKED);
  ShowTip(1);
}

void TUsageTipsDlg::CleanupWindow() {
  if (gStatusBar) gStatusBar->ClearHint();
  TMCTDialog::CleanupWindow();
}

void TUsageTipsDlg::ShowTip(int step) {
  const int next = TUsageTips::Step(Option(kOptNextUsageTip), step, tips_.Count());
  SetOption(kOptNextUsageTip, next);
  char text[TUsageTips::kTextRoom];
  tips_.Get(next, text, macro_);
  if (std::strlen(text) >= kStaticRoom) text[kStaticRoom - 1] = '\0';
  SetDlgItemTextA(hwnd_, kTipText, text);
  ::ShowWindow(GetDlgItem(kMoreInfo), macro_[0] ? SW_SHOW : SW_HIDE);
}

LRESULT TUsageTipsDlg::EvCommand(UINT id, HWND control, UINT notifyCode) {
  if (!control || notifyCode != BN_CLICKED) return TMCTDialog::EvCommand(id, control, notifyCode);
  switch (id) {
    case kBack:
      ShowTip(-1);
      return 0;
    case kNext:
      ShowTip(1);
      return 0;
    case kShowOnStartup:
      SetOption(kOptUsageTipsOnStartup, IsDlgButtonChecked(hwnd_, kShowOnStartup) == BST_CHECKED ? 1 : 0);
      return 0;
    case kMoreInfo:
      WinHelpA(hwnd_, helpFile_, HELP_FORCEFILE, 0);
      WinHelpA(hwnd_, helpFile_, HELP_COMMAND, reinterpret_cast<ULONG_PTR>(macro_));
      return 0;
    default:
      return TMCTDialog::EvCommand(id, control, notifyCode);
  }
}
