// The "Instrument" page of the staff properties and notation properties sheets: a patch chosen
// from the patch lists of QXTPATCH.INI (or by number) and an optional bank from controllers 0
// and 32. It edits an instrument record that its sheet owns.
#pragma once

#include "app/win32/QVKPropertyPage.h"
#include "editor/StaffPropRules.h"

class TCheckBox;
class TComboBox;
class TEditNumber;
class TListBox;
class TPatchLists;

// The patch lists of the run, read from QXTPATCH.INI beside the program on first use.
TPatchLists& SharedPatchLists();

class TNtnPropInstrumentPage : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 548;

  TNtnPropInstrumentPage(TQVKPropertyDlg* sheet, TInstrumentRecord& record);

  void SetupWindow() override;
  // A patch list that did not fit is reported when the page is shown.
  void Activated() override;
  bool Find(TEvent& ev) override;
  bool Apply() override;

  LRESULT EvTypeChange(WPARAM, LPARAM);
  LRESULT EvBankClicked(WPARAM, LPARAM);

private:
  void FillTypes();
  void FillPatches();
  void EnableBank();
  void ReportOverflow();

  TInstrumentRecord& record_;
  TCheckBox* bank_;
  TEditNumber* controller0_;
  TEditNumber* controller32_;
  TListBox* patches_;
  TComboBox* types_;
};
