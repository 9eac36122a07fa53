// The five pages of the page-setup sheet. Each loads from the score when it is first shown and
// writes back on OK; the rules behind them are portable (PageSetupPages, PageSetupMargins,
// PrinterDiagnostics).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/PageSetupMargins.h"
#include "app/win32/PageSetupSheet.h"
#include "app/win32/QVKPropertyPage.h"
#include "foundation/QVBoolArray.h"

class TEditNumber;
class TEditRealNumber;
class TQVColumnHeader;
class TQVColumnListBox;
class TQVKPrintData;

// The staves that print, chosen one by one or by staff group, and the layering flag.
class TPageSetupContentsTab : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 598;
  TPageSetupContentsTab(TQVKPropertyDlg* sheet, const TPageSetupTarget& target);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool Apply() override;
  LRESULT EvGroupsChanged(WPARAM, LPARAM);
  LRESULT EvStavesChanged(WPARAM, LPARAM);

private:
  void ShowStaves();
  void ShowGroups();

  TPageSetupTarget target_;
  TQVBoolArray staves_;
  std::vector<std::string> groups_;
  std::vector<bool> groupShown_;
};

// Page numbering, the title block, system and spacing flags, staff size, labels and measure numbers.
class TPageSetupOptsTab : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 567;
  TPageSetupOptsTab(TQVKPropertyDlg* sheet, const TPageSetupTarget& target);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool Apply() override;
  void CmNumbering();

private:
  TPageSetupTarget target_;
  TEditNumber* from_;
  TEditNumber* staffSize_;
  TEditNumber* measureStart_;
};

// The four margins in inches or centimetres, and mirrored margins for double-sided printing.
class TPageSetupMarginsTab : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 568;
  TPageSetupMarginsTab(TQVKPropertyDlg* sheet, const TPageSetupTarget& target);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool Apply() override;
  LRESULT EvUnitsChanged(WPARAM, LPARAM);

private:
  void ReadTexts();
  void ShowTexts();

  TPageSetupTarget target_;
  TPageSetupMargins margins_;
  TEditRealNumber* edits_[TPageSetupMargins::kFields];
};

// The score's text fonts, changed one at a time through the font dialog.
class TPageSetupFontsTab : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 595;
  TPageSetupFontsTab(TQVKPropertyDlg* sheet, const TPageSetupTarget& target);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  void CmModify();
  // The row of text font i as the list shows it.
  static std::string RowText(const TMusicScore& score, int i);

private:
  TPageSetupTarget target_;
  TQVColumnHeader* header_;
  TQVColumnListBox* list_;
};

// What the printer makes of the settings: the page count, the printer and its sizes, and the
// preview of the pages.
class TPageSetupPreviewTab : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 593;
  TPageSetupPreviewTab(TQVKPropertyDlg* sheet, const TPageSetupTarget& target);
  ~TPageSetupPreviewTab() override;

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  void CmPreview();

private:
  void Load();

  TPageSetupTarget target_;
  TQVColumnHeader* header_;
  TQVColumnListBox* list_;
  std::unique_ptr<TQVKPrintData> job_;
};
