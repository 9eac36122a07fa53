// Sliders: the exact scroll codes and values the parent receives for real keys, clicks and
// drags (sent through SendInput), the geometry and snapping, and the gliding thumb's pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/Application.h"
#include "framework/Slider.h"
#include "tests/controls/ControlsResources.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/MessageRecorder.h"

using namespace guidriver;

namespace {

using TScroll = std::pair<int, int>;  // scroll code, value
constexpr COLORREF kBackground = RGB(0, 128, 128);
constexpr COLORREF kNormalThumb = RGB(255, 0, 0);
constexpr COLORREF kPressedThumb = RGB(0, 0, 255);

class SliderTest : public ::testing::Test {
protected:
  void SetUp() override {
    recorder.SetBackground(kBackground);
    // 209 wide: the thumb (9) travels 200 pixels, two per value of the range 0-100.
    h = new TQVHSlider(&parent, 201, 20, 20, 209, 40, IDB_HTHUMB);
    // 109 tall: the thumb (9) travels 100 pixels, one per value.
    v = new TQVVSlider(&parent, 202, 260, 20, 0, 109, IDB_VTHUMB);
    ASSERT_TRUE(h->Create());
    ASSERT_TRUE(v->Create());
    PumpFor(50);
    recorder.Clear();
  }
  // The scroll messages of one kind the parent got, as (code, value) pairs.
  std::vector<TScroll> Scrolls(UINT msg, HWND from) {
    std::vector<TScroll> out;
    for (const TRecordedMessage& m : recorder.Messages(msg)) {
      if (reinterpret_cast<HWND>(m.lParam) == from) {
        out.emplace_back(static_cast<short>(LOWORD(m.wParam)), static_cast<short>(HIWORD(m.wParam)));
      }
    }
    return out;
  }
  std::vector<TScroll> WaitScrolls(UINT msg, HWND from, size_t count) {
    PumpUntil([&] { return Scrolls(msg, from).size() >= count; }, 3000);
    PumpFor(30);
    return Scrolls(msg, from);
  }
  COLORREF PixelOf(HWND w, int x, int y) {
    HDC dc = GetDC(w);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return c;
  }

  TApplication app{"Sliders"};
  TMessageRecorder recorder{100, 100, 400, 220};
  TWindow parent{recorder.GetHandle()};
  TQVHSlider* h = nullptr;
  TQVVSlider* v = nullptr;
};

}  // namespace

TEST_F(SliderTest, GeometryRangeAndSnapping) {
  EXPECT_EQ(h->ValueToPoint(50).x, 100);
  EXPECT_EQ(h->PointToValue(TPoint(100, 0)), 50);
  EXPECT_EQ(v->ValueToPoint(30).y, 30);
  EXPECT_EQ(v->GetThumbRect().left, 6) << "the vertical thumb is centred across the 32-pixel width";
  EXPECT_EQ(v->GetClientRect().Width(), 32);
  EXPECT_EQ(h->GetTickStep(), 10);

  h->SetRange(5, 5);
  h->SetPosition(7);
  EXPECT_EQ(h->GetPosition(), 5) << "range 5-5 holds one value";
  EXPECT_EQ(h->ValueToPoint(5).x, 0);

  h->SetRange(0, 100);
  h->SetSnap(true);
  struct Case {
    int min, max, step, value, snapped;
  };
  const Case cases[] = {
      {0, 100, 10, 14, 10}, {0, 100, 10, 15, 20},  {3, 100, 10, 17, 13}, {3, 100, 10, 18, 23},
      {0, 100, 10, -5, 0},  {0, 100, 10, 200, 100},
      {0, 95, 10, 95, 95},  // rounds to 100: clamped again to the maximum
      {0, 100, 0, 37, 37},  // a step of 0 does not snap
  };
  for (const Case& c : cases) {
    h->SetRange(c.min, c.max);
    h->SetTickStep(c.step);
    h->SetPosition(c.value);
    EXPECT_EQ(h->GetPosition(), c.snapped) << c.min << "-" << c.max << " step " << c.step << " value " << c.value;
  }
  // Snapped positions are drawn where they are.
  EXPECT_EQ(h->GetThumbRect().left, h->ValueToPoint(37).x);
}

TEST_F(SliderTest, TooShortForTheThumbNeverDivides) {
  TQVHSlider* tiny = new TQVHSlider(&parent, 203, 20, 120, 6, 30, IDB_HTHUMB);
  ASSERT_TRUE(tiny->Create());
  EXPECT_EQ(tiny->PointToValue(TPoint(3, 0)), 0);
  EXPECT_EQ(tiny->ValueToPoint(80).x, 0);
  tiny->SetPosition(60);
  tiny->SetTicks(true);
  tiny->SetTickStep(0);
  tiny->UpdateWindow();
  recorder.Clear();
  Click(tiny->GetHandle(), 2, 25);
  const std::vector<TScroll> got = WaitScrolls(WM_HSCROLL, tiny->GetHandle(), 2);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got.back(), TScroll(SB_ENDSCROLL, 0));
}

TEST_F(SliderTest, KeysSendTheirCodeAtThePositionThenEndScroll) {
  h->SetPosition(30);
  ASSERT_TRUE(Focus(h->GetHandle()));
  struct Case {
    WORD key;
    int code;
  };
  const Case cases[] = {
      {VK_PRIOR, SB_PAGEUP}, {VK_NEXT, SB_PAGEDOWN}, {VK_END, SB_BOTTOM},    {VK_HOME, SB_TOP},
      {VK_LEFT, SB_LINEUP},  {VK_UP, SB_LINEUP},     {VK_RIGHT, SB_LINEDOWN}, {VK_DOWN, SB_LINEDOWN},
  };
  for (const Case& c : cases) {
    recorder.Clear();
    PressKey(c.key);
    const std::vector<TScroll> got = WaitScrolls(WM_HSCROLL, h->GetHandle(), 2);
    EXPECT_EQ(got, (std::vector<TScroll>{{c.code, 30}, {SB_ENDSCROLL, 30}})) << "key " << c.key;
  }
  EXPECT_EQ(h->GetPosition(), 30) << "the slider leaves moving to the parent";

  recorder.Clear();
  PressKey(VK_SPACE);
  PressKey('A');
  PumpFor(100);
  EXPECT_TRUE(Scrolls(WM_HSCROLL, h->GetHandle()).empty()) << "other keys are ignored";

  // A held key arrives with its repeat count.
  SendMessageA(h->GetHandle(), WM_KEYDOWN, VK_RIGHT, 3);
  EXPECT_EQ(Scrolls(WM_HSCROLL, h->GetHandle()),
            (std::vector<TScroll>{{SB_LINEDOWN, 30}, {SB_LINEDOWN, 30}, {SB_LINEDOWN, 30}, {SB_ENDSCROLL, 30}}));
  EXPECT_EQ(SendMessageA(h->GetHandle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);

  ASSERT_TRUE(Focus(v->GetHandle()));
  recorder.Clear();
  PressKey(VK_DOWN);
  EXPECT_EQ(WaitScrolls(WM_VSCROLL, v->GetHandle(), 2),
            (std::vector<TScroll>{{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
}

TEST_F(SliderTest, FocusPutsTheCaretOnTheThumb) {
  h->SetPosition(20);
  ASSERT_TRUE(Focus(h->GetHandle()));
  POINT p{};
  GetCaretPos(&p);
  EXPECT_EQ(p.x, 40 + 3);
  EXPECT_EQ(p.y, 3);
  h->SetPosition(30);
  GetCaretPos(&p);
  EXPECT_EQ(p.x, 60 + 3) << "the caret follows the thumb";
}

TEST_F(SliderTest, ClicksJumpOrPage) {
  // Ticks off: a click on the channel beside the thumb jumps there.
  Click(h->GetHandle(), 100, 10);
  EXPECT_EQ(WaitScrolls(WM_HSCROLL, h->GetHandle(), 2),
            (std::vector<TScroll>{{SB_THUMBPOSITION, 50}, {SB_ENDSCROLL, 50}}));

  // Ticks on: beside the thumb pages, below it jumps.
  h->SetTicks(true);
  h->SetPosition(40);  // thumb at 80-89
  struct Case {
    int x, y;
    std::vector<TScroll> expected;
  };
  const std::vector<Case> cases = {
      {30, 10, {{SB_PAGEUP, 0}, {SB_ENDSCROLL, 15}}},
      {150, 10, {{SB_PAGEDOWN, 0}, {SB_ENDSCROLL, 75}}},
      {150, 30, {{SB_THUMBPOSITION, 75}, {SB_ENDSCROLL, 75}}},
  };
  for (const Case& c : cases) {
    recorder.Clear();
    Click(h->GetHandle(), c.x, c.y);
    EXPECT_EQ(WaitScrolls(WM_HSCROLL, h->GetHandle(), 2), c.expected) << c.x << "," << c.y;
  }

  // Vertical: left or right of the thumb jumps, above or below pages.
  v->SetPosition(50);  // thumb at y 50-58, x 6-25
  const std::vector<Case> vertical = {
      {2, 20, {{SB_THUMBPOSITION, 20}, {SB_ENDSCROLL, 20}}},
      {28, 70, {{SB_THUMBPOSITION, 70}, {SB_ENDSCROLL, 70}}},
      {15, 20, {{SB_PAGEUP, 0}, {SB_ENDSCROLL, 20}}},
      {15, 80, {{SB_PAGEDOWN, 0}, {SB_ENDSCROLL, 80}}},
  };
  for (const Case& c : vertical) {
    recorder.Clear();
    Click(v->GetHandle(), c.x, c.y);
    EXPECT_EQ(WaitScrolls(WM_VSCROLL, v->GetHandle(), 2), c.expected) << c.x << "," << c.y;
  }
}

TEST_F(SliderTest, DragTracksEveryMoveThenPositionsAndEnds) {
  for (TQVSlider* s : {static_cast<TQVSlider*>(h), static_cast<TQVSlider*>(v)}) {
    const bool horizontal = s == h;
    const UINT msg = horizontal ? WM_HSCROLL : WM_VSCROLL;
    recorder.Clear();
    const TRect thumb = s->GetThumbRect();
    const int gx = thumb.left + 4, gy = thumb.top + 4;
    MouseMoveTo(s->GetHandle(), gx, gy);
    PumpFor(30);
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return s->IsTracking(); }, 3000));
    EXPECT_EQ(GetCapture(), s->GetHandle());
    EXPECT_EQ(PixelOf(s->GetHandle(), gx, gy), kPressedThumb);
    // Two steps of 20 pixels: 10 then 20 values horizontally, 20 then 40 vertically.
    for (int step = 1; step <= 2; ++step) {
      MouseMoveTo(s->GetHandle(), gx + (horizontal ? 20 * step : 0), gy + (horizontal ? 0 : 20 * step));
      PumpFor(60);
    }
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return !s->IsTracking(); }, 3000));
    const std::vector<TScroll> got = WaitScrolls(msg, s->GetHandle(), 6);
    const int last = horizontal ? 20 : 40;
    ASSERT_GE(got.size(), 6u);
    EXPECT_EQ(got[0], TScroll(TQVSlider::kBeginTrack, 0));
    EXPECT_EQ(got[1], TScroll(SB_THUMBTRACK, 0));
    for (size_t i = 2; i + 2 < got.size(); ++i) EXPECT_EQ(got[i].first, SB_THUMBTRACK);
    EXPECT_TRUE(std::find(got.begin(), got.end(), TScroll(SB_THUMBTRACK, last / 2)) != got.end());
    EXPECT_EQ(got[got.size() - 3], TScroll(SB_THUMBTRACK, last));
    EXPECT_EQ(got[got.size() - 2], TScroll(SB_THUMBPOSITION, last));
    EXPECT_EQ(got[got.size() - 1], TScroll(SB_ENDSCROLL, last));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(s->GetPosition(), 0) << "the thumb waits for the parent";
  }
}

TEST_F(SliderTest, ThumbGlidesAndItsBackgroundEntryTakesTheParentsColour) {
  h->Invalidate();
  h->UpdateWindow();
  EXPECT_EQ(PixelOf(h->GetHandle(), 4, 10), kNormalThumb);
  EXPECT_EQ(PixelOf(h->GetHandle(), 0, 0), kBackground) << "colour entry 15 is transparent";
  h->SetPosition(50);
  EXPECT_EQ(h->GetThumbRect().left, 100);
  EXPECT_EQ(PixelOf(h->GetHandle(), 104, 10), kNormalThumb);
  EXPECT_NE(PixelOf(h->GetHandle(), 4, 10), kNormalThumb) << "the uncovered channel is repainted";
  h->SetPosition(51);
  EXPECT_EQ(h->GetThumbRect().left, 102);
  EXPECT_EQ(PixelOf(h->GetHandle(), 102 + 8, 10), kNormalThumb);
  EXPECT_EQ(PixelOf(h->GetHandle(), 101, 10), GetSysColor(COLOR_BTNFACE));

  h->EnableWindow(false);
  h->Invalidate();
  h->UpdateWindow();
  EXPECT_EQ(PixelOf(h->GetHandle(), 106, 10), kPressedThumb) << "a disabled slider shows the right half";
}
