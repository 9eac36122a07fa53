// Print preview: the pages of a print job one at a time in a resizable, maximised dialog with
// Start, Next, Back, Copy and Done, opening on the page that holds a given item.
#pragma once
#include <windows.h>

#include <memory>

#include "app/win32/MCTDialog.h"
#include "app/win32/ScorePreviewControl.h"

class TQVKPrintData;

class TPrintPreviewDlg : public TMCTDialog {
public:
  static constexpr int kResourceId = 543;
  // The dialog's own window class, with the program's score icon.
  static constexpr const char* kClassName = "QVKPreviewDlgV170";

  // caretIndex: the item of the first printed staff whose page shows first.
  TPrintPreviewDlg(HWND parent, TQVKPrintData* job, int caretIndex);
  ~TPrintPreviewDlg() override;

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  TScorePreviewControl* Control() { return control_.get(); }

  void CmStart();
  void CmNext();
  void CmBack();
  void CmCopy();
  LRESULT EvSize(WPARAM, LPARAM);

protected:
  HWND PerformCreate() override;

private:
  void PlaceControl();
  void PlaceEarlier();
  void UpdateButtons();

  TQVKPrintData* job_;
  int caret_;
  UINT initMessage_;
  std::unique_ptr<TScorePreviewControl> control_;
  int columnWidth_ = -1;  // measured from the template once
  int gap_ = 0;
};
