#include "framework/Application.h"
#include "framework/FaultRecovery.h"
#include "framework/Window.h"
#include "framework/Xmsg.h"

namespace {

TApplication* currentApp = nullptr;
thread_local std::exception_ptr pendingException;

}  // namespace

TApplication::TApplication(const char* name, HINSTANCE instance)
    : name_(name ? name : ""), instance_(instance ? instance : GetModuleHandleA(nullptr)) {
  previous_ = currentApp;
  currentApp = this;
}

TApplication::~TApplication() {
  if (currentApp == this) currentApp = previous_;
}

TApplication* TApplication::Current() {
  if (currentApp) return currentApp;
  static TApplication fallback;
  return &fallback;
}

void TApplication::StoreException(std::exception_ptr e) {
  // The first failure is the one to report; later ones usually follow from it.
  if (!pendingException) pendingException = e;
}

bool TApplication::HasPendingException() { return static_cast<bool>(pendingException); }

void TApplication::RethrowPendingException() {
  if (!pendingException) return;
  std::exception_ptr e = pendingException;
  pendingException = nullptr;
  std::rethrow_exception(e);
}

void TApplication::Error(const std::exception& e) {
  HWND owner = mainWindow_ ? mainWindow_->GetHandle() : nullptr;
  MessageBoxA(owner, e.what(), name_.empty() ? "Error" : name_.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

void TApplication::InitInstance() {
  InitMainWindow();
  if (!mainWindow_) return;
  if (!mainWindow_->Create()) throw xmsg("The main window could not be created.");
  mainWindow_->ShowWindow(nCmdShow);
  mainWindow_->UpdateWindow();
}

int TApplication::Run() {
  int status;
  try {
    InitInstance();
  } catch (const std::exception& e) {
    Error(e);
    return TermInstance(1);
  }
  status = MessageLoop();
  return TermInstance(status);
}

bool TApplication::IdleAction(long idleCount) {
  return mainWindow_ && mainWindow_->GetHandle() && mainWindow_->IdleAction(idleCount);
}

bool TApplication::ProcessAppMsg(MSG& msg) {
  // Offer the message to the window it is for and to each of its ancestors.
  for (HWND h = msg.hwnd; h; h = GetParent(h)) {
    TWindow* w = TWindow::FromHandle(h);
    if (w && w->PreProcessMsg(msg)) return true;
    if (!(GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) break;
  }
  if (accel_ && mainWindow_ && mainWindow_->GetHandle()) {
    return TranslateAcceleratorA(mainWindow_->GetHandle(), accel_, &msg) != 0;
  }
  return false;
}

void TApplication::ProcessMessage(MSG& msg) {
  try {
    RunWithFaultRecovery([&] {
      if (ProcessAppMsg(msg)) return;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    });
    RethrowPendingException();
  } catch (const std::exception& e) {
    Error(e);
  }
  DeleteCondemnedWindows();
}

bool TApplication::PumpWaitingMessages() {
  bool any = false;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Leave the quit for the loop that owns it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return any;
    }
    any = true;
    ProcessMessage(msg);
  }
  return any;
}

int TApplication::RunLoop(TModalState* modal) {
  long idleCount = 0;
  for (;;) {
    if (modal && modal->done) return modal->result;
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      bool more = false;
      try {
        more = RunWithFaultRecovery([&] { return IdleAction(idleCount++); });
        RethrowPendingException();
      } catch (const std::exception& e) {
        Error(e);
      }
      if (modal && modal->done) return modal->result;
      if (!more) {
        WaitMessage();
        idleCount = 0;
      }
      continue;
    }
    if (msg.message == WM_QUIT) {
      if (!modal) return static_cast<int>(msg.wParam);
      PostQuitMessage(static_cast<int>(msg.wParam));
      return IDCANCEL;
    }
    ProcessMessage(msg);
  }
}

int TApplication::MessageLoop() { return RunLoop(nullptr); }

int TApplication::BeginModal(TWindow* window) {
  TModalState state;
  modal_.push_back(&state);
  int result = RunLoop(&state);
  modal_.pop_back();
  return result;
}

void TApplication::EndModal(int result) {
  if (modal_.empty()) return;
  modal_.back()->done = true;
  modal_.back()->result = result;
  // Wake the loop in case it waits.
  PostMessageA(nullptr, WM_NULL, 0, 0);
}
