// The page-setup sheet: the score's page settings on five pages (the staves that print, the page
// options, margins, text fonts, and what the printer makes of them), applied on OK to the score
// and to the score window that opened it.
#pragma once
#include "app/win32/QVKPropertyDlg.h"

class TMusicScore;
class TPrinter;
class TQVBoolArray;
class TStaffColorHandles;

// What the sheet asks of the score window besides its score.
class TPageSetupWindow {
public:
  virtual ~TPageSetupWindow() = default;
  // Lay the score out again and repaint it.
  virtual void RelayoutScore() = 0;
  // The score's text fonts or staff size changed.
  virtual void RebuildFonts() = 0;
};

struct TPageSetupTarget {
  TMusicScore* score = nullptr;
  TQVBoolArray* staves = nullptr;  // the window's staves to print
  TPrinter* printer = nullptr;     // none: the Preview page says there is no printer
  TStaffColorHandles* colors = nullptr;
  TPageSetupWindow* window = nullptr;
  int caretIndex = 0;              // where the preview opens
};

class TPageSetupSheet : public TQVKPropertyDlg {
public:
  static constexpr int kResourceId = 566;

  TPageSetupSheet(TWindow* parent, const TPageSetupTarget& target);
  const TPageSetupTarget& Target() const { return target_; }

private:
  TPageSetupTarget target_;
};
