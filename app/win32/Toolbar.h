// A named toolbar of command buttons: its gadgets, state word and places (docked and floating),
// its layout, painting, hints, command enabling, context menu and the drag that moves it between
// the dock stations and a floating frame. All toolbars sit in one global list; toolbar k answers
// command 20310 + k.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/ToolbarLayout.h"
#include "app/ToolbarState.h"
#include "app/win32/ToolbarGadgets.h"
#include "framework/Window.h"

class TDecoratedFrame;
class TDockStation;
class TToolbarFrame;

class TToolbar : public TWindow {
public:
  // Joins the global list and reads its stored state; the first toolbar makes the dock stations.
  TToolbar(TDecoratedFrame& frame, const char* name, uint16_t flags, bool newRow, HFONT font);
  ~TToolbar() override;

  const char* GetClassName() const override { return "TQVToolbar"; }
  void GetWindowClass(WNDCLASSA& wc) override;
  void SetupWindow() override;
  void CleanupWindow() override;
  void Paint(TDC& dc, bool erase, const TRect& rect) override;
  bool Find(TEvent& ev) override;
  bool IdleAction(long idleCount) override;

  const std::string& GetName() const { return name_; }
  void Rename(const char* name);
  int GetCommandId() const;
  uint16_t GetFlags() const { return flags_; }
  bool IsHidden() const { return IsHiddenState(flags_); }
  bool IsFloating() const { return IsFloatingState(flags_); }

  // Gadgets; the toolbar owns them.
  void AppendGadget(std::unique_ptr<TToolbarGadget> gadget);
  void InsertGadget(int index, std::unique_ptr<TToolbarGadget> gadget);
  std::unique_ptr<TToolbarGadget> RemoveGadget(int index);
  int GetGadgetCount() const { return static_cast<int>(gadgets_.size()); }
  TToolbarGadget* GetGadget(int index) const { return gadgets_[index].get(); }
  std::vector<uint16_t> FileValues() const;

  // The state change: flags applied, the toolbar moved between docks and floating frame.
  void ChangeState(uint16_t flags, bool remember);
  // Shapes again and a new layout, hidden for the moment while visible.
  void Relayout();
  // The size for the current state (docked: the dock's orientation; floating: the shape's).
  TPoint DesiredSize() const;
  void ComputeShapes();
  int GetShapeCount() const { return static_cast<int>(shapes_.size()); }
  int GetShapeIndex() const { return shapeIndex_; }
  void SetShapeIndex(int index);
  const TToolbarShape& GetShape(int index) const { return shapes_[index]; }
  void LayoutGadgets();

  // Dock bookkeeping, kept by the dock stations.
  bool newRow = false;
  int order = 0;
  int offset = -1;
  TPoint dockedPos{0, 0};
  TPoint floatPos{10, 10};
  bool successorBeganRow = false;
  TDockStation* GetDock() const { return dock_; }
  void SetDock(TDockStation* dock) { dock_ = dock; }
  TToolbarFrame* GetFloatingFrame() const { return floatingFrame_; }
  void ForgetFloatingFrame() { floatingFrame_ = nullptr; }
  const TToolbarMetrics& Metrics() const { return metrics_; }

  // Drags that start outside the toolbar's own window: the floating frame's caption.
  void BeginDrag(POINT screen);
  void ShowContextMenu(POINT screen);
  // The floating frame's caption or a gap between gadgets was double-clicked.
  void ToggleFloating();

  LRESULT EvLButtonDown(WPARAM, LPARAM);
  LRESULT EvLButtonUp(WPARAM, LPARAM);
  LRESULT EvLButtonDblClk(WPARAM, LPARAM);
  LRESULT EvMouseMove(WPARAM, LPARAM);
  LRESULT EvMouseLeave(WPARAM, LPARAM);
  LRESULT EvRButtonDown(WPARAM, LPARAM);
  LRESULT EvKey(WPARAM, LPARAM);
  LRESULT EvCaptureChanged(WPARAM, LPARAM);
  LRESULT EvSysColorChange(WPARAM, LPARAM);
  LRESULT EvTimer(WPARAM, LPARAM);

private:
  int GadgetAt(POINT client) const;
  TRect GadgetRect(int index) const;
  void InvalidateGadget(int index) const;
  void SetHot(int index);
  void ShowGadgetHint(int index);
  void Activate(int index);
  void ReadStoredState();
  void WriteStoredState() const;
  std::vector<TGadgetSize> GadgetSizes() const;
  TDockStation* DockFor(uint16_t flags) const;
  void PlaceFloatingFrame();

  // The drag.
  void DragTo(POINT screen, bool reevaluate);
  void EndDrag(bool apply);
  void DrawOutline(const RECT& r, uint16_t flags) const;

  TDecoratedFrame& frame_;
  std::string name_;
  uint16_t flags_;
  uint16_t allowedDocks_ = kTbAllDocks;
  HFONT font_;
  TToolbarMetrics metrics_;
  std::vector<std::unique_ptr<TToolbarGadget>> gadgets_;
  std::vector<TGadgetPlace> places_;
  std::vector<TToolbarShape> shapes_;
  int shapeIndex_ = 0;
  TDockStation* dock_ = nullptr;
  TToolbarFrame* floatingFrame_ = nullptr;
  int hot_ = -1;
  int pressed_ = -1;
  bool tracking_ = false;

  struct TDrag {
    bool active = false;
    uint16_t startFlags = 0;
    TRect outline;
    uint16_t outlineFlags = 0;
    bool drawn = false;
    bool ctrl = false;  // the Ctrl key as the outline last saw it
    TPoint last;
    TPoint horizontal, vertical;
    TRect frameClient;
  } drag_;
};

// The global toolbar list, in creation order.
std::vector<TToolbar*>& ToolbarList();
// The index of the named toolbar (letter case ignored), or -1.
int FindToolbar(const char* name);
