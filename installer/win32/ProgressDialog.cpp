#include "installer/win32/ProgressDialog.h"

#include <cstdio>

#include "installer/win32/SetupIds.h"
#include "installer/win32/UpgApplier.h"

namespace {

TUpgApplier* ApplierOf(HWND dialog) { return reinterpret_cast<TUpgApplier*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void CentreOnScreen(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Blue with white text up to the percentage, white with black text after it, 1 pixel inside.
void DrawBar(const DRAWITEMSTRUCT& item, int percent) {
  HDC dc = item.hDC;
  RECT all = item.rcItem;
  FrameRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RECT inner = all;
  InflateRect(&inner, -1, -1);
  char text[8];
  std::snprintf(text, sizeof text, "%d%%", percent);
  RECT done = inner;
  done.right = inner.left + (inner.right - inner.left) * percent / 100;
  RECT rest = inner;
  rest.left = done.right;
  SetBkMode(dc, TRANSPARENT);
  const struct { RECT part; COLORREF back, fore; } parts[] = {
      {done, RGB(0, 0, 255), RGB(255, 255, 255)}, {rest, RGB(255, 255, 255), RGB(0, 0, 0)}};
  for (const auto& p : parts) {
    if (p.part.right <= p.part.left) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, p.part.left, p.part.top, p.part.right, p.part.bottom);
    HBRUSH brush = CreateSolidBrush(p.back);
    FillRect(dc, &p.part, brush);
    DeleteObject(brush);
    SetTextColor(dc, p.fore);
    RECT textBox = inner;
    DrawTextA(dc, text, -1, &textBox, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RestoreDC(dc, saved);
  }
}

}  // namespace

INT_PTR CALLBACK UpgProgressDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      CentreOnScreen(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL && ApplierOf(dialog)) ApplierOf(dialog)->CancelPressed();
      return TRUE;
    case WM_CLOSE:
      if (ApplierOf(dialog)) ApplierOf(dialog)->CancelPressed();
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID != IDC_UPGP_BAR || !ApplierOf(dialog)) return FALSE;
      DrawBar(*item, ApplierOf(dialog)->Percent());
      return TRUE;
    }
    default:
      return FALSE;
  }
}

HWND CreateUpgProgress(HINSTANCE instance, HWND owner, TUpgApplier* applier) {
  return CreateDialogParamA(instance, "UPGPROGRESS", owner, UpgProgressDlg, reinterpret_cast<LPARAM>(applier));
}

void RedrawUpgProgressBar(HWND dialog) {
  HWND bar = GetDlgItem(dialog, IDC_UPGP_BAR);
  InvalidateRect(bar, nullptr, FALSE);
  UpdateWindow(bar);
}
