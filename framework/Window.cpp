#include "framework/Window.h"
#include <algorithm>
#include <exception>
#include "framework/Application.h"
#include "framework/FaultRecovery.h"
#include "framework/PaintDC.h"

namespace {

const char kObjectProp[] = "VcWindowObject";

// The object whose window is being created on this thread: the window procedure binds it on the
// first message it sees for the new window.
thread_local TWindow* creatingWindow = nullptr;

thread_local std::vector<TWindow*> condemned;

}  // namespace

// C++ exceptions must not unwind through the system's frames: every message is handled inside
// this try block and a failure is kept for the message loop to report. A hardware fault in a
// handler comes back here as a message exception when the crash reporter is installed.
LRESULT CALLBACK VcStdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* w = TWindow::FromHandle(hwnd);
  if (!w && creatingWindow) {
    w = creatingWindow;
    creatingWindow = nullptr;
    w->Bind(hwnd);
  }
  if (!w) return DefWindowProcA(hwnd, msg, wParam, lParam);
  try {
    return RunWithFaultRecovery([&] { return w->ReceiveMessage(msg, wParam, lParam); });
  } catch (...) {
    TApplication::StoreException(std::current_exception());
    return 0;
  }
}

void DeleteCondemnedWindows() {
  while (!condemned.empty()) {
    TWindow* w = condemned.back();
    condemned.pop_back();
    delete w;
  }
}

TWindow::TWindow(TWindow* parent, const char* title, HINSTANCE module)
    : parent_(parent), module_(module ? module : GetModuleHandleA(nullptr)), title_(title ? title : "") {
  // Windows are children unless a class says otherwise (frames, dialogs, popups).
  Attr.style = WS_CHILD | WS_VISIBLE;
  if (parent_) parent_->AddChild(this);
}

TWindow::TWindow(HWND existing, HINSTANCE module)
    : module_(module ? module : GetModuleHandleA(nullptr)), ownsHandle_(false) {
  Attach(existing);
  title_ = GetWindowTextString();
  Attr.style = GetStyle();
  Attr.id = GetDlgCtrlID(existing);
}

TWindow::~TWindow() {
  // Children first, each taking its window with it, then our own window.
  while (!children_.empty()) delete children_.back();
  if (parent_) parent_->RemoveChild(this);
  condemned.erase(std::remove(condemned.begin(), condemned.end(), this), condemned.end());
  if (!hwnd_) return;
  HWND h = hwnd_;
  Unbind();
  if (ownsHandle_ && !fromResource_ && IsWindow(h)) DestroyWindow(h);
}

TWindow* TWindow::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<TWindow*>(GetPropA(hwnd, kObjectProp)) : nullptr;
}

void TWindow::Bind(HWND hwnd) {
  hwnd_ = hwnd;
  SetPropA(hwnd, kObjectProp, this);
}

void TWindow::Subclass(HWND hwnd) {
  Bind(hwnd);
  WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  // A window of one of our own classes (from a dialog template) needs no subclassing.
  if (proc == &VcStdWndProc) return;
  oldProc_ = proc;
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&VcStdWndProc));
}

void TWindow::Unbind() {
  if (!hwnd_) return;
  if (oldProc_ && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd_, GWLP_WNDPROC)) == &VcStdWndProc) {
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
  }
  RemovePropA(hwnd_, kObjectProp);
  hwnd_ = nullptr;
}

void TWindow::Attach(HWND hwnd) {
  if (hwnd_ || !hwnd) return;
  Subclass(hwnd);
}

void TWindow::Detach() {
  Unbind();
  oldProc_ = nullptr;
}

void TWindow::SetParentObject(TWindow* parent) {
  if (parent_ == parent) return;
  if (parent_) parent_->RemoveChild(this);
  parent_ = parent;
  if (parent_) parent_->AddChild(this);
  if (hwnd_) ::SetParent(hwnd_, parent_ ? parent_->hwnd_ : nullptr);
}

void TWindow::AddChild(TWindow* child) { children_.push_back(child); }

void TWindow::RemoveChild(TWindow* child) {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

TWindow* TWindow::ChildWithId(int id) const {
  for (TWindow* c : children_) {
    if (c->Attr.id == id) return c;
  }
  return nullptr;
}

void TWindow::GetWindowClass(WNDCLASSA& wc) {
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &VcStdWndProc;
  wc.hInstance = module_;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = GetClassName();
}

bool TWindow::RegisterOwnClass() {
  WNDCLASSA existing{};
  if (GetClassInfoA(module_, GetClassName(), &existing)) return true;
  WNDCLASSA wc{};
  GetWindowClass(wc);
  return RegisterClassA(&wc) != 0;
}

HWND TWindow::PerformCreate() {
  HWND parentHwnd = parent_ ? parent_->GetHandle() : nullptr;
  HMENU idOrMenu = (Attr.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(Attr.id)) : nullptr;
  return CreateWindowExA(Attr.exStyle, GetClassName(), title_.c_str(), Attr.style, Attr.x, Attr.y,
                         Attr.w, Attr.h, parentHwnd, idOrMenu, module_, nullptr);
}

bool TWindow::Create() {
  if (hwnd_) return true;
  if (!RegisterOwnClass()) return false;
  creatingWindow = this;
  HWND h = PerformCreate();
  if (creatingWindow == this) creatingWindow = nullptr;
  if (!h) {
    hwnd_ = nullptr;
    return false;
  }
  if (!hwnd_) {
    // A predefined class (button, edit, ...): our procedure never saw its creation.
    Subclass(h);
    PerformSetup();
  }
  return true;
}

void TWindow::PerformSetup() {
  if (setupDone_) return;
  setupDone_ = true;
  SetupWindow();
  TransferData(TTransferDirection::Set);
}

void TWindow::SetupWindow() { CreateChildren(); }

void TWindow::CreateChildren() {
  for (size_t i = 0; i < children_.size(); ++i) {
    TWindow* c = children_[i];
    if (c->hwnd_) continue;
    if (c->fromResource_) {
      HWND item = ::GetDlgItem(hwnd_, c->Attr.id);
      if (!item) continue;
      c->Subclass(item);
      c->PerformSetup();
    } else {
      c->Create();
    }
  }
}

void TWindow::TransferData(TTransferDirection direction) {
  if (!transferBuffer_) return;
  char* p = static_cast<char*>(transferBuffer_);
  for (TWindow* c : children_) {
    if (c->transferEnabled_ && c->hwnd_) p += c->Transfer(p, direction);
  }
}

bool TWindow::CanClose() {
  for (TWindow* c : children_) {
    if (c->hwnd_ && !c->CanClose()) return false;
  }
  return true;
}

bool TWindow::IdleAction(long idleCount) {
  bool more = false;
  for (TWindow* c : children_) {
    if (c->hwnd_ && c->IdleAction(idleCount)) more = true;
  }
  return more;
}

void TWindow::Destroy(int retVal) {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool TWindow::Find(TEvent& ev) { return false; }

LRESULT TWindow::EvCommand(UINT id, HWND control, UINT notifyCode) {
  TEvent ev{WM_COMMAND, MAKEWPARAM(id, notifyCode), reinterpret_cast<LPARAM>(control)};
  if (Find(ev)) return ev.result;
  return DefaultProcessing();
}

void TWindow::EvCommandEnable(TCommandEnabler& enabler) {
  TEvent ev{WM_COMMAND_ENABLE, 0, reinterpret_cast<LPARAM>(&enabler)};
  Find(ev);
}

LRESULT TWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ReceiveMessage(msg, wParam, lParam);
}

LRESULT TWindow::ReceiveMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  TCurrentMessage saved = current_;
  current_ = {msg, wParam, lParam};
  LRESULT result;
  if (msg == WM_COMMAND) {
    result = EvCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
  } else if (msg == WM_COMMAND_ENABLE && lParam) {
    EvCommandEnable(*reinterpret_cast<TCommandEnabler*>(lParam));
    result = 0;
  } else {
    TEvent ev{msg, wParam, lParam};
    result = Find(ev) ? ev.result : BuiltInHandling(msg, wParam, lParam);
  }
  current_ = saved;
  return result;
}

LRESULT TWindow::BuiltInHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      TWindow* control = item && item->CtlType != ODT_MENU ? FromHandle(item->hwndItem) : nullptr;
      if (control && control != this && control->DrawItem(*item)) return TRUE;
      break;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      TWindow* control = item && item->CtlType != ODT_MENU ? FromHandle(::GetDlgItem(hwnd_, item->CtlID)) : nullptr;
      if (control && control != this && control->MeasureItem(*item)) return TRUE;
      break;
    }
    case WM_CREATE: {
      LRESULT r = DefaultProcessing();
      if (r != -1) PerformSetup();
      return r;
    }
    case WM_PAINT:
      if (IsOwnClass()) {
        TPaintDC dc(hwnd_);
        Paint(dc, dc.Ps.fErase != 0, TRect(dc.Ps.rcPaint));
        return 0;
      }
      break;
    case WM_CLOSE:
      if (IsOwnClass()) {
        if (CanClose()) Destroy(IDCANCEL);
        return 0;
      }
      break;
    case WM_DESTROY: {
      CleanupWindow();
      TApplication* app = TApplication::Current();
      if (app && app->GetMainWindow() == this) PostQuitMessage(0);
      break;
    }
    case WM_NCDESTROY: {
      LRESULT r = DefaultProcessing();
      Unbind();
      oldProc_ = nullptr;
      setupDone_ = false;
      if (deleteOnDestroy_) condemned.push_back(this);
      return r;
    }
    default:
      break;
  }
  return DefaultProcessing();
}

LRESULT TWindow::DefaultProcessing() {
  return DefWindowProcedure(current_.msg, current_.wParam, current_.lParam);
}

LRESULT TWindow::DefWindowProcedure(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (oldProc_) return CallWindowProcA(oldProc_, hwnd_, msg, wParam, lParam);
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

std::string TWindow::GetWindowTextString() const {
  if (!hwnd_) return title_;
  int n = GetWindowTextLengthA(hwnd_);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  int got = GetWindowTextA(hwnd_, s.data(), n + 1);
  s.resize(static_cast<size_t>(got > 0 ? got : 0));
  return s;
}

void TWindow::SetWindowText(const char* text) {
  title_ = text ? text : "";
  if (hwnd_) ::SetWindowTextA(hwnd_, title_.c_str());
}

LRESULT TWindow::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return hwnd_ ? ::SendMessageA(hwnd_, msg, wParam, lParam) : 0;
}

bool TWindow::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return hwnd_ && ::PostMessageA(hwnd_, msg, wParam, lParam);
}

TRect TWindow::GetClientRect() const {
  TRect r;
  if (hwnd_) ::GetClientRect(hwnd_, &r);
  return r;
}

TRect TWindow::GetWindowRect() const {
  TRect r;
  if (hwnd_) ::GetWindowRect(hwnd_, &r);
  return r;
}

void TWindow::Invalidate(bool erase) const {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, erase);
}

void TWindow::UpdateWindow() const {
  if (hwnd_) ::UpdateWindow(hwnd_);
}

bool TWindow::ShowWindow(int cmd) const { return hwnd_ && ::ShowWindow(hwnd_, cmd); }

bool TWindow::EnableWindow(bool enable) const { return hwnd_ && ::EnableWindow(hwnd_, enable); }

bool TWindow::IsWindowEnabled() const { return hwnd_ && ::IsWindowEnabled(hwnd_); }

bool TWindow::IsWindowVisible() const { return hwnd_ && ::IsWindowVisible(hwnd_); }

void TWindow::MoveWindow(const RECT& r, bool repaint) const {
  if (hwnd_) ::MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, repaint);
}

void TWindow::SetFocus() const {
  if (hwnd_) ::SetFocus(hwnd_);
}

HWND TWindow::GetDlgItem(int id) const { return hwnd_ ? ::GetDlgItem(hwnd_, id) : nullptr; }

DWORD TWindow::GetStyle() const { return hwnd_ ? static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)) : Attr.style; }
