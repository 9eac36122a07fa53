// The print preview's view of one page: how large the page shows at each of the four zoom
// levels in the space the dialog leaves, the scroll ranges and positions, and where a click
// that zooms puts the point under the mouse.
#pragma once

#include "app/PrinterMetrics.h"

constexpr int kPreviewZoomLevels = 4;

// What the window system measures for the view.
struct TPreviewFrame {
  int clientWidth;   // the space below the buttons
  int clientHeight;
  int borderWidth;
  int borderHeight;
  int scrollBarWidth;   // of a vertical bar
  int scrollBarHeight;  // of a horizontal bar
};

enum class TScrollAction { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };

class TPreviewZoom {
public:
  explicit TPreviewZoom(const TPrinterMetrics& metrics);

  // Levels above 3 wrap to 0 and below 0 to 3. Keeps the scroll positions at the same place of
  // the page.
  void SetZoom(int level, const TPreviewFrame& frame);
  void Refit(const TPreviewFrame& frame) { SetZoom(level_, frame); }
  int GetZoom() const { return level_; }

  int DisplayWidth() const { return displayW_; }
  int DisplayHeight() const { return displayH_; }
  // The part of the page the view shows (its client size less the bars).
  int VisibleWidth() const { return visibleW_; }
  int VisibleHeight() const { return visibleH_; }
  int RangeX() const { return rangeX_; }
  int RangeY() const { return rangeY_; }
  int ScrollX() const { return scrollX_; }
  int ScrollY() const { return scrollY_; }
  bool HasVerticalBar() const { return level_ > 0; }
  bool HasHorizontalBar() const { return level_ > 1; }
  // Where the view sits in the frame's space (centred in it), and its outer size.
  int ViewLeft() const { return viewLeft_; }
  int ViewTop() const { return viewTop_; }
  int ViewWidth() const { return viewW_; }
  int ViewHeight() const { return viewH_; }

  // A click at (x, y) in the view: one level in (left) or out (right), wrapping, with the page
  // point under the mouse brought to the middle as far as the ranges allow.
  void Click(int x, int y, bool zoomOut, const TPreviewFrame& frame);
  // Answers the new position of the bar.
  int Scroll(bool vertical, TScrollAction action, int thumb = 0);

private:
  static int Clamp(int v, int high);

  TPrinterMetrics m_;
  int level_ = 0;
  int displayW_ = 0, displayH_ = 0;
  int visibleW_ = 0, visibleH_ = 0;
  int rangeX_ = 0, rangeY_ = 0;
  int scrollX_ = 0, scrollY_ = 0;
  int viewLeft_ = 0, viewTop_ = 0, viewW_ = 0, viewH_ = 0;
};
