// The lyrics sheet of a staff: a configuration page (line count, alignment, placement, offset
// and the staff's vertical size) and one text page per lyric line. OK records the staff's lyrics
// and size for undo before any page writes into the staff.
#pragma once

#include <memory>

#include "app/win32/QVKPropertyDlg.h"
#include "framework/Font.h"

class TScoreEdit;
class TMusicStaff;

class TMainLyricDlg : public TQVKPropertyDlg {
public:
  static constexpr int kResourceId = 557;

  TMainLyricDlg(TScoreEdit& view, TMusicStaff& staff);

  void CmOk() override;
  // The lyric font: the view's "Staff Lyric" text font at the height of the dialog's own font,
  // made when a lyric page first asks for it; null without a view font table.
  HFONT LyricFont();

private:
  TScoreEdit& view_;
  std::unique_ptr<TFont> lyricFont_;
};
