// The small frame a floating toolbar lives in: tiny caption with the toolbar's name and a close
// box; its caption drags the toolbar, its borders step through the toolbar's floating shapes.
#pragma once
#include "framework/Window.h"

class TToolbar;

class TToolbarFrame : public TWindow {
public:
  TToolbarFrame(TWindow* owner, TToolbar& toolbar, POINT at);

  const char* GetClassName() const override { return "TToolbarFrame"; }
  void GetWindowClass(WNDCLASSA& wc) override;
  void SetupWindow() override;
  bool Find(TEvent& ev) override;

  // Sized around the toolbar's current size.
  void FitToolbar();
  TToolbar& GetToolbar() const { return toolbar_; }

  LRESULT EvClose(WPARAM, LPARAM);
  LRESULT EvNcLButtonDown(WPARAM, LPARAM);
  LRESULT EvNcLButtonDblClk(WPARAM, LPARAM);
  LRESULT EvNcRButtonDown(WPARAM, LPARAM);
  LRESULT EvMouseMove(WPARAM, LPARAM);
  LRESULT EvLButtonUp(WPARAM, LPARAM);
  LRESULT EvCaptureChanged(WPARAM, LPARAM);

private:
  void StepShape(POINT screen);

  TToolbar& toolbar_;
  int sizingEdge_ = 0;  // the border being dragged (HTLEFT ...), 0 when none
  int shape_ = 0;
  RECT outline_{};
};
