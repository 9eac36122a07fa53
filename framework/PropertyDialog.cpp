#include "framework/PropertyDialog.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "foundation/Mnemonic.h"
#include "foundation/win32/WindowPlacement.h"
#include "foundation/win32/WindowStyle.h"
#include "framework/Application.h"
#include "framework/PropertyPage.h"
#include "framework/PropertyTab.h"
#include "framework/SheetKeyboardHook.h"

namespace {

using R = TResponse<TQVPropertyDialog>;
constexpr R kResponses[] = {
    R::Message(WM_SIZE, &TQVPropertyDialog::EvSize),
    R::Message(WM_SYSCOMMAND, &TQVPropertyDialog::EvSysCommand),
    R::Message(WM_CTLCOLORBTN, &TQVPropertyDialog::EvCtlColor),
    R::Message(WM_CTLCOLORDLG, &TQVPropertyDialog::EvCtlColor),
    R::Message(WM_CTLCOLORSCROLLBAR, &TQVPropertyDialog::EvCtlColor),
    R::Message(WM_CTLCOLORSTATIC, &TQVPropertyDialog::EvCtlColor),
    R::Message(WM_HELP, &TQVPropertyDialog::EvHelp),
};

// The strips of the open sheets (not owned) and the brush they share.
std::vector<TQVPropertyTab*> openStrips;
HBRUSH faceBrush = nullptr;


// The first enabled child of the dialog whose text carries the mnemonic; a label hands the focus
// to the next tab stop after it.
bool FocusMnemonicChild(HWND dialog, char key) {
  for (HWND w = GetWindow(dialog, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (!IsWindowEnabled(w) || !IsWindowVisible(w)) continue;
    if (SendMessageA(w, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) continue;  // an edit's text is no label
    char text[256] = {};
    GetWindowTextA(w, text, sizeof text);
    if (MnemonicOf(text) != key) continue;
    HWND target = w;
    if (!(GetWindowLongA(w, GWL_STYLE) & WS_TABSTOP)) target = GetNextDlgTabItem(dialog, w, FALSE);
    if (target) PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    return true;
  }
  return false;
}

}  // namespace

char PressedMnemonicKey(char fallback) {
  BYTE state[256];
  if (GetKeyboardState(state)) {
    for (int vk = 1; vk < 256; ++vk) {
      if (!(state[vk] & 0x80) || vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU) continue;
      WORD out = 0;
      BYTE plain[256] = {};
      if (ToAscii(static_cast<UINT>(vk), MapVirtualKeyA(static_cast<UINT>(vk), 0), plain, &out, 0) == 1) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(out & 0xFF)));
      }
    }
  }
  return static_cast<char>(std::toupper(static_cast<unsigned char>(fallback)));
}

TQVPropertyDialog::TQVPropertyDialog(TWindow* parent, int resourceId, uint32_t style, HINSTANCE module)
    : TDialog(parent, resourceId, module), strip_(new TQVPropertyTab(this, style)), style_(style) {}

TQVPropertyDialog::TQVPropertyDialog(TWindow* parent, int resourceId, uint32_t style, const char* imageName,
                                     int imageArg, HINSTANCE module)
    : TQVPropertyDialog(parent, resourceId, style | psfTabImages, module) {
  strip_->SetTabImages(module, imageName, imageArg);
}

TQVPropertyDialog::~TQVPropertyDialog() {
  Unregister();
  delete strip_;
}

bool TQVPropertyDialog::IsNewLook() {
  const DWORD v = GetVersion();
  const int major = LOBYTE(LOWORD(v)), minor = HIBYTE(LOWORD(v));
  return major > 3 || (major == 3 && minor >= 95);
}

int TQVPropertyDialog::OpenSheetCount() { return static_cast<int>(openStrips.size()); }
bool TQVPropertyDialog::IsHookInstalled() { return SheetHookInstalled(); }
HBRUSH TQVPropertyDialog::SharedFaceBrush() { return faceBrush; }

void TQVPropertyDialog::PropertySheetsColorChange(TApplication* app) {
  for (TQVPropertyTab* s : openStrips) s->RecolorTabs();
  if (!app || !app->Ctl3dEnabled()) return;
  // Under the 3D-controls library the pages paint with the shared brush, which must follow the
  // new face colour, and the library keeps brushes of its own.
  if (faceBrush) {
    DeleteObject(faceBrush);
    faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  }
  using TColorChange = BOOL(WINAPI*)();
  auto colorChange =
      reinterpret_cast<TColorChange>(reinterpret_cast<void*>(GetProcAddress(app->GetCtl3dLibrary(), "Ctl3dColorChange")));
  if (colorChange) colorChange();
}

bool TQVPropertyDialog::EvInitDialog(HWND) { return strip_ == nullptr; }

void TQVPropertyDialog::AddPage(const char* caption, TQVPropertyPage* page, bool enabled) {
  if (!strip_ || !page) return;
  page->SetSheet(this, strip_->GetEntryCount());
  strip_->AddEntry(caption, page, enabled);
}

int TQVPropertyDialog::GetPageCount() const { return strip_ ? strip_->GetEntryCount() : 0; }

TQVPropertyPage* TQVPropertyDialog::GetPageAt(int index) const { return strip_ ? strip_->GetPageAt(index) : nullptr; }

TQVPropertyPage* TQVPropertyDialog::GetPage(int index) const {
  return GetPageAt(index < 0 ? GetCurrentIndex() : index);
}

int TQVPropertyDialog::GetCurrentIndex() const { return strip_ ? strip_->GetCurrentIndex() : -1; }

void TQVPropertyDialog::SetupWindow() {
  // A sheet without pages is a plain dialog: no strip, no hook.
  if (strip_ && strip_->GetEntryCount() == 0) {
    delete strip_;
    strip_ = nullptr;
  }
  TDialog::SetupWindow();
  if (style_ & psfAnsiVarFont) {
    for (HWND w = GetWindow(GetHandle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (strip_ && w == strip_->GetHandle()) {
        // The pages inside the strip get the font too, but not the strip itself.
        for (HWND p = GetWindow(w, GW_CHILD); p; p = GetWindow(p, GW_HWNDNEXT)) {
          SetAnsiVarFontRecursive(p);
        }
        continue;
      }
      ::SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), FALSE);
      SetAnsiVarFontRecursive(w);
    }
  }
  if (strip_) {
    if (openStrips.empty()) {
      faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
      InstallSheetHook();
    }
    openStrips.push_back(strip_);
    PlaceTabStrip();
    SetWindowPos(strip_->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (style_ & psfFocusPage) strip_->ShowCurrentPage(true);
  }
  if (style_ & psfCenter) CenterWindowOnScreen(GetHandle(), true);
}

TRect TQVPropertyDialog::GetTabArea(const TRect& area) {
  TRect r = area;
  HWND ok = GetDlgItem(IDOK);
  if (!ok) return r;
  RECT b;
  ::GetWindowRect(ok, &b);
  MapWindowPoints(nullptr, GetHandle(), reinterpret_cast<POINT*>(&b), 2);
  if (style_ & psfButtonsAtRight) {
    r.right = b.left - 8;
  } else {
    r.bottom = b.top - 6;
  }
  return r;
}

void TQVPropertyDialog::PlaceTabStrip() {
  if (!strip_ || !strip_->GetHandle()) return;
  TRect r = GetClientRect();
  if (style_ & psfWizard) {
    r.left -= 2;
    r.right += 2;
    r.bottom += 2;
    r.top -= strip_->GetRowHeight();
  } else {
    r = TRect(r.left + 8, r.top + 8, r.right - 8, r.bottom - 8);
  }
  r = GetTabArea(r);
  strip_->MoveWindow(r, true);
  strip_->Invalidate();
}

LRESULT TQVPropertyDialog::EvSize(WPARAM, LPARAM) {
  const LRESULT r = DefaultProcessing();
  if (style_ & psfResizeWithDialog) PlaceTabStrip();
  return r;
}

void TQVPropertyDialog::Unregister() {
  if (!strip_) return;
  auto it = std::find(openStrips.begin(), openStrips.end(), strip_);
  if (it == openStrips.end()) return;
  openStrips.erase(it);
  if (openStrips.empty()) {
    RemoveSheetHook();
    if (faceBrush) DeleteObject(faceBrush);
    faceBrush = nullptr;
  }
}

void TQVPropertyDialog::CleanupWindow() {
  if (strip_) strip_->DestroyPageWindows();
  Unregister();
  TDialog::CleanupWindow();
}

int TQVPropertyDialog::Execute() {
  TWindow* parent = GetParentObject();
  HWND owner = parent ? parent->GetHandle() : nullptr;
  ::SetFocus(nullptr);
  ownerDisabled_ = owner && ::IsWindowEnabled(owner);
  if (ownerDisabled_) ::EnableWindow(owner, FALSE);
  if (!Create()) {
    if (ownerDisabled_) ::EnableWindow(owner, TRUE);
    ownerDisabled_ = false;
    return IDCANCEL;
  }
  modal_ = true;
  ShowWindow(SW_SHOW);
  const int result = TApplication::Current()->BeginModal(this);
  if (ownerDisabled_ && owner) ::EnableWindow(owner, TRUE);
  ownerDisabled_ = false;
  modal_ = false;
  if (hwnd_) DestroyWindow(hwnd_);
  return result;
}

void TQVPropertyDialog::Destroy(int retVal) {
  if (modal_) {
    modal_ = false;
    TApplication::Current()->EndModal(retVal);
    // Give the owner its input back before the sheet goes, so that activation returns to it.
    TWindow* parent = GetParentObject();
    if (ownerDisabled_ && parent && parent->GetHandle()) ::EnableWindow(parent->GetHandle(), TRUE);
    ownerDisabled_ = false;
  }
  if (strip_) strip_->DestroyPageWindows();
  Unregister();
  TWindow::Destroy(retVal);
}

bool TQVPropertyDialog::Find(TEvent& ev) {
  if (ev.msg == WM_COMMAND_ENABLE) {
    TQVPropertyPage* page = GetCurrentPage();
    if (page && page->GetHandle() && page->Find(ev)) return true;
  }
  return ev.Dispatch(this, kResponses) || TDialog::Find(ev);
}

LRESULT TQVPropertyDialog::EvCommand(UINT id, HWND control, UINT notifyCode) {
  // Menu and accelerator commands reach the current page first.
  if (!control && id > 2) {
    TQVPropertyPage* page = GetCurrentPage();
    TEvent ev{WM_COMMAND, MAKEWPARAM(id, notifyCode), 0};
    if (page && page->GetHandle() && page->Find(ev)) return ev.result;
  }
  return TDialog::EvCommand(id, control, notifyCode);
}

void TQVPropertyDialog::CmOk() {
  if (style_ & psfNoOkCancel) return;
  if (strip_ && (!strip_->ValidateAllPages() || !strip_->ApplyAllPages())) return;
  CloseWindow(IDOK);
}

void TQVPropertyDialog::CmCancel() { CloseWindow(IDCANCEL); }

void TQVPropertyDialog::CloseWindow(int retValue) {
  if (style_ & psfNoOkCancel) return;
  if (retValue == IDCANCEL) {
    TDialog::CmCancel();
    return;
  }
  TDialog::CloseWindow(retValue);
}

bool TQVPropertyDialog::SelectPage(int index) {
  // Before set-up the index is only recorded (pages may still be added); the strip's set-up
  // replaces one that names no selectable page.
  if (strip_ && !strip_->IsSetUp()) return index >= 0 && strip_->SelectTab(index);
  if (!strip_ || index < 0 || index >= strip_->GetEntryCount()) return false;
  return strip_->SelectTab(index);
}

bool TQVPropertyDialog::NextPage() { return strip_ && strip_->StepTab(+1); }

bool TQVPropertyDialog::PreviousPage() { return strip_ && strip_->StepTab(-1); }

LRESULT TQVPropertyDialog::SendToAllPages(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT last = 0;
  for (int i = 0; i < GetPageCount(); ++i) {
    TQVPropertyPage* p = GetPageAt(i);
    if (p && p->GetHandle()) last = p->SendMessage(msg, wParam, lParam);
  }
  return last;
}

void TQVPropertyDialog::ForEachPage(const std::function<void(TQVPropertyPage&)>& action) {
  for (int i = 0; i < GetPageCount(); ++i) {
    if (TQVPropertyPage* p = GetPageAt(i)) action(*p);
  }
}

TQVPropertyPage* TQVPropertyDialog::FirstPageThat(const std::function<bool(TQVPropertyPage&)>& test) {
  for (int i = 0; i < GetPageCount(); ++i) {
    TQVPropertyPage* p = GetPageAt(i);
    if (p && test(*p)) return p;
  }
  return nullptr;
}

void TQVPropertyDialog::SetTabWidth(int width) {
  if (strip_) strip_->SetTabWidth(width);
}

void TQVPropertyDialog::SetTabPadding(int value) {
  if (strip_) strip_->SetTabPadding(value);
}

void TQVPropertyDialog::SetSelectedTabColor(COLORREF color) {
  if (strip_) strip_->SetSelectedTabColor(color);
}

bool TQVPropertyDialog::HandleMnemonic(char key, bool fromPage) {
  if (!key || !strip_) return false;
  for (int i = 0; i < strip_->GetEntryCount(); ++i) {
    if (i == strip_->GetCurrentIndex() || !strip_->IsTabEnabled(i)) continue;
    if (MnemonicOf(strip_->GetTabCaption(i)) == key) {
      strip_->SelectTab(i);
      return true;
    }
  }
  TQVPropertyPage* page = GetCurrentPage();
  HWND other = fromPage ? GetHandle() : (page ? page->GetHandle() : nullptr);
  return other && FocusMnemonicChild(other, key);
}

bool TQVPropertyDialog::PreProcessMsg(MSG& msg) {
  if (msg.message == WM_SYSCHAR && strip_ && HandleMnemonic(PressedMnemonicKey(static_cast<char>(msg.wParam)), false)) {
    return true;
  }
  return TDialog::PreProcessMsg(msg);
}

LRESULT TQVPropertyDialog::EvSysCommand(WPARAM wParam, LPARAM lParam) {
  if ((wParam & 0xFFF0) == SC_KEYMENU && lParam &&
      HandleMnemonic(PressedMnemonicKey(static_cast<char>(lParam)), false)) {
    return 0;
  }
  return DefaultProcessing();
}

LRESULT TQVPropertyDialog::ControlColor(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!IsNewLook() || !faceBrush) return 0;
  HDC dc = reinterpret_cast<HDC>(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  SetTextColor(dc, control && !::IsWindowEnabled(control) ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(faceBrush);
}

LRESULT TQVPropertyDialog::EvCtlColor(WPARAM wParam, LPARAM lParam) {
  const LRESULT brush = ControlColor(0, wParam, lParam);
  return brush ? brush : DefaultProcessing();
}

LRESULT TQVPropertyDialog::EvHelp(WPARAM, LPARAM lParam) {
  const HELPINFO* info = reinterpret_cast<const HELPINFO*>(lParam);
  TQVPropertyPage* page = GetCurrentPage();
  if (!info || !page) return TRUE;
  WinHelpA(static_cast<HWND>(info->hItemHandle), page->GetHelpFile(), HELP_WM_HELP,
           reinterpret_cast<ULONG_PTR>(page->GetHelpTable()));
  return TRUE;
}
