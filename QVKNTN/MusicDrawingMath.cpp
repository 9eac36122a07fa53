#include "QVKNTN/MusicDrawingMath.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "QVKNTN/MusicGlyphs.h"

namespace MusicDrawingMath {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(a) * b;
  bool negative = (product < 0) != (c < 0);
  std::int64_t magnitude = (std::llabs(product) + std::llabs(static_cast<std::int64_t>(c)) / 2) /
                           std::llabs(static_cast<std::int64_t>(c));
  std::int64_t result = negative ? -magnitude : magnitude;
  if (result > INT32_MAX || result < INT32_MIN) return -1;
  return static_cast<int>(result);
}

int EvenSpacing(int spacing) {
  if (spacing % 2 != 0) ++spacing;
  return spacing < 2 ? 2 : spacing;
}

int ScreenSpacing(int staffSize) { return EvenSpacing(staffSize); }

int DeviceSpacing(int verticalDpi, int baseStaffSize) {
  return EvenSpacing(MulDiv(verticalDpi, baseStaffSize, 288));
}

int LyricLineHeight(int lyricFontSize, int baseStaffSize) {
  return MulDiv(lyricFontSize, 8, baseStaffSize);
}

int TextFontHeight(int fontSize, int spacing, int baseStaffSize) {
  // A size read from a score may be any 32-bit value; the most negative one has no magnitude in int.
  int magnitude = fontSize == INT32_MIN ? INT32_MAX : std::abs(fontSize);
  return -MulDiv(magnitude, 4 * spacing, baseStaffSize);
}

int LegerLinePositions(int position, int* out, int room) {
  int count = 0;
  int step = position < 0 ? -2 : 2;
  for (int line = 6 * (position < 0 ? -1 : 1);
       (step > 0 ? line <= position : line >= position) && count < room; line += step) {
    out[count++] = line;
  }
  return count;
}

BeamBand BeamOffsets(int beam, int direction, bool grace, int spacing) {
  int pitch = grace ? spacing / 2 : spacing;
  int thickness = grace ? spacing / 4 : spacing / 2;
  if (thickness < 1) thickness = 1;
  int sign = direction < 0 ? -1 : 1;
  return {sign * (beam * pitch + 1), sign * (beam * pitch + thickness)};
}

int ArcHeight(int span, int headWidth, int spacing) {
  int base = 2 * spacing / 3;
  if (base < 2) base = 2;
  int heads = headWidth > 0 ? span / headWidth : 0;
  if (heads > 14) return base * 11 / 6;
  if (heads > 9) return base * 3 / 2;
  if (heads > 4) return base * 4 / 3;
  return base;
}

int BarLineWidth(int type, int spacing, int pen, int repeatDotsWidth) {
  int thick = 2 * spacing / 3;
  switch (type) {
    case 1:
      return 4 * pen;
    case 2:
    case 3:
      return thick + 3 * pen;
    case 4:
    case 5:
      return repeatDotsWidth + 6 * pen;
    case 6:
    case 7:
      return repeatDotsWidth + thick + 5 * pen;
    case 9:
      return 2 * pen + repeatDotsWidth;
    case 10:
      return 2 * spacing;
    default:
      return pen;
  }
}

TempoLabelText MakeTempoLabelText(const char* text, int base, int tempo) {
  if (base < 0 || base > 5) base = 2;  // an unknown base shows as a quarter
  bool hasText = text && *text;
  TempoLabelText label;
  if (hasText) label.before = std::string(text) + " (";
  label.glyph = MusicGlyphs::kTempoEighth + base / 2;
  char number[16];
  std::snprintf(number, sizeof number, "%d", tempo);
  label.after = std::string(base % 2 == 1 ? "." : "") + "=" + number + (hasText ? ")" : "");
  return label;
}

}  // namespace MusicDrawingMath
