// Where the settings store's status texts appear: the main window's message bar. The status bar
// implements this and attaches itself to TSysInfo when it is created; until then the status
// stack works without showing anything.
#pragma once

class TMessageBarSink {
 public:
  virtual ~TMessageBarSink() = default;
  // Shows the text in the message pane (null clears it).
  virtual void SetMessageText(const char* text) = 0;
  // Repaints the bar at once.
  virtual void RepaintNow() = 0;
};
