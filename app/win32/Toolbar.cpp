#include "app/win32/Toolbar.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/win32/DockStation.h"
#include "app/win32/HintToolTip.h"
#include "app/win32/MusicStatusBar.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/ToolbarFrame.h"
#include "app/win32/VellichordApp.h"
#include "foundation/SysInfo.h"
#include "foundation/TextUtils.h"
#include "foundation/win32/FrameDrawing.h"
#include "framework/DC.h"
#include "framework/DecoratedFrame.h"
#include "framework/PopupMenu.h"

namespace {

const char kSection[] = "Toolbars";
// Posted to itself by a toolbar that floats when its window is set up: the floating frame is made
// once the dock station has finished creating its toolbars.
constexpr UINT WM_MAKE_FLOATING_FRAME = WM_USER + 210;
constexpr UINT kDragHintId = 20303;
constexpr UINT kContextMenuId = 20302;

using R = TResponse<TToolbar>;
constexpr R kResponses[] = {
    R::Message(WM_LBUTTONDOWN, &TToolbar::EvLButtonDown),
    R::Message(WM_LBUTTONUP, &TToolbar::EvLButtonUp),
    R::Message(WM_LBUTTONDBLCLK, &TToolbar::EvLButtonDblClk),
    R::Message(WM_MOUSEMOVE, &TToolbar::EvMouseMove),
    R::Message(WM_MOUSELEAVE, &TToolbar::EvMouseLeave),
    R::Message(WM_RBUTTONDOWN, &TToolbar::EvRButtonDown),
    R::Message(WM_NCRBUTTONDOWN, &TToolbar::EvRButtonDown),
    R::Message(WM_KEYDOWN, &TToolbar::EvKey),
    R::Message(WM_KEYUP, &TToolbar::EvKey),
    R::Message(WM_CAPTURECHANGED, &TToolbar::EvCaptureChanged),
    R::Message(WM_SYSCOLORCHANGE, &TToolbar::EvSysColorChange),
    R::Message(WM_TIMER, &TToolbar::EvTimer),
};

// While a drag lasts, the Ctrl key is watched: its key messages go to the focus window, not here.
constexpr UINT_PTR kCtrlWatchTimer = 1;
constexpr UINT kCtrlWatchMs = 50;

bool CtrlDown() { return GetAsyncKeyState(VK_CONTROL) < 0; }

void HideTip() {
  if (gToolTip) gToolTip->SetText(nullptr);
}

bool Overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

TPoint CursorPos() {
  POINT p;
  GetCursorPos(&p);
  return TPoint(p);
}

}  // namespace

std::vector<TToolbar*>& ToolbarList() {
  static std::vector<TToolbar*> list;
  return list;
}

int FindToolbar(const char* name) {
  std::vector<TToolbar*>& list = ToolbarList();
  for (size_t i = 0; i < list.size(); ++i) {
    if (CompareNoCase(list[i]->GetName().c_str(), name ? name : "") == 0) return static_cast<int>(i);
  }
  return -1;
}

TToolbar::TToolbar(TDecoratedFrame& frame, const char* name, uint16_t flags, bool newRowFlag, HFONT font)
    : TWindow(nullptr, name), frame_(frame), name_(name ? name : ""), flags_(flags), font_(font) {
  if (name_.size() > static_cast<size_t>(kMaxToolbarNameLength)) name_.resize(kMaxToolbarNameLength);
  SetWindowText(name_.c_str());
  const bool win4 = GetSysInfo().IsWin4OrLater();
  if (win4) flags_ |= kTbWin4;
  const int caption = win4 ? GetSystemMetrics(SM_CYSMCAPTION) : GetSystemMetrics(SM_CYCAPTION) / 2 + 2;
  metrics_ = MakeToolbarMetrics(win4, GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME), caption);
  newRow = newRowFlag;
  ToolbarList().push_back(this);
  ReadStoredState();
  TDockStations& docks = DockStations();
  if (!docks.top) {
    docks.top = new TDockStation(frame_, 0x2800);
    docks.bottom = new TDockStation(frame_, 0x8200);
    docks.left = new TDockStation(frame_, 0x1400);
    docks.right = new TDockStation(frame_, 0x4100);
    frame_.Insert(*docks.top, TDecoratedFrame::TLocation::Top);
    frame_.Insert(*docks.bottom, TDecoratedFrame::TLocation::Bottom);
    frame_.Insert(*docks.left, TDecoratedFrame::TLocation::Left);
    frame_.Insert(*docks.right, TDecoratedFrame::TLocation::Right);
  }
  TDockStation* station = DockFor(flags_);
  SetParentObject(station);
  Attr.style = WS_CHILD | WS_CLIPSIBLINGS;
  if (!IsFloating() && !IsHidden()) station->InsertByOrder(*this);
}

TToolbar::~TToolbar() {
  // The window goes first, so its clean-up still runs as this class's.
  if (hwnd_) DestroyWindow(hwnd_);
  if (dock_) dock_->Remove(*this, true);
  std::vector<TToolbar*>& list = ToolbarList();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

int TToolbar::GetCommandId() const {
  const std::vector<TToolbar*>& list = ToolbarList();
  const auto at = std::find(list.begin(), list.end(), this);
  const int index = static_cast<int>(at - list.begin());
  if (at == list.end() || index >= kMaxToolbars) return 0;
  return kFirstToolbarCommand + index;
}

void TToolbar::Rename(const char* name) {
  name_ = name ? name : "";
  if (name_.size() > static_cast<size_t>(kMaxToolbarNameLength)) name_.resize(kMaxToolbarNameLength);
  SetWindowText(name_.c_str());
  if (floatingFrame_) floatingFrame_->SetWindowText(name_.c_str());
}

void TToolbar::GetWindowClass(WNDCLASSA& wc) {
  TWindow::GetWindowClass(wc);
  wc.style |= CS_DBLCLKS;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
}

bool TToolbar::Find(TEvent& ev) {
  if (ev.msg == WM_MAKE_FLOATING_FRAME) {
    if (!ev.probe && IsFloating() && !IsHidden() && !floatingFrame_) PlaceFloatingFrame();
    ev.result = 0;
    return true;
  }
  return ev.Dispatch(this, kResponses) || TWindow::Find(ev);
}

void TToolbar::SetupWindow() {
  TWindow::SetupWindow();
  ComputeShapes();
  LayoutGadgets();
  GetToolbarHatchBrush();
  if (IsFloating() && !IsHidden()) PostMessage(WM_MAKE_FLOATING_FRAME);
}

void TToolbar::CleanupWindow() {
  WriteStoredState();
  TWindow::CleanupWindow();
}

void TToolbar::ReadStoredState() {
  uint8_t bytes[kToolbarIniBytes];
  if (GetSysInfo().ReadBinary(kSection, name_.c_str(), nullptr, bytes, kToolbarIniBytes) != kToolbarIniBytes) return;
  TToolbarIniValue v = DecodeToolbarIniValue(bytes);
  NormaliseToolbarIniValue(v, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  flags_ = v.flags;
  newRow = v.newRow != 0;
  order = v.order;
  shapeIndex_ = v.shape;
  floatPos = TPoint(v.floatX, v.floatY);
}

void TToolbar::WriteStoredState() const {
  TToolbarIniValue v;
  v.flags = flags_;
  v.floatX = static_cast<int16_t>(floatPos.x);
  v.floatY = static_cast<int16_t>(floatPos.y);
  v.shape = static_cast<uint16_t>(shapeIndex_);
  v.order = static_cast<uint8_t>(order);
  v.newRow = newRow ? 1 : 0;
  uint8_t bytes[kToolbarIniBytes];
  EncodeToolbarIniValue(v, bytes);
  GetSysInfo().WriteBinary(kSection, name_.c_str(), bytes, kToolbarIniBytes);
}

TDockStation* TToolbar::DockFor(uint16_t flags) const {
  TDockStations& docks = DockStations();
  switch (DockEdgeOf(flags)) {
    case TDockEdge::Left: return docks.left;
    case TDockEdge::Right: return docks.right;
    case TDockEdge::Bottom: return docks.bottom;
    case TDockEdge::Top: break;
  }
  return docks.top;
}

// Gadgets.

void TToolbar::AppendGadget(std::unique_ptr<TToolbarGadget> gadget) { gadgets_.push_back(std::move(gadget)); }

void TToolbar::InsertGadget(int index, std::unique_ptr<TToolbarGadget> gadget) {
  index = Clamp(index, 0, GetGadgetCount());
  gadgets_.insert(gadgets_.begin() + index, std::move(gadget));
}

std::unique_ptr<TToolbarGadget> TToolbar::RemoveGadget(int index) {
  if (index < 0 || index >= GetGadgetCount()) return nullptr;
  std::unique_ptr<TToolbarGadget> g = std::move(gadgets_[index]);
  gadgets_.erase(gadgets_.begin() + index);
  hot_ = pressed_ = -1;
  return g;
}

std::vector<uint16_t> TToolbar::FileValues() const {
  std::vector<uint16_t> values;
  for (const auto& g : gadgets_) values.push_back(g->FileValue());
  return values;
}

std::vector<TGadgetSize> TToolbar::GadgetSizes() const {
  std::vector<TGadgetSize> sizes;
  for (const auto& g : gadgets_) {
    const TPoint s = g->DesiredSize();
    sizes.push_back(TGadgetSize{s.x, s.y, g->IsSeparator()});
  }
  return sizes;
}

// Layout.

void TToolbar::ComputeShapes() {
  shapes_ = FloatingShapes(GadgetSizes(), flags_, metrics_);
  shapeIndex_ = ClampShapeIndex(shapeIndex_, GetShapeCount());
}

void TToolbar::SetShapeIndex(int index) { shapeIndex_ = ClampShapeIndex(index, GetShapeCount()); }

TPoint TToolbar::DesiredSize() const {
  const int rows = IsFloating() && !shapes_.empty() ? shapes_[shapeIndex_].rows : 0;
  const TToolbarLayout l = LayoutToolbarGadgets(GadgetSizes(), flags_, rows, metrics_);
  return TPoint(l.width, l.height);
}

void TToolbar::LayoutGadgets() {
  const int rows = IsFloating() && !shapes_.empty() ? shapes_[shapeIndex_].rows : 0;
  const TToolbarLayout l = LayoutToolbarGadgets(GadgetSizes(), flags_, rows, metrics_);
  places_ = l.places;
  if (!hwnd_) {
    Attr.w = l.width;
    Attr.h = l.height;
    return;
  }
  SetWindowPos(hwnd_, nullptr, 0, 0, l.width, l.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Invalidate();
}

void TToolbar::Relayout() {
  const bool visible = !IsHidden();
  if (visible) ChangeState(static_cast<uint16_t>(flags_ | kTbHidden), true);
  ComputeShapes();
  LayoutGadgets();
  if (visible) ChangeState(static_cast<uint16_t>(flags_ & ~kTbHidden), true);
}

// Painting.

void TToolbar::Paint(TDC& dc, bool, const TRect&) {
  const TRect client = GetClientRect();
  if (!IsFloating()) {
    const bool side = IsVerticalState(flags_);
    for (int bar = 0; bar < 2; ++bar) {
      RECT r;
      if (side) {
        r = RECT{metrics_.left, metrics_.top + 3 + 3 * bar, client.right - metrics_.right, metrics_.top + 6 + 3 * bar};
      } else {
        r = RECT{metrics_.left + 3 * bar, metrics_.top, metrics_.left + 3 + 3 * bar, client.bottom - metrics_.bottom};
      }
      Draw3DFrame(dc, r, kFrameInnerRaised, kFrameAll);
    }
  }
  const bool vertical = IsVerticalState(flags_);
  for (size_t i = 0; i < gadgets_.size() && i < places_.size(); ++i) {
    const TGadgetPlace& p = places_[i];
    const RECT r{p.x, p.y, p.x + p.w, p.y + p.h};
    gadgets_[i]->Paint(dc, r, vertical, p.rowLine);
  }
  DrawEdgeLines(dc, client, static_cast<uint16_t>(0x0F00 | (flags_ & kTbWin4)), metrics_.win4);
}

TRect TToolbar::GadgetRect(int index) const {
  if (index < 0 || index >= static_cast<int>(places_.size())) return TRect();
  const TGadgetPlace& p = places_[index];
  return TRect(p.x, p.y, p.x + p.w, p.y + p.h);
}

int TToolbar::GadgetAt(POINT client) const {
  for (size_t i = 0; i < places_.size() && i < gadgets_.size(); ++i) {
    if (gadgets_[i]->IsSeparator()) continue;
    if (GadgetRect(static_cast<int>(i)).Contains(client)) return static_cast<int>(i);
  }
  return -1;
}

void TToolbar::InvalidateGadget(int index) const {
  if (!hwnd_ || index < 0) return;
  const TRect r = GadgetRect(index);
  InvalidateRect(hwnd_, &r, FALSE);
  ::UpdateWindow(hwnd_);
}

// Hints and buttons.

void TToolbar::ShowGadgetHint(int index) {
  if (!gStatusBar || index < 0) return;
  ++gToolbarHintCount;
  if (gApp && gApp->GetToolTip() && gApp->GetToolTip()->Window().GetHandle()) {
    TRect r = GadgetRect(index);
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    gApp->GetToolTip()->Window().SetToolRect(r, nullptr, nullptr);
  }
  char hint[200] = {};
  if (LoadStringA(GetModule(), static_cast<UINT>(gadgets_[index]->GetId()), hint, sizeof hint) > 0) {
    gStatusBar->SetHintText(hint);
  }
  --gToolbarHintCount;
}

void TToolbar::SetHot(int index) {
  if (index == hot_) return;
  const int old = hot_;
  hot_ = index;
  if (old >= 0 && old < GetGadgetCount()) {
    if (auto* b = dynamic_cast<TToolbarButtonGadget*>(gadgets_[old].get())) b->SetHot(false);
    InvalidateGadget(old);
    if (gStatusBar) gStatusBar->SetHintText(nullptr);
  }
  if (index >= 0) {
    if (auto* b = dynamic_cast<TToolbarButtonGadget*>(gadgets_[index].get())) b->SetHot(true);
    InvalidateGadget(index);
    ShowGadgetHint(index);
  }
}

void TToolbar::Activate(int index) {
  auto* b = dynamic_cast<TToolbarButtonGadget*>(gadgets_[index].get());
  if (!b) return;
  if (b->GetType() == TToolbarButtonGadget::TType::Exclusive && b->GetState() != TToolbarButtonGadget::Down) {
    // The other exclusive buttons of the same run go up.
    for (int dir : {-1, 1}) {
      for (int i = index + dir; i >= 0 && i < GetGadgetCount(); i += dir) {
        auto* o = dynamic_cast<TToolbarButtonGadget*>(gadgets_[i].get());
        if (!o || o->GetType() != TToolbarButtonGadget::TType::Exclusive) break;
        o->SetState(TToolbarButtonGadget::Up);
        InvalidateGadget(i);
      }
    }
    b->SetState(TToolbarButtonGadget::Down);
  } else if (b->GetType() == TToolbarButtonGadget::TType::NonExclusive) {
    b->SetState(b->GetState() == TToolbarButtonGadget::Down ? TToolbarButtonGadget::Up : TToolbarButtonGadget::Down);
  }
  InvalidateGadget(index);
  HWND target = gApp && gApp->GetMainWindow() ? gApp->GetMainWindow()->GetHandle() : frame_.GetHandle();
  ::PostMessageA(target, WM_COMMAND, static_cast<WPARAM>(b->GetId()), 0);
}

bool TToolbar::IdleAction(long idleCount) {
  if (idleCount != 0 || !hwnd_ || !IsWindowVisible()) return false;
  auto* target = dynamic_cast<TFrameWindow*>(&frame_);
  for (int i = 0; i < GetGadgetCount(); ++i) {
    auto* b = dynamic_cast<TToolbarButtonGadget*>(gadgets_[i].get());
    if (!b || !target) continue;
    const bool wasEnabled = b->IsEnabled();
    const int wasState = b->GetState();
    TToolButtonGadgetEnabler enabler(*b, hwnd_);
    if (!target->EnableCommand(enabler)) b->SetEnabled(false);
    if (b->IsEnabled() != wasEnabled || b->GetState() != wasState) InvalidateGadget(i);
  }
  return false;
}

// Mouse and keys.

LRESULT TToolbar::EvLButtonDown(WPARAM, LPARAM lParam) {
  HideTip();
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const int g = GadgetAt(p);
  if (g >= 0) {
    auto* b = dynamic_cast<TToolbarButtonGadget*>(gadgets_[g].get());
    if (!b || !b->IsEnabled()) return 0;
    pressed_ = g;
    b->SetPressed(true);
    SetCapture(hwnd_);
    InvalidateGadget(g);
    return 0;
  }
  POINT screen = p;
  ClientToScreen(hwnd_, &screen);
  BeginDrag(screen);
  return 0;
}

LRESULT TToolbar::EvLButtonUp(WPARAM, LPARAM lParam) {
  HideTip();
  if (drag_.active) {
    EndDrag(true);
    return 0;
  }
  if (pressed_ < 0) return 0;
  const int g = pressed_;
  pressed_ = -1;
  auto* b = dynamic_cast<TToolbarButtonGadget*>(gadgets_[g].get());
  const bool over = GadgetAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == g;
  if (b) b->SetPressed(false);
  ReleaseCapture();
  InvalidateGadget(g);
  if (over) Activate(g);
  return 0;
}

LRESULT TToolbar::EvLButtonDblClk(WPARAM, LPARAM lParam) {
  const int g = GadgetAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (g >= 0 && gadgets_[g]->IsEnabled()) {
    MessageBeep(0);
    return 0;
  }
  ToggleFloating();
  return 0;
}

void TToolbar::ToggleFloating() { ChangeState(static_cast<uint16_t>(flags_ ^ kTbFloating), true); }

LRESULT TToolbar::EvMouseMove(WPARAM, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (drag_.active) {
    POINT screen = p;
    ClientToScreen(hwnd_, &screen);
    DragTo(screen, false);
    return 0;
  }
  if (pressed_ >= 0) {
    auto* b = dynamic_cast<TToolbarButtonGadget*>(gadgets_[pressed_].get());
    const bool over = GadgetAt(p) == pressed_;
    if (b && b->IsPressed() != over) {
      b->SetPressed(over);
      InvalidateGadget(pressed_);
    }
    return 0;
  }
  if (!tracking_) {
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd_, 0};
    tracking_ = TrackMouseEvent(&t) != 0;
  }
  SetHot(GadgetAt(p));
  return 0;
}

LRESULT TToolbar::EvMouseLeave(WPARAM, LPARAM) {
  tracking_ = false;
  if (pressed_ < 0) SetHot(-1);
  return 0;
}

LRESULT TToolbar::EvRButtonDown(WPARAM, LPARAM) {
  if (GetCapture()) return 0;
  ShowContextMenu(CursorPos());
  return 0;
}

void TToolbar::ShowContextMenu(POINT screen) {
  HideTip();
  TPopupMenu menu;
  for (TToolbar* t : ToolbarList()) {
    const int id = t->GetCommandId();
    if (id == 0) continue;
    menu.AppendMenu(MF_STRING | (t->IsHidden() ? MF_UNCHECKED : MF_CHECKED), static_cast<UINT_PTR>(id),
                    t->GetName().c_str());
  }
  HMENU extra = LoadMenuA(GetModule(), MAKEINTRESOURCEA(kContextMenuId));
  if (extra) {
    menu.AppendItemsOf(GetSubMenu(extra, 0));
    DestroyMenu(extra);
  }
  menu.TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, frame_.GetHandle());
}

LRESULT TToolbar::EvKey(WPARAM wParam, LPARAM) {
  HideTip();
  if (drag_.active && wParam == VK_CONTROL) DragTo(CursorPos(), true);
  if (drag_.active && wParam == VK_ESCAPE) EndDrag(false);
  return 0;
}

LRESULT TToolbar::EvTimer(WPARAM id, LPARAM) {
  if (id != kCtrlWatchTimer) return DefaultProcessing();
  if (drag_.active && CtrlDown() != drag_.ctrl) DragTo(CursorPos(), true);
  return 0;
}

LRESULT TToolbar::EvCaptureChanged(WPARAM, LPARAM lParam) {
  if (drag_.active && reinterpret_cast<HWND>(lParam) != hwnd_) EndDrag(false);
  if (pressed_ >= 0 && reinterpret_cast<HWND>(lParam) != hwnd_) {
    if (auto* b = dynamic_cast<TToolbarButtonGadget*>(gadgets_[pressed_].get())) b->SetPressed(false);
    InvalidateGadget(pressed_);
    pressed_ = -1;
  }
  return 0;
}

LRESULT TToolbar::EvSysColorChange(WPARAM, LPARAM) {
  RebuildToolbarHatchBrush();
  for (auto& g : gadgets_) {
    if (auto* b = dynamic_cast<TToolbarButtonGadget*>(g.get())) b->ForgetCels();
  }
  Invalidate();
  return 0;
}

// The state change between docks, floating and hidden.

void TToolbar::ChangeState(uint16_t newFlags, bool remember) {
  flags_ = newFlags;
  const bool wasDocked = dock_ != nullptr;
  if (remember && hwnd_ && IsWindowVisible()) {
    if (wasDocked) {
      TRect r = GetWindowRect();
      MapWindowPoints(nullptr, dock_->GetHandle(), reinterpret_cast<POINT*>(&r), 2);
      const TPoint inset = dock_->InsetOrigin();
      dockedPos = TPoint(r.left - inset.x, r.top - inset.y);
    } else if (floatingFrame_ && floatingFrame_->GetHandle()) {
      floatPos = floatingFrame_->GetWindowRect().TopLeft();
    }
  }
  TDockStation* target = DockFor(flags_);
  if (wasDocked) {
    TDockStation* from = dock_;
    from->Remove(*this, IsFloating() || IsHidden() || from != target);
  }
  if (floatingFrame_ && (!IsFloating() || IsHidden())) {
    TToolbarFrame* f = floatingFrame_;
    floatingFrame_ = nullptr;
    if (hwnd_) ShowWindow(SW_HIDE);
    SetParentObject(target);
    f->SetDeleteOnDestroy(true);
    f->Destroy();
  } else if (!IsFloating() && GetParentObject() != target) {
    SetParentObject(target);
  }
  if (IsHidden()) {
    if (hwnd_) ShowWindow(SW_HIDE);
  } else if (IsFloating()) {
    ComputeShapes();
    LayoutGadgets();
    if (floatingFrame_) {
      if (floatPos.x == -1 && floatPos.y == -1) floatPos = floatingFrame_->GetWindowRect().TopLeft();
      SetWindowPos(floatingFrame_->GetHandle(), nullptr, floatPos.x, floatPos.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      floatingFrame_->FitToolbar();
    } else {
      PlaceFloatingFrame();
    }
  } else {
    LayoutGadgets();
    POINT screen = dockedPos;
    const TPoint inset = target->InsetOrigin();
    screen.x += inset.x;
    screen.y += inset.y;
    if (target->GetHandle()) ClientToScreen(target->GetHandle(), &screen);
    target->Drop(*this, screen);
  }
  frame_.Layout();
}

void TToolbar::PlaceFloatingFrame() {
  if (!hwnd_ || floatingFrame_) return;
  if (floatPos.x == -1 && floatPos.y == -1) floatPos = GetWindowRect().TopLeft();
  ComputeShapes();
  LayoutGadgets();
  floatingFrame_ = new TToolbarFrame(&frame_, *this, floatPos);
  floatingFrame_->Create();
}

// The drag.

void TToolbar::BeginDrag(POINT screen) {
  if (drag_.active || !hwnd_) return;
  HideTip();
  drag_ = TDrag();
  drag_.active = true;
  drag_.startFlags = flags_;
  drag_.outlineFlags = flags_;
  drag_.outline = floatingFrame_ && IsFloating() ? floatingFrame_->GetWindowRect() : GetWindowRect();
  drag_.last = TPoint(screen);
  const std::vector<TGadgetSize> sizes = GadgetSizes();
  const uint16_t base = static_cast<uint16_t>(flags_ & ~(kTbFloating | kTbDockMask));
  const TToolbarLayout h = LayoutToolbarGadgets(sizes, static_cast<uint16_t>(base | kTbDockTop), 0, metrics_);
  const TToolbarLayout v = LayoutToolbarGadgets(sizes, static_cast<uint16_t>(base | kTbDockLeft), 0, metrics_);
  drag_.horizontal = TPoint(h.width, h.height);
  drag_.vertical = TPoint(v.width, v.height);
  TRect client = frame_.GetClientArea();
  MapWindowPoints(frame_.GetHandle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  drag_.frameClient = client;
  SetCapture(hwnd_);
  drag_.ctrl = CtrlDown();
  SetTimer(hwnd_, kCtrlWatchTimer, kCtrlWatchMs, nullptr);
  GetSysInfo().PushStatusId(kDragHintId, false);
  DrawOutline(drag_.outline, drag_.outlineFlags);
  drag_.drawn = true;
}

void TToolbar::DragTo(POINT screen, bool reevaluate) {
  TRect o = drag_.outline;
  uint16_t of = drag_.outlineFlags;
  if (!reevaluate) o.Offset(screen.x - drag_.last.x, screen.y - drag_.last.y);
  drag_.last = TPoint(screen);
  const TRect& fc = drag_.frameClient;
  bool docked = false;
  drag_.ctrl = CtrlDown();
  if (!drag_.ctrl && Overlaps(o, fc)) {
    struct TEdgeTest {
      uint16_t bit;
      bool match;
      bool horizontal;
    };
    const TEdgeTest tests[] = {
        {kTbDockTop, o.top <= fc.top && std::abs(screen.y - fc.top) < drag_.horizontal.y, true},
        {kTbDockBottom, o.bottom >= fc.bottom && std::abs(screen.y - fc.bottom) < drag_.horizontal.y, true},
        {kTbDockLeft, o.left <= fc.left && std::abs(screen.x - fc.left) < drag_.vertical.x, false},
        {kTbDockRight, o.right >= fc.right && std::abs(screen.x - fc.right) < drag_.vertical.x, false},
    };
    for (const TEdgeTest& t : tests) {
      if (!(allowedDocks_ & t.bit) || !t.match) continue;
      const TPoint size = t.horizontal ? drag_.horizontal : drag_.vertical;
      const int left = Clamp(o.left, screen.x - size.x + 1, screen.x);
      const int top = Clamp(o.top, screen.y - size.y + 1, screen.y);
      o = TRect(left, top, left + size.x, top + size.y);
      of = static_cast<uint16_t>((of & ~(kTbFloating | kTbDockMask)) | t.bit);
      docked = true;
      break;
    }
  }
  if (!docked) {
    const int w = shapes_.empty() ? o.Width() : shapes_[shapeIndex_].w;
    const int h = shapes_.empty() ? o.Height() : shapes_[shapeIndex_].h;
    int left = o.left, top = o.top;
    if (!(of & kTbFloating)) {
      if (screen.x < left || screen.x >= left + w) left = screen.x - w / 2;
      if (screen.y < top || screen.y >= top + h) top = screen.y - metrics_.caption / 2 - metrics_.frameY;
    }
    o = TRect(left, top, left + w, top + h);
    of = static_cast<uint16_t>(of | kTbFloating);
  }
  if (o == drag_.outline && of == drag_.outlineFlags) return;
  if (drag_.drawn) DrawOutline(drag_.outline, drag_.outlineFlags);
  drag_.outline = o;
  drag_.outlineFlags = of;
  DrawOutline(o, of);
  drag_.drawn = true;
}

void TToolbar::EndDrag(bool apply) {
  if (!drag_.active) return;
  // A Ctrl change the watch has not seen yet still counts for the place the toolbar goes to.
  if (apply && CtrlDown() != drag_.ctrl) DragTo(CursorPos(), true);
  drag_.active = false;
  if (drag_.drawn) DrawOutline(drag_.outline, drag_.outlineFlags);
  drag_.drawn = false;
  KillTimer(hwnd_, kCtrlWatchTimer);
  if (GetCapture() == hwnd_) ReleaseCapture();
  GetSysInfo().PopStatus();
  if (!apply) return;
  const uint16_t flags = drag_.outlineFlags;
  if (flags & kTbFloating) {
    floatPos = drag_.outline.TopLeft();
  } else if (TDockStation* d = DockFor(flags); d && d->GetHandle()) {
    POINT p = drag_.outline.TopLeft();
    ScreenToClient(d->GetHandle(), &p);
    const TPoint inset = d->InsetOrigin();
    dockedPos = TPoint(p.x - inset.x, p.y - inset.y);
  }
  ChangeState(flags, false);
}

void TToolbar::DrawOutline(const RECT& r, uint16_t flags) const {
  XorToolbarOutline(r, (flags & kTbFloating) ? std::max(1, metrics_.frameX - 1) : 1);
}
