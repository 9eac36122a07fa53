#include "framework/MenuItemEnabler.h"

void TMenuItemEnabler::Enable(bool enable) {
  TCommandEnabler::Enable(enable);
  EnableMenuItem(menu_, position_, MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
}

void TMenuItemEnabler::SetCheck(int state) {
  TCommandEnabler::SetCheck(state);
  CheckMenuItem(menu_, position_, MF_BYPOSITION | (state == Checked ? MF_CHECKED : MF_UNCHECKED));
}

void TMenuItemEnabler::SetText(const char* text) {
  UINT state = GetMenuState(menu_, position_, MF_BYPOSITION);
  UINT flags = MF_BYPOSITION | MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED));
  ModifyMenuA(menu_, position_, flags, GetId(), text);
}
