#include "framework/ScrollBar.h"

TScrollBar::TScrollBar(TWindow* parent, int id, int x, int y, int w, int h, bool horizontal, HINSTANCE module)
    : TControl(parent, id, nullptr, x, y, w, h, module) {
  Attr.style |= horizontal ? SBS_HORZ : SBS_VERT;
  EnableTransfer();
}

TScrollBar::TScrollBar(TWindow* parent, int resourceId, HINSTANCE module) : TControl(parent, resourceId, module) {
  EnableTransfer();
}

void TScrollBar::GetRange(int& min, int& max) const {
  min = max = 0;
  if (hwnd_) GetScrollRange(hwnd_, SB_CTL, &min, &max);
}

int TScrollBar::GetPosition() const { return hwnd_ ? GetScrollPos(hwnd_, SB_CTL) : 0; }

void TScrollBar::SetRange(int min, int max) {
  if (hwnd_) SetScrollRange(hwnd_, SB_CTL, min, max, TRUE);
}

void TScrollBar::SetPosition(int position) {
  if (hwnd_) SetScrollPos(hwnd_, SB_CTL, position, TRUE);
}

UINT TScrollBar::Transfer(void* buffer, TTransferDirection direction) {
  return TransferInt32(buffer, direction, [&] { return GetPosition(); }, [&](int32_t v) { SetPosition(v); });
}
