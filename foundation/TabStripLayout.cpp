#include "foundation/TabStripLayout.h"

#include "foundation/PropertySheetStyle.h"

int TabWidthFromText(int textWidth, uint32_t style, int padding, int celWidth, int minimumWidth) {
  if (minimumWidth <= 0) minimumWidth = kDefaultTabWidth;
  if (style & psfFixedWidthTabs) return minimumWidth;
  int w = textWidth + 8;
  if (style & psfTabPadding) w += 2 * padding;
  if (style & psfTabImages) w += celWidth + 12;
  return w < minimumWidth ? minimumWidth : w;
}

bool TTabStripLayout::IsVisible(int index) const {
  if (index < 0 || index >= static_cast<int>(tabs_.size())) return false;
  return !(style_ & psfHideDisabledTabs) || tabs_[index].enabled;
}

int TTabStripLayout::RowOf(int index) const {
  return index >= 0 && index < static_cast<int>(rowOf_.size()) ? rowOf_[index] : -1;
}

int TTabStripLayout::PositionOfRow(int row) const {
  for (int p = 0; p < rows_; ++p) {
    if (order_[p] == row) return p;
  }
  return -1;
}

void TTabStripLayout::Layout(const std::vector<TTabState>& tabs, uint32_t style, int areaWidth, int rowHeight,
                             bool arrowsShown) {
  const int oldRows = rows_;
  tabs_ = tabs;
  style_ = style;
  areaWidth_ = areaWidth;
  rowHeight_ = rowHeight;
  const int n = static_cast<int>(tabs_.size());
  x_.assign(n, 0);
  rowOf_.assign(n, -1);
  rows_ = 1;
  first_[0] = -1;
  last_[0] = -1;
  const bool multi = (style & psfMultiRow) != 0;
  int x = 0;
  for (int i = 0; i < n; ++i) {
    if (!IsVisible(i)) continue;
    const int w = tabs_[i].width;
    int row = rows_ - 1;
    // A full row passes the tab to a new one; past the last row the tabs stay in the last row.
    if (multi && first_[row] >= 0 && x + w > areaWidth && rows_ < kMaxTabRows) {
      ++rows_;
      row = rows_ - 1;
      first_[row] = -1;
      last_[row] = -1;
      x = 0;
    }
    if (first_[row] < 0) first_[row] = i;
    last_[row] = i;
    x_[i] = x;
    rowOf_[i] = row;
    x += w;
  }
  if (rows_ != oldRows) {
    for (int p = 0; p < rows_; ++p) order_[p] = p;
  }
  if ((style & psfStretchTabs) && (multi || !arrowsShown)) {
    for (int r = 0; r < rows_; ++r) {
      if (RowWidth(r) > areaWidth) break;
      Stretch(r, areaWidth);
    }
  }
  if (firstVisible_ >= n) firstVisible_ = n > 0 ? n - 1 : 0;
}

int TTabStripLayout::RowWidth(int row) const {
  int sum = 0;
  if (first_[row] < 0) return 0;
  for (int i = first_[row]; i <= last_[row]; ++i) {
    if (IsVisible(i)) sum += tabs_[i].width;
  }
  return sum;
}

void TTabStripLayout::Stretch(int row, int areaWidth) {
  if (first_[row] < 0) return;
  int spare = areaWidth - RowWidth(row);
  int left = 0;
  for (int i = first_[row]; i <= last_[row]; ++i) left += IsVisible(i) ? 1 : 0;
  int x = 0;
  for (int i = first_[row]; i <= last_[row]; ++i) {
    if (!IsVisible(i)) continue;
    if (spare > 0 && left > 0) {
      const int more = spare / left;
      tabs_[i].width += more;
      spare -= more;
    }
    --left;
    x_[i] = x;
    x += tabs_[i].width;
  }
}

TIntRect TTabStripLayout::TabRect(int index) const {
  if (!IsVisible(index)) return {};
  const int row = rowOf_[index];
  if (style_ & psfMultiRow) {
    const int top = (rows_ - 1 - PositionOfRow(row)) * rowHeight_;
    return {x_[index], top, x_[index] + tabs_[index].width, top + rowHeight_};
  }
  if (index < firstVisible_) return {};
  const int origin = firstVisible_ < static_cast<int>(x_.size()) ? x_[firstVisible_] : 0;
  const int left = x_[index] - origin;
  return {left, 0, left + tabs_[index].width, rowHeight_};
}

int TTabStripLayout::HitTest(TIntPoint p) const {
  const bool multi = (style_ & psfMultiRow) != 0;
  for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) {
    const TIntRect r = TabRect(i);
    if (r.Width() <= 0) continue;
    if (!multi && r.left >= areaWidth_) continue;
    if (r.Contains(p)) return tabs_[i].enabled ? i : -1;
  }
  return -1;
}

bool TTabStripLayout::BringRowToPages(int index) {
  if (!(style_ & psfMultiRow)) return false;
  const int row = RowOf(index);
  const int p = PositionOfRow(row);
  if (p <= 0) return false;
  order_[p] = order_[0];
  order_[0] = row;
  return true;
}

bool TTabStripLayout::OverflowsRight() const {
  for (int i = static_cast<int>(tabs_.size()) - 1; i >= 0; --i) {
    if (IsVisible(i)) return TabRect(i).right > areaWidth_;
  }
  return false;
}

bool TTabStripLayout::Scroll(int direction) {
  const int n = static_cast<int>(tabs_.size());
  int i = firstVisible_ + direction;
  while (i >= 0 && i < n && !(tabs_[i].enabled && IsVisible(i))) i += direction;
  if (i < 0 || i >= n) return false;
  firstVisible_ = i;
  return true;
}

bool TTabStripLayout::MakeVisible(int index) {
  if ((style_ & psfMultiRow) || !IsVisible(index)) return false;
  if (index < firstVisible_) {
    firstVisible_ = index;
    return true;
  }
  bool moved = false;
  while (firstVisible_ < index && TabRect(index).right > areaWidth_) {
    ++firstVisible_;
    moved = true;
  }
  return moved;
}
