// The staff properties sheet's "Midi" page (588): the staff's port, channel, mute, playback
// transposition, volume and pan, edited in the sheet's copy of the staff.
#pragma once

#include "app/win32/QVKPropertyPage.h"

class TCheckBox;
class TComboBox;
class TEditNumber;
class TMusicStaff;

class TStaffPropMidiTab : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 588;

  TStaffPropMidiTab(TQVKPropertyDlg* sheet, TMusicStaff& copy);
  void SetupWindow() override;
  bool Apply() override;

protected:
  TMusicStaff& copy_;

private:
  TComboBox* port_;
  TEditNumber* channel_;
  TCheckBox* muted_;
  TEditNumber* transposition_;
  TEditNumber* volume_;
  TEditNumber* pan_;
};
