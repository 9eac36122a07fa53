// The caret's hide count, position and attachment, and the XOR frame that erases itself.
#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

#include "foundation/win32/QXTCaret.h"
#include "foundation/win32/XorRect.h"
#include "tests/support/PixelCanvas.h"

namespace {

HWND CaretWindow() {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 50, 50, 300, 200, nullptr, nullptr, nullptr,
                         nullptr);
}

POINT SystemCaretPos() {
  POINT p{-1, -1};
  GetCaretPos(&p);
  return p;
}

HWND SystemCaretWindow() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetCurrentThreadId(), &info);
  return info.hwndCaret;
}

std::vector<COLORREF> Pixels(const TPixelCanvas& c, int w, int h) {
  std::vector<COLORREF> v;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) v.push_back(c.At(x, y));
  }
  return v;
}

}  // namespace

TEST(QXTCaret, NestedHidesAndPositionsAppliedOnTheLastShow) {
  HWND w = CaretWindow();
  TQXTCaret caret(1, 10, 2, 16);
  EXPECT_FALSE(caret.IsVisible()) << "a new caret starts hidden";
  caret.SetPos(20, 30);
  EXPECT_EQ(caret.Attach(w), 0);
  EXPECT_TRUE(caret.IsAttached());
  EXPECT_EQ(SystemCaretWindow(), w);
  EXPECT_TRUE(caret.IsVisible());
  EXPECT_EQ(SystemCaretPos().x, 19);
  EXPECT_EQ(SystemCaretPos().y, 20);
  EXPECT_NE(caret.Attach(w), 0) << "already attached";

  caret.Hide();
  caret.Hide();
  caret.MoveBy(10, 5);
  caret.MoveX(1);
  caret.MoveY(-1);
  EXPECT_EQ(SystemCaretPos().x, 19) << "positions wait while the caret is hidden";
  caret.Show();
  EXPECT_FALSE(caret.IsVisible());
  EXPECT_EQ(SystemCaretPos().x, 19);
  caret.Show();
  EXPECT_TRUE(caret.IsVisible());
  EXPECT_EQ(SystemCaretPos().x, 30);
  EXPECT_EQ(SystemCaretPos().y, 24);
  EXPECT_EQ(caret.GetCaretPoint().x, 30);
  EXPECT_EQ(caret.GetCaretPoint().y, 24);
  caret.SetX(100);
  caret.SetY(50);
  EXPECT_EQ(SystemCaretPos().x, 99);
  EXPECT_EQ(SystemCaretPos().y, 40);
  DestroyWindow(w);
}

TEST(QXTCaret, DetachAndAttachKeepAnExplicitHide) {
  HWND w = CaretWindow();
  TQXTCaret caret(0, 0, 2, 16);
  caret.Attach(w);
  caret.Hide();
  caret.Detach();
  EXPECT_FALSE(caret.IsAttached());
  EXPECT_EQ(SystemCaretWindow(), nullptr) << "the system caret is destroyed";
  EXPECT_EQ(caret.GetHideCount(), 2);
  caret.Attach(w);
  EXPECT_FALSE(caret.IsVisible()) << "hidden on purpose before the focus change, hidden after it";
  caret.Show();
  EXPECT_TRUE(caret.IsVisible());

  caret.SetPos(40, 40);
  caret.Reshape(2, 8, 3, 12);
  EXPECT_TRUE(caret.IsAttached());
  EXPECT_TRUE(caret.IsVisible());
  EXPECT_EQ(SystemCaretPos().x, 38);
  EXPECT_EQ(SystemCaretPos().y, 32);
  DestroyWindow(w);
}

TEST(QXTCaret, DeletedThroughTheBaseRunsTheWholeDestructor) {
  static_assert(std::has_virtual_destructor_v<TQXTCaret>);
  struct TCountingCaret : TQXTCaret {
    explicit TCountingCaret(int& n) : TQXTCaret(0, 0, 1, 10), count(n) {}
    ~TCountingCaret() override { ++count; }
    int& count;
  };
  int destroyed = 0;
  HWND w = CaretWindow();
  TQXTCaret* caret = new TCountingCaret(destroyed);
  caret->Attach(w);
  delete caret;
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(SystemCaretWindow(), nullptr) << "an attached caret gives the system caret back";
  DestroyWindow(w);
}

TEST(XorRect, DrawingTwiceRestoresEveryPixel) {
  TPixelCanvas canvas(40, 30);
  // A pattern under the frame, so that inversion shows on every colour.
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) SetPixel(canvas.Dc(), x, y, RGB(x * 6, y * 8, (x + y) * 3));
  }
  const std::vector<COLORREF> before = Pixels(canvas, 40, 30);
  TXorRect frame;
  frame.SetRect(RECT{5, 4, 30, 25});
  frame.SetPen(RGB(0, 0, 0), 2, PS_SOLID, R2_NOTXORPEN);
  const int rop = GetROP2(canvas.Dc());
  frame.Draw(canvas.Dc());
  EXPECT_EQ(GetROP2(canvas.Dc()), rop) << "the raster mode is given back";
  EXPECT_NE(Pixels(canvas, 40, 30), before);
  EXPECT_EQ(canvas.At(15, 15), before[15 * 40 + 15]) << "only the outline is drawn";
  EXPECT_NE(canvas.At(5, 15), before[15 * 40 + 5]);
  frame.Draw(canvas.Dc());
  EXPECT_EQ(Pixels(canvas, 40, 30), before);
}

TEST(XorRect, ShowAndHideDrawOnlyOnAChange) {
  TXorRect frame;
  HWND w = CaretWindow();
  frame.SetWindow(w, nullptr);
  RECT client{};
  GetClientRect(w, &client);
  EXPECT_EQ(frame.GetRect().right, client.right) << "the client rectangle by default";
  frame.SetWindow(nullptr, nullptr);
  EXPECT_EQ(frame.GetRect().right, 10);

  // Without a window only the state flips; Repaint draws the shown frame into a given context.
  TPixelCanvas canvas(20, 20);
  frame.SetRect(RECT{2, 2, 12, 12});
  frame.Show();
  EXPECT_TRUE(frame.IsShown());
  frame.Show();
  EXPECT_TRUE(frame.IsShown()) << "showing a shown frame changes nothing";
  frame.Repaint(canvas.Dc());
  EXPECT_EQ(canvas.At(2, 5), RGB(0, 0, 0)) << "inverted white";
  frame.Hide();
  frame.Hide();
  EXPECT_FALSE(frame.IsShown());
  frame.Repaint(canvas.Dc());
  EXPECT_EQ(canvas.At(2, 5), RGB(0, 0, 0)) << "a hidden frame is not drawn";
  DestroyWindow(w);
}
