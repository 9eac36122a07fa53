#include "app/PreviewZoom.h"

#include <algorithm>
#include <cstdint>

namespace {

int Scale(int v, int64_t num, int64_t den) {
  if (den <= 0) return 0;
  return static_cast<int>(std::clamp<int64_t>(v * num / den, 0, INT32_MAX));
}

}  // namespace

TPreviewZoom::TPreviewZoom(const TPrinterMetrics& metrics) : m_(metrics) {
  m_.aspectX = std::max(m_.aspectX, 1);
  m_.aspectY = std::max(m_.aspectY, 1);
  m_.physicalWidth = std::max(m_.physicalWidth, 1);
  m_.physicalHeight = std::max(m_.physicalHeight, 1);
}

int TPreviewZoom::Clamp(int v, int high) { return std::clamp(v, 0, std::max(high, 0)); }

void TPreviewZoom::SetZoom(int level, const TPreviewFrame& f) {
  level_ = level > 3 ? 0 : (level < 0 ? 3 : level);
  const int clientW = std::max(f.clientWidth, f.scrollBarWidth + 10);
  const int clientH = std::max(f.clientHeight, f.scrollBarHeight + 10);
  const int availW = std::max((clientW - 2 * f.borderWidth - f.scrollBarWidth) * 9 / 10, 1);
  const int availH = std::max(clientH - 2 * f.borderHeight, 1);

  // The page's width in the units of its height, so a page of unequal pixels keeps its shape.
  // Within int, so that scaling a screen size by it stays within 64 bits.
  const int64_t pageW = std::clamp<int64_t>(int64_t{m_.physicalWidth} * m_.aspectX / m_.aspectY, 1, INT32_MAX);
  const int64_t pageH = m_.physicalHeight;
  int fitW = Scale(availH, pageW, pageH), fitH = availH;
  if (fitW > availW) {
    fitW = availW;
    fitH = Scale(availW, pageH, pageW);
  }
  const int oldW = displayW_, oldH = displayH_;
  int w = fitW, h = fitH;
  if (level_ >= 1) {
    w = static_cast<int>(std::min<int64_t>(availW, pageW));
    if (level_ == 2) w = static_cast<int>(std::min<int64_t>(int64_t{w} * 2, INT32_MAX));
    if (level_ == 3) w = static_cast<int>(std::min<int64_t>(pageW, INT32_MAX));
    h = Scale(w, pageH, pageW);
  }
  displayW_ = std::max(w, 1);
  displayH_ = std::max(h, 1);

  const int barW = HasVerticalBar() ? f.scrollBarWidth : 0;
  const int barH = HasHorizontalBar() ? f.scrollBarHeight : 0;
  visibleW_ = std::min(displayW_, std::max(clientW - 2 * f.borderWidth - barW, 1));
  visibleH_ = std::min(displayH_, std::max(clientH - 2 * f.borderHeight - barH, 1));
  rangeX_ = displayW_ - visibleW_;
  rangeY_ = displayH_ - visibleH_;
  scrollX_ = oldW > 0 ? Clamp(Scale(scrollX_, displayW_, oldW), rangeX_) : 0;
  scrollY_ = oldH > 0 ? Clamp(Scale(scrollY_, displayH_, oldH), rangeY_) : 0;

  viewW_ = visibleW_ + barW + 2 * f.borderWidth;
  viewH_ = visibleH_ + barH + 2 * f.borderHeight;
  viewLeft_ = std::max((clientW - viewW_) / 2, 0);
  viewTop_ = std::max((clientH - viewH_) / 2, 0);
}

void TPreviewZoom::Click(int x, int y, bool zoomOut, const TPreviewFrame& frame) {
  // The page point under the mouse, as a share of the page.
  // A click beside the page counts as one on its edge.
  const double fx = std::clamp((static_cast<double>(scrollX_) + x) / std::max(displayW_, 1), 0.0, 1.0);
  const double fy = std::clamp((static_cast<double>(scrollY_) + y) / std::max(displayH_, 1), 0.0, 1.0);
  SetZoom(level_ + (zoomOut ? -1 : 1), frame);
  scrollX_ = Clamp(static_cast<int>(fx * displayW_ - visibleW_ / 2), rangeX_);
  scrollY_ = Clamp(static_cast<int>(fy * displayH_ - visibleH_ / 2), rangeY_);
}

int TPreviewZoom::Scroll(bool vertical, TScrollAction action, int thumb) {
  int& pos = vertical ? scrollY_ : scrollX_;
  const int range = vertical ? rangeY_ : rangeX_;
  const int visible = vertical ? visibleH_ : visibleW_;
  switch (action) {
    case TScrollAction::LineUp: pos -= visible / 10 + 1; break;
    case TScrollAction::LineDown: pos += visible / 10 + 1; break;
    case TScrollAction::PageUp: pos -= visible / 2; break;
    case TScrollAction::PageDown: pos += visible / 2; break;
    case TScrollAction::Thumb: pos = thumb; break;
    case TScrollAction::Top: pos = 0; break;
    case TScrollAction::Bottom: pos = range; break;
  }
  pos = Clamp(pos, range);
  return pos;
}
