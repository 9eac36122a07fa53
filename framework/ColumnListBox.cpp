#include "framework/ColumnListBox.h"

#include <cstdio>
#include <cstring>

#include "foundation/BoundedFormat.h"
#include "foundation/ColumnHeaderRules.h"
#include "foundation/win32/TextFitting.h"
#include "framework/ColumnHeader.h"

namespace {
using R = TResponse<TQVColumnListBox>;
constexpr R kResponses[] = {
    R::Message(WM_HSCROLL, &TQVColumnListBox::EvHScroll),
    R::Message(WM_SIZE, &TQVColumnListBox::EvSize),
};

int AverageCharWidth(HDC dc) {
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  return tm.tmAveCharWidth;
}
}  // namespace

TQVColumnListBox::TQVColumnListBox(TQVColumnHeader* header, int resourceId, HINSTANCE module)
    : TListBox(header->GetParentObject(), resourceId, module), header_(header), line_(kLineSize) {
  header_->SetBuddy(this);
}

TQVColumnListBox::TQVColumnListBox(TQVColumnHeader* header, int id, int x, int y, int w, int h, HINSTANCE module)
    : TListBox(header->GetParentObject(), id, x, y, w, h, module), header_(header), line_(kLineSize) {
  Attr.style = (Attr.style | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT |
                LBS_HASSTRINGS | LBS_OWNERDRAWVARIABLE | LBS_NOTIFY) &
               ~LBS_SORT;
  header_->SetBuddy(this);
}

bool TQVColumnListBox::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TListBox::Find(ev); }

void TQVColumnListBox::GetColumnText(LPARAM, int item, int column, char* buffer, int size) {
  FormatBounded(buffer, static_cast<size_t>(size), "error at %d:%d", item, column);
}

bool TQVColumnListBox::LineText(int index, char* buffer, size_t size) const {
  if (!buffer || size == 0) return false;
  buffer[0] = '\0';
  // The length first: a line that would not fit the buffer is never copied into it.
  const LRESULT n = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (n == LB_ERR || n < 0 || static_cast<size_t>(n) >= size) return false;
  return SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)) != LB_ERR;
}

void TQVColumnListBox::ColumnText(int item, LPARAM data, const char* line, int column, char* buffer, int size) {
  if (line) {
    TabFieldOf(line, column, buffer, static_cast<size_t>(size));
  } else {
    buffer[0] = '\0';
    GetColumnText(data, item, column, buffer, size);
    buffer[size - 1] = '\0';
  }
}

bool TQVColumnListBox::DrawItem(DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT r = item.rcItem;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  if (item.itemAction == ODA_FOCUS) {
    DrawFocusRect(dc, &r);
    return true;
  }
  if (item.itemID == static_cast<UINT>(-1)) {
    if (focused && item.itemAction != ODA_SELECT) DrawFocusRect(dc, &r);
    return true;
  }
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  HGDIOBJ oldFont = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  const bool strings = (GetStyle() & LBS_HASSTRINGS) != 0;
  const int index = static_cast<int>(item.itemID);
  const char* line = nullptr;
  if (strings) line = LineText(index, line_.data(), line_.size()) ? line_.data() : "";
  const int avg = AverageCharWidth(dc);
  char text[512];
  int x = r.left;
  for (int col = 0; col < header_->GetItemCount(); ++col) {
    const int width = header_->GetColumnWidth(col);
    if (width > 1) {
      ColumnText(index, static_cast<LPARAM>(item.itemData), line, col, text, sizeof text);
      if (text[0]) {
        TruncateTextWithEllipsis(dc, text, width - 2 * avg);
        RECT tr{x + avg, r.top, x + width - avg, r.bottom};
        DrawTextA(dc, text, -1, &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      }
    }
    if (gridLines_) {
      const int old = SetROP2(dc, R2_XORPEN);
      HGDIOBJ pen = SelectObject(dc, GetStockObject(WHITE_PEN));
      for (int k = 1; k <= 2; ++k) {
        MoveToEx(dc, x + width - k, r.top, nullptr);
        LineTo(dc, x + width - k, r.bottom);
      }
      SelectObject(dc, pen);
      SetROP2(dc, old);
    }
    x += width;
  }
  if (gridLines_ && index == GetCount() - 1) {
    RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
    SetBkColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &bottom, nullptr, 0, nullptr);
  }
  if (focused) DrawFocusRect(dc, &r);
  SelectObject(dc, oldFont);
  return true;
}

int TQVColumnListBox::MeasureColumnContent(int column) {
  if (!GetHandle() || column < 0 || column >= header_->GetItemCount()) return 0;
  HDC dc = GetDC(GetHandle());
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  const bool strings = (GetStyle() & LBS_HASSTRINGS) != 0;
  int widest = 0;
  char text[512];
  for (int i = 0; i < GetCount(); ++i) {
    const char* line = nullptr;
    if (strings) line = LineText(i, line_.data(), line_.size()) ? line_.data() : "";
    ColumnText(i, GetItemData(i), line, column, text, sizeof text);
    SIZE s{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &s);
    if (s.cx > widest) widest = s.cx;
  }
  const int result = 2 * AverageCharWidth(dc) + widest;
  SelectObject(dc, old);
  ReleaseDC(GetHandle(), dc);
  return result;
}

void TQVColumnListBox::AutoSizeColumn(int column, int mode) {
  if (column < 0 || column >= header_->GetItemCount()) return;
  const int header = header_->MeasureColumn(column);
  const int content = mode == 0 ? 0 : MeasureColumnContent(column);
  header_->SetColumnWidth(column, AutoColumnWidth(mode, header, content));
}

int TQVColumnListBox::AutoSizeColumns(int mode) {
  for (int i = 0; i < header_->GetItemCount(); ++i) AutoSizeColumn(i, mode);
  return header_->GetItemCount();
}

bool TQVColumnListBox::HeaderNotify(THeaderNotify& notify, LRESULT& result) {
  if (notify.hdr.code != static_cast<UINT>(HDN_DIVIDERDBLCLICK)) return false;
  const int column = notify.item;
  if (column < 0 || column >= header_->GetItemCount()) return false;
  header_->SetColumnWidth(column, DividerToggleWidth(header_->GetColumnWidth(column), header_->MeasureColumn(column),
                                                     MeasureColumnContent(column)));
  result = 0;
  return true;
}

void TQVColumnListBox::SetGridLines(bool on) {
  gridLines_ = on;
  Invalidate();
}

void TQVColumnListBox::SetSelection(int index, bool select) {
  if (GetSel(index) != select) SetSel(index, select);
}

bool TQVColumnListBox::HasSelection() const {
  if (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) return GetSelCount() > 0;
  return GetSelIndex() >= 0;
}

LRESULT TQVColumnListBox::EvHScroll(WPARAM, LPARAM) {
  const LRESULT r = DefaultProcessing();
  header_->SetHorzOffset(GetScrollPos(GetHandle(), SB_HORZ));
  return r;
}

LRESULT TQVColumnListBox::EvSize(WPARAM, LPARAM) {
  const LRESULT r = DefaultProcessing();
  header_->SetHorzOffset(GetScrollPos(GetHandle(), SB_HORZ));
  Invalidate();
  return r;
}
