#include "QVKNTN/RestNote.h"
#include "QVKNTN/EditorLine.h"

TRestNote::TRestNote(int type, int durationCode) : TSongNote(type) { SetDuration(durationCode); }

namespace {
// Where the earlier line's rest glyphs sit, by duration class, before the vertical offset.
constexpr int kEarlierRestPositions[kShortestDurationCode + 1] = {-2, 0, 0, -1, 1, 1, 3};
constexpr int kEarlierRestReach = 2;
}  // namespace

int TRestNote::GetPosition() const {
  if (kEarlierLine) return GetVerticalOffset() + kEarlierRestPositions[GetDrawClass()];
  return GetVerticalOffset() - (GetDurationCode() == 0 ? 1 : 0);
}

int TRestNote::GetLowPosition() const {
  const int p = GetPosition();
  if (kEarlierLine) return p - kEarlierRestReach;
  switch (GetDurationCode()) {
    case 0:
    case 1: return p - 2;
    case 2: return p - 4;
    case 3:
    case 4: return p - 3;
    case 5:
    case 6: return p - 5;
    default: return p - 1;
  }
}

int TRestNote::GetHighPosition() const {
  const int p = GetPosition();
  if (kEarlierLine) return p + kEarlierRestReach;
  switch (GetDurationCode()) {
    case 2: return p + 4;
    case 3: return p + 3;
    case 4:
    case 5: return p + 5;
    case 6: return p + 7;
    default: return p + 1;
  }
}

int32_t TRestNote::GetDuration() const {
  return fHasExplicitLength ? fExplicitLength : TSongNote::GetDuration();
}

void TRestNote::SetExplicitLength(int count, int code) {
  // Far more whole notes than any bar holds, and still no overflow of the tick count.
  constexpr int kMaxCount = 65535;
  const int c = (code >= 0 && code <= kShortestDurationCode) ? code : 0;
  const int n = count < 0 ? 0 : (count > kMaxCount ? kMaxCount : count);
  SetExplicitTicks(int32_t(n) * (kWholeNoteTicks >> c));
}

void TRestNote::SetExplicitTicks(int32_t ticks) {
  fExplicitLength = ticks < 0 ? 0 : ticks;
  fHasExplicitLength = true;
}

int TRestNote::GetVerticalOffset() const {
  const int v = fOffsetWord & 0x0FFF;
  return v >= 0x800 ? v - 0x1000 : v;
}

void TRestNote::SetVerticalOffset(int offset) {
  const int v = offset < -2048 ? -2048 : (offset > 2047 ? 2047 : offset);
  fOffsetWord = uint16_t((fOffsetWord & 0xF000) | (v & 0x0FFF));
}
