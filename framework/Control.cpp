#include "framework/Control.h"

TControl::TControl(TWindow* parent, int id, const char* title, int x, int y, int w, int h, HINSTANCE module)
    : TWindow(parent, title, module) {
  Attr.style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
  Attr.id = id;
  Attr.x = x;
  Attr.y = y;
  Attr.w = w;
  Attr.h = h;
}

TControl::TControl(TWindow* parent, int resourceId, HINSTANCE module) : TWindow(parent, nullptr, module) {
  SetFromResource(resourceId);
}

std::string TControl::ItemText(UINT lengthMsg, UINT textMsg, int index) const {
  LRESULT n = SendMessage(lengthMsg, index);
  if (n < 0) return {};  // LB_ERR and CB_ERR
  std::string s(static_cast<size_t>(n) + 1, '\0');
  SendMessage(textMsg, index, reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(n));
  return s;
}
