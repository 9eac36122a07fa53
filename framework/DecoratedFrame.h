// A frame window with decorations (status bar, toolbar docks) along its four edges; the client
// window takes what is left.
#pragma once
#include "framework/FrameWindow.h"

class TDecoratedFrame : public TFrameWindow {
public:
  enum class TLocation { Top, Bottom, Left, Right };

  TDecoratedFrame(TWindow* parent, const char* title, TWindow* client = nullptr, HINSTANCE module = nullptr);

  // Adds a child window along an edge; decorations of one edge follow each other from the edge
  // inwards in insertion order. The frame owns the decoration like any child.
  void Insert(TWindow& decoration, TLocation where);
  void Remove(TWindow& decoration);
  // Places decorations and client again (after a decoration changed its size or visibility).
  void Layout() override;
  // The client area left for the client window.
  TRect GetClientArea() const { return clientArea_; }

  void SetupWindow() override;

private:
  struct TDecoration {
    TWindow* window;
    TLocation where;
  };
  std::vector<TDecoration> decorations_;
  TRect clientArea_;
};
