// A popup menu built in code or taken from a menu resource, tracked at a screen point.
#pragma once
#include <windows.h>

class TPopupMenu {
public:
  TPopupMenu() : menu_(CreatePopupMenu()), owned_(true) {}
  // Wraps a menu; an owned one is destroyed with the object.
  TPopupMenu(HMENU menu, bool owned) : menu_(menu), owned_(owned) {}
  ~TPopupMenu() {
    if (owned_ && menu_) DestroyMenu(menu_);
  }
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  HMENU GetHandle() const { return menu_; }
  operator HMENU() const { return menu_; }
  bool AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr) {
    return ::AppendMenuA(menu_, flags, id, text);
  }
  // Appends the items of another menu (a resource's first popup, for example), copying their texts.
  void AppendItemsOf(HMENU other);
  int GetMenuItemCount() const { return ::GetMenuItemCount(menu_); }
  UINT GetMenuItemID(int pos) const { return ::GetMenuItemID(menu_, pos); }
  UINT GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(menu_, id, flags); }
  // Shows the menu at a screen point; with TPM_RETURNCMD answers the chosen command.
  int TrackPopupMenu(UINT flags, int x, int y, HWND owner) const {
    return ::TrackPopupMenu(menu_, flags, x, y, 0, owner, nullptr);
  }

private:
  HMENU menu_;
  bool owned_;
};
