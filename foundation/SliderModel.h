// What a slider does with its values and its input, apart from drawing: the range and snapping,
// the mapping between values and thumb positions along the track, where a point hits, and the
// exact scroll codes and values the parent is told for keys, clicks and drags. The window class
// feeds it messages and draws; the parent moves the thumb with SetPosition.
#pragma once

#include <vector>

#include "foundation/PlainGeometry.h"

// Scroll codes, as the parent's WM_HSCROLL and WM_VSCROLL carry them.
enum TSliderCode : int {
  kSliderLineUp = 0,
  kSliderLineDown = 1,
  kSliderPageUp = 2,
  kSliderPageDown = 3,
  kSliderThumbPosition = 4,
  kSliderThumbTrack = 5,
  kSliderTop = 6,
  kSliderBottom = 7,
  kSliderEndScroll = 8,
  kSliderBeginTrack = 9,  // a drag of the thumb begins
  kSliderNoHit = -1,
};

// Receives the slider's notifications.
class TSliderSink {
public:
  virtual ~TSliderSink() = default;
  virtual void Notify(int code, int value) = 0;
};

class TSliderModel {
public:
  explicit TSliderModel(bool horizontal);

  bool IsHorizontal() const { return horizontal_; }
  // A range of one value counts as 1.
  void SetRange(int min, int max);
  int GetMin() const { return min_; }
  int GetMax() const { return max_; }
  int GetRangeSpan() const { return range_; }
  int GetPosition() const { return position_; }
  void StorePosition(int value) { position_ = value; }
  void SetTickStep(int step) { tickStep_ = step; }
  int GetTickStep() const { return tickStep_; }
  void SetSnap(bool on) { snap_ = on; }
  void SetTicks(bool on) { ticks_ = on; }
  bool HasTicks() const { return ticks_; }

  // The control's client size; the track is its length less the thumb's.
  void SetClientSize(int width, int height);
  TIntRect& Thumb() { return thumb_; }
  const TIntRect& Thumb() const { return thumb_; }
  int TrackLength() const;

  // Clamped to the range and, with snapping on and a positive step, rounded to the nearest step
  // from the minimum and clamped again.
  int Snap(int value) const;
  // The thumb's top-left for a value (the other coordinate stays), and back. A track of no
  // length maps every point to the minimum and every value to 0.
  TIntPoint ValueToPoint(int value) const;
  int PointToValue(const TIntPoint& point) const;
  int HitTest(const TIntPoint& point) const;
  // The offsets along the track where ticks go: every step from the minimum below the maximum
  // (only the first for a step of 0 or less), then the end.
  std::vector<int> TickOffsets() const;

  // Input. KeyDown answers false for keys other than PageUp ... Down (0x21-0x28).
  bool KeyDown(int virtualKey, int repeat, TSliderSink& sink) const;
  // A press that is not on the thumb: codes 0-3 notify with 0, a jump with the snapped value.
  void Click(int code, const TIntPoint& point, TSliderSink& sink) const;
  // A press on the thumb starts a drag: the begin code and the first track.
  void BeginDrag(const TIntPoint& point, TSliderSink& sink);
  bool IsTracking() const { return tracking_; }
  // A move while dragging, with the button still down.
  void DragTo(const TIntPoint& point, TSliderSink& sink) const;
  // The release: a drag ends with the thumb position (answers whether one ended) ...
  bool EndDrag(const TIntPoint& point, TSliderSink& sink);
  // ... and every release ends the scroll.
  void EndScroll(const TIntPoint& point, TSliderSink& sink) const;

private:
  int DragValue(const TIntPoint& point) const;

  bool horizontal_;
  int min_ = 0;
  int max_ = 100;
  int range_ = 100;
  int position_ = 0;
  int tickStep_ = 10;
  bool snap_ = false;
  bool ticks_ = false;
  bool tracking_ = false;
  int width_ = 0;
  int height_ = 0;
  TIntRect thumb_;
  TIntPoint dragOffset_;
};
