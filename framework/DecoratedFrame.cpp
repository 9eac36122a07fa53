#include "framework/DecoratedFrame.h"
#include <algorithm>

TDecoratedFrame::TDecoratedFrame(TWindow* parent, const char* title, TWindow* client, HINSTANCE module)
    : TFrameWindow(parent, title, client, module) {}

void TDecoratedFrame::Insert(TWindow& decoration, TLocation where) {
  decorations_.push_back({&decoration, where});
  if (hwnd_) {
    if (!decoration.GetHandle()) decoration.Create();
    Layout();
  }
}

void TDecoratedFrame::Remove(TWindow& decoration) {
  decorations_.erase(std::remove_if(decorations_.begin(), decorations_.end(),
                                    [&](const TDecoration& d) { return d.window == &decoration; }),
                     decorations_.end());
  Layout();
}

void TDecoratedFrame::SetupWindow() {
  TFrameWindow::SetupWindow();
  for (TDecoration& d : decorations_) {
    if (!d.window->GetHandle()) d.window->Create();
  }
  Layout();
}

void TDecoratedFrame::Layout() {
  if (!hwnd_) return;
  TRect area = TWindow::GetClientRect();
  // Top and bottom bars span the full width; side bars fill the height between them.
  for (TLocation edge : {TLocation::Top, TLocation::Bottom, TLocation::Left, TLocation::Right}) {
    for (TDecoration& d : decorations_) {
      // The style bit, not IsWindowVisible: the frame itself may not be shown yet.
      if (d.where != edge || !d.window->GetHandle() || !(d.window->GetStyle() & WS_VISIBLE)) continue;
      TRect own = d.window->GetWindowRect();
      TRect place = area;
      switch (edge) {
        case TLocation::Top:
          place.bottom = std::min(area.bottom, area.top + own.Height());
          area.top = place.bottom;
          break;
        case TLocation::Bottom:
          place.top = std::max(area.top, area.bottom - own.Height());
          area.bottom = place.top;
          break;
        case TLocation::Left:
          place.right = std::min(area.right, area.left + own.Width());
          area.left = place.right;
          break;
        case TLocation::Right:
          place.left = std::max(area.left, area.right - own.Width());
          area.right = place.left;
          break;
      }
      d.window->MoveWindow(place);
    }
  }
  clientArea_ = area;
  TWindow* client = GetClientWindow();
  if (client && client->GetHandle()) client->MoveWindow(area);
}
