// A scoped hourglass: shown while the object lives (when asked to), the replaced cursor restored
// when it goes. For the application-wide nested busy state use TSysInfo's busy cursor.
#pragma once

#include "foundation/CursorSeam.h"

class TQVBusyCursor {
 public:
  explicit TQVBusyCursor(bool show = true);
  ~TQVBusyCursor();
  TQVBusyCursor(const TQVBusyCursor&) = delete;
  TQVBusyCursor& operator=(const TQVBusyCursor&) = delete;

  void Show(bool on);
  bool IsShown() const { return Shown; }

 private:
  TCursorHandle Saved = nullptr;
  bool Shown = false;
};
