#include "foundation/EditValueRules.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "foundation/NumberUtils.h"
#include "foundation/TextUtils.h"

int32_t ClampNumber(int64_t value, int32_t minimum, int32_t maximum) {
  if (value > maximum) value = maximum;
  if (value < minimum) value = minimum;
  return static_cast<int32_t>(value);
}

float ClampReal(float value, float minimum, float maximum) {
  if (value > maximum) return maximum;
  if (value < minimum) return minimum;
  return value;
}

int32_t StepNumber(int32_t value, int32_t minimum, int32_t maximum, int32_t step, int direction, bool allowEmpty) {
  if (allowEmpty && value == kEmptyNumberValue) return ClampNumber(minimum, minimum, maximum);
  if (step < 1) step = 1;
  const int64_t v = value;
  const int64_t r = v % step;  // truncated toward zero, as C does
  const int64_t base = v - r;
  int64_t next = base + static_cast<int64_t>(direction) * step;
  if (r > 0 && direction < 1) next = base;
  return ClampNumber(next, minimum, maximum);
}

float StepReal(float value, float minimum, float maximum, float step, int direction) {
  const float r = RoundToDecimals(value, 1);
  const float n = r + static_cast<float>(direction) * step;
  float result = r;
  if (value == r || (direction > 0 && r < value) || (direction < 0 && r > value)) result = n;
  return ClampReal(result, minimum, maximum);
}

TTypedChar NumberEditChar(unsigned char c) {
  if (c < 0x20 || c == '+' || c == '-' || IsDigitChar(static_cast<char>(c))) return TTypedChar::Pass;
  return TTypedChar::Drop;
}

// Whether the text holds the character somewhere the selection does not cover.
static bool HoldsOutsideSelection(const char* text, char c, int selStart, int selEnd) {
  if (!text) return false;
  for (int i = 0; text[i]; ++i) {
    if (text[i] == c && (i < selStart || i >= selEnd)) return true;
  }
  return false;
}

TTypedChar RealEditChar(unsigned char c, const char* text, int selStart, int selEnd, float minimum) {
  // Control characters carry the edit's own commands (copy, paste, undo) besides the line keys.
  if (c < 0x20 || IsDigitChar(static_cast<char>(c))) return TTypedChar::Pass;
  if (c == '.') return HoldsOutsideSelection(text, '.', selStart, selEnd) ? TTypedChar::Beep : TTypedChar::Pass;
  if (c == '-' && minimum < 0.0f && selStart == 0 && !HoldsOutsideSelection(text, '-', selStart, selEnd)) {
    return TTypedChar::Pass;
  }
  return TTypedChar::Beep;
}

int32_t ReadNumberText(const char* text) {
  if (!text || !*text) return kEmptyNumberValue;
  char head[12] = {};
  std::strncpy(head, text, 11);
  errno = 0;
  const long long v = std::strtoll(head, nullptr, 10);
  return ClampNumber(v, INT32_MIN, INT32_MAX);
}

float ReadRealText(const char* text) {
  if (!text) return 0.0f;
  char head[20] = {};
  std::strncpy(head, text, 19);
  return std::strtof(head, nullptr);
}

void FormatNumberText(char* buffer, size_t size, int32_t value) {
  if (!buffer || size == 0) return;
  std::snprintf(buffer, size, "%d", static_cast<int>(value));
}

void FormatRealText(char* buffer, size_t size, float value, int decimals) {
  if (!buffer || size == 0) return;
  if (decimals < 0) decimals = 0;
  if (decimals > 9) decimals = 9;
  std::snprintf(buffer, size, "%01.*f", decimals, static_cast<double>(value));
}

bool IsNumberTextInRange(const char* text, int32_t minimum, int32_t maximum, bool allowEmpty) {
  if (!text || !*text) return allowEmpty;
  if (!IsNumberText(text, false)) return false;
  errno = 0;
  const long long v = std::strtoll(text, nullptr, 10);
  if (errno == ERANGE) return false;
  return v >= minimum && v <= maximum;
}

bool IsRealTextInRange(const char* text, float minimum, float maximum) {
  if (!text || !IsNumberText(text, true)) return false;
  const double v = std::strtod(text, nullptr);
  return std::isfinite(v) && v >= minimum && v <= maximum;
}

bool IsSmallPowerOfTwo(int32_t value) {
  return value == 2 || value == 4 || value == 8 || value == 16 || value == 32 || value == 64;
}

TIntRect SpinButtonPlace(const TIntRect& buddy, int borderX, int borderY) {
  TIntRect r;
  r.left = buddy.right + 3 * borderX;
  r.top = buddy.top - borderY;
  r.right = r.left + 3 * borderX + 10;
  int h = buddy.Height() + borderY;
  if (h % 2 == 0) ++h;
  r.bottom = r.top + h;
  return r;
}

int SpinHalfAt(int clientWidth, int clientHeight, TIntPoint p) {
  const int half = clientHeight / 2;
  const TIntRect lower{0, half + 1, clientWidth, clientHeight};
  const TIntRect upper{0, 0, clientWidth, half};
  if (lower.Contains(p)) return -1;
  if (upper.Contains(p)) return 1;
  return 0;
}
