// The column header's arithmetic: what lies under a point (columns, dividers, the zone that
// reopens a closed column), the width while a divider is dragged, the automatic widths, and the
// columns of a list line split at tabs.
#pragma once

#include <cstddef>
#include <vector>

#include "foundation/PlainGeometry.h"

// Hit codes, as the system's header reports them.
constexpr unsigned kHitNowhere = 0x1;
constexpr unsigned kHitOnHeader = 0x2;
constexpr unsigned kHitOnDivider = 0x4;
constexpr unsigned kHitOnDivOpen = 0x8;
constexpr unsigned kHitAbove = 0x100;
constexpr unsigned kHitBelow = 0x200;
constexpr unsigned kHitToRight = 0x400;
constexpr unsigned kHitToLeft = 0x800;

struct THeaderHit {
  unsigned code = kHitNowhere;
  int column = -1;
};

// widths: the columns from the left; offset: the horizontal scroll; zone: the half width of a
// divider's zone (the system's double-click width); client: the header's client rectangle.
THeaderHit HeaderHitTest(const std::vector<int>& widths, int offset, int zone, const TIntRect& client, TIntPoint p);

// A dragged divider's column width: never below 0.
int DraggedColumnWidth(int startWidth, int startX, int x);
// Automatic width: mode 0 the header's measure, 1 the content's, 2 the larger.
int AutoColumnWidth(int mode, int headerMeasure, int contentWidth);
// A double click on a divider toggles between the fitted and the compact width.
int DividerToggleWidth(int currentWidth, int headerMeasure, int contentWidth);

// The n-th tab-separated field of a line, copied into the buffer (cut to size - 1 and always
// terminated); empty when the line has fewer fields.
void TabFieldOf(const char* line, int n, char* buffer, size_t size);
