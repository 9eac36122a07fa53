// Frames: the command chain from the focused window to the frame and the application, menu
// enabling, decorations along the edges, and MDI children.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "framework/Application.h"
#include "framework/DecoratedFrame.h"
#include "framework/DecoratedMDIFrame.h"
#include "framework/Edit.h"
#include "framework/FrameWindow.h"
#include "framework/MDIChild.h"
#include "tests/framework/TestResources.h"
#include "tests/support/guidriver/GuiDriver.h"

using namespace guidriver;

namespace {

std::vector<std::string> trail;

// A client view that handles one command itself.
class TView : public TWindow {
public:
  TView() : TWindow(static_cast<TWindow*>(nullptr), "View") {}
  bool Find(TEvent& ev) override;
  void CmHandled() { trail.push_back("view handled"); }
  void CeChecked(TCommandEnabler& ce) {
    ce.Enable(true);
    ce.SetCheck(TCommandEnabler::Checked);
    ce.SetText("Now checked");
  }
};
using RV = TResponse<TView>;
constexpr RV kViewResponses[] = {
    RV::Command(CM_HANDLED, &TView::CmHandled),
    RV::Enable(CM_CHECKED, &TView::CeChecked),
};
bool TView::Find(TEvent& ev) { return ev.Dispatch(this, kViewResponses) || TWindow::Find(ev); }

class TTestFrame : public TFrameWindow {
public:
  explicit TTestFrame(TWindow* client) : TFrameWindow(nullptr, "Frame", client) {
    SetMenuResource(MAKEINTRESOURCEA(IDM_MAIN));
    Attr.x = Attr.y = 40;
    Attr.w = 400;
    Attr.h = 300;
  }
  bool Find(TEvent& ev) override;
  void CmHandled() { trail.push_back("frame handled"); }
  void CmChecked() { trail.push_back("frame checked"); }
  void CeEnablerOff(TCommandEnabler& ce) { ce.Enable(false); }
};
using RF = TResponse<TTestFrame>;
constexpr RF kFrameResponses[] = {
    RF::Command(CM_HANDLED, &TTestFrame::CmHandled),
    RF::Command(CM_CHECKED, &TTestFrame::CmChecked),
    RF::Enable(CM_ENABLER_OFF, &TTestFrame::CeEnablerOff),
};
bool TTestFrame::Find(TEvent& ev) { return ev.Dispatch(this, kFrameResponses) || TFrameWindow::Find(ev); }

class TAppWithTable : public TApplication {
public:
  TAppWithTable() : TApplication("Chain") {}
  bool Find(TEvent& ev) override;
  void CmUnhandled() { trail.push_back("app handled"); }
};
using RA = TResponse<TAppWithTable>;
constexpr RA kAppResponses[] = {RA::Command(CM_UNHANDLED, &TAppWithTable::CmUnhandled)};
bool TAppWithTable::Find(TEvent& ev) { return ev.Dispatch(this, kAppResponses) || TApplication::Find(ev); }

}  // namespace

TEST(Frame, CommandsTravelFromTheFocusedWindowToFrameAndApplication) {
  TAppWithTable app;
  auto* view = new TView;
  TTestFrame frame(view);
  ASSERT_TRUE(frame.Create());
  frame.ShowWindow(SW_SHOW);
  ASSERT_TRUE(Focus(view->GetHandle()));
  trail.clear();

  PostCommand(frame.GetHandle(), CM_HANDLED);    // the view answers first
  PostCommand(frame.GetHandle(), CM_CHECKED);    // only the frame has it
  PostCommand(frame.GetHandle(), CM_UNHANDLED);  // only the application has it
  app.PumpWaitingMessages();

  std::vector<std::string> expected = {"view handled", "frame checked", "app handled"};
  EXPECT_EQ(trail, expected);
}

TEST(Frame, MenuItemsAreEnabledByTheChainBeforeThePopupOpens) {
  TApplication app("Menus");
  auto* view = new TView;
  TTestFrame frame(view);
  ASSERT_TRUE(frame.Create());
  ASSERT_TRUE(Focus(view->GetHandle()));
  HMENU popup = GetSubMenu(frame.GetMenu(), 0);
  ASSERT_NE(popup, nullptr);
  frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);

  struct TCase {
    UINT id;
    bool enabled;
  };
  const TCase cases[] = {
      {CM_HANDLED, true},       // a handler, no enabler: enabled
      {CM_ENABLER_OFF, false},  // the frame's enabler says no
      {CM_UNHANDLED, false},    // nobody handles it (this application has no table)
      {CM_CHECKED, true},       // the view's enabler
  };
  for (const TCase& c : cases) {
    UINT state = GetMenuState(popup, c.id, MF_BYCOMMAND);
    EXPECT_EQ((state & MF_GRAYED) == 0, c.enabled) << "command " << c.id;
  }
  EXPECT_TRUE(GetMenuState(popup, CM_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
  char text[64] = "";
  GetMenuStringA(popup, CM_CHECKED, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Now checked");
}

TEST(Frame, EnableMessageIsRoutedLikeACommand) {
  TApplication app("Enable");
  auto* view = new TView;
  TTestFrame frame(view);
  ASSERT_TRUE(frame.Create());
  ASSERT_TRUE(Focus(view->GetHandle()));
  // As a toolbar button asks: the enable message with its own enabler, sent to the frame.
  TCommandEnabler checked(CM_CHECKED), off(CM_ENABLER_OFF), nobody(CM_UNHANDLED);
  frame.SendMessage(WM_COMMAND_ENABLE, 0, reinterpret_cast<LPARAM>(&checked));
  frame.SendMessage(WM_COMMAND_ENABLE, 0, reinterpret_cast<LPARAM>(&off));
  frame.SendMessage(WM_COMMAND_ENABLE, 0, reinterpret_cast<LPARAM>(&nobody));
  EXPECT_TRUE(checked.WasHandled() && checked.IsEnabled());
  EXPECT_EQ(checked.GetCheck(), TCommandEnabler::Checked);
  EXPECT_TRUE(off.WasHandled() && !off.IsEnabled());
  EXPECT_FALSE(nobody.WasHandled());
}

TEST(DecoratedFrame, DecorationsTakeTheEdgesAndTheClientTheRest) {
  auto* client = new TView;
  TDecoratedFrame frame(nullptr, "Decorated", client);
  frame.Attr.x = frame.Attr.y = 10;
  frame.Attr.w = 500;
  frame.Attr.h = 400;
  auto make = [&](int w, int h) {
    auto* d = new TWindow(&frame, "deco");
    d->Attr.w = w;
    d->Attr.h = h;
    return d;
  };
  TWindow* top1 = make(10, 20);
  TWindow* top2 = make(10, 15);
  TWindow* bottom = make(10, 25);
  TWindow* left = make(30, 10);
  TWindow* right = make(40, 10);
  frame.Insert(*top1, TDecoratedFrame::TLocation::Top);
  frame.Insert(*top2, TDecoratedFrame::TLocation::Top);
  frame.Insert(*bottom, TDecoratedFrame::TLocation::Bottom);
  frame.Insert(*left, TDecoratedFrame::TLocation::Left);
  frame.Insert(*right, TDecoratedFrame::TLocation::Right);
  ASSERT_TRUE(frame.Create());
  TRect c = frame.GetClientRect();

  auto placed = [&](TWindow* w) {
    TRect r = w->GetWindowRect();
    MapWindowPoints(nullptr, frame.GetHandle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  EXPECT_EQ(placed(top1), TRect(0, 0, c.right, 20));
  EXPECT_EQ(placed(top2), TRect(0, 20, c.right, 35));
  EXPECT_EQ(placed(bottom), TRect(0, c.bottom - 25, c.right, c.bottom));
  EXPECT_EQ(placed(left), TRect(0, 35, 30, c.bottom - 25));
  EXPECT_EQ(placed(right), TRect(c.right - 40, 35, c.right, c.bottom - 25));
  EXPECT_EQ(placed(client), TRect(30, 35, c.right - 40, c.bottom - 25));

  // A hidden decoration gives its room back.
  top2->ShowWindow(SW_HIDE);
  frame.Layout();
  EXPECT_EQ(placed(client).top, 20);
}

namespace {

class TDocWindow : public TMDIChild {
public:
  TDocWindow(TMDIClient& client, const char* title, bool mayClose)
      : TMDIChild(client, title), mayClose_(mayClose) {}
  bool Find(TEvent& ev) override;
  bool CanClose() override { return mayClose_; }
  void CmHandled() { trail.push_back(std::string("child ") + GetTitle()); }

private:
  bool mayClose_;
};
using RD = TResponse<TDocWindow>;
constexpr RD kDocResponses[] = {RD::Command(CM_HANDLED, &TDocWindow::CmHandled)};
bool TDocWindow::Find(TEvent& ev) { return ev.Dispatch(this, kDocResponses) || TMDIChild::Find(ev); }

}  // namespace

TEST(MDI, CommandsGoToTheActiveChildAndClosingAsksEveryChild) {
  TApplication app("MDI");
  auto* client = new TMDIClient;
  TDecoratedMDIFrame frame("MDI frame", nullptr, *client);
  frame.Attr.x = frame.Attr.y = 20;
  frame.Attr.w = 600;
  frame.Attr.h = 450;
  auto* status = new TWindow(&frame, "status");
  status->Attr.h = 22;
  frame.Insert(*status, TDecoratedFrame::TLocation::Bottom);
  ASSERT_TRUE(frame.Create());
  frame.ShowWindow(SW_SHOW);
  ASSERT_NE(client->GetHandle(), nullptr);

  auto* first = new TDocWindow(*client, "first", true);
  auto* second = new TDocWindow(*client, "second", false);
  ASSERT_TRUE(first->Create());
  ASSERT_TRUE(second->Create());
  EXPECT_EQ(client->GetChildCount(), 2);
  EXPECT_EQ(frame.GetActiveMDIChild(), second);

  // The MDI client stays clear of the status bar.
  TRect cr = client->GetWindowRect();
  TRect sr = status->GetWindowRect();
  EXPECT_LE(cr.bottom, sr.top);

  trail.clear();
  SetFocus(frame.GetHandle());
  PostCommand(frame.GetHandle(), CM_HANDLED);
  app.PumpWaitingMessages();
  first->Activate();
  PostCommand(frame.GetHandle(), CM_HANDLED);
  app.PumpWaitingMessages();
  std::vector<std::string> expected = {"child second", "child first"};
  EXPECT_EQ(trail, expected);

  EXPECT_FALSE(client->CloseChildren()) << "the second child refuses";
  EXPECT_EQ(client->GetChildCount(), 2);
}
