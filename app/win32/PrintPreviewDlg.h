// Print preview: the pages of a print job one at a time in a resizable, maximised dialog with
// Start, Next, Back, Copy and Done, opening on the page that holds a given item.
#pragma once
#include <windows.h>

#include <memory>

#include "app/win32/ScorePreviewControl.h"

class TQVKPrintData;

class TPrintPreviewDlg {
public:
  // caretIndex: the item of the first printed staff whose page shows first.
  TPrintPreviewDlg(HWND parent, TQVKPrintData* job, int caretIndex);
  ~TPrintPreviewDlg();
  TPrintPreviewDlg(const TPrintPreviewDlg&) = delete;
  TPrintPreviewDlg& operator=(const TPrintPreviewDlg&) = delete;

  // Runs the dialog modally; answers how it ended.
  INT_PTR Execute();
  TScorePreviewControl* Control() { return control_.get(); }

private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  INT_PTR Receive(UINT msg, WPARAM wParam, LPARAM lParam);
  void Setup();
  void PlaceControl();
  void PlaceEarlier();
  void UpdateButtons();

  HWND parent_;
  HWND hwnd_ = nullptr;
  TQVKPrintData* job_;
  int caret_;
  UINT initMessage_;
  std::unique_ptr<TScorePreviewControl> control_;
  int columnWidth_ = -1;  // measured from the template once
  int gap_ = 0;
};
