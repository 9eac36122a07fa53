// One of the four strips along the main frame's edges that hold docked toolbars in rows: it
// lines them up, takes a dropped toolbar at a screen point, and draws its edge lines.
#pragma once
#include <cstdint>
#include <vector>

#include "framework/Window.h"

class TDecoratedFrame;
class TToolbar;

class TDockStation : public TWindow {
public:
  // flags: the dock edge (0xF000 bits) and the edge-line bits (0x0F80).
  TDockStation(TDecoratedFrame& frame, uint16_t flags);
  ~TDockStation() override;

  const char* GetClassName() const override { return "TDockStation"; }
  void GetWindowClass(WNDCLASSA& wc) override;
  void SetupWindow() override;
  void Paint(TDC& dc, bool erase, const TRect& rect) override;
  bool PreProcessMsg(MSG& msg) override;

  uint16_t GetDockFlags() const { return flags_; }
  uint16_t GetEdgeBit() const { return static_cast<uint16_t>(flags_ & 0xF000); }
  bool IsHorizontal() const { return horizontal_; }
  const std::vector<TToolbar*>& Toolbars() const { return toolbars_; }
  bool Holds(const TToolbar* toolbar) const;

  // Linked before the first toolbar of a greater order.
  void InsertByOrder(TToolbar& toolbar);
  void Remove(TToolbar& toolbar, bool layout);
  // The toolbar dropped with its outline's corner at a screen point.
  void Drop(TToolbar& toolbar, POINT screen);
  void LayoutToolbars();
  // Edge-line room on the near and far side across the dock.
  int InsetsAcross() const;
  TPoint InsetOrigin() const;

private:
  TDecoratedFrame& frame_;
  uint16_t flags_;
  bool horizontal_;
  bool pack_ = true;
  std::vector<TToolbar*> toolbars_;
  int thickness_ = 0;
};

// The four dock stations of the frame, made with the first toolbar.
struct TDockStations {
  TDockStation* top = nullptr;
  TDockStation* bottom = nullptr;
  TDockStation* left = nullptr;
  TDockStation* right = nullptr;
};
TDockStations& DockStations();
