// The flat status bar: no mode indicators, an etched line along its top edge, a borderless
// message pane, and hints split into the status text (message pane) and the tooltip text.
#pragma once
#include "framework/StatusBar.h"

class TStatusBar95 : public TStatusBar {
public:
  static constexpr unsigned kEdgeFlags = 0x0280;  // top edge with its highlight line
  static constexpr int kEdgeHeight = 2;

  TStatusBar95(TWindow* parent, HFONT font);

  // Null hides the tooltip and clears the message pane. A text is cut to 199 characters; its
  // part before the first line feed goes to the message pane, the next part to the tooltip
  // while a toolbar is asking for a hint (RouteHint).
  void SetHintText(const char* text) override;
  // The panes' height and the etched edge above them.
  int GetDesiredHeight() const override { return TStatusBar::GetDesiredHeight() + kEdgeHeight; }

  bool Find(TEvent& ev) override;
  LRESULT EvNcCalcSize(WPARAM, LPARAM);
  LRESULT EvNcPaint(WPARAM, LPARAM);
};
