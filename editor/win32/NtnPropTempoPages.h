// The notation properties pages of one tempo and one tempo variance: each edits its group of the
// property record, which the sheet writes back on OK.
#pragma once

#include "app/win32/QVKPropertyPage.h"
#include "editor/NtnPropSingles.h"

class TComboBox;
class TEdit;
class TEditNumber;

// Base, tempo and an optional text; a new base converts the shown tempo to the same speed.
class TNtnPropTempoPage : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 537;
  TNtnPropTempoPage(TQVKPropertyDlg* sheet, TNtnPropTempo& group);
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool Apply() override;
  LRESULT EvBase(WPARAM, LPARAM);

private:
  TNtnPropTempo& g_;
  TComboBox* base_;
  TEditNumber* tempo_;
  TEdit* text_;
  int shownBase_ = 0;
};

// Style and the delay in sixteenths, which only breath mark and fermata use.
class TNtnPropTempoVariancePage : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 558;
  TNtnPropTempoVariancePage(TQVKPropertyDlg* sheet, TNtnPropTempoVariance& group);
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool Apply() override;
  LRESULT EvStyle(WPARAM, LPARAM);

private:
  void EnableDelay();
  TNtnPropTempoVariance& g_;
  TComboBox* style_;
  TEditNumber* delay_;
};
