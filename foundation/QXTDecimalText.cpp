#include "foundation/QXTDecimalText.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Decimal digits of an exact binary fraction, least significant first. A float is m * 2^e with
// m < 2^24 and -149 <= e <= 104, so m * 5^149 (113 digits) and m * 2^104 (39 digits) both fit.
constexpr int kMaxDigits = 128;

struct TExactDecimal {
  unsigned char digit[kMaxDigits];
  int count;     // significant digits held (at least 1)
  int fraction;  // how many of them lie after the decimal point
};

void MultiplySmall(TExactDecimal& d, unsigned factor) {
  unsigned carry = 0;
  for (int i = 0; i < d.count; ++i) {
    unsigned v = d.digit[i] * factor + carry;
    d.digit[i] = static_cast<unsigned char>(v % 10);
    carry = v / 10;
  }
  while (carry != 0 && d.count < kMaxDigits) {
    d.digit[d.count++] = static_cast<unsigned char>(carry % 10);
    carry /= 10;
  }
}

// value = mantissa * 2^exponent, exactly.
TExactDecimal ExactDecimal(uint32_t mantissa, int exponent) {
  TExactDecimal d{};
  d.count = 0;
  do {
    d.digit[d.count++] = static_cast<unsigned char>(mantissa % 10);
    mantissa /= 10;
  } while (mantissa != 0);
  d.fraction = 0;
  for (; exponent > 0; --exponent) MultiplySmall(d, 2);
  // m * 2^-k = m * 5^k / 10^k
  for (; exponent < 0; ++exponent) {
    MultiplySmall(d, 5);
    ++d.fraction;
  }
  return d;
}

int DigitAt(const TExactDecimal& d, int index) {  // index 0 = lowest held digit
  return index >= 0 && index < d.count ? d.digit[index] : 0;
}

// Writes the exact value rounded to `decimals` places; answers the length, or -1 if it would
// not fit in limit characters.
int RenderFixed(const TExactDecimal& exact, bool negative, int decimals, char* out, int limit) {
  // Work on a copy scaled to exactly `decimals` fractional digits.
  unsigned char digits[kMaxDigits + 2];
  int count = 0;
  int drop = exact.fraction - decimals;
  bool roundUp = false;
  if (drop > 0) {
    roundUp = DigitAt(exact, drop - 1) >= 5;  // the exact tail decides: ties go away from zero
    for (int i = drop; i < exact.count; ++i) digits[count++] = exact.digit[i];
  } else {
    // Trailing zeros for the decimals the exact value does not have; they are emitted below.
    for (int i = 0; i < exact.count; ++i) digits[count++] = exact.digit[i];
  }
  if (count == 0) digits[count++] = 0;
  if (roundUp) {
    int i = 0;
    while (i < count && digits[i] == 9) digits[i++] = 0;
    if (i == count) digits[count++] = 1;
    else ++digits[i];
  }
  int padding = drop < 0 ? -drop : 0;       // zeros after the held fractional digits
  int heldFraction = drop > 0 ? decimals : exact.fraction;
  int integerDigits = count - heldFraction;
  if (integerDigits < 1) integerDigits = 1;  // "0.xx"
  int length = (negative ? 1 : 0) + integerDigits + (decimals > 0 ? 1 + decimals : 0);
  if (length > limit) return -1;

  int pos = 0;
  if (negative) out[pos++] = '-';
  for (int i = integerDigits - 1; i >= 0; --i) {
    int index = i + heldFraction;
    out[pos++] = static_cast<char>('0' + (index < count ? digits[index] : 0));
  }
  if (decimals > 0) {
    out[pos++] = '.';
    for (int i = heldFraction - 1; i >= 0; --i)
      out[pos++] = static_cast<char>('0' + (i < count ? digits[i] : 0));
    for (int i = 0; i < padding; ++i) out[pos++] = '0';
  }
  out[pos] = '\0';
  return pos;
}

int CopyText(const char* text, char* out, size_t outSize) {
  size_t n = std::strlen(text);
  if (n >= outSize) n = outSize - 1;
  std::memcpy(out, text, n);
  out[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace

int QXTFormatFixed(float value, int digits, char* out, size_t outSize) {
  if (out == nullptr || outSize == 0) return 0;
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  bool negative = (bits >> 31) != 0;
  int biased = static_cast<int>((bits >> 23) & 0xFF);
  uint32_t fractionBits = bits & 0x7FFFFF;
  if (biased == 0xFF) {
    if (fractionBits != 0) return CopyText("nan", out, outSize);
    return CopyText(negative ? "-inf" : "inf", out, outSize);
  }
  uint32_t mantissa = biased == 0 ? fractionBits : (fractionBits | 0x800000);
  int exponent = (biased == 0 ? 1 : biased) - 150;
  TExactDecimal exact = ExactDecimal(mantissa, exponent);

  if (digits < 0) digits = 6;  // what printf does with a negative "*" precision
  int limit = kQXTFixedTextMax;
  if (static_cast<size_t>(limit) > outSize - 1) limit = static_cast<int>(outSize - 1);
  if (digits > limit) digits = limit;
  for (int d = digits; d >= 0; --d) {
    int length = RenderFixed(exact, negative, d, out, limit);
    if (length >= 0) return length;
  }
  out[0] = '\0';  // only when outSize cannot hold the integer part
  return 0;
}

bool QXTScanFloat(const char* text, float& value) {
  value = 0.0f;
  if (text == nullptr) return false;
  char* end = nullptr;
  float scanned = std::strtof(text, &end);
  if (end == text) return false;
  value = scanned;
  return true;
}
