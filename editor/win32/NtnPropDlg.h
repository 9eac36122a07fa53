// The notation properties sheet over a selection or an insert's template item: one page for each
// group that some item has (a single clef, key, tempo ... and bar lines, expression placement,
// notes, rests, visibility). A value that differs between the items shows blank or in the check
// box's third state, and stays as each item has it unless the user makes it definite.
#pragma once

#include "app/win32/QVKPropertyDlg.h"
#include "editor/NtnPropData.h"

class TNtnPropDialog : public TQVKPropertyDlg {
public:
  static constexpr int kResourceId = 601;

  TNtnPropDialog(TWindow* parent, TNtnPropData& data);
};
