#include "framework/ListBox.h"

TListBox::TListBox(TWindow* parent, int id, int x, int y, int w, int h, HINSTANCE module)
    : TControl(parent, id, nullptr, x, y, w, h, module) {
  Attr.style |= LBS_STANDARD;
  EnableTransfer();
}

TListBox::TListBox(TWindow* parent, int resourceId, HINSTANCE module) : TControl(parent, resourceId, module) {
  EnableTransfer();
}

std::string TListBox::GetString(int index) const { return ItemText(LB_GETTEXTLEN, LB_GETTEXT, index); }

UINT TListBox::Transfer(void* buffer, TTransferDirection direction) {
  return TransferInt32(buffer, direction, [&] { return GetSelIndex(); }, [&](int32_t v) { SetSelIndex(v); });
}
