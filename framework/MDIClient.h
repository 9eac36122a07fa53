// The MDI client window that holds the document child windows of an MDI frame.
#pragma once
#include "framework/Window.h"

class TMDIChild;

class TMDIClient : public TWindow {
public:
  // Window-list items of the frame's window menu use ids from this value up.
  static constexpr UINT kFirstChildId = 0xFF00;

  explicit TMDIClient(HINSTANCE module = nullptr);

  const char* GetClassName() const override { return "MDICLIENT"; }
  // The popup that lists the open children (may be null).
  void SetWindowMenu(HMENU menu) { windowMenu_ = menu; }

  TMDIChild* GetActiveMDIChild() const;
  // Asks every child whether it may close, then destroys them all; false when one refuses.
  bool CloseChildren();
  int GetChildCount() const;
  void CascadeChildren() const { SendMessage(WM_MDICASCADE); }
  void TileChildren(UINT how = MDITILE_VERTICAL) const { SendMessage(WM_MDITILE, how); }
  void ArrangeIcons() const { SendMessage(WM_MDIICONARRANGE); }

protected:
  HWND PerformCreate() override;

private:
  HMENU windowMenu_ = nullptr;
};
