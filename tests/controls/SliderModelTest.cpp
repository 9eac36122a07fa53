// The sliders' values and input rules: snapping, the value/position mapping, hit testing, tick
// places, and the exact scroll codes and values for keys, clicks and drags.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "foundation/SliderModel.h"

namespace {

using TScroll = std::pair<int, int>;
using TScrolls = std::vector<TScroll>;

struct TRecorder : TSliderSink {
  void Notify(int code, int value) override { got.emplace_back(code, value); }
  TScrolls got;
};

// 209 wide: the 9-pixel thumb travels 200 pixels, two per value of 0-100.
TSliderModel Horizontal() {
  TSliderModel m(true);
  m.SetClientSize(209, 40);
  return m;
}

// 109 tall, 32 wide: the 9-pixel thumb travels 100 pixels, one per value; the thumb is centred.
TSliderModel Vertical() {
  TSliderModel m(false);
  m.SetClientSize(32, 109);
  m.Thumb().MoveTo(6, 0);
  return m;
}

void MoveThumbTo(TSliderModel& m, int value) {
  const TIntPoint p = m.ValueToPoint(value);
  m.Thumb().MoveTo(p.x, p.y);
  m.StorePosition(value);
}

}  // namespace

TEST(SliderModel, DefaultsAndMapping) {
  TSliderModel h = Horizontal();
  EXPECT_EQ(h.GetMin(), 0);
  EXPECT_EQ(h.GetMax(), 100);
  EXPECT_EQ(h.GetTickStep(), 10);
  EXPECT_EQ(h.Thumb(), (TIntRect{0, 0, 9, 20}));
  EXPECT_EQ(h.TrackLength(), 200);
  EXPECT_EQ(h.ValueToPoint(50), (TIntPoint{100, 0}));
  EXPECT_EQ(h.PointToValue(TIntPoint{100, 7}), 50);
  EXPECT_EQ(h.PointToValue(TIntPoint{199, 7}), 99);

  TSliderModel v = Vertical();
  EXPECT_EQ(v.Thumb(), (TIntRect{6, 0, 26, 9}));
  EXPECT_EQ(v.ValueToPoint(30), (TIntPoint{6, 30}));
  EXPECT_EQ(v.PointToValue(TIntPoint{0, 30}), 30);

  h.SetRange(-50, 50);
  EXPECT_EQ(h.ValueToPoint(0).x, 100);
  EXPECT_EQ(h.PointToValue(TIntPoint{0, 0}), -50);
  h.SetRange(5, 5);
  EXPECT_EQ(h.GetRangeSpan(), 1);
  EXPECT_EQ(h.Snap(7), 5);
  EXPECT_EQ(h.Snap(-3), 5);
}

TEST(SliderModel, SnappingRoundsToTheStepAndClampsAgain) {
  struct Case {
    int min, max, step;
    bool snap;
    int value, snapped;
  };
  const Case cases[] = {
      {0, 100, 10, true, 14, 10},  {0, 100, 10, true, 15, 20},  {3, 100, 10, true, 17, 13},
      {3, 100, 10, true, 18, 23},  {0, 100, 10, true, -5, 0},   {0, 100, 10, true, 200, 100},
      {0, 95, 10, true, 94, 90},   {0, 95, 10, true, 95, 95},   // 95 rounds to 100: clamped back
      {0, 100, 0, true, 37, 37},   {0, 100, -4, true, 37, 37},  // no step: no snapping, no division
      {0, 100, 10, false, 14, 14}, {0, 100, 10, false, 101, 100},
  };
  for (const Case& c : cases) {
    TSliderModel m(true);
    m.SetRange(c.min, c.max);
    m.SetTickStep(c.step);
    m.SetSnap(c.snap);
    EXPECT_EQ(m.Snap(c.value), c.snapped) << c.min << "-" << c.max << " step " << c.step << " value " << c.value;
  }
}

TEST(SliderModel, TrackShorterThanTheThumbNeverDivides) {
  TSliderModel m(true);
  m.SetClientSize(6, 30);
  EXPECT_LT(m.TrackLength(), 0);
  EXPECT_EQ(m.PointToValue(TIntPoint{3, 0}), 0);
  EXPECT_EQ(m.ValueToPoint(80).x, 0);
  m.SetClientSize(9, 30);
  EXPECT_EQ(m.TrackLength(), 0);
  EXPECT_EQ(m.PointToValue(TIntPoint{50, 0}), 0);
  TRecorder r;
  m.BeginDrag(TIntPoint{4, 4}, r);
  m.DragTo(TIntPoint{40, 4}, r);
  EXPECT_TRUE(m.EndDrag(TIntPoint{40, 4}, r));
  EXPECT_EQ(r.got, (TScrolls{{kSliderBeginTrack, 0}, {kSliderThumbTrack, 0}, {kSliderThumbTrack, 0},
                             {kSliderThumbPosition, 0}}));
}

TEST(SliderModel, TickPlaces) {
  TSliderModel m = Horizontal();
  EXPECT_EQ(m.TickOffsets(), (std::vector<int>{0, 20, 40, 60, 80, 100, 120, 140, 160, 180, 200}));
  m.SetTickStep(30);
  EXPECT_EQ(m.TickOffsets(), (std::vector<int>{0, 60, 120, 180, 200}));
  m.SetTickStep(0);
  EXPECT_EQ(m.TickOffsets(), (std::vector<int>{0, 200})) << "a step of 0 gives only the first and the end";
  m.SetTickStep(-1);
  EXPECT_EQ(m.TickOffsets(), (std::vector<int>{0, 200}));
  m.SetRange(0, 2147483647);
  m.SetTickStep(2000000000);
  EXPECT_EQ(m.TickOffsets().size(), 3u) << "the step past the largest value ends the walk";
}

TEST(SliderModel, KeysSendTheirCodeAtThePositionThenEndScroll) {
  TSliderModel m = Horizontal();
  m.StorePosition(30);
  const std::pair<int, int> keys[] = {
      {0x21, kSliderPageUp}, {0x22, kSliderPageDown}, {0x23, kSliderBottom},   {0x24, kSliderTop},
      {0x25, kSliderLineUp}, {0x26, kSliderLineUp},   {0x27, kSliderLineDown}, {0x28, kSliderLineDown},
  };
  for (const auto& [key, code] : keys) {
    TRecorder r;
    EXPECT_TRUE(m.KeyDown(key, 1, r));
    EXPECT_EQ(r.got, (TScrolls{{code, 30}, {kSliderEndScroll, 30}})) << "key " << key;
  }
  TRecorder held;
  m.KeyDown(0x27, 3, held);
  EXPECT_EQ(held.got, (TScrolls{{kSliderLineDown, 30}, {kSliderLineDown, 30}, {kSliderLineDown, 30},
                                {kSliderEndScroll, 30}}));
  TRecorder other;
  EXPECT_FALSE(m.KeyDown(0x20, 1, other));
  EXPECT_FALSE(m.KeyDown(0x29, 1, other));
  EXPECT_TRUE(other.got.empty());
}

TEST(SliderModel, ClicksJumpOrPage) {
  struct Case {
    bool horizontal, ticks;
    int position;
    TIntPoint point;
    int code;
    TScrolls expected;  // the press; the release adds the end of the scroll
  };
  const Case cases[] = {
      // Horizontal, ticks off: beside the thumb jumps there.
      {true, false, 0, {100, 10}, kSliderThumbPosition, {{kSliderThumbPosition, 50}, {kSliderEndScroll, 50}}},
      {true, false, 40, {30, 10}, kSliderThumbPosition, {{kSliderThumbPosition, 15}, {kSliderEndScroll, 15}}},
      // Ticks on: beside the thumb pages, below it jumps, on it drags.
      {true, true, 40, {30, 10}, kSliderPageUp, {{kSliderPageUp, 0}, {kSliderEndScroll, 15}}},
      {true, true, 40, {150, 10}, kSliderPageDown, {{kSliderPageDown, 0}, {kSliderEndScroll, 75}}},
      {true, true, 40, {150, 30}, kSliderThumbPosition, {{kSliderThumbPosition, 75}, {kSliderEndScroll, 75}}},
      {true, true, 40, {84, 19}, kSliderThumbTrack, {}},
      // Vertical: left or right of the thumb jumps, above or below pages (ticks or not).
      {false, false, 50, {2, 20}, kSliderThumbPosition, {{kSliderThumbPosition, 20}, {kSliderEndScroll, 20}}},
      {false, true, 50, {28, 70}, kSliderThumbPosition, {{kSliderThumbPosition, 70}, {kSliderEndScroll, 70}}},
      {false, false, 50, {15, 20}, kSliderPageUp, {{kSliderPageUp, 0}, {kSliderEndScroll, 20}}},
      {false, false, 50, {15, 80}, kSliderPageDown, {{kSliderPageDown, 0}, {kSliderEndScroll, 80}}},
  };
  for (const Case& c : cases) {
    TSliderModel m = c.horizontal ? Horizontal() : Vertical();
    m.SetTicks(c.ticks);
    MoveThumbTo(m, c.position);
    const int code = m.HitTest(c.point);
    EXPECT_EQ(code, c.code) << c.point.x << "," << c.point.y;
    if (code == kSliderThumbTrack) continue;
    TRecorder r;
    m.Click(code, c.point, r);
    EXPECT_FALSE(m.EndDrag(c.point, r));
    m.EndScroll(c.point, r);
    EXPECT_EQ(r.got, c.expected) << c.point.x << "," << c.point.y;
  }
}

TEST(SliderModel, DragTracksEveryMoveThenPositionsAndEnds) {
  for (bool horizontal : {true, false}) {
    TSliderModel m = horizontal ? Horizontal() : Vertical();
    m.SetRange(0, 100);
    MoveThumbTo(m, 10);  // thumb at 20 across, or 10 down
    const TIntRect thumb = m.Thumb();
    const TIntPoint grab{thumb.left + 4, thumb.top + 4};
    ASSERT_EQ(m.HitTest(grab), kSliderThumbTrack);
    TRecorder r;
    m.BeginDrag(grab, r);
    EXPECT_TRUE(m.IsTracking());
    const int dx = horizontal ? 20 : 0, dy = horizontal ? 0 : 20;
    m.DragTo(TIntPoint{grab.x + dx, grab.y + dy}, r);
    m.DragTo(TIntPoint{grab.x + 2 * dx, grab.y + 2 * dy}, r);
    // Dragged far past the end: clamped to the maximum.
    m.DragTo(TIntPoint{grab.x + 50 * dx, grab.y + 50 * dy}, r);
    const TIntPoint release{grab.x + 2 * dx, grab.y + 2 * dy};
    EXPECT_TRUE(m.EndDrag(release, r));
    m.EndScroll(release, r);
    EXPECT_FALSE(m.IsTracking());
    const int step = horizontal ? 10 : 20;
    EXPECT_EQ(r.got, (TScrolls{{kSliderBeginTrack, 10},
                               {kSliderThumbTrack, 10},
                               {kSliderThumbTrack, 10 + step},
                               {kSliderThumbTrack, 10 + 2 * step},
                               {kSliderThumbTrack, 100},
                               {kSliderThumbPosition, 10 + 2 * step},
                               {kSliderEndScroll, 10 + 2 * step}}))
        << (horizontal ? "horizontal" : "vertical");
    EXPECT_EQ(m.GetPosition(), 10) << "the thumb waits for the parent";
  }
}

TEST(SliderModel, SnappedDragValues) {
  TSliderModel m = Horizontal();
  m.SetSnap(true);
  TRecorder r;
  m.BeginDrag(TIntPoint{4, 4}, r);
  m.DragTo(TIntPoint{4 + 28, 4}, r);  // 14 snaps to 10
  m.DragTo(TIntPoint{4 + 30, 4}, r);  // 15 snaps to 20
  EXPECT_TRUE(m.EndDrag(TIntPoint{4 + 30, 4}, r));
  EXPECT_EQ(r.got, (TScrolls{{kSliderBeginTrack, 0}, {kSliderThumbTrack, 0}, {kSliderThumbTrack, 10},
                             {kSliderThumbTrack, 20}, {kSliderThumbPosition, 20}}));
}
