#include "foundation/ColumnHeaderRules.h"

#include <cstring>

THeaderHit HeaderHitTest(const std::vector<int>& widths, int offset, int zone, const TIntRect& client, TIntPoint p) {
  THeaderHit hit;
  if (!client.Contains(p)) {
    hit.code = 0;
    if (p.x < client.left) hit.code |= kHitToLeft;
    if (p.x >= client.right) hit.code |= kHitToRight;
    if (p.y < client.top) hit.code |= kHitAbove;
    if (p.y >= client.bottom) hit.code |= kHitBelow;
    return hit;
  }
  const int n = static_cast<int>(widths.size());
  int right = -offset;
  for (int i = 0; i < n; ++i) {
    right += widths[i];
    if (i + 1 < n && widths[i + 1] < zone) {
      const int nextRight = right + widths[i + 1];
      if (p.x >= nextRight && p.x < nextRight + zone) return {kHitOnDivOpen, i + 1};
    }
    if (p.x >= right - zone && p.x < right + zone) return {kHitOnDivider, i};
    if (p.x >= right - widths[i] && p.x < right - zone) return {kHitOnHeader, i};
  }
  return hit;
}

int DraggedColumnWidth(int startWidth, int startX, int x) {
  const int w = startWidth + (x - startX);
  return w < 0 ? 0 : w;
}

int AutoColumnWidth(int mode, int headerMeasure, int contentWidth) {
  if (mode == 1) return contentWidth;
  if (mode == 2) return contentWidth > headerMeasure ? contentWidth : headerMeasure;
  return headerMeasure;
}

int DividerToggleWidth(int currentWidth, int headerMeasure, int contentWidth) {
  const int fit = contentWidth > headerMeasure ? contentWidth : headerMeasure;
  return currentWidth < fit ? fit : headerMeasure;
}

void TabFieldOf(const char* line, int n, char* buffer, size_t size) {
  if (!buffer || size == 0) return;
  buffer[0] = '\0';
  if (!line || n < 0) return;
  const char* p = line;
  for (int i = 0; i < n; ++i) {
    p = std::strchr(p, '\t');
    if (!p) return;
    ++p;
  }
  const char* end = std::strchr(p, '\t');
  size_t len = end ? static_cast<size_t>(end - p) : std::strlen(p);
  if (len > size - 1) len = size - 1;
  std::memcpy(buffer, p, len);
  buffer[len] = '\0';
}
