#include "framework/MDIClient.h"
#include "framework/MDIChild.h"

namespace {

using R = TResponse<TMDIClient>;
constexpr R kResponses[] = {
    R::Command(TMDIClient::kCascadeCommand, &TMDIClient::CmCascadeChildren),
    R::Command(TMDIClient::kTileCommand, &TMDIClient::CmTileChildren),
    R::Command(TMDIClient::kArrangeIconsCommand, &TMDIClient::CmArrangeIcons),
};

}  // namespace

bool TMDIClient::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TWindow::Find(ev); }

TMDIClient::TMDIClient(HINSTANCE module) : TWindow(static_cast<TWindow*>(nullptr), nullptr, module) {
  Attr.style = WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL;
  Attr.exStyle = WS_EX_CLIENTEDGE;
  Attr.x = Attr.y = Attr.w = Attr.h = 0;
}

HWND TMDIClient::PerformCreate() {
  TWindow* frame = GetParentObject();
  if (!frame || !frame->GetHandle()) return nullptr;
  CLIENTCREATESTRUCT ccs{windowMenu_, kFirstChildId};
  return CreateWindowExA(Attr.exStyle, "MDICLIENT", nullptr, Attr.style, 0, 0, 0, 0, frame->GetHandle(),
                         nullptr, GetModule(), &ccs);
}

TMDIChild* TMDIClient::GetActiveMDIChild() const {
  HWND active = reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE));
  return dynamic_cast<TMDIChild*>(TWindow::FromHandle(active));
}

int TMDIClient::GetChildCount() const {
  int n = 0;
  for (HWND h = hwnd_ ? GetWindow(hwnd_, GW_CHILD) : nullptr; h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (!GetWindow(h, GW_OWNER)) ++n;  // icon titles are owned windows
  }
  return n;
}

bool TMDIClient::CloseChildren() {
  std::vector<HWND> kids;
  for (HWND h = hwnd_ ? GetWindow(hwnd_, GW_CHILD) : nullptr; h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (!GetWindow(h, GW_OWNER)) kids.push_back(h);
  }
  for (HWND h : kids) {
    TWindow* w = TWindow::FromHandle(h);
    if (w && !w->CanClose()) return false;
  }
  for (HWND h : kids) {
    if (!IsWindow(h)) continue;
    TWindow* w = TWindow::FromHandle(h);
    if (w) w->Destroy(IDCANCEL);
    else SendMessage(WM_MDIDESTROY, reinterpret_cast<WPARAM>(h));
  }
  return true;
}
