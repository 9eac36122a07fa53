#include "framework/PropertyTab.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "foundation/PropertySheetStyle.h"
#include "foundation/SheetRules.h"
#include "framework/Application.h"
#include "framework/DC.h"
#include "framework/PropertyDialog.h"
#include "framework/PropertyPage.h"

namespace {
using R = TResponse<TQVPropertyTab>;
constexpr R kResponses[] = {
    R::Message(WM_LBUTTONDOWN, &TQVPropertyTab::EvLButtonDown),
    R::Message(WM_RBUTTONDOWN, &TQVPropertyTab::EvRButtonDown),
    R::Message(WM_SIZE, &TQVPropertyTab::EvSize),
    R::Message(WM_SETFOCUS, &TQVPropertyTab::EvFocusChange),
    R::Message(WM_KILLFOCUS, &TQVPropertyTab::EvFocusChange),
    R::Message(WM_KEYDOWN, &TQVPropertyTab::EvKeyDown),
    R::Message(WM_GETDLGCODE, &TQVPropertyTab::EvGetDlgCode),
};

// Steps started by keys while another step runs (a page's Activated showing a box, say) are
// ignored.
int stepsRunning = 0;

constexpr int kArrowBand = 8;

// The waiting messages that a page change may run in its middle: repaints and messages sent from
// elsewhere, and the focus moves posted to the sheet. Clicks, keys and commands wait until the
// change is over, so a second Next click cannot start a change inside this one.
void RunWaitingPaints() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    DispatchMessageA(&msg);
  }
}

void RunWaitingFocusMoves(HWND sheet) {
  MSG msg;
  while (PeekMessageA(&msg, sheet, WM_NEXTDLGCTL, WM_NEXTDLGCTL, PM_REMOVE)) DispatchMessageA(&msg);
}

TRect ToRect(const TIntRect& r) { return TRect(r.left, r.top, r.right, r.bottom); }

// The OK pass's view of one page.
class TPageCheck : public TOkPassPage {
public:
  TPageCheck(TQVPropertyPage* page, const TRect& place) : page_(page), place_(place) {}
  bool HasWindow() const override { return page_->GetHandle() != nullptr; }
  bool CreateForCheck() override {
    if (!page_->Create()) return false;
    page_->MoveWindow(place_, false);
    return true;
  }
  void DestroyAfterCheck() override { page_->Destroy(IDCANCEL); }
  bool ControlsValid() override { return page_->CanClose(); }
  bool IsPageValid() override { return page_->IsPageValid(); }
  bool Apply() override { return page_->Apply(); }
  void MakeCurrent() override { page_->MakeCurrent(); }

private:
  TQVPropertyPage* page_;
  TRect place_;
};

}  // namespace

TQVPropertyTab::TQVPropertyTab(TQVPropertyDialog* sheet, uint32_t sheetStyle)
    : TControl(sheet, kId, "", 0, 0, 0, 0), sheet_(sheet), style_(AdjustTabStripStyle(sheetStyle)) {
  Attr.style = kStyle;
}

TQVPropertyTab::~TQVPropertyTab() {
  // The pages are child objects of the strip and go with it; their entries go first so that
  // their destructors find nothing left to remove.
  entries_.clear();
  if (boldFont_) DeleteObject(boldFont_);
  for (HBITMAP b : arrowBitmaps_) {
    if (b) DeleteObject(b);
  }
  if (picture_) DeleteObject(picture_);
}

void TQVPropertyTab::SetTabImages(HINSTANCE module, const char* bitmapName, int imageArg) {
  style_ |= psfTabImages;
  imageModule_ = module;
  imageArg_ = imageArg;
  if (IS_INTRESOURCE(bitmapName)) {
    imageId_ = bitmapName;
  } else {
    imageName_ = bitmapName ? bitmapName : "";
  }
}

void TQVPropertyTab::LoadPicture() {
  if (!(style_ & psfTabImages) || picture_) return;
  HINSTANCE module = imageModule_ ? imageModule_ : GetModuleHandleA(nullptr);
  picture_ = LoadBitmapA(module, imageId_ ? imageId_ : imageName_.c_str());
  if (!picture_) return;
  BITMAP bm{};
  GetObjectA(picture_, sizeof bm, &bm);
  celWidth_ = bm.bmWidth / std::max(1, GetEntryCount());
  celHeight_ = bm.bmHeight;
}

void TQVPropertyTab::GetWindowClass(WNDCLASSA& wc) {
  TControl::GetWindowClass(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.hbrBackground = nullptr;
}

bool TQVPropertyTab::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TControl::Find(ev); }

LRESULT TQVPropertyTab::EvCommand(UINT id, HWND control, UINT notifyCode) {
  // Menu and accelerator commands belong to the sheet.
  if (!control) return sheet_->SendMessage(WM_COMMAND, MAKEWPARAM(id, notifyCode), 0);
  return TControl::EvCommand(id, control, notifyCode);
}

void TQVPropertyTab::MakeFonts() {
  font_ = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
  LOGFONTA lf{};
  GetObjectA(font_, sizeof lf, &lf);
  lf.lfWeight = 700;
  boldFont_ = CreateFontIndirectA(&lf);
  HDC dc = GetDC(GetHandle());
  HGDIOBJ old = SelectObject(dc, boldFont_);
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, "(|&y#", -1, &r, DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(GetHandle(), dc);
  textHeight_ = r.bottom - r.top;
  rowHeight_ = textHeight_ + 8 + ((style_ & psfTwoLineTabs) ? textHeight_ : 2);
}

void TQVPropertyTab::SetupWindow() {
  // The pages are created below as the style says, not all at once by the base set-up.
  if (!boldFont_) MakeFonts();
  LoadPicture();
  RecolorTabs();
  arrowBitmaps_[0] = LoadBitmapA(nullptr, MAKEINTRESOURCEA(32750));  // OBM_LFARROW
  arrowBitmaps_[1] = LoadBitmapA(nullptr, MAKEINTRESOURCEA(32734));  // OBM_LFARROWI
  arrowBitmaps_[2] = LoadBitmapA(nullptr, MAKEINTRESOURCEA(32751));  // OBM_RGARROW
  arrowBitmaps_[3] = LoadBitmapA(nullptr, MAKEINTRESOURCEA(32735));  // OBM_RGARROWI
  if (current_ < 0 || current_ >= GetEntryCount()) current_ = 0;
  if (!Selectable(current_)) {
    for (int i = 0; i < GetEntryCount(); ++i) {
      if (Selectable(i)) {
        current_ = i;
        break;
      }
    }
  }
  lastShown_ = current_;
  Relayout();
  const bool onlyCurrent = (style_ & (psfDestroyOnLeave | psfCreateOnShow)) != 0;
  for (int i = 0; i < GetEntryCount(); ++i) {
    TQVPropertyPage* page = entries_[i].page;
    if (!page || page->GetHandle()) {
      if (page && !(style_ & psfKeepCreatedPages)) page->SetParentObject(this);
      continue;
    }
    page->SetParentObject(this);
    if (!onlyCurrent || i == current_) CreatePage(page);
  }
  if (GetEntryCount() == 0) return;
  sheet_->PageChanged(current_);
  if (TQVPropertyPage* page = entries_[current_].page) page->Activated();
  ShowCurrentPage(false);
}

void TQVPropertyTab::CreatePage(TQVPropertyPage* page) {
  if (page->GetHandle() || !page->Create()) return;
  page->MoveWindow(pageRect_, false);
}

bool TQVPropertyTab::Selectable(int index) const {
  if (index < 0 || index >= GetEntryCount() || !entries_[index].enabled) return false;
  return layout_.IsVisible(index) || !(style_ & psfHideDisabledTabs);
}

TQVPropertyPage* TQVPropertyTab::GetPageAt(int index) const {
  return index >= 0 && index < GetEntryCount() ? entries_[index].page : nullptr;
}

void TQVPropertyTab::AddEntry(const char* caption, TQVPropertyPage* page, bool enabled) {
  TPropertyEntry e;
  e.caption = caption ? caption : "";
  e.page = page;
  e.enabled = enabled;
  entries_.push_back(e);
  if (GetHandle()) {
    Relayout();
    Invalidate();
  }
}

void TQVPropertyTab::RemovePage(TQVPropertyPage* page) {
  for (int i = GetEntryCount() - 1; i >= 0; --i) {
    if (entries_[i].page != page) continue;
    entries_.erase(entries_.begin() + i);
    if (current_ > i || current_ >= GetEntryCount()) current_ = std::max(0, current_ - 1);
  }
  if (GetHandle()) {
    Relayout();
    Invalidate();
  }
}

void TQVPropertyTab::EnableTab(int index, bool enable) {
  if (index < 0 || index >= GetEntryCount()) return;
  entries_[index].enabled = enable;
  if (GetHandle()) {
    Relayout();
    Invalidate();
  }
}

bool TQVPropertyTab::IsTabEnabled(int index) const {
  return index >= 0 && index < GetEntryCount() && entries_[index].enabled;
}

const char* TQVPropertyTab::GetTabCaption(int index) const {
  return index >= 0 && index < GetEntryCount() ? entries_[index].caption.c_str() : "";
}

void TQVPropertyTab::SetTabCaption(int index, const char* text) {
  if (index < 0 || index >= GetEntryCount()) return;
  entries_[index].caption = text ? text : "";
  if (GetHandle()) {
    Relayout();
    Invalidate();
  }
}

void TQVPropertyTab::SetTabWidth(int width) {
  tabWidth_ = width <= 0 ? kDefaultTabWidth : width;
  if (GetHandle()) {
    Relayout();
    Invalidate();
  }
}

void TQVPropertyTab::SetTabPadding(int value) {
  padding_ = value;
  if (GetHandle()) {
    Relayout();
    Invalidate();
  }
}

void TQVPropertyTab::SetSelectedTabColor(COLORREF color) {
  selectedColor_ = color;
  if (GetHandle()) Invalidate();
}

int TQVPropertyTab::GetTabWidth(int index) const { return GetTabRect(index).Width(); }

void TQVPropertyTab::RecolorTabs() {
  TApplication* app = TApplication::Current();
  if (TQVPropertyDialog::IsNewLook() || (app && app->Ctl3dEnabled())) {
    highlight_ = GetSysColor(COLOR_BTNHIGHLIGHT);
    face_ = GetSysColor(COLOR_BTNFACE);
    shadow_ = GetSysColor(COLOR_BTNSHADOW);
    frame_ = GetSysColor(COLOR_WINDOWFRAME);
  } else {
    highlight_ = GetSysColor(COLOR_WINDOWFRAME);
    face_ = GetSysColor(COLOR_WINDOW);
    shadow_ = GetSysColor(COLOR_WINDOWFRAME);
    frame_ = GetSysColor(COLOR_WINDOWFRAME);
  }
  if (GetHandle()) Invalidate();
}

int TQVPropertyTab::MeasureTab(HDC dc, const TPropertyEntry& e) const {
  if (style_ & psfFixedWidthTabs) return TabWidthFromText(0, style_, padding_, celWidth_, tabWidth_);
  RECT r{0, 0, 0, 0};
  const char* text = e.caption.c_str();
  const bool wraps = (style_ & psfTwoLineTabs) && std::strpbrk(text, " \r");
  if (wraps) {
    const int w = TwoLineWrapWidth(tabWidth_, textHeight_, [&](int width) {
      RECT wr{0, 0, width, 0};
      DrawTextA(dc, text, -1, &wr, DT_CALCRECT | DT_WORDBREAK);
      return static_cast<int>(wr.bottom - wr.top);
    });
    RECT wr{0, 0, w, 0};
    DrawTextA(dc, text, -1, &wr, DT_CALCRECT | DT_WORDBREAK);
    r = wr;
  } else {
    DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
  }
  return TabWidthFromText(r.right - r.left, style_, padding_, celWidth_, tabWidth_);
}

void TQVPropertyTab::Relayout() {
  if (!GetHandle()) return;
  if (!boldFont_) MakeFonts();
  std::vector<TTabState> tabs;
  HDC dc = GetDC(GetHandle());
  HGDIOBJ old = SelectObject(dc, boldFont_);
  for (TPropertyEntry& e : entries_) {
    e.width = MeasureTab(dc, e);
    tabs.push_back({e.width, e.enabled});
  }
  SelectObject(dc, old);
  ReleaseDC(GetHandle(), dc);
  const TRect client = GetClientRect();
  const bool multi = (style_ & psfMultiRow) != 0;
  const int arrowBand = 2 * GetSystemMetrics(SM_CXHSCROLL) + kArrowBand;
  arrows_ = false;
  areaRight_ = client.right;
  layout_.Layout(tabs, style_, client.right, rowHeight_, false);
  if (!multi && !(style_ & psfWizard) && (layout_.FirstVisible() > 0 || layout_.OverflowsRight())) {
    arrows_ = true;
    areaRight_ = client.right - arrowBand;
    layout_.Layout(tabs, style_, areaRight_, rowHeight_, true);
  }
  const int rows = layout_.RowCount();
  pageRect_ = TRect(1, rowHeight_ * rows + 1, client.right - 2, client.bottom - 2);
}

TRect TQVPropertyTab::GetTabRect(int index) const { return ToRect(layout_.TabRect(index)); }

TRect TQVPropertyTab::GetArrowRect(int direction) const {
  const int w = GetSystemMetrics(SM_CXHSCROLL);
  const int h = GetSystemMetrics(SM_CYHSCROLL);
  const TRect client = GetClientRect();
  const int bottom = rowHeight_;
  const int left = direction < 0 ? client.right - 2 * w : client.right - w;
  return TRect(left, bottom - h, left + w, bottom);
}

void TQVPropertyTab::PlacePages() {
  for (const TPropertyEntry& e : entries_) {
    if (e.page && e.page->GetHandle()) e.page->MoveWindow(pageRect_, true);
  }
}

LRESULT TQVPropertyTab::EvSize(WPARAM, LPARAM) {
  Relayout();
  if (arrows_ || layout_.FirstVisible() > 0) layout_.MakeVisible(current_);
  PlacePages();
  Invalidate();
  return 0;
}

void TQVPropertyTab::ShowCurrentPage(bool focus) {
  TQVPropertyPage* page = GetPageAt(current_);
  if (!page) return;
  if ((style_ & (psfDestroyOnLeave | psfCreateOnShow)) && !page->GetHandle()) CreatePage(page);
  if (!page->GetHandle()) return;
  if (focus) {
    RunWaitingPaints();
    if (!page->GetHandle()) return;
    HWND target = GetHandle();
    if (style_ & psfFocusPage) {
      HWND first = TQVPropertyPage::FirstTabStop(page->GetHandle());
      if (first) target = first;
    }
    if (::GetFocus() != GetHandle()) {
      sheet_->PostMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
      RunWaitingFocusMoves(sheet_->GetHandle());
    }
    RunWaitingPaints();
    if (!page->GetHandle()) return;
  }
  page->ShowWindow(SW_SHOW);
}

bool TQVPropertyTab::SelectTab(int index) {
  if (!IsSetUp()) {
    current_ = index;
    return true;
  }
  if (index < 0 || index >= GetEntryCount() || !entries_[index].enabled) return false;
  TQVPropertyPage* old = GetPageAt(current_);
  if (index == current_) {
    ShowCurrentPage(true);
    if (old) old->UpdateWindow();
    return true;
  }
  if (!sheet_->CanChangePage(index) || (old && !old->CanLeave())) {
    if (old) old->LeaveRefused();
    return false;
  }
  const int oldFirst = layout_.FirstVisible();
  layout_.MakeVisible(index);
  TQVPropertyPage* next = entries_[index].page;
  if (next != old && old && old->GetHandle()) {
    SendMessage(WM_SETREDRAW, FALSE);
    if (style_ & psfDestroyOnLeave) {
      old->Apply();
      old->Destroy(IDCANCEL);
    } else {
      if (style_ & psfApplyOnLeave) old->Apply();
      old->ShowWindow(SW_HIDE);
    }
    SendMessage(WM_SETREDRAW, TRUE);
  }
  layout_.BringRowToPages(index);
  current_ = index;
  lastShown_ = index;
  if (layout_.FirstVisible() != oldFirst) Relayout();
  Invalidate();
  ShowCurrentPage(true);
  sheet_->PageChanged(index);
  if (next) {
    next->Activated();
    next->UpdateWindow();
  }
  return true;
}

bool TQVPropertyTab::StepTab(int direction) {
  if (stepsRunning > 0) return false;
  ++stepsRunning;
  bool done = false;
  int from = current_;
  // A refused selection ends the walk; so does coming back to the start.
  const int next = NextSelectableTab(from, GetEntryCount(), direction, [&](int i) { return Selectable(i); });
  if (next >= 0) done = SelectTab(next);
  if (done) UpdateWindow();
  --stepsRunning;
  return done;
}

// The pages in order, each once even when several tabs name it.
static std::vector<TPageCheck> PageChecks(const std::vector<TPropertyEntry>& entries, const TRect& place) {
  std::vector<TPageCheck> checks;
  std::vector<TQVPropertyPage*> seen;
  for (const TPropertyEntry& e : entries) {
    if (!e.page || std::find(seen.begin(), seen.end(), e.page) != seen.end()) continue;
    seen.push_back(e.page);
    checks.emplace_back(e.page, place);
  }
  return checks;
}

static std::vector<TOkPassPage*> Pointers(std::vector<TPageCheck>& checks) {
  std::vector<TOkPassPage*> pages;
  for (TPageCheck& c : checks) pages.push_back(&c);
  return pages;
}

bool TQVPropertyTab::ValidateAllPages() {
  std::vector<TPageCheck> checks = PageChecks(entries_, pageRect_);
  return ValidateSheetPages(Pointers(checks), sheet_->GetStyleWord());
}

bool TQVPropertyTab::ApplyAllPages() {
  std::vector<TPageCheck> checks = PageChecks(entries_, pageRect_);
  return ApplySheetPages(Pointers(checks));
}

void TQVPropertyTab::DestroyPageWindows() {
  for (const TPropertyEntry& e : entries_) {
    if (e.page && e.page->GetHandle()) e.page->Destroy(IDCANCEL);
  }
}

void TQVPropertyTab::ScrollTabs(int direction) {
  if (layout_.Scroll(direction)) {
    Relayout();
    Invalidate();
  }
}

LRESULT TQVPropertyTab::EvLButtonDown(WPARAM, LPARAM lParam) {
  const TPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  if (arrows_) {
    const TRect left = GetArrowRect(-1), right = GetArrowRect(+1);
    if (left.Contains(p)) {
      if (layout_.FirstVisible() > 0) ScrollTabs(-1);
      return 0;
    }
    if (right.Contains(p)) {
      if (layout_.OverflowsRight()) ScrollTabs(+1);
      return 0;
    }
    if (p.x >= areaRight_ && p.y < rowHeight_) return 0;
  }
  const int hit = layout_.HitTest({static_cast<int>(p.x), static_cast<int>(p.y)});
  if (hit < 0) return 0;
  if (hit != current_) {
    SelectTab(hit);
  } else {
    sheet_->PostMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetHandle()), TRUE);
  }
  return 0;
}

LRESULT TQVPropertyTab::EvRButtonDown(WPARAM wParam, LPARAM lParam) {
  const TPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  for (int i = 0; i < GetEntryCount(); ++i) {
    if (GetTabRect(i).Contains(p) && entries_[i].page) {
      entries_[i].page->TabRightClicked(static_cast<UINT>(wParam), p);
      break;
    }
  }
  return 0;
}

LRESULT TQVPropertyTab::EvFocusChange(WPARAM, LPARAM) {
  const TRect r = GetTabRect(current_);
  InvalidateRect(GetHandle(), &r, FALSE);
  return 0;
}

LRESULT TQVPropertyTab::EvKeyDown(WPARAM wParam, LPARAM) {
  if (GetKeyState(VK_CONTROL) < 0) return DefaultProcessing();
  switch (wParam) {
    case VK_PRIOR:
    case VK_LEFT:
    case VK_UP:
      StepTab(-1);
      return 0;
    case VK_NEXT:
    case VK_RIGHT:
    case VK_DOWN:
      StepTab(+1);
      return 0;
    default:
      return DefaultProcessing();
  }
}

LRESULT TQVPropertyTab::EvGetDlgCode(WPARAM, LPARAM) { return DefaultProcessing() | DLGC_WANTARROWS; }

// Painting.

void TQVPropertyTab::DrawTab(HDC dc, int index, const TRect& r, bool current) const {
  auto fill = [&](const RECT& rc, COLORREF c) {
    SetBkColor(dc, c);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
  };
  const COLORREF inside = current && (style_ & psfColorSelectedTab) ? selectedColor_ : face_;
  const int bottom = current ? r.bottom + 1 : r.bottom;
  fill(TRect(r.left, r.top + 2, r.right, bottom), inside);
  fill(TRect(r.left + 2, r.top, r.right - 2, r.top + 2), inside);
  // Bevelled corners: the corner pixels keep the face colour so the tab joins the frame.
  fill(TRect(r.left, r.top, r.left + 2, r.top + 2), face_);
  fill(TRect(r.right - 2, r.top, r.right, r.top + 2), face_);
  fill(TRect(r.left, r.top + 2, r.left + 1, bottom), highlight_);
  fill(TRect(r.left + 1, r.top + 1, r.left + 2, r.top + 2), highlight_);
  fill(TRect(r.left + 2, r.top, r.right - 2, r.top + 1), highlight_);
  fill(TRect(r.right - 2, r.top + 1, r.right - 1, r.top + 2), shadow_);
  fill(TRect(r.right - 2, r.top + 2, r.right - 1, bottom), shadow_);
  fill(TRect(r.right - 1, r.top + 2, r.right, bottom), frame_);
  if (!current) fill(TRect(r.left, r.bottom - 1, r.right, r.bottom), highlight_);
  // A tab cut off by the arrow band ends in a jagged line.
  if (arrows_ && r.right > areaRight_) {
    const int x = areaRight_ - 1;
    const int h = r.Height();
    POINT pts[4] = {{x, r.top}, {x - 3, r.top + h / 3}, {x, r.top + 2 * h / 3}, {x - 3, r.bottom}};
    HPEN pen = CreatePen(PS_SOLID, 1, shadow_);
    HGDIOBJ old = SelectObject(dc, pen);
    Polyline(dc, pts, 4);
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, entries_[index].enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
  HGDIOBJ oldFont = SelectObject(dc, current ? boldFont_ : font_);
  DrawCel(dc, index, r);
  // The caption is centred in what the picture leaves of the tab.
  const int pictureRoom = picture_ ? celWidth_ + 6 : 0;
  TRect text(r.left + 3 + pictureRoom, r.top + 3, std::min<int>(r.right - 3, arrows_ ? areaRight_ : r.right - 3), r.bottom - 2);
  const char* caption = entries_[index].caption.c_str();
  RECT need{0, 0, text.Width(), 0};
  DrawTextA(dc, caption, -1, &need, DT_CALCRECT | DT_WORDBREAK);
  if (need.bottom - need.top > textHeight_ + 4) {
    TRect wrapped = text;
    wrapped.top += (text.Height() - (need.bottom - need.top)) / 2;
    DrawTextA(dc, caption, -1, &wrapped, DT_CENTER | DT_WORDBREAK);
  } else {
    DrawTextA(dc, caption, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  if (current && ::GetFocus() == GetHandle()) {
    RECT focus{0, 0, 0, 0};
    DrawTextA(dc, caption, -1, &focus, DT_CALCRECT | DT_SINGLELINE);
    const int w = std::min<int>(focus.right, text.Width());
    const int h = focus.bottom;
    RECT fr{text.left + (text.Width() - w) / 2 - 2, text.top + (text.Height() - h) / 2 - 1, 0, 0};
    fr.right = fr.left + w + 4;
    fr.bottom = fr.top + h + 2;
    DrawFocusRect(dc, &fr);
  }
  SelectObject(dc, oldFont);
}

void TQVPropertyTab::DrawCel(HDC dc, int index, const TRect& tab) const {
  if (!picture_ || celWidth_ <= 0) return;
  const int h = celHeight_ / 2;
  const int x = tab.left + 6;
  const int y = tab.top + (tab.Height() - h) / 2;
  const int cel = index * celWidth_;
  HDC pictureDC = CreateCompatibleDC(dc);
  HGDIOBJ oldPicture = SelectObject(pictureDC, picture_);
  // Background, AND the mask, OR the image, back again: the tab shows where the mask is white.
  HDC work = CreateCompatibleDC(dc);
  HBITMAP workBitmap = CreateCompatibleBitmap(dc, celWidth_, h);
  HGDIOBJ oldWork = SelectObject(work, workBitmap);
  BitBlt(work, 0, 0, celWidth_, h, dc, x, y, SRCCOPY);
  BitBlt(work, 0, 0, celWidth_, h, pictureDC, cel, h, SRCAND);
  BitBlt(work, 0, 0, celWidth_, h, pictureDC, cel, 0, SRCPAINT);
  BitBlt(dc, x, y, celWidth_, h, work, 0, 0, SRCCOPY);
  SelectObject(work, oldWork);
  DeleteObject(workBitmap);
  DeleteDC(work);
  SelectObject(pictureDC, oldPicture);
  DeleteDC(pictureDC);
}

void TQVPropertyTab::DrawArrows(HDC dc) const {
  if (!arrows_) return;
  const bool leftActive = layout_.FirstVisible() > 0;
  const bool rightActive = layout_.OverflowsRight();
  const HBITMAP pictures[2] = {arrowBitmaps_[leftActive ? 0 : 1], arrowBitmaps_[rightActive ? 2 : 3]};
  HDC mem = CreateCompatibleDC(dc);
  for (int k = 0; k < 2; ++k) {
    const TRect r = GetArrowRect(k == 0 ? -1 : +1);
    if (!pictures[k]) continue;
    BITMAP bm{};
    GetObjectA(pictures[k], sizeof bm, &bm);
    HGDIOBJ old = SelectObject(mem, pictures[k]);
    StretchBlt(dc, r.left, r.top, r.Width(), r.Height(), mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    SelectObject(mem, old);
  }
  DeleteDC(mem);
}

void TQVPropertyTab::Paint(TDC& tdc, bool, const TRect&) {
  HDC dc = tdc.GetHDC();
  const TRect client = GetClientRect();
  auto fill = [&](const RECT& rc, COLORREF c) {
    SetBkColor(dc, c);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
  };
  if (style_ & psfWizard) {
    // Only the etched edge the sheet places just above its buttons.
    fill(TRect(0, client.bottom - 2, client.right, client.bottom), face_);
    fill(TRect(0, client.bottom - 2, client.right, client.bottom - 1), shadow_);
    fill(TRect(0, client.bottom - 1, client.right, client.bottom), highlight_);
    return;
  }
  const int tabsBottom = rowHeight_ * layout_.RowCount();
  // The band of the tabs in the dialog's face colour, then the page frame.
  fill(TRect(0, 0, client.right, tabsBottom), face_);
  fill(TRect(0, tabsBottom, client.right, client.bottom), face_);
  fill(TRect(0, tabsBottom, 1, client.bottom), highlight_);
  fill(TRect(0, tabsBottom, client.right, tabsBottom + 1), highlight_);
  fill(TRect(client.right - 2, tabsBottom, client.right - 1, client.bottom - 1), shadow_);
  fill(TRect(1, client.bottom - 2, client.right - 1, client.bottom - 1), shadow_);
  fill(TRect(client.right - 1, tabsBottom, client.right, client.bottom), frame_);
  fill(TRect(0, client.bottom - 1, client.right, client.bottom), frame_);
  // Rows from the one next to the pages upwards; the current tab last so it stands in front.
  const int clipRight = arrows_ ? areaRight_ : client.right;
  HRGN clip = CreateRectRgn(0, 0, clipRight, client.bottom);
  SelectClipRgn(dc, clip);
  for (int i = 0; i < GetEntryCount(); ++i) {
    const TRect r = GetTabRect(i);
    if (r.IsEmpty() || r.left >= clipRight || i == current_) continue;
    DrawTab(dc, i, r, false);
  }
  const TRect cur = GetTabRect(current_);
  if (!cur.IsEmpty() && cur.left < clipRight) DrawTab(dc, current_, cur, true);
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
  DrawArrows(dc);
}
