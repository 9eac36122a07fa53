#include "foundation/QVBusyCursor.h"

TQVBusyCursor::TQVBusyCursor(bool show) {
  if (show) Show(true);
}

TQVBusyCursor::~TQVBusyCursor() { Show(false); }

void TQVBusyCursor::Show(bool on) {
  if (on == Shown) return;
  if (on)
    Saved = ShowWaitCursor();
  else
    SetCurrentCursor(Saved);
  Shown = on;
}
