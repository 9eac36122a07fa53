// The staff properties sheet: General, Visual, Midi and Instrument pages over a copy of one
// staff's settings. OK leaves the edited copy for the view to record and store.
#pragma once

#include "app/win32/QVKPropertyDlg.h"
#include "editor/StaffPropRules.h"

class TMusicScore;
class TMusicStaff;

class TStaffPropDialog : public TQVKPropertyDlg {
public:
  static constexpr int kResourceId = 589;

  // `copy` holds the staff's settings; `index` is the staff's place in the score (its own name
  // is no clash).
  TStaffPropDialog(TWindow* parent, const TMusicScore& score, TMusicStaff& copy, int index);

  void SetupWindow() override;
  // After OK: the instrument page's record goes into the copy when the user changed it.
  void StoreInstrument();

private:
  // The pages each editor line adds after General and Visual (editor/win32/StaffPropLine.cpp
  // and its replacement under earlier/).
  void AddLinePages(TMusicStaff& copy);

  TMusicStaff& copy_;
  TInstrumentRecord opened_;
  TInstrumentRecord instrument_;
};
