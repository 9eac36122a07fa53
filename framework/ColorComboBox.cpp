#include "framework/ColorComboBox.h"

#include <string>

#include "foundation/win32/TextFitting.h"

TQVColorComboBox::TQVColorComboBox(TWindow* parent, int id, int x, int y, int w, int h, const TComboArgs& args,
                                   HINSTANCE module)
    : TQXTComboBox(parent, id, x, y, w, h, args, module) {
  Attr.style = (Attr.style | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_NOINTEGRALHEIGHT) & ~CBS_SORT;
}

TQVColorComboBox::TQVColorComboBox(TWindow* parent, int resourceId, HINSTANCE module)
    : TQXTComboBox(parent, resourceId, {}, module) {}

int TQVColorComboBox::AddColor(const char* name, COLORREF color) {
  const int index = AddString(name);
  if (index >= 0) SetItemData(index, static_cast<LPARAM>(color));
  return index;
}

bool TQVColorComboBox::DrawItem(DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  if (item.itemID != static_cast<UINT>(-1)) {
    SIZE blank{};
    GetTextExtentPoint32A(dc, " ", 1, &blank);
    const int cx = blank.cx;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const int itemHeight = r.bottom - r.top;
    RECT swatchArea{r.left, r.top, r.left + itemHeight + 2 * cx, r.bottom};
    RECT textArea{swatchArea.right, r.top, r.right, r.bottom};
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &swatchArea, nullptr, 0, nullptr);
    SetBkColor(dc, back);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &textArea, nullptr, 0, nullptr);
    RECT swatch{swatchArea.left + cx + 1, swatchArea.top + 1, swatchArea.right - cx - 1, swatchArea.bottom - 1};
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
    SelectObject(dc, oldBrush);
    RECT fill{swatch.left + 1, swatch.top + 1, swatch.right - 1, swatch.bottom - 1};
    SetBkColor(dc, static_cast<COLORREF>(item.itemData));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr);
    std::string name = GetString(static_cast<int>(item.itemID));
    TruncateTextWithEllipsis(dc, name.data(), textArea.right - textArea.left);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, name.c_str(), -1, &textArea, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
  return true;
}
