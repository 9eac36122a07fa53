#include "framework/PopupMenu.h"

void TPopupMenu::AppendItemsOf(HMENU other) {
  int n = ::GetMenuItemCount(other);
  for (int i = 0; i < n; ++i) {
    char text[256] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE | MIIM_ID | MIIM_STATE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    if (!GetMenuItemInfoA(other, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.fType & MFT_SEPARATOR) {
      ::AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
    } else {
      ::AppendMenuA(menu_, MF_STRING | (info.fState & MFS_CHECKED ? MF_CHECKED : 0) |
                               (info.fState & MFS_GRAYED ? MF_GRAYED : 0),
                    info.wID, text);
    }
  }
}
