// The About box: the product name, the version line and a button to the product-news page.
#pragma once
#include "app/win32/MCTDialog.h"

class TAboutDlg : public TMCTDialog {
public:
  static constexpr int kResourceId = 528;
  static constexpr int kNameId = 101;
  static constexpr int kVersionId = 102;
  static constexpr int kWebUpdatesId = 200;
  static constexpr DWORD kHelpContext = 8192;

  explicit TAboutDlg(int resourceId = kResourceId);
  TAboutDlg(TWindow* parent, int resourceId);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  void CmWebUpdates();
};
