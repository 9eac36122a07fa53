#include "framework/StatusBar.h"
#include "framework/DC.h"

namespace {

using R = TResponse<TStatusBar>;
constexpr R kResponses[] = {
    R::Message(WM_SIZE, &TStatusBar::EvSize),
};

constexpr int kBorderSize = 1;

}  // namespace

TStatusBar::TStatusBar(TWindow* parent, HFONT font, int id)
    : TWindow(parent), font_(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {
  Attr.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  Attr.id = id;
  gadgets_.push_back({kMessageGadgetId, 0, TAlign::Left, TBorder::Recessed, std::string()});
}

bool TStatusBar::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TWindow::Find(ev); }

void TStatusBar::GetWindowClass(WNDCLASSA& wc) {
  TWindow::GetWindowClass(wc);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
}

void TStatusBar::SetupWindow() {
  TWindow::SetupWindow();
  TRect r = GetWindowRect();
  SetWindowPos(hwnd_, nullptr, 0, 0, r.Width() > 0 ? r.Width() : 100, GetDesiredHeight(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TStatusBar::InsertTextGadget(int id, int widthChars, TAlign align, TBorder border) {
  gadgets_.push_back({id, widthChars, align, border, std::string()});
  Invalidate();
}

TStatusBar::TGadget* TStatusBar::FindGadget(int id) {
  for (TGadget& g : gadgets_) {
    if (g.id == id) return &g;
  }
  return nullptr;
}

const TStatusBar::TGadget* TStatusBar::FindGadget(int id) const {
  return const_cast<TStatusBar*>(this)->FindGadget(id);
}

void TStatusBar::SetGadgetText(int id, const char* text) {
  TGadget* g = FindGadget(id);
  if (!g) return;
  const char* t = text ? text : "";
  if (g->text == t) return;
  g->text = t;
  if (id == kMessageGadgetId && hwnd_) ::SetWindowTextA(hwnd_, t);
  InvalidateGadget(id);
}

const char* TStatusBar::GetGadgetText(int id) const {
  const TGadget* g = FindGadget(id);
  return g ? g->text.c_str() : "";
}

void TStatusBar::SetGadgetBorder(int id, TBorder border) {
  TGadget* g = FindGadget(id);
  if (!g) return;
  g->border = border;
  InvalidateGadget(id);
}

void TStatusBar::SetAllBorders(TBorder border) {
  for (TGadget& g : gadgets_) g.border = border;
  Invalidate();
}

void TStatusBar::SetMessagePaneText(const char* text) { SetGadgetText(kMessageGadgetId, text); }

void TStatusBar::SetMargins(int left, int top, int right, int bottom) {
  margins_[0] = left;
  margins_[1] = top;
  margins_[2] = right;
  margins_[3] = bottom;
  Invalidate();
}

void TStatusBar::SetFont(HFONT font) {
  font_ = font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  Invalidate();
}

TEXTMETRICA TStatusBar::FontMetrics() const {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font_);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm;
}

int TStatusBar::CharWidth() const {
  const int width = FontMetrics().tmAveCharWidth;
  return width > 0 ? width : 6;
}

int TStatusBar::GetDesiredHeight() const {
  return FontMetrics().tmHeight + 2 * kBorderSize + 2 + margins_[1] + margins_[3];
}

TRect TStatusBar::GetInnerRect() const {
  TRect r = GetClientRect();
  r.left += margins_[0];
  r.top += margins_[1];
  r.right -= margins_[2];
  r.bottom -= margins_[3];
  return r;
}

TRect TStatusBar::GetGadgetRect(int id) const {
  const TRect inner = GetInnerRect();
  const int cw = CharWidth();
  int fixed = 0;
  for (size_t i = 1; i < gadgets_.size(); ++i) fixed += gadgets_[i].widthChars * cw + 2 * kBorderSize + kSpacing;
  int x = inner.left;
  for (size_t i = 0; i < gadgets_.size(); ++i) {
    const TGadget& g = gadgets_[i];
    int w = i == 0 ? inner.Width() - fixed : g.widthChars * cw + 2 * kBorderSize;
    if (w < 0) w = 0;
    if (g.id == id) return TRect(x, inner.top, x + w, inner.bottom);
    x += w + kSpacing;
  }
  return TRect();
}

void TStatusBar::InvalidateGadget(int id) const {
  if (!hwnd_) return;
  TRect r = GetGadgetRect(id);
  InvalidateRect(hwnd_, &r, TRUE);
}

LRESULT TStatusBar::EvSize(WPARAM, LPARAM) {
  Invalidate();
  return DefaultProcessing();
}

void TStatusBar::Paint(TDC& dc, bool erase, const TRect& rect) {
  HGDIOBJ oldFont = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  for (const TGadget& g : gadgets_) {
    TRect r = GetGadgetRect(g.id);
    if (r.IsEmpty()) continue;
    if (g.border == TBorder::Recessed) {
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    } else if (g.border == TBorder::Plain) {
      FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    }
    TRect text(r.left + kBorderSize + 1, r.top + kBorderSize, r.right - kBorderSize - 1, r.bottom - kBorderSize);
    UINT align = g.align == TAlign::Center ? DT_CENTER : (g.align == TAlign::Right ? DT_RIGHT : DT_LEFT);
    DrawTextA(dc, g.text.c_str(), -1, &text, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  SelectObject(dc, oldFont);
}
