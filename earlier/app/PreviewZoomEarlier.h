// The earlier line's print preview: zoom levels 1, 2, 3, 4 and 8 stepped by the mouse buttons,
// scroll bars on a fixed 0..100 scale, the page fitted whole into the space left of the button
// column, and that column kept at the dialog's right edge.
#pragma once
#include <optional>

#include "app/PreviewZoom.h"
#include "app/PrinterMetrics.h"

class TEarlierPreviewZoom {
public:
  static constexpr int kScrollMax = 100;
  static constexpr int kPageStep = 20;

  // Answers the previous level. Without a window only the level is stored (shown = false).
  int SetZoom(int level, bool shown = true);
  int GetZoom() const { return level_; }
  // Left button: 1..3 up by one, 4 to 8, 8 stays. Right button: 8 to 4, 2..4 down by one, 1 stays.
  static int ZoomedIn(int level);
  static int ZoomedOut(int level);

  bool BarsShown() const { return level_ >= 2; }
  int RangeMax() const { return level_ >= 2 ? kScrollMax : 0; }
  int ScrollX() const { return scrollX_; }
  int ScrollY() const { return scrollY_; }
  // Answers the new position of that bar.
  int Scroll(bool vertical, TScrollAction action, int thumb = 0);

private:
  int level_ = 1;
  int scrollX_ = 0;
  int scrollY_ = 0;
};

struct TPreviewSize {
  int width;
  int height;
};
// The page's size fitted into w by h, keeping the printer page's aspect: the full height, or the
// full width when the height's width would not fit.
TPreviewSize FitPreviewPage(const TPrinterMetrics& printer, int w, int h);

struct TPreviewPlacement {
  int buttonX;  // every button moves to this x, keeping its y and size
  int controlX, controlY, controlWidth, controlHeight;
};
// The dialog's layout for a client size; nothing (only a repaint) when the space left of the
// column is 6 pixels or less.
std::optional<TPreviewPlacement> LayoutPreviewDialog(const TPrinterMetrics& printer, int clientWidth,
                                                     int clientHeight, int columnWidth, int gap);
