// The arithmetic of a property sheet's tab strip: which tabs show, the widths and rows of the
// tabs, stretching, the display order of the rows, the single row's scroll position, hit testing
// and stepping from tab to tab.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/PlainGeometry.h"

constexpr int kMaxTabRows = 20;
constexpr int kDefaultTabWidth = 64;

struct TTabState {
  int width = 0;   // measured or fixed width, pixels
  bool enabled = true;
};

// Width of a tab from its measured caption width.
int TabWidthFromText(int textWidth, uint32_t style, int padding, int celWidth, int minimumWidth);
// The smallest width (the minimum, then 8 pixels more each time) at which the wrapped caption is
// less than three text lines high; heightAt gives the wrapped height at a width. Gives up (and
// answers the last width tried) after 64 widenings.
template <class HeightAt>
int TwoLineWrapWidth(int minimumWidth, int textHeight, HeightAt heightAt) {
  int w = minimumWidth;
  for (int i = 0; i < 64 && heightAt(w) >= 3 * textHeight; ++i) w += 8;
  return w;
}

class TTabStripLayout {
public:
  // Lays out every tab. areaWidth is the width of the tab area (client width less the arrow band
  // when arrows show); rowHeight the height of one row.
  void Layout(const std::vector<TTabState>& tabs, uint32_t style, int areaWidth, int rowHeight, bool arrowsShown);

  bool IsVisible(int index) const;
  int RowCount() const { return rows_; }
  int RowOf(int index) const;
  // The row shown at display position p (0 = next to the pages, at the bottom of the tab area).
  int RowAtPosition(int p) const { return InRows(p) ? order_[p] : -1; }
  int PositionOfRow(int row) const;
  int FirstOfRow(int row) const { return InRows(row) ? first_[row] : -1; }
  int LastOfRow(int row) const { return InRows(row) ? last_[row] : -1; }
  // Brings the row of the tab next to the pages by swapping it with the row there; answers
  // whether anything moved.
  bool BringRowToPages(int index);

  // The tab's rectangle in strip coordinates; empty for hidden tabs and (single row) tabs
  // scrolled away to the left.
  TIntRect TabRect(int index) const;
  // The enabled visible tab under the point, -1 otherwise.
  int HitTest(TIntPoint p) const;

  // Single-row scroll position.
  int FirstVisible() const { return firstVisible_; }
  void SetFirstVisible(int index) { firstVisible_ = index < 0 ? 0 : index; }
  // Whether the last tab ends beyond the area from the current scroll position.
  bool OverflowsRight() const;
  // Moves the first visible tab by one in the direction, skipping disabled tabs, clamped to the
  // ends; answers whether it changed.
  bool Scroll(int direction);
  // Scrolls so that the tab lies inside the area; answers whether it scrolled.
  bool MakeVisible(int index);

private:
  // Layout never makes more than kMaxTabRows rows; the second bound says so to the compiler too.
  bool InRows(int row) const { return row >= 0 && row < rows_ && row < kMaxTabRows; }
  void Stretch(int row, int areaWidth);
  int RowWidth(int row) const;

  std::vector<TTabState> tabs_;
  std::vector<int> x_;     // left edge inside its row (from the row start)
  std::vector<int> rowOf_;
  uint32_t style_ = 0;
  int areaWidth_ = 0;
  int rowHeight_ = 0;
  int rows_ = 1;
  int first_[kMaxTabRows] = {};
  int last_[kMaxTabRows] = {};
  int order_[kMaxTabRows] = {};
  int firstVisible_ = 0;
};

// From the current tab, in the direction, wrapping, to the next tab that can be selected;
// -1 when the walk comes back to the start (the current tab itself when it is the only one).
template <class Selectable>
int NextSelectableTab(int current, int count, int direction, Selectable selectable) {
  if (count <= 0) return -1;
  if (current < 0 || current >= count) current = 0;
  int i = current;
  for (int n = 0; n < count; ++n) {
    i = (i + direction + count) % count;
    if (i == current) break;
    if (selectable(i)) return i;
  }
  return selectable(current) ? current : -1;
}
