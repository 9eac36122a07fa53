#include "app/win32/DockStation.h"

#include <algorithm>

#include "app/ToolbarLayout.h"
#include "app/win32/Toolbar.h"
#include "app/win32/ToolbarGadgets.h"
#include "foundation/SysInfo.h"
#include "framework/DC.h"
#include "framework/DecoratedFrame.h"

namespace {

// The edge lines each dock draws from Windows 4 on: the top dock has lines at top and bottom.
uint16_t Win4EdgeLines(uint16_t edge) {
  switch (edge) {
    case 0x2000: return 0x0A80;
    case 0x8000: return 0x0280;
    case 0x1000: return 0x0480;
    default: return 0x0180;
  }
}

int EdgeWidth() { return EdgeLineWidth(GetSysInfo().IsWin4OrLater()); }

}  // namespace

TDockStations& DockStations() {
  static TDockStations docks;
  return docks;
}

TDockStation::TDockStation(TDecoratedFrame& frame, uint16_t flags)
    : TWindow(&frame), frame_(frame), flags_(flags), horizontal_((flags & 0xA000) != 0) {
  if (GetSysInfo().IsWin4OrLater()) flags_ = static_cast<uint16_t>((flags_ & 0xF000) | Win4EdgeLines(flags_ & 0xF000));
  Attr.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  thickness_ = InsetsAcross();
  Attr.w = Attr.h = thickness_;
}

TDockStation::~TDockStation() {
  // The toolbars, deleted with this window object, are no longer in a dock.
  for (TToolbar* t : toolbars_) t->SetDock(nullptr);
  toolbars_.clear();
  TDockStations& docks = DockStations();
  for (TDockStation** d : {&docks.top, &docks.bottom, &docks.left, &docks.right}) {
    if (*d == this) *d = nullptr;
  }
}

void TDockStation::GetWindowClass(WNDCLASSA& wc) {
  TWindow::GetWindowClass(wc);
  wc.style |= CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
}

void TDockStation::SetupWindow() {
  TWindow::SetupWindow();
  LayoutToolbars();
}

void TDockStation::Paint(TDC& dc, bool, const TRect&) {
  DrawEdgeLines(dc, GetClientRect(), static_cast<uint16_t>(flags_ & 0x0F80), GetSysInfo().IsWin4OrLater());
}

bool TDockStation::Holds(const TToolbar* toolbar) const {
  return std::find(toolbars_.begin(), toolbars_.end(), toolbar) != toolbars_.end();
}

int TDockStation::InsetsAcross() const {
  const int w = EdgeWidth();
  if (horizontal_) return ((flags_ & 0x0200) ? w : 0) + ((flags_ & 0x0800) ? w : 0);
  return ((flags_ & 0x0100) ? w : 0) + ((flags_ & 0x0400) ? w : 0);
}

TPoint TDockStation::InsetOrigin() const {
  const int w = EdgeWidth();
  return TPoint((flags_ & 0x0100) ? w : 0, (flags_ & 0x0200) ? w : 0);
}

void TDockStation::InsertByOrder(TToolbar& toolbar) {
  auto at = std::find_if(toolbars_.begin(), toolbars_.end(), [&](TToolbar* t) { return t->order > toolbar.order; });
  toolbars_.insert(at, &toolbar);
  toolbar.SetDock(this);
  LayoutToolbars();
}

void TDockStation::Remove(TToolbar& toolbar, bool layout) {
  auto at = std::find(toolbars_.begin(), toolbars_.end(), &toolbar);
  if (at == toolbars_.end()) return;
  // The successor inherits the row start of a toolbar that began a row.
  toolbar.successorBeganRow = false;
  if (toolbar.newRow && at + 1 != toolbars_.end()) {
    toolbar.successorBeganRow = (*(at + 1))->newRow;
    (*(at + 1))->newRow = true;
  }
  toolbars_.erase(at);
  toolbar.SetDock(nullptr);
  if (layout || hwnd_) LayoutToolbars();
  if (toolbar.GetHandle()) toolbar.ShowWindow(SW_HIDE);
}

void TDockStation::Drop(TToolbar& toolbar, POINT screen) {
  const int e = EdgeWidth();
  POINT p = screen;
  if (hwnd_) ScreenToClient(hwnd_, &p);
  const TPoint inset = InsetOrigin();
  p.x -= inset.x;
  p.y -= inset.y;
  std::vector<TDockItem> items;
  for (TToolbar* t : toolbars_) {
    TDockItem item;
    const TPoint size = t->DesiredSize();
    item.length = horizontal_ ? size.x : size.y;
    item.thickness = horizontal_ ? size.y : size.x;
    item.newRow = t->newRow;
    item.offset = t->offset;
    if (t->GetHandle()) {
      TRect r = t->GetWindowRect();
      MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
      item.along = (horizontal_ ? r.left : r.top) - (horizontal_ ? inset.x : inset.y);
      item.across = (horizontal_ ? r.top : r.left) - (horizontal_ ? inset.y : inset.x);
    }
    items.push_back(item);
  }
  const TRect client = GetClientRect();
  TDropRequest request;
  const TPoint size = toolbar.DesiredSize();
  request.x = horizontal_ ? p.x : p.y;
  request.y = horizontal_ ? p.y : p.x;
  request.length = horizontal_ ? size.x : size.y;
  request.dockLength = horizontal_ ? client.Width() : client.Height();
  request.topMargin = horizontal_ ? toolbar.Metrics().top : toolbar.Metrics().left;
  request.bottomMargin = horizontal_ ? toolbar.Metrics().bottom : toolbar.Metrics().right;
  request.e = e;
  const TDropResult result = DropIntoDock(items, request);
  for (size_t i = 0; i < toolbars_.size(); ++i) {
    toolbars_[i]->newRow = items[i].newRow;
    toolbars_[i]->offset = items[i].offset;
  }
  toolbar.newRow = result.newRow;
  toolbar.offset = result.offset;
  const int index = std::clamp(result.index, 0, static_cast<int>(toolbars_.size()));
  toolbars_.insert(toolbars_.begin() + index, &toolbar);
  toolbar.SetDock(this);
  if (toolbar.GetParentObject() != this) toolbar.SetParentObject(this);
  LayoutToolbars();
}

void TDockStation::LayoutToolbars() {
  const int e = EdgeWidth();
  std::vector<TDockItem> items;
  std::vector<TPoint> sizes;
  for (TToolbar* t : toolbars_) {
    const TPoint size = t->DesiredSize();
    sizes.push_back(size);
    TDockItem item;
    item.length = horizontal_ ? size.x : size.y;
    item.thickness = horizontal_ ? size.y : size.x;
    item.newRow = t->newRow;
    item.offset = t->offset;
    items.push_back(item);
  }
  const int rows = LayoutDockItems(items, pack_, e);
  const TPoint inset = InsetOrigin();
  for (size_t i = 0; i < toolbars_.size(); ++i) {
    TToolbar* t = toolbars_[i];
    t->order = items[i].order;
    t->offset = items[i].offset;
    if (t->GetParentObject() != this) t->SetParentObject(this);
    const int x = inset.x + (horizontal_ ? items[i].along : items[i].across);
    const int y = inset.y + (horizontal_ ? items[i].across : items[i].along);
    if (!t->GetHandle()) {
      t->Attr.x = x;
      t->Attr.y = y;
      t->Attr.style |= WS_VISIBLE;
      continue;
    }
    SetWindowPos(t->GetHandle(), nullptr, x, y, sizes[i].x, sizes[i].y, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  thickness_ = rows + InsetsAcross();
  if (horizontal_) {
    Attr.h = thickness_;
  } else {
    Attr.w = thickness_;
  }
  if (!hwnd_) return;
  const TRect r = GetClientRect();
  SetWindowPos(hwnd_, nullptr, 0, 0, horizontal_ ? std::max<int>(r.Width(), 1) : thickness_,
               horizontal_ ? thickness_ : std::max<int>(r.Height(), 1), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Invalidate();
  frame_.Layout();
}

bool TDockStation::PreProcessMsg(MSG& msg) {
  for (TToolbar* t : toolbars_) {
    if (t->PreProcessMsg(msg)) return true;
  }
  return false;
}
