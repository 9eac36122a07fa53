// An owner-drawn combo box of named colours: each item shows a swatch of its colour and the name.
#pragma once
#include "framework/QXTComboBox.h"

class TQVColorComboBox : public TQXTComboBox {
public:
  TQVColorComboBox(TWindow* parent, int id, int x, int y, int w, int h, const TComboArgs& args = {},
                   HINSTANCE module = nullptr);
  // From a dialog template, which must give the owner-drawn style with strings.
  TQVColorComboBox(TWindow* parent, int resourceId, HINSTANCE module = nullptr);

  int AddColor(const char* name, COLORREF color);
  COLORREF GetColor(int index) const { return static_cast<COLORREF>(GetItemData(index)); }
  bool DrawItem(DRAWITEMSTRUCT& item) override;
};
