#include "framework/MDIChild.h"
#include "framework/MDIClient.h"

TMDIChild::TMDIChild(TMDIClient& client, const char* title, TWindow* clientWindow, HINSTANCE module)
    : TFrameWindow(&client, title, clientWindow, module) {
  Attr.style = WS_CHILD | WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  Attr.x = Attr.y = Attr.w = Attr.h = CW_USEDEFAULT;
}

HWND TMDIChild::PerformCreate() {
  TWindow* client = GetParentObject();
  if (!client || !client->GetHandle()) return nullptr;
  MDICREATESTRUCTA mcs{};
  mcs.szClass = GetClassName();
  mcs.szTitle = GetTitle();
  mcs.hOwner = GetModule();
  mcs.x = Attr.x;
  mcs.y = Attr.y;
  mcs.cx = Attr.w;
  mcs.cy = Attr.h;
  mcs.style = Attr.style & ~WS_CHILD;
  return reinterpret_cast<HWND>(client->SendMessage(WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

LRESULT TMDIChild::DefWindowProcedure(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!IsOwnClass()) return TFrameWindow::DefWindowProcedure(msg, wParam, lParam);
  return DefMDIChildProcA(hwnd_, msg, wParam, lParam);
}

void TMDIChild::Destroy(int retVal) {
  TWindow* client = GetParentObject();
  if (hwnd_ && client && client->GetHandle()) client->SendMessage(WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd_));
  else TFrameWindow::Destroy(retVal);
}

void TMDIChild::Activate() const {
  TWindow* client = GetParentObject();
  if (hwnd_ && client) client->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd_));
}
