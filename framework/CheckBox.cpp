#include "framework/CheckBox.h"

TCheckBox::TCheckBox(TWindow* parent, int id, const char* text, int x, int y, int w, int h, HINSTANCE module)
    : TButton(parent, id, text, x, y, w, h, false, module) {
  Attr.style = (Attr.style & ~BS_PUSHBUTTON) | BS_AUTOCHECKBOX;
  EnableTransfer();
}

TCheckBox::TCheckBox(TWindow* parent, int resourceId, HINSTANCE module) : TButton(parent, resourceId, module) {
  EnableTransfer();
}

UINT TCheckBox::Transfer(void* buffer, TTransferDirection direction) {
  return TransferInt32(buffer, direction, [&] { return GetCheck(); }, [&](int32_t v) { SetCheck(static_cast<UINT>(v)); });
}
