#include "app/win32/QVKPropertyDlg.h"

#include "app/win32/MCTDialog.h"
#include "app/win32/QVKPropertyPage.h"
#include "foundation/SheetRules.h"
#include "foundation/SysInfo.h"

namespace {
using R = TResponse<TQVKPropertyDlg>;
constexpr R kResponses[] = {R::Command(TQVKPropertyDlg::kHelpButton, &TQVKPropertyDlg::CmHelp)};
constexpr char kHistorySection[] = "TabHistory";

uint32_t SheetStyle(uint32_t style) {
  style |= TQVKPropertyDlg::kStandardStyle;
  if (dialog_base::UseLightFont()) style |= psfAnsiVarFont;
  return style;
}
}  // namespace

TQVKPropertyDlg::TQVKPropertyDlg(TWindow* parent, int resourceId, int sheetId, uint32_t style, HINSTANCE module)
    : TQVPropertyDialog(parent, resourceId, SheetStyle(style), module), sheetId_(sheetId) {
  if (sheetId_ == kNoHistorySheetId) return;
  char key[12];
  TabHistoryKey(sheetId_, key);
  // Only recorded until the strip is set up; an index past the pages falls back to the first.
  SelectPage(GetSysInfo().ReadInt(kHistorySection, key, 0));
}

bool TQVKPropertyDlg::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TQVPropertyDialog::Find(ev); }

void TQVKPropertyDlg::SetupWindow() { TQVPropertyDialog::SetupWindow(); }

bool TQVKPropertyDlg::CanChangePage(int newIndex) {
  shown_ = true;
  if (renameCancel_) SetCancelToClose();
  if (sheetId_ != kNoHistorySheetId) {
    char key[12];
    TabHistoryKey(sheetId_, key);
    GetSysInfo().WriteInt(kHistorySection, key, newIndex);
  }
  if (auto* page = dynamic_cast<TQVKPropertyPage*>(GetPageAt(newIndex))) currentPageId_ = page->GetPageId();
  return true;
}

void TQVKPropertyDlg::SelectPageById(int pageId) {
  for (int i = 0; i < GetPageCount(); ++i) {
    auto* page = dynamic_cast<TQVKPropertyPage*>(GetPageAt(i));
    if (!page || page->GetPageId() != pageId) continue;
    SelectPage(i);
    currentPageId_ = pageId;
    return;
  }
}

void TQVKPropertyDlg::SetCancelToClose() {
  shown_ = true;
  if (HWND cancel = GetDlgItem(IDCANCEL)) ::SetWindowTextA(cancel, "Close");
}

void TQVKPropertyDlg::CmHelp() { dialog_base::ShowHelpForId(sheetId_); }
