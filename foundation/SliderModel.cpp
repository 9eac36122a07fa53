#include "foundation/SliderModel.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kFirstKey = 0x21;  // VK_PRIOR
constexpr int kLastKey = 0x28;   // VK_DOWN
// PageUp, PageDown, End, Home, Left, Up, Right, Down.
constexpr int kKeyCodes[] = {kSliderPageUp, kSliderPageDown, kSliderBottom,   kSliderTop,
                             kSliderLineUp, kSliderLineUp,   kSliderLineDown, kSliderLineDown};

int Scale(int value, int numerator, int denominator) {
  return static_cast<int>(static_cast<long long>(value) * numerator / denominator);
}

}  // namespace

TSliderModel::TSliderModel(bool horizontal) : horizontal_(horizontal) {
  thumb_ = horizontal ? TIntRect{0, 0, 9, 20} : TIntRect{0, 0, 20, 9};
  tickStep_ = range_ / 10;
}

void TSliderModel::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  range_ = std::abs(max - min);
  if (range_ == 0) range_ = 1;
}

void TSliderModel::SetClientSize(int width, int height) {
  width_ = width;
  height_ = height;
}

int TSliderModel::TrackLength() const {
  return horizontal_ ? width_ - thumb_.Width() : height_ - thumb_.Height();
}

int TSliderModel::Snap(int value) const {
  const int lo = std::min(min_, max_);
  const int hi = std::max(min_, max_);
  value = std::clamp(value, lo, hi);
  if (!snap_ || tickStep_ <= 0) return value;
  value = (value + tickStep_ / 2 - min_) / tickStep_ * tickStep_ + min_;
  // Rounding up passes the maximum when the range is not a whole number of steps.
  return std::clamp(value, lo, hi);
}

TIntPoint TSliderModel::ValueToPoint(int value) const {
  const int length = std::max(0, TrackLength());
  const int along = Scale(value - min_, length, range_);
  return horizontal_ ? TIntPoint{along, thumb_.top} : TIntPoint{thumb_.left, along};
}

int TSliderModel::PointToValue(const TIntPoint& point) const {
  const int length = TrackLength();
  if (length <= 0) return min_;
  return Scale(horizontal_ ? point.x : point.y, range_, length) + min_;
}

int TSliderModel::HitTest(const TIntPoint& p) const {
  if (thumb_.Contains(p)) return kSliderThumbTrack;
  if (horizontal_) {
    if (!ticks_ || p.y >= thumb_.bottom) return kSliderThumbPosition;
    if (p.x < thumb_.left) return kSliderPageUp;
    if (p.x >= thumb_.right) return kSliderPageDown;
    return kSliderNoHit;
  }
  if (p.x < thumb_.left || p.x >= thumb_.right) return kSliderThumbPosition;
  if (p.y < thumb_.top) return kSliderPageUp;
  if (p.y >= thumb_.bottom) return kSliderPageDown;
  return kSliderNoHit;
}

std::vector<int> TSliderModel::TickOffsets() const {
  auto along = [&](int v) {
    TIntPoint p = ValueToPoint(v);
    return horizontal_ ? p.x : p.y;
  };
  std::vector<int> offsets;
  for (long long v = min_; v < max_; v += tickStep_) {
    offsets.push_back(along(static_cast<int>(v)));
    if (tickStep_ <= 0) break;
  }
  offsets.push_back(along(max_));
  return offsets;
}

bool TSliderModel::KeyDown(int virtualKey, int repeat, TSliderSink& sink) const {
  if (virtualKey < kFirstKey || virtualKey > kLastKey) return false;
  const int code = kKeyCodes[virtualKey - kFirstKey];
  for (int i = 0; i < repeat; ++i) sink.Notify(code, position_);
  sink.Notify(kSliderEndScroll, position_);
  return true;
}

void TSliderModel::Click(int code, const TIntPoint& point, TSliderSink& sink) const {
  if (code >= kSliderLineUp && code <= kSliderPageDown) {
    sink.Notify(code, 0);
  } else if (code == kSliderThumbPosition) {
    sink.Notify(kSliderThumbPosition, Snap(PointToValue(point)));
  }
}

int TSliderModel::DragValue(const TIntPoint& point) const {
  return Snap(PointToValue(TIntPoint{point.x - dragOffset_.x, point.y - dragOffset_.y}));
}

void TSliderModel::BeginDrag(const TIntPoint& point, TSliderSink& sink) {
  tracking_ = true;
  dragOffset_ = TIntPoint{point.x - thumb_.left, point.y - thumb_.top};
  const int value = DragValue(point);
  sink.Notify(kSliderBeginTrack, value);
  sink.Notify(kSliderThumbTrack, value);
}

void TSliderModel::DragTo(const TIntPoint& point, TSliderSink& sink) const {
  if (tracking_) sink.Notify(kSliderThumbTrack, DragValue(point));
}

bool TSliderModel::EndDrag(const TIntPoint& point, TSliderSink& sink) {
  if (!tracking_) return false;
  tracking_ = false;
  sink.Notify(kSliderThumbPosition, DragValue(point));
  return true;
}

void TSliderModel::EndScroll(const TIntPoint& point, TSliderSink& sink) const {
  sink.Notify(kSliderEndScroll, DragValue(point));
}
