// The earlier line's modal dialogs for one notation item each, and the patch dialog that the
// instrument patch item, the Staff Playback Instrument command and the staff playback page share.
#pragma once
#include "QVKNTN/StaffInstrument.h"
#include "app/win32/MCTDialog.h"

class TNotatedItem;

// The dialog of the item's kind runs on the item itself; true when it ended with OK and the item
// took the dialog's values (a special ending with no ending checked counts as Cancel).
bool RunItemDialog(TWindow* parent, TNotatedItem& item);
// Whether the item's kind has a dialog.
bool HasItemDialog(int type);

// The instrument patch dialog on a transfer record of the three values.
class TPatchDlg : public TMCTDialog {
public:
  static constexpr int kResourceId = 548;
  TPatchDlg(TWindow* parent, TStaffInstrument& transfer);

  void SetupWindow() override;
  void CmOk() override;
  bool Find(TEvent& ev) override;
  LRESULT EvTypeChanged(WPARAM, LPARAM);

private:
  void FillPatches();
  TStaffInstrument& transfer_;
};

