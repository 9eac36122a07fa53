// A radio button; transfers its state like a check box.
#pragma once
#include "framework/CheckBox.h"

class TRadioButton : public TCheckBox {
public:
  TRadioButton(TWindow* parent, int id, const char* text, int x, int y, int w, int h, HINSTANCE module = nullptr)
      : TCheckBox(parent, id, text, x, y, w, h, module) {
    Attr.style = (Attr.style & ~(BS_AUTOCHECKBOX | WS_GROUP)) | BS_AUTORADIOBUTTON;
  }
  TRadioButton(TWindow* parent, int resourceId, HINSTANCE module = nullptr) : TCheckBox(parent, resourceId, module) {}
};
