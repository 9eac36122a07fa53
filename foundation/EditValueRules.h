// The rules of the number edits and their spin button that need no window: stepping, clamping,
// which typed characters an edit takes, validity of the text, and where the spin button sits
// and which of its halves a point falls on.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/PlainGeometry.h"

// The value of an empty number edit that allows being empty.
constexpr int32_t kEmptyNumberValue = static_cast<int32_t>(0x80000002u);

// Clamped first to the maximum, then to the minimum (a minimum above the maximum wins).
int32_t ClampNumber(int64_t value, int32_t minimum, int32_t maximum);
float ClampReal(float value, float minimum, float maximum);

// The next value of an integer edit one step in the direction (+1 or -1), clamped: stepping
// down from between two grid points lands on the grid point below; an empty value steps to the
// minimum. A step below 1 counts as 1.
int32_t StepNumber(int32_t value, int32_t minimum, int32_t maximum, int32_t step, int direction, bool allowEmpty);
// The next value of a real edit: the value rounded to one decimal, moved by the step unless the
// rounding itself already moved it the wanted way; clamped.
float StepReal(float value, float minimum, float maximum, float step, int direction);

// What a number edit does with a typed character.
enum class TTypedChar { Pass, Drop, Beep };
TTypedChar NumberEditChar(unsigned char c);
// The real edit: control characters and digits pass; '.' unless the text already holds one
// outside the selection [selStart, selEnd); '-' only where the minimum is negative, at the start
// and when no '-' stays outside the selection; everything else beeps.
TTypedChar RealEditChar(unsigned char c, const char* text, int selStart, int selEnd, float minimum);

// The integer of a number edit's text (read at most 11 characters); empty text is the empty value.
int32_t ReadNumberText(const char* text);
float ReadRealText(const char* text);
// The texts the edits show: "%d", and "%01.*f" with the decimals (0 to 9), always terminated.
void FormatNumberText(char* buffer, size_t size, int32_t value);
void FormatRealText(char* buffer, size_t size, float value, int decimals);

// Validity of a text as the edits judge it on OK.
bool IsNumberTextInRange(const char* text, int32_t minimum, int32_t maximum, bool allowEmpty);
bool IsRealTextInRange(const char* text, float minimum, float maximum);
bool IsSmallPowerOfTwo(int32_t value);  // 2, 4, 8, 16, 32 or 64

// The spin button beside its buddy edit (both in the parent's client coordinates), with the
// system's border sizes.
TIntRect SpinButtonPlace(const TIntRect& buddy, int borderX, int borderY);
// +1 on the upper half, -1 on the lower half (one pixel below the middle), 0 elsewhere.
int SpinHalfAt(int clientWidth, int clientHeight, TIntPoint p);
