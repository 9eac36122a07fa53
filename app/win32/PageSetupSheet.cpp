#include "app/win32/PageSetupSheet.h"

#include "app/win32/PageSetupTabs.h"

TPageSetupSheet::TPageSetupSheet(TWindow* parent, const TPageSetupTarget& target)
    : TQVKPropertyDlg(parent, kResourceId, kResourceId), target_(target) {
  // Once a page has been shown the sheet may have changed something: Cancel then only closes.
  SetRenameCancel(true);
  AddPage("Contents", new TPageSetupContentsTab(this, target_));
  AddPage("Options", new TPageSetupOptsTab(this, target_));
  AddPage("Margins", new TPageSetupMarginsTab(this, target_));
  AddPage("Fonts", new TPageSetupFontsTab(this, target_));
  AddPage("Preview", new TPageSetupPreviewTab(this, target_));
}
