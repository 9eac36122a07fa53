// A push button.
#pragma once
#include "framework/Control.h"

class TButton : public TControl {
public:
  TButton(TWindow* parent, int id, const char* text, int x, int y, int w, int h, bool isDefault = false,
          HINSTANCE module = nullptr)
      : TControl(parent, id, text, x, y, w, h, module) {
    Attr.style |= isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  }
  TButton(TWindow* parent, int resourceId, HINSTANCE module = nullptr) : TControl(parent, resourceId, module) {}

  const char* GetClassName() const override { return "BUTTON"; }
};
