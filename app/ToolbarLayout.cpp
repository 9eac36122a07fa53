#include "app/ToolbarLayout.h"

#include <algorithm>

#include "app/ToolbarState.h"

TToolbarMetrics MakeToolbarMetrics(bool win4, int frameX, int frameY, int caption) {
  TToolbarMetrics m;
  m.e = win4 ? 2 : 1;
  m.win4 = win4;
  m.left = m.e + 3;
  m.right = m.e + 2;
  m.top = m.e + 2;
  m.bottom = m.e + 1;
  m.frameX = frameX;
  m.frameY = frameY;
  m.caption = caption;
  return m;
}

namespace {

// The widths of the gadgets from `from` up to the next separator.
int WidthUpToSeparator(const std::vector<TGadgetSize>& gadgets, size_t from) {
  int width = 0;
  for (size_t i = from; i < gadgets.size() && !gadgets[i].separator; ++i) width += gadgets[i].w;
  return width;
}

}  // namespace

TToolbarLayout LayoutToolbarGadgets(const std::vector<TGadgetSize>& gadgets, uint16_t flags, int rows,
                                    const TToolbarMetrics& m) {
  TToolbarLayout out;
  out.places.resize(gadgets.size());
  const bool floating = IsFloatingState(flags);
  const bool vertical = IsVerticalState(flags);
  int innerLeft = m.left;
  int innerTop = m.top;
  if (!floating) {
    if (vertical) {
      innerTop += kGripperHeight;
    } else {
      innerLeft += kGripperWidth;
    }
  }
  int widest = 0;
  int total = 0;
  for (const TGadgetSize& g : gadgets) {
    widest = std::max(widest, g.w);
    total += g.w;
  }
  const bool multiRow = floating && rows > 1;
  int target = 0;
  if (multiRow) {
    target = total / rows;
    if (target * rows < total) ++target;
    target = std::max(target, widest);
  }
  int widestButton = 0, tallestButton = 0;
  for (const TGadgetSize& g : gadgets) {
    if (g.separator) continue;
    widestButton = std::max(widestButton, g.w);
    tallestButton = std::max(tallestButton, g.h);
  }
  const int x0 = innerLeft - 1;
  const int rowStep = m.win4 ? 0 : 1;
  int x = x0, y = innerTop, rowHeight = 0;
  int right = x0, bottom = innerTop;
  bool brokeSinceSeparator = false;
  out.rows = gadgets.empty() ? 0 : 1;
  for (size_t i = 0; i < gadgets.size(); ++i) {
    const TGadgetSize& g = gadgets[i];
    TGadgetPlace& p = out.places[i];
    if (multiRow && g.separator) {
      const bool noRoom = x + g.w + WidthUpToSeparator(gadgets, i + 1) > x0 + target;
      if (brokeSinceSeparator || noRoom) {
        if (x != x0) {
          y += rowHeight - rowStep;
          ++out.rows;
        }
        p = TGadgetPlace{x0, y, 0, g.h + 1, true};
        y += g.h + 1;
        x = x0;
        rowHeight = 0;
        brokeSinceSeparator = false;
        if (i + 1 < gadgets.size()) ++out.rows;
        bottom = std::max(bottom, y);
        continue;
      }
      brokeSinceSeparator = false;
    }
    // A separator spans its column, or the height of its row.
    const int w = vertical && g.separator ? std::max(g.w, widestButton) : g.w;
    const int h = !vertical && g.separator ? std::max(g.h, tallestButton) : g.h;
    p = TGadgetPlace{x, y, w, h, false};
    x += w;
    rowHeight = std::max(rowHeight, h);
    right = std::max(right, x);
    bottom = std::max(bottom, y + h);
    const bool breakAfter = vertical || (multiRow && x - x0 > target);
    if (breakAfter && i + 1 < gadgets.size()) {
      y += rowHeight - rowStep;
      x = x0;
      rowHeight = 0;
      brokeSinceSeparator = true;
      ++out.rows;
    }
  }
  // A separator line runs across the whole row, 4 pixels wider than it.
  for (TGadgetPlace& p : out.places) {
    if (!p.rowLine) continue;
    p.x = x0 - 2;
    p.w = right - x0 + 4;
  }
  out.width = right + m.right;
  out.height = bottom + m.bottom;
  out.outerWidth = out.width;
  out.outerHeight = out.height;
  if (floating) {
    out.outerWidth += 2 * m.frameX;
    out.outerHeight += 2 * m.frameY + m.caption;
  }
  return out;
}

std::vector<TToolbarShape> FloatingShapes(const std::vector<TGadgetSize>& gadgets, uint16_t flags,
                                          const TToolbarMetrics& m) {
  std::vector<TToolbarShape> shapes;
  const uint16_t floating = static_cast<uint16_t>(flags | kTbFloating);
  int previousRows = -1;
  const int count = static_cast<int>(gadgets.size());
  for (int n = 1; n <= std::max(count, 1); ++n) {
    const TToolbarLayout layout = LayoutToolbarGadgets(gadgets, floating, n, m);
    if (layout.rows != previousRows) {
      shapes.push_back(TToolbarShape{layout.outerWidth, layout.outerHeight, n});
      previousRows = layout.rows;
    }
    if (layout.rows >= count || static_cast<int>(shapes.size()) >= kMaxToolbarShapes) break;
  }
  return shapes;
}

int ClampShapeIndex(int index, int shapeCount) {
  if (shapeCount <= 0 || index < 0) return 0;
  return std::min(index, shapeCount - 1);
}

int LayoutDockItems(std::vector<TDockItem>& items, bool pack, int e) {
  if (items.empty()) return 0;
  int along = -e, across = -e;
  int rowThickness = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    TDockItem& item = items[i];
    item.order = static_cast<int>(i);
    if (item.newRow && i > 0) {
      across += rowThickness - e;
      along = -e;
      rowThickness = 0;
    }
    if (pack || item.offset == -1) {
      item.offset = along + e;
    } else if (along < item.offset - e) {
      along = item.offset - e;
    }
    item.along = along;
    item.across = across;
    along += item.length - e;
    rowThickness = std::max(rowThickness, item.thickness);
  }
  return across + rowThickness - e;
}

TDropResult DropIntoDock(std::vector<TDockItem>& items, const TDropRequest& r) {
  TDropResult out;
  const int count = static_cast<int>(items.size());
  const int length = r.length - r.e;
  int predecessor = -1;
  int rowStart = -1;
  for (int i = 0; i < count; ++i) {
    if (items[i].across + r.topMargin < r.y) {
      predecessor = i;
      continue;
    }
    if (items[i].across - r.bottomMargin <= r.y) rowStart = i;
    break;
  }
  int x = r.x;
  if (rowStart < 0) {
    // A row of its own, before the toolbar that ended the walk (or after all of them).
    x = std::max(0, std::min(x, r.dockLength - length));
    out.index = predecessor + 1;
    out.offset = x + r.e;
    return out;
  }
  // The target row runs from rowStart to the next toolbar that begins a row.
  int rowEnd = rowStart + 1;
  while (rowEnd < count && !items[rowEnd].newRow) ++rowEnd;
  int firstAfter = rowStart;
  while (firstAfter < rowEnd && items[firstAfter].along + r.e < x) ++firstAfter;
  const bool hasBefore = firstAfter > rowStart;
  if (hasBefore) predecessor = firstAfter - 1;
  int afterLength = 0;
  for (int i = firstAfter; i < rowEnd; ++i) afterLength += items[i].length - r.e;
  if (firstAfter < rowEnd && x + length > items[firstAfter].along) {
    x = std::min(x, r.dockLength - length - afterLength);
  }
  x = std::max(0, std::min(x, r.dockLength - length));
  if (!hasBefore) {
    out.newRow = true;
    if (firstAfter < rowEnd) items[firstAfter].newRow = false;
  } else {
    out.newRow = false;
    const TDockItem& before = items[predecessor];
    const int beforeEnd = before.along + before.length - r.e;
    if (beforeEnd > x && beforeEnd + length <= r.dockLength) x = beforeEnd;
  }
  // Push the rest of the row on; what would start past the dock's end wraps to rows of its own.
  int end = x + length;
  bool wrapping = false;
  for (int i = firstAfter; i < rowEnd; ++i) {
    TDockItem& item = items[i];
    if (!wrapping && item.along < end) item.along = end;
    if (wrapping || item.along >= r.dockLength) {
      wrapping = true;
      item.newRow = true;
      item.offset = 0;
      continue;
    }
    item.offset = item.along + r.e;
    end = item.along + item.length - r.e;
  }
  out.index = predecessor + 1;
  out.offset = x + r.e;
  return out;
}
