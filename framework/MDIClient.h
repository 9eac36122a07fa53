// The MDI client window that holds the document child windows of an MDI frame.
#pragma once
#include "framework/Window.h"

class TMDIChild;

class TMDIClient : public TWindow {
public:
  // Window-list items of the frame's window menu use ids from this value up.
  static constexpr UINT kFirstChildId = 0xFF00;
  // The window commands the client answers (from the frame's Window menu or a toolbar).
  static constexpr UINT kCascadeCommand = 24361;
  static constexpr UINT kTileCommand = 24362;
  static constexpr UINT kArrangeIconsCommand = 24363;

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

  bool Find(TEvent& ev) override;
  void CmCascadeChildren() { CascadeChildren(); }
  void CmTileChildren() { TileChildren(); }
  void CmArrangeIcons() { ArrangeIcons(); }

protected:
  HWND PerformCreate() override;

private:
  HMENU windowMenu_ = nullptr;
};
