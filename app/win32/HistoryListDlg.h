// The File History dialog: the recent files as numbered rows (name, title, folder), the one chosen
// opened by the caller, and Clear to forget them all.
#pragma once
#include <string>

#include "app/win32/MCTDialog.h"

class TFileHistory;
class TQVColumnHeader;
class TQVColumnListBox;

class THistoryListDlg : public TMCTDialog {
public:
  static constexpr int kResourceId = 532;

  THistoryListDlg(TWindow* parent, TFileHistory& history);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool CanClose() override;
  void CmOk() override;
  void CmClear();
  LRESULT EvDoubleClick(WPARAM, LPARAM);
  // The row chosen with OK, or -1.
  int GetChoice() const { return choice_; }

  // The path of the entry chosen, or an empty string.
  static std::string RunHistoryDialog(TWindow* parent, TFileHistory& history);

private:
  TFileHistory& history_;
  TQVColumnHeader* header_;
  TQVColumnListBox* list_;
  int choice_ = -1;
};
