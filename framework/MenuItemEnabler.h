// The command enabler of one item of a popup menu that is about to open.
#pragma once
#include "framework/CommandEnabler.h"

class TMenuItemEnabler : public TCommandEnabler {
public:
  TMenuItemEnabler(HMENU menu, UINT id, int position, HWND receiver)
      : TCommandEnabler(id, receiver), menu_(menu), position_(position) {}
  void Enable(bool enable = true) override;
  void SetCheck(int state) override;
  void SetText(const char* text) override;

private:
  HMENU menu_;
  int position_;
};
