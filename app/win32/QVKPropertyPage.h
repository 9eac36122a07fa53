// The base of the editor's sheet pages: a page id (its dialog resource id, also its help id),
// the Help button, and child dialogs that open where their resource puts them.
#pragma once
#include "framework/PropertyPage.h"

class TQVKPropertyDlg;
class TDialog;

class TQVKPropertyPage : public TQVPropertyPage {
public:
  TQVKPropertyPage(TQVKPropertyDlg* sheet, int resourceId, HINSTANCE module = nullptr);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  int GetPageId() const { return pageId_; }
  // Runs the dialog modally without centring it (a TMCTDialog keeps its position); answers its result.
  int RunChildDialog(TDialog& dialog);

  void CmHelp();

private:
  int pageId_;
};
