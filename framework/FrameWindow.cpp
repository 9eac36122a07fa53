#include "framework/FrameWindow.h"
#include "framework/Application.h"
#include "framework/MenuItemEnabler.h"

namespace {

using R = TResponse<TFrameWindow>;
constexpr R kResponses[] = {
    R::Message(WM_SIZE, &TFrameWindow::EvSize),
    R::Message(WM_SETFOCUS, &TFrameWindow::EvSetFocus),
    R::Message(WM_INITMENUPOPUP, &TFrameWindow::EvInitMenuPopup),
};

}  // namespace

TFrameWindow::TFrameWindow(TWindow* parent, const char* title, TWindow* client, HINSTANCE module)
    : TWindow(parent, title, module), client_(client) {
  Attr.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  if (parent) Attr.style |= WS_CHILD;
  if (!parent) Attr.x = Attr.y = Attr.w = Attr.h = CW_USEDEFAULT;
  if (client_) client_->SetParentObject(this);
}

TFrameWindow::~TFrameWindow() = default;

bool TFrameWindow::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TWindow::Find(ev); }

void TFrameWindow::SetClientWindow(TWindow* client) {
  client_ = client;
  if (client_) client_->SetParentObject(this);
  if (client_ && hwnd_ && !client_->GetHandle()) client_->Create();
  Layout();
}

HWND TFrameWindow::PerformCreate() {
  HMENU menu = menuName_ ? LoadMenuA(GetModule(), menuName_) : nullptr;
  HWND parentHwnd = GetParentObject() ? GetParentObject()->GetHandle() : nullptr;
  HWND h = CreateWindowExA(Attr.exStyle, GetClassName(), GetTitle(), Attr.style, Attr.x, Attr.y, Attr.w,
                           Attr.h, parentHwnd, (Attr.style & WS_CHILD) ? nullptr : menu, GetModule(), nullptr);
  if (!h && menu) DestroyMenu(menu);
  return h;
}

void TFrameWindow::SetupWindow() {
  TWindow::SetupWindow();
  if (client_ && !client_->GetHandle()) client_->Create();
  Layout();
}

void TFrameWindow::Layout() {
  if (!hwnd_ || !client_ || !client_->GetHandle()) return;
  client_->MoveWindow(GetClientRect());
}

LRESULT TFrameWindow::EvSize(WPARAM, LPARAM) {
  Layout();
  return DefaultProcessing();
}

LRESULT TFrameWindow::EvSetFocus(WPARAM, LPARAM) {
  LRESULT r = DefaultProcessing();
  if (client_ && client_->GetHandle()) client_->SetFocus();
  return r;
}

bool TFrameWindow::PreProcessMsg(MSG& msg) {
  return accel_ && TranslateAcceleratorA(hwnd_, accel_, &msg) != 0;
}

std::vector<TWindow*> TFrameWindow::CommandChain() const {
  std::vector<TWindow*> chain;
  HWND start = GetFocus();
  if (!start || (start != hwnd_ && !IsChild(hwnd_, start))) start = GetDefaultCommandTarget();
  for (HWND h = start; h; h = GetParent(h)) {
    TWindow* w = TWindow::FromHandle(h);
    if (w) chain.push_back(w);
    if (h == hwnd_) break;
  }
  if (chain.empty() || chain.back() != this) chain.push_back(const_cast<TFrameWindow*>(this));
  return chain;
}

bool TFrameWindow::OfferTo(const std::vector<TWindow*>& chain, TEvent& ev) {
  for (TWindow* w : chain) {
    if (w->Find(ev)) return true;
  }
  return TApplication::Current()->Find(ev);
}

bool TFrameWindow::RouteCommand(UINT id, LRESULT& result) {
  TEvent ev{WM_COMMAND, MAKEWPARAM(id, 0), 0};
  if (!OfferTo(CommandChain(), ev)) return false;
  result = ev.result;
  return true;
}

bool TFrameWindow::RouteCommandEnable(TCommandEnabler& enabler) {
  std::vector<TWindow*> chain = CommandChain();
  TEvent ev{WM_COMMAND_ENABLE, 0, reinterpret_cast<LPARAM>(&enabler)};
  for (TWindow* w : chain) {
    w->Find(ev);
    if (enabler.WasHandled()) return true;
  }
  TApplication::Current()->Find(ev);
  return enabler.WasHandled();
}

bool TFrameWindow::EnableCommand(TCommandEnabler& enabler) {
  if (RouteCommandEnable(enabler)) return enabler.IsEnabled();
  if (!autoDisable_) return true;
  TEvent probe{WM_COMMAND, MAKEWPARAM(enabler.GetId(), 0), 0};
  probe.probe = true;
  const bool handled = OfferTo(CommandChain(), probe);
  enabler.Enable(handled);
  return handled;
}

LRESULT TFrameWindow::EvCommand(UINT id, HWND control, UINT notifyCode) {
  if (control) return TWindow::EvCommand(id, control, notifyCode);
  LRESULT result = 0;
  if (RouteCommand(id, result)) return result;
  return DefaultProcessing();
}

void TFrameWindow::EvCommandEnable(TCommandEnabler& enabler) { RouteCommandEnable(enabler); }

LRESULT TFrameWindow::EvInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  HMENU popup = reinterpret_cast<HMENU>(wParam);
  if (HIWORD(lParam)) return DefaultProcessing();  // the system menu
  int n = GetMenuItemCount(popup);
  std::vector<TWindow*> chain = CommandChain();
  for (int pos = 0; pos < n; ++pos) {
    UINT id = GetMenuItemID(popup, pos);
    if (id == 0 || id == static_cast<UINT>(-1) || id >= 0xF000) continue;  // separators, popups, system ids
    TMenuItemEnabler enabler(popup, id, pos, hwnd_);
    if (RouteCommandEnable(enabler) || !autoDisable_) continue;
    TEvent probe{WM_COMMAND, MAKEWPARAM(id, 0), 0};
    probe.probe = true;
    enabler.Enable(OfferTo(chain, probe));
  }
  return DefaultProcessing();
}
