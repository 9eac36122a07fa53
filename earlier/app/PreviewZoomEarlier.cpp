#include "earlier/app/PreviewZoomEarlier.h"

#include <algorithm>
#include <cstdint>

int TEarlierPreviewZoom::ZoomedIn(int level) {
  if (level >= 4) return 8;
  return std::max(level, 0) + 1;
}

int TEarlierPreviewZoom::ZoomedOut(int level) {
  if (level >= 8) return 4;
  return std::max(level - 1, 1);
}

int TEarlierPreviewZoom::SetZoom(int level, bool shown) {
  const int previous = level_;
  level_ = level;
  if (!shown) return previous;
  // Between two scrolled levels the view stays where it was; any other change starts at the top.
  if (previous < 2 || level < 2) scrollX_ = scrollY_ = 0;
  return previous;
}

int TEarlierPreviewZoom::Scroll(bool vertical, TScrollAction action, int thumb) {
  int& pos = vertical ? scrollY_ : scrollX_;
  switch (action) {
    case TScrollAction::LineUp: pos = std::max(pos - 1, 0); break;
    case TScrollAction::LineDown: pos = std::min(pos + 1, kScrollMax); break;
    case TScrollAction::PageUp: pos = std::max(pos - kPageStep, 0); break;
    case TScrollAction::PageDown: pos = std::min(pos + kPageStep, kScrollMax); break;
    case TScrollAction::Thumb: pos = std::clamp(thumb, 0, kScrollMax); break;
    case TScrollAction::Top: pos = 0; break;
    case TScrollAction::Bottom: pos = kScrollMax; break;
  }
  return pos;
}

TPreviewSize FitPreviewPage(const TPrinterMetrics& printer, int w, int h) {
  const int64_t pageW = std::max<int64_t>(int64_t{printer.physicalWidth} * std::max(printer.aspectX, 1) /
                                              std::max(printer.aspectY, 1),
                                          1);
  const int64_t pageH = std::max(printer.physicalHeight, 1);
  const int64_t width = h * pageW / pageH;
  if (width <= w) return {static_cast<int>(width), h};
  return {w, static_cast<int>(w * pageH / pageW)};
}

std::optional<TPreviewPlacement> LayoutPreviewDialog(const TPrinterMetrics& printer, int clientWidth,
                                                     int clientHeight, int columnWidth, int gap) {
  const int area = clientWidth - columnWidth - gap;
  if (area <= 6) return std::nullopt;
  const TPreviewSize fitted = FitPreviewPage(printer, area - 2, clientHeight - 4);
  TPreviewPlacement p;
  p.buttonX = clientWidth - columnWidth;
  p.controlX = (area - fitted.width) / 2 + 2;
  p.controlY = (clientHeight - fitted.height) / 2;
  p.controlWidth = fitted.width;
  p.controlHeight = fitted.height;
  return p;
}
