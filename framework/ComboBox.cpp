#include "framework/ComboBox.h"

TComboBox::TComboBox(TWindow* parent, int id, int x, int y, int w, int h, DWORD style, UINT textLimit,
                     HINSTANCE module)
    : TControl(parent, id, nullptr, x, y, w, h, module), textLimit_(textLimit) {
  Attr.style |= style | WS_VSCROLL | CBS_AUTOHSCROLL;
  EnableTransfer();
}

TComboBox::TComboBox(TWindow* parent, int resourceId, UINT textLimit, HINSTANCE module)
    : TControl(parent, resourceId, module), textLimit_(textLimit) {
  EnableTransfer();
}

void TComboBox::SetupWindow() {
  TControl::SetupWindow();
  if (textLimit_ > 0) SendMessage(CB_LIMITTEXT, textLimit_ - 1);
}

std::string TComboBox::GetString(int index) const { return ItemText(CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }

UINT TComboBox::Transfer(void* buffer, TTransferDirection direction) {
  return TransferInt32(buffer, direction, [&] { return GetSelIndex(); }, [&](int32_t v) { SetSelIndex(v); });
}
