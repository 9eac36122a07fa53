#include "framework/ColumnHeader.h"

#include <windowsx.h>

#include "framework/ColumnListBox.h"
#include "framework/DC.h"

namespace {
using R = TResponse<TQVColumnHeader>;
constexpr R kResponses[] = {
    R::Message(WM_GETFONT, &TQVColumnHeader::EvGetFont),
    R::Message(WM_SETFONT, &TQVColumnHeader::EvSetFont),
    R::Message(WM_LBUTTONDOWN, &TQVColumnHeader::EvLButtonDown),
    R::Message(WM_MOUSEMOVE, &TQVColumnHeader::EvMouseMove),
    R::Message(WM_LBUTTONUP, &TQVColumnHeader::EvLButtonUp),
    R::Message(WM_LBUTTONDBLCLK, &TQVColumnHeader::EvLButtonDblClk),
    R::Message(WM_SETCURSOR, &TQVColumnHeader::EvSetCursor),
    R::Message(WM_SETFOCUS, &TQVColumnHeader::EvSetFocus),
    R::Message(TQVColumnHeader::kLayoutMessage, &TQVColumnHeader::EvLayout),
    R::Message(WM_CAPTURECHANGED, &TQVColumnHeader::EvCaptureChanged),
};
constexpr int kCursorDivider = 1011;
constexpr int kCursorDivOpen = 1012;

int AverageCharWidth(HWND w, HFONT font) {
  HDC dc = GetDC(w);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(w, dc);
  return tm.tmAveCharWidth;
}
}  // namespace

TQVHdrItem::TQVHdrItem(const char* text, HBITMAP bitmap, int width) : cxy(width) {
  if (text) SetText(text);
  if (bitmap) SetBitmap(bitmap);
}

void TQVHdrItem::SetText(const char* text) {
  text_ = text ? text : "";
  mask |= HDI_TEXT | HDI_FORMAT;
  fmt |= HDF_STRING;
  cchTextMax = static_cast<int>(text_.size());
}

void TQVHdrItem::SetBitmap(HBITMAP bitmap) {
  hbm = bitmap;
  mask |= HDI_BITMAP | HDI_FORMAT;
  fmt |= HDF_BITMAP;
}

TQVColumnHeader::TQVColumnHeader(TWindow* parent, int id, int x, int y, int w, int h, HINSTANCE module)
    : TControl(parent, id, nullptr, x, y, w, h, module) {
  Attr.style &= ~(WS_GROUP | WS_TABSTOP);
  items_.reserve(5);
}

TQVColumnHeader::TQVColumnHeader(TWindow* parent, int resourceId, HINSTANCE module)
    : TControl(parent, resourceId, module) {
  items_.reserve(5);
}

TQVColumnHeader::~TQVColumnHeader() {
  if (ownFont_ && font_) DeleteObject(font_);
}

void TQVColumnHeader::GetWindowClass(WNDCLASSA& wc) {
  TControl::GetWindowClass(wc);
  wc.style |= CS_HREDRAW | CS_VREDRAW;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
}

bool TQVColumnHeader::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TControl::Find(ev); }

void TQVColumnHeader::SetupWindow() {
  TControl::SetupWindow();
  if (!font_) {
    const DWORD v = GetVersion();
    const bool win9x = (v & 0x80000000u) && LOBYTE(LOWORD(v)) >= 4;
    LOGFONTA lf{};
    GetObjectA(GetStockObject(win9x ? DEFAULT_GUI_FONT : SYSTEM_FONT), sizeof lf, &lf);
    font_ = CreateFontIndirectA(&lf);
    ownFont_ = true;
  }
  PostMessage(kLayoutMessage);
}

int TQVColumnHeader::AddItem(TQVHdrItem* item) { return InsertItem(item, GetItemCount()); }

int TQVColumnHeader::InsertItem(TQVHdrItem* item, int index) {
  if (!item || index < 0) {
    delete item;
    return -1;
  }
  if (index > GetItemCount()) index = GetItemCount();
  items_.insert(items_.begin() + index, std::unique_ptr<TQVHdrItem>(item));
  Invalidate();
  return index;
}

bool TQVColumnHeader::DeleteItem(int index) {
  if (index < 0 || index >= GetItemCount()) return false;
  items_.erase(items_.begin() + index);
  Invalidate();
  return true;
}

TQVHdrItem* TQVColumnHeader::GetItem(int index) const {
  return index >= 0 && index < GetItemCount() ? items_[index].get() : nullptr;
}

const char* TQVColumnHeader::GetItemText(int index) const {
  const TQVHdrItem* item = GetItem(index);
  return item ? item->GetText() : "";
}

int TQVColumnHeader::GetColumnWidth(int index) const {
  const TQVHdrItem* item = GetItem(index);
  return item ? item->cxy : 0;
}

int TQVColumnHeader::GetTotalWidth() const {
  int sum = 0;
  for (const auto& item : items_) sum += item->cxy;
  return sum;
}

std::vector<int> TQVColumnHeader::Widths() const {
  std::vector<int> w;
  for (const auto& item : items_) w.push_back(item->cxy);
  return w;
}

void TQVColumnHeader::SetColumnWidth(int index, int width) {
  TQVHdrItem* item = GetItem(index);
  if (!item) return;
  item->cxy = width < 0 ? 0 : width;
  Invalidate();
  if (!buddy_ || !buddy_->GetHandle()) return;
  buddy_->SendMessage(LB_SETHORIZONTALEXTENT, GetTotalWidth());
  SetHorzOffset(GetScrollPos(buddy_->GetHandle(), SB_HORZ));
  buddy_->Invalidate();
}

int TQVColumnHeader::MeasureColumn(int index) const {
  const TQVHdrItem* item = GetItem(index);
  if (!item || !GetHandle()) return 0;
  const int avg = AverageCharWidth(GetHandle(), font_);
  int w = 3 * avg;
  if ((item->fmt & HDF_BITMAP) && item->hbm) {
    BITMAP bm{};
    GetObjectA(item->hbm, sizeof bm, &bm);
    w += bm.bmWidth;
  }
  if (item->fmt & HDF_STRING) {
    HDC dc = GetDC(GetHandle());
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE s{};
    GetTextExtentPoint32A(dc, item->GetText(), static_cast<int>(strlen(item->GetText())), &s);
    SelectObject(dc, old);
    ReleaseDC(GetHandle(), dc);
    w += s.cx;
    if ((item->fmt & HDF_BITMAP) && item->hbm) w += avg;
  }
  return w;
}

int TQVColumnHeader::GetHeaderHeight() const {
  HDC dc = GetDC(GetHandle());
  HGDIOBJ old = SelectObject(dc, font_);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(GetHandle(), dc);
  return tm.tmHeight + tm.tmExternalLeading + 4 * GetSystemMetrics(SM_CYBORDER);
}

void TQVColumnHeader::SetHorzOffset(int x) {
  if (x == offset_) return;
  const int old = offset_;
  offset_ = x;
  if (!GetHandle()) return;
  ScrollWindow(GetHandle(), old - x, 0, nullptr, nullptr);
  UpdateWindow();
}

void TQVColumnHeader::SetHeaderFont(HFONT font) {
  if (ownFont_ && font_) DeleteObject(font_);
  ownFont_ = false;
  font_ = font;
  Invalidate();
}

THeaderHit TQVColumnHeader::HitTest(const POINT& p) const {
  const TRect c = GetClientRect();
  return HeaderHitTest(Widths(), offset_, GetSystemMetrics(SM_CXDOUBLECLK),
                       {static_cast<int>(c.left), static_cast<int>(c.top), static_cast<int>(c.right), static_cast<int>(c.bottom)},
                       {static_cast<int>(p.x), static_cast<int>(p.y)});
}

void TQVColumnHeader::LayoutWithBuddy() {
  if (!buddy_ || !buddy_->GetHandle() || !GetHandle()) return;
  HWND parent = ::GetParent(GetHandle());
  if (HasOption(0)) {
    RECT b = buddy_->GetWindowRect();
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&b), 2);
    const int h = GetHeaderHeight();
    ::MoveWindow(GetHandle(), b.left, b.top, b.right - b.left, h, TRUE);
    ::MoveWindow(buddy_->GetHandle(), b.left, b.top + h + 1, b.right - b.left, b.bottom - (b.top + h + 1), TRUE);
  }
  buddy_->SendMessage(LB_SETHORIZONTALEXTENT, GetTotalWidth());
}

LRESULT TQVColumnHeader::EvLayout(WPARAM, LPARAM) {
  LayoutWithBuddy();
  return 0;
}

LRESULT TQVColumnHeader::EvGetFont(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(font_); }

LRESULT TQVColumnHeader::EvSetFont(WPARAM wParam, LPARAM lParam) {
  SetHeaderFont(reinterpret_cast<HFONT>(wParam));
  if (lParam) Invalidate();
  return 0;
}

LRESULT TQVColumnHeader::Notify(int code, int item) {
  THeaderNotify n{};
  n.hdr.hwndFrom = GetHandle();
  n.hdr.idFrom = static_cast<UINT_PTR>(GetId());
  n.hdr.code = static_cast<UINT>(code);
  n.item = item;
  n.button = (GetKeyState(VK_RBUTTON) < 0 ? 1 : 0) | (GetKeyState(VK_MBUTTON) < 0 ? 2 : 0);
  n.pitem = GetItem(item);
  LRESULT result = 0;
  if (buddy_ && buddy_->HeaderNotify(n, result)) return result;
  return ::SendMessageA(::GetParent(GetHandle()), WM_NOTIFY, static_cast<WPARAM>(GetId()), reinterpret_cast<LPARAM>(&n));
}

void TQVColumnHeader::DrawDragLine(int x) {
  HDC dc = GetDC(GetHandle());
  const int old = SetROP2(dc, R2_XORPEN);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
  const TRect c = GetClientRect();
  MoveToEx(dc, x, 0, nullptr);
  LineTo(dc, x, c.bottom);
  SelectObject(dc, oldPen);
  SetROP2(dc, old);
  ReleaseDC(GetHandle(), dc);
}

LRESULT TQVColumnHeader::EvLButtonDown(WPARAM, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const THeaderHit hit = HitTest(p);
  if (hit.column < 0) return 0;
  if (hit.code == kHitOnHeader) {
    if (!(GetStyle() & HDS_BUTTONS)) return 0;
    drag_ = TDrag::Pressed;
    dragItem_ = hit.column;
    shownPressed_ = hit.column;
    Invalidate(false);
    SetCapture(GetHandle());
    return 0;
  }
  if (hit.code != kHitOnDivider && hit.code != kHitOnDivOpen) return 0;
  if (Notify(HDN_BEGINTRACK, hit.column) != 0) return 0;
  drag_ = TDrag::Divider;
  dragItem_ = hit.column;
  dragStart_ = p;
  startWidth_ = GetColumnWidth(hit.column);
  dragWidth_ = startWidth_;
  dragLeft_ = -offset_;
  for (int i = 0; i < hit.column; ++i) dragLeft_ += GetColumnWidth(i);
  DrawDragLine(dragLeft_ + dragWidth_);
  SetCapture(GetHandle());
  return 0;
}

void TQVColumnHeader::EndDrag(int x) {
  drag_ = TDrag::Idle;
  if (GetCapture() == GetHandle()) ReleaseCapture();
  DrawDragLine(dragLeft_ + dragWidth_);
  dragWidth_ = DraggedColumnWidth(startWidth_, dragStart_.x, x);
  SetColumnWidth(dragItem_, dragWidth_);
  Notify(HDN_ENDTRACK, dragItem_);
}

LRESULT TQVColumnHeader::EvMouseMove(WPARAM, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (drag_ == TDrag::Pressed) {
    const THeaderHit hit = HitTest(p);
    const int shown = hit.code == kHitOnHeader && hit.column == dragItem_ ? dragItem_ : -1;
    if (shown != shownPressed_) {
      shownPressed_ = shown;
      Invalidate(false);
    }
  } else if (drag_ == TDrag::Divider) {
    if (Notify(HDN_TRACK, dragItem_) != 0) {
      EndDrag(p.x);
      return 0;
    }
    DrawDragLine(dragLeft_ + dragWidth_);
    dragWidth_ = DraggedColumnWidth(startWidth_, dragStart_.x, p.x);
    DrawDragLine(dragLeft_ + dragWidth_);
  }
  return 0;
}

LRESULT TQVColumnHeader::EvLButtonUp(WPARAM, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (drag_ == TDrag::Divider) {
    EndDrag(p.x);
  } else if (drag_ == TDrag::Pressed) {
    drag_ = TDrag::Idle;
    if (GetCapture() == GetHandle()) ReleaseCapture();
    const THeaderHit hit = HitTest(p);
    if (hit.code == kHitOnHeader && hit.column == dragItem_) Notify(HDN_ITEMCLICK, dragItem_);
    shownPressed_ = -1;
    Invalidate(false);
  }
  return 0;
}

// Another window took the mouse: a drag ends where it was, a pressed column springs back.
LRESULT TQVColumnHeader::EvCaptureChanged(WPARAM, LPARAM lParam) {
  if (reinterpret_cast<HWND>(lParam) == GetHandle()) return 0;
  if (drag_ == TDrag::Divider) {
    EndDrag(dragStart_.x + (dragWidth_ - startWidth_));
  } else if (drag_ == TDrag::Pressed) {
    drag_ = TDrag::Idle;
    shownPressed_ = -1;
    Invalidate(false);
  }
  return 0;
}

LRESULT TQVColumnHeader::EvLButtonDblClk(WPARAM, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const THeaderHit hit = HitTest(p);
  if (hit.column < 0) return 0;
  if (hit.code == kHitOnHeader && (GetStyle() & HDS_BUTTONS)) Notify(HDN_ITEMDBLCLICK, hit.column);
  if (hit.code == kHitOnDivider || hit.code == kHitOnDivOpen) Notify(HDN_DIVIDERDBLCLICK, hit.column);
  return 0;
}

LRESULT TQVColumnHeader::EvSetCursor(WPARAM, LPARAM lParam) {
  if (LOWORD(lParam) == HTCLIENT) {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(GetHandle(), &p);
    const THeaderHit hit = HitTest(p);
    HCURSOR cursor = nullptr;
    if (hit.code == kHitOnDivOpen) cursor = LoadCursorA(GetModule(), MAKEINTRESOURCEA(kCursorDivOpen));
    if (hit.code == kHitOnDivider) cursor = LoadCursorA(GetModule(), MAKEINTRESOURCEA(kCursorDivider));
    if (!cursor) cursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    SetCursor(cursor);
  }
  return DefaultProcessing();
}

LRESULT TQVColumnHeader::EvSetFocus(WPARAM, LPARAM) {
  if (buddy_ && buddy_->GetHandle()) buddy_->SetFocus();
  return 0;
}

void TQVColumnHeader::Paint(TDC& tdc, bool, const TRect&) {
  HDC dc = tdc.GetHDC();
  const TRect c = GetClientRect();
  const bool buttons = (GetStyle() & HDS_BUTTONS) != 0;
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, font_);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  if (items_.empty()) {
    FillRect(dc, &c, face);
    SelectObject(dc, oldFont);
    return;
  }
  const int avg = AverageCharWidth(GetHandle(), font_);
  int x = -offset_;
  for (int i = 0; i < GetItemCount(); ++i) {
    const TQVHdrItem& item = *items_[i];
    RECT r{x, 0, x + item.cxy, c.bottom};
    x += item.cxy;
    if (item.cxy <= 0) continue;
    RECT inner = r;
    const UINT edge = buttons ? (i == shownPressed_ ? EDGE_SUNKEN : EDGE_RAISED) : BDR_RAISEDINNER;
    DrawEdge(dc, &inner, edge, BF_RECT | BF_ADJUST | (buttons ? 0 : BF_FLAT));
    if (item.fmt & HDF_OWNERDRAW) {
      DRAWITEMSTRUCT d{};
      d.CtlType = ODT_HEADER;
      d.CtlID = static_cast<UINT>(GetId());
      d.itemID = static_cast<UINT>(i);
      d.itemAction = ODA_DRAWENTIRE;
      d.itemState = i == shownPressed_ ? ODS_SELECTED : 0;
      d.hwndItem = GetHandle();
      d.hDC = dc;
      d.rcItem = inner;
      d.itemData = static_cast<ULONG_PTR>(item.lParam);
      ::SendMessageA(::GetParent(GetHandle()), WM_DRAWITEM, static_cast<WPARAM>(GetId()), reinterpret_cast<LPARAM>(&d));
      continue;
    }
    FillRect(dc, &inner, face);
    int bitmapWidth = 0, bitmapHeight = 0;
    if ((item.fmt & HDF_BITMAP) && item.hbm) {
      BITMAP bm{};
      GetObjectA(item.hbm, sizeof bm, &bm);
      bitmapWidth = bm.bmWidth;
      bitmapHeight = bm.bmHeight;
    }
    SIZE text{};
    const bool hasText = (item.fmt & HDF_STRING) != 0;
    if (hasText) GetTextExtentPoint32A(dc, item.GetText(), static_cast<int>(strlen(item.GetText())), &text);
    const int content = bitmapWidth + (bitmapWidth && hasText ? avg : 0) + (hasText ? text.cx : 0);
    const int space = inner.right - inner.left - 2 * avg;
    int left = inner.left + avg;
    switch (item.fmt & 3) {
      case HDF_RIGHT:
        left = inner.right - avg - content;
        break;
      case HDF_CENTER:
        left = inner.left + avg + (space - content) / 2;
        break;
      default:
        break;
    }
    if (bitmapWidth) {
      HDC mem = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(mem, item.hbm);
      BitBlt(dc, left, inner.top + (inner.bottom - inner.top - bitmapHeight) / 2, bitmapWidth, bitmapHeight, mem, 0, 0,
             SRCCOPY);
      SelectObject(mem, old);
      DeleteDC(mem);
      left += bitmapWidth + avg;
    }
    if (hasText) {
      RECT tr{left, inner.top, inner.right, inner.bottom};
      IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
      DrawTextA(dc, item.GetText(), -1, &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
      SelectClipRgn(dc, nullptr);
    }
  }
  // The empty button right of the last column.
  RECT rest{x, 0, c.right + 5, c.bottom};
  if (rest.left < c.right) {
    FillRect(dc, &rest, face);
    DrawEdge(dc, &rest, buttons ? EDGE_RAISED : BDR_RAISEDINNER, BF_RECT | (buttons ? 0 : BF_FLAT));
  }
  SelectObject(dc, oldFont);
}
