// The arithmetic of toolbars on screen: where a toolbar's gadgets go for a state and a row count,
// the floating shapes a toolbar offers, how a dock station lines up its toolbars in rows, and
// where a toolbar dropped into a dock lands.
#pragma once
#include <cstdint>
#include <vector>

struct TToolbarMetrics {
  int left = 5, top = 4, right = 4, bottom = 3;  // margins
  int frameX = 4, frameY = 4, caption = 15;      // the floating frame's borders and caption
  int e = 2;                                     // edge width: 2 from Windows 4 on, else 1
  bool win4 = true;
};
// Margins from the edge width, with the floating frame's metrics.
TToolbarMetrics MakeToolbarMetrics(bool win4, int frameX, int frameY, int caption);

struct TGadgetSize {
  int w = 0, h = 0;
  bool separator = false;
};

struct TGadgetPlace {
  int x = 0, y = 0, w = 0, h = 0;
  // A separator that became an etched line across a new row of a floating toolbar.
  bool rowLine = false;
};

struct TToolbarLayout {
  std::vector<TGadgetPlace> places;  // one per gadget, in gadget order
  int width = 0, height = 0;         // the toolbar window
  int outerWidth = 0, outerHeight = 0;  // with the floating frame around it when floating
  int rows = 0;
};

// Gripper room of a docked toolbar: along a horizontal dock at the left, along a vertical one on top.
constexpr int kGripperWidth = 10;
constexpr int kGripperHeight = 13;

// rows is the floating row count (ignored when docked).
TToolbarLayout LayoutToolbarGadgets(const std::vector<TGadgetSize>& gadgets, uint16_t flags, int rows,
                                    const TToolbarMetrics& m);

struct TToolbarShape {
  int w = 0, h = 0;  // the floating frame's size
  int rows = 0;      // the row count that gives it
};
constexpr int kMaxToolbarShapes = 33;
std::vector<TToolbarShape> FloatingShapes(const std::vector<TGadgetSize>& gadgets, uint16_t flags,
                                          const TToolbarMetrics& m);
int ClampShapeIndex(int index, int shapeCount);

// One toolbar in a dock, measured along the dock (length) and across it (thickness).
struct TDockItem {
  int length = 0, thickness = 0;
  bool newRow = false;
  int offset = -1;  // from the dock's start, -1 while not placed
  int order = 0;
  // Where the layout put it, along and across the dock (dock client coordinates).
  int along = 0, across = 0;
};
// Lines the toolbars up in rows; answers the dock's thickness without its edge lines (0 when
// empty).
int LayoutDockItems(std::vector<TDockItem>& items, bool pack, int e);

// The toolbar being dropped: the outline's corner along and across the dock, its length along
// the dock, and the toolbar margins that decide which row the point falls in.
struct TDropRequest {
  int x = 0, y = 0;
  int length = 0;
  int dockLength = 0;
  int topMargin = 4, bottomMargin = 3;
  int e = 2;
};
struct TDropResult {
  int index = 0;  // the dropped toolbar's place in dock order
  bool newRow = true;
  int offset = 0;
};
// Changes the new-row flags and offsets of the toolbars it pushes; the dropped toolbar is not in
// `items`.
TDropResult DropIntoDock(std::vector<TDockItem>& items, const TDropRequest& request);
