#include "framework/SheetKeyboardHook.h"

#include "foundation/PropertySheetStyle.h"
#include "foundation/SheetRules.h"
#include "foundation/TextUtils.h"
#include "framework/PropertyDialog.h"
#include "framework/PropertyPage.h"
#include "framework/PropertyTab.h"

namespace {

HHOOK hook = nullptr;

bool IsClass(HWND w, const char* name) {
  char cls[32] = {};
  GetClassNameA(w, cls, sizeof cls);
  return CompareNoCase(cls, name) == 0;
}

// Where the focus is: the control as its dialog sees it (a combo box for the edit inside it),
// the dialog holding it, and the sheet that dialog belongs to.
struct TFocusPlace {
  HWND control = nullptr;
  HWND dialog = nullptr;
  TQVPropertyDialog* sheet = nullptr;
  TQVPropertyPage* page = nullptr;  // the page holding the focus, if any
};

TFocusPlace LocateFocus() {
  TFocusPlace f;
  f.control = GetFocus();
  if (!f.control) return f;
  f.dialog = GetParent(f.control);
  if (f.dialog && IsClass(f.dialog, "combobox")) {
    f.control = f.dialog;
    f.dialog = GetParent(f.control);
  }
  TWindow* w = TWindow::FromHandle(f.dialog);
  if (auto* strip = dynamic_cast<TQVPropertyTab*>(w)) {
    // The focus on a page window itself: its sheet decides.
    w = strip->GetParentObject();
  }
  if (auto* sheet = dynamic_cast<TQVPropertyDialog*>(w)) {
    f.sheet = sheet;
  } else if (auto* page = dynamic_cast<TQVPropertyPage*>(w)) {
    f.page = page;
    f.sheet = page->GetSheet();
  }
  return f;
}

HWND StripOf(TQVPropertyDialog* sheet) {
  return sheet->GetTabStrip() ? sheet->GetTabStrip()->GetHandle() : nullptr;
}

HWND CurrentPageWindow(TQVPropertyDialog* sheet) {
  TQVPropertyPage* p = sheet->GetCurrentPage();
  return p ? p->GetHandle() : nullptr;
}

// The Tab target from a control of the sheet itself (the strip included).
HWND FromSheetControl(TQVPropertyDialog* sheet, HWND control, bool forward) {
  HWND strip = StripOf(sheet);
  HWND page = CurrentPageWindow(sheet);
  if (control == strip) {
    if (forward) return page ? TQVPropertyPage::FirstTabStop(page) : nullptr;
    return GetNextDlgTabItem(sheet->GetHandle(), strip, TRUE);
  }
  if (GetNextDlgTabItem(sheet->GetHandle(), control, !forward) != strip) return nullptr;
  if (forward) return strip;
  HWND last = page ? TQVPropertyPage::LastTabStop(page) : nullptr;
  return last ? last : strip;
}

HWND FromPageControl(TQVPropertyDialog* sheet, HWND page, HWND control, bool forward) {
  HWND strip = StripOf(sheet);
  const HWND edge = forward ? TQVPropertyPage::LastTabStop(page) : TQVPropertyPage::FirstTabStop(page);
  if (control != edge && edge) return GetNextDlgTabItem(page, control, !forward);
  if (!forward) return strip;
  return GetNextDlgTabItem(sheet->GetHandle(), strip, FALSE);
}

bool HandleTab(bool forward) {
  const TFocusPlace f = LocateFocus();
  if (!f.sheet || !f.sheet->GetTabStrip()) return false;
  HWND strip = StripOf(f.sheet);
  HWND target = f.page ? FromPageControl(f.sheet, f.page->GetHandle(), f.control, forward)
                       : FromSheetControl(f.sheet, f.control, forward);
  // A wizard's strip lies outside the dialog: Tab passes over it.
  for (int guard = 0; target == strip && target && (f.sheet->GetStyleWord() & psfWizard) && guard < 2; ++guard) {
    target = FromSheetControl(f.sheet, strip, forward);
  }
  if (!target || target == f.control) return false;
  HWND holder = GetParent(target);
  if (holder && IsClass(holder, "combobox")) holder = GetParent(holder);
  if (f.dialog && holder != f.dialog) PostMessageA(f.dialog, WM_NEXTDLGCTL, 0, 0);
  PostMessageA(holder, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
  return true;
}

}  // namespace

bool HandleSheetKey(UINT vk, bool ctrl, bool shift, bool alt) {
  if (vk != VK_TAB || ctrl) {
    const TSheetStep step = SheetStepForKey(vk, ctrl, shift, alt);
    if (step == TSheetStep::None) return false;
    const TFocusPlace f = LocateFocus();
    if (!f.sheet || !f.sheet->GetTabStrip()) return false;
    switch (step) {
      case TSheetStep::First:
        for (int i = 0; i < f.sheet->GetPageCount(); ++i) {
          if (f.sheet->SelectPage(i)) break;
        }
        break;
      case TSheetStep::Previous:
        f.sheet->PreviousPage();
        break;
      case TSheetStep::Next:
        f.sheet->NextPage();
        break;
      case TSheetStep::None:
        break;
    }
    return true;
  }
  if (alt) return false;
  return HandleTab(!shift);
}

extern "C" LRESULT CALLBACK PropdlgKbdProc(int code, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  // Only presses: a release of the same key must not step again.
  if (code >= 0 && code != HC_NOREMOVE && !(lParam & 0x80000000)) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    handled = HandleSheetKey(static_cast<UINT>(wParam), ctrl, shift, alt);
  }
  const LRESULT next = CallNextHookEx(hook, code, wParam, lParam);
  if (next) return 1;
  return handled ? 1 : 0;
}

void InstallSheetHook() {
  if (!hook) hook = SetWindowsHookExA(WH_KEYBOARD, &PropdlgKbdProc, nullptr, GetCurrentThreadId());
}

void RemoveSheetHook() {
  if (hook) UnhookWindowsHookEx(hook);
  hook = nullptr;
}

bool SheetHookInstalled() { return hook != nullptr; }
