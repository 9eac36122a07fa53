// The base of the editor's tabbed sheets: the standard sheet style, help, light font, and the
// last page of each sheet remembered in the "TabHistory" section under the sheet's id.
#pragma once
#include "framework/PropertyDialog.h"

class TQVKPropertyPage;

class TQVKPropertyDlg : public TQVPropertyDialog {
public:
  static constexpr int kHelpButton = 9;
  // Sheets with this id never remember their page.
  static constexpr int kNoHistorySheetId = 601;
  // The style bits every editor sheet has.
  static constexpr uint32_t kStandardStyle = psfTabPadding | psfColorSelectedTab;

  TQVKPropertyDlg(TWindow* parent, int resourceId, int sheetId, uint32_t style = psfNormal,
                  HINSTANCE module = nullptr);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool CanChangePage(int newIndex) override;

  // The first page whose page id matches becomes current; nothing when none matches.
  void SelectPageById(int pageId);
  // Cancel reads "Close" from now on.
  void SetCancelToClose();
  void SetRenameCancel(bool on) { renameCancel_ = on; }
  bool WasShown() const { return shown_; }
  int GetSheetId() const { return sheetId_; }
  int GetCurrentPageId() const { return currentPageId_; }

  void CmHelp();

private:
  bool shown_ = false;
  int sheetId_;
  bool renameCancel_ = false;
  int currentPageId_ = 0;
};
