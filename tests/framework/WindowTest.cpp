// Windows and their response tables, subclassing of existing windows, the application's loops
// and the reporting of exceptions raised by handlers.
#include <gtest/gtest.h>
#include <vector>
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Window.h"
#include "framework/Xmsg.h"
#include "tests/support/guidriver/GuiDriver.h"

using namespace guidriver;

namespace {

constexpr UINT kThrowMsg = WM_USER + 5;

class TTableWindow : public TWindow {
public:
  TTableWindow() : TWindow(static_cast<TWindow*>(nullptr), "Table") {
    Attr.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    Attr.x = 50;
    Attr.y = 50;
    Attr.w = 300;
    Attr.h = 200;
    button = new TButton(this, 300, "Press", 10, 10, 80, 24);
  }
  bool Find(TEvent& ev) override;

  LRESULT EvTimer(WPARAM id, LPARAM) {
    log.push_back("timer " + std::to_string(id));
    return 0;
  }
  LRESULT EvThrow(WPARAM, LPARAM) { throw xmsg("Handler failed on purpose"); }
  void CmNew() { log.push_back("command 2"); }
  LRESULT EvButtonFocus(WPARAM, LPARAM) {
    log.push_back("setfocus notify");
    return 0;
  }
  void CmPress() { log.push_back("button clicked"); }

  TButton* button;
  std::vector<std::string> log;
};

using R = TResponse<TTableWindow>;
constexpr R kResponses[] = {
    R::Message(WM_TIMER, &TTableWindow::EvTimer),
    R::Message(kThrowMsg, &TTableWindow::EvThrow),
    R::Command(2, &TTableWindow::CmNew),
    R::Command(300, &TTableWindow::CmPress),
    R::Notify(300, BN_SETFOCUS, &TTableWindow::EvButtonFocus),
};

bool TTableWindow::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TWindow::Find(ev); }

}  // namespace

TEST(Window, ResponseTableRoutesMessagesCommandsAndNotifications) {
  TTableWindow w;
  ASSERT_TRUE(w.Create());
  ASSERT_NE(w.button->GetHandle(), nullptr) << "children are created by the set-up";

  w.SendMessage(WM_TIMER, 7);
  w.SendMessage(WM_COMMAND, MAKEWPARAM(2, 0), 0);  // menu
  w.SendMessage(WM_COMMAND, MAKEWPARAM(2, 1), 0);  // accelerator
  // A list box's selection change has code 1 too, but it comes from a control: not a command.
  w.SendMessage(WM_COMMAND, MAKEWPARAM(2, 1), reinterpret_cast<LPARAM>(w.button->GetHandle()));
  w.button->SendMessage(BM_CLICK);
  w.SendMessage(WM_COMMAND, MAKEWPARAM(300, BN_SETFOCUS), reinterpret_cast<LPARAM>(w.button->GetHandle()));
  PumpFor(20);

  std::vector<std::string> expected = {"timer 7", "command 2", "command 2", "button clicked", "setfocus notify"};
  EXPECT_EQ(w.log, expected);
}

TEST(Window, DefaultProcessingAnswersUnhandledMessages) {
  TTableWindow w;
  ASSERT_TRUE(w.Create());
  w.SetWindowText("Changed");
  EXPECT_EQ(GetText(w.GetHandle()), "Changed");
  EXPECT_EQ(TWindow::FromHandle(w.GetHandle()), &w);
  EXPECT_EQ(TWindow::FromHandle(w.button->GetHandle()), w.button);
}

TEST(Window, AttachSubclassesAnExistingWindowAndDetachGivesItBack) {
  HWND edit = CreateWindowExA(0, "EDIT", "abc", WS_OVERLAPPED | WS_VISIBLE, 10, 10, 100, 30, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC));
  {
    TWindow w(edit);
    EXPECT_EQ(TWindow::FromHandle(edit), &w);
    EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC)), original);
    // The control still behaves as itself through the default processing.
    w.SetWindowText("xyz");
    EXPECT_EQ(w.GetWindowTextString(), "xyz");
  }
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC)), original);
  EXPECT_EQ(TWindow::FromHandle(edit), nullptr);
  EXPECT_TRUE(IsWindow(edit)) << "an attached window is not ours to destroy";
  DestroyWindow(edit);
}

TEST(Window, DeleteOnDestroyDeletesAfterTheMessage) {
  static int deleted = 0;
  struct TCounted : TWindow {
    TCounted() : TWindow(static_cast<TWindow*>(nullptr), "Counted") { Attr.style = WS_OVERLAPPED; }
    ~TCounted() override { ++deleted; }
  };
  TApplication app("Test");
  auto* w = new TCounted;
  w->SetDeleteOnDestroy(true);
  ASSERT_TRUE(w->Create());
  HWND h = w->GetHandle();
  PostMessageA(h, WM_CLOSE, 0, 0);
  app.PumpWaitingMessages();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(deleted, 1);
}

TEST(Application, ExceptionFromAHandlerIsReportedByTheLoopWhichCarriesOn) {
  TApplication app("Vellichord Test");
  TTableWindow w;
  ASSERT_TRUE(w.Create());
  TMessageBoxText seen;
  TScript script([&] {
    HWND box = WaitForMessageBox("Vellichord Test");
    if (!box) return;
    seen = ReadMessageBox(box);
    ClickButton(box, IDOK);
  });
  w.PostMessage(kThrowMsg);
  w.PostMessage(WM_TIMER, 3);
  app.PumpWaitingMessages();
  ASSERT_TRUE(script.Join());
  EXPECT_EQ(seen.text, "Handler failed on purpose");
  app.PumpWaitingMessages();
  EXPECT_EQ(w.log.back(), "timer 3") << "the loop goes on after the report";
  EXPECT_FALSE(TApplication::HasPendingException());
}

TEST(Application, ExceptionInsideSendMessageNeverCrossesTheSystem) {
  TTableWindow w;
  ASSERT_TRUE(w.Create());
  // Sent directly (no loop): the procedure keeps the exception and answers 0.
  EXPECT_EQ(SendMessageA(w.GetHandle(), kThrowMsg, 0, 0), 0);
  ASSERT_TRUE(TApplication::HasPendingException());
  EXPECT_THROW(TApplication::RethrowPendingException(), xmsg);
  EXPECT_FALSE(TApplication::HasPendingException());
}

namespace {

class TIdleApp : public TApplication {
public:
  TIdleApp() : TApplication("Idle") {}
  bool IdleAction(long idleCount) override {
    ++idleCalls;
    // Ask for more idle time three times, then end the modal loop from the idle step.
    if (idleCalls == 3 && IsModalActive()) EndModal(42);
    return idleCalls < 3;
  }
  int idleCalls = 0;
};

}  // namespace

TEST(Application, IdleActionRunsWhileQueueIsEmptyAndModalLoopEndsWithItsValue) {
  TIdleApp app;
  EXPECT_EQ(app.BeginModal(nullptr), 42);
  EXPECT_EQ(app.idleCalls, 3);
}

namespace {

void CALLBACK EndInner(HWND h, UINT, UINT_PTR id, DWORD) {
  KillTimer(h, id);
  TApplication::Current()->EndModal(2);
}

void CALLBACK StartInner(HWND h, UINT, UINT_PTR id, DWORD) {
  KillTimer(h, id);
  SetTimer(h, 1, 10, &EndInner);
  int inner = TApplication::Current()->BeginModal(nullptr);
  TApplication::Current()->EndModal(inner * 10);  // ends the outer loop
}

}  // namespace

TEST(Application, NestedModalLoopsEndInnermostFirst) {
  TApplication app("Modal");
  TTableWindow w;
  ASSERT_TRUE(w.Create());
  SetTimer(w.GetHandle(), 3, 1, &StartInner);
  EXPECT_EQ(app.BeginModal(nullptr), 20);
}

TEST(Application, PumpWaitingMessagesLeavesQuitForTheMainLoop) {
  TApplication app("Quit");
  app.PumpWaitingMessages();
  PostQuitMessage(5);
  app.PumpWaitingMessages();
  EXPECT_EQ(app.MessageLoop(), 5);
}
