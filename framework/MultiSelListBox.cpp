#include "framework/MultiSelListBox.h"

#include <string>

#include "foundation/win32/FrameDrawing.h"

TQXTMultiSelListBox::TQXTMultiSelListBox(TWindow* parent, int id, int x, int y, int w, int h, HINSTANCE module)
    : TListBox(parent, id, x, y, w, h, module) {
  Attr.style = (Attr.style | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT) & ~LBS_SORT;
}

TQXTMultiSelListBox::TQXTMultiSelListBox(TWindow* parent, int resourceId, HINSTANCE module)
    : TListBox(parent, resourceId, module) {}

bool TQXTMultiSelListBox::DrawItem(DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT r = item.rcItem;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const int height = r.bottom - r.top;
  const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  const int boxWidth = dpiY > 0 ? height * GetDeviceCaps(dc, LOGPIXELSX) / dpiY : height;
  const std::string text = item.itemID == static_cast<UINT>(-1) ? std::string() : GetString(static_cast<int>(item.itemID));
  RECT textArea{r.left + boxWidth * 5 / 4, r.top, r.right, r.bottom};
  if (text.empty()) {
    if (focused) DrawFocusRect(dc, &textArea);
    return true;
  }
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  RECT box{r.left + 1, r.top + 1, r.left + boxWidth - 1, r.bottom - 1};
  Draw3DFrame(dc, box, kFrameOuterRaised | kFrameInnerRaised, kFrameReturnInside);
  InflateRect(&box, -1, -1);
  Draw3DFrame(dc, box, kFrameOuterSunken | kFrameInnerSunken, 0);
  if (SendMessage(LB_GETSEL, item.itemID) > 0) {
    const int dx = (box.right - box.left) * 2 / 9;
    const int dy = (box.bottom - box.top) * 2 / 9;
    HPEN pen = CreatePen(PS_SOLID, 2, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, box.left + dx, box.top + dy, nullptr);
    LineTo(dc, box.right - dx, box.bottom - dy);
    MoveToEx(dc, box.right - dx, box.top + dy, nullptr);
    LineTo(dc, box.left + dx, box.bottom - dy);
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  SetBkColor(dc, GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &textArea, nullptr, 0, nullptr);
  DrawTextA(dc, text.c_str(), -1, &textArea, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (focused) DrawFocusRect(dc, &textArea);
  return true;
}
