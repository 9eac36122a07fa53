// The lyrics sheet of a staff: a configuration page (line count, alignment, placement, offset
// and the staff's vertical size) and one text page per lyric line. OK records the staff's lyrics
// and size for undo before any page writes into the staff.
#pragma once

#include "app/win32/QVKPropertyDlg.h"

class TScoreEdit;
class TMusicStaff;

class TMainLyricDlg : public TQVKPropertyDlg {
public:
  static constexpr int kResourceId = 557;

  TMainLyricDlg(TScoreEdit& view, TMusicStaff& staff);

  void CmOk() override;

private:
  TScoreEdit& view_;
};
