// An owner-drawn list box that shows each item's selection as a check box before its text.
#pragma once
#include "framework/ListBox.h"

class TQXTMultiSelListBox : public TListBox {
public:
  TQXTMultiSelListBox(TWindow* parent, int id, int x, int y, int w, int h, HINSTANCE module = nullptr);
  // Keeps the dialog template's style, which must be owner-drawn with strings.
  TQXTMultiSelListBox(TWindow* parent, int resourceId, HINSTANCE module = nullptr);

  bool DrawItem(DRAWITEMSTRUCT& item) override;
};
