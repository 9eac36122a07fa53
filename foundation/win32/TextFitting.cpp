#include "foundation/win32/TextFitting.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr char kEllipsis[] = "...";
constexpr int kEllipsisLength = 3;
constexpr int kMeasuredChars = 128;
constexpr int kMinFittingHeight = 5;

int TextWidth(HDC dc, const char* text, int length) {
  SIZE size{};
  if (!GetTextExtentPoint32A(dc, text, length, &size)) return 0;
  return size.cx;
}

int CharWidth(HDC dc, const int (&widths)[kMeasuredChars], unsigned char c) {
  if (c < kMeasuredChars) return widths[c];
  int w = 0;
  return GetCharWidthA(dc, c, c, &w) ? w : 0;
}

}  // namespace

void TruncateTextWithEllipsis(HDC dc, char* text, int width) {
  if (!text) return;
  const int length = static_cast<int>(std::strlen(text));
  if (length < kEllipsisLength) return;
  if (TextWidth(dc, text, length) < width) return;
  int widths[kMeasuredChars];
  if (!GetCharWidthA(dc, 0, kMeasuredChars - 1, widths)) return;
  const int room = width - kEllipsisLength * widths[static_cast<unsigned char>('.')];
  int cut = 0;
  int sum = 0;
  while (cut < length - kEllipsisLength) {
    sum += CharWidth(dc, widths, static_cast<unsigned char>(text[cut]));
    if (sum >= room) break;
    ++cut;
  }
  std::memcpy(text + cut, kEllipsis, sizeof kEllipsis);
}

int PointsToPixels(HDC dc, int points) { return points * GetDeviceCaps(dc, LOGPIXELSY) / 72; }

bool TextFitsWidth(HDC dc, HFONT font, const char* text, int width) {
  HGDIOBJ old = SelectObject(dc, font);
  const int w = TextWidth(dc, text ? text : "", text ? static_cast<int>(std::strlen(text)) : 0);
  SelectObject(dc, old);
  return w < width;
}

HFONT CreateFittingFont(HDC dc, const LOGFONTA& lf, const char* text, int width) {
  LOGFONTA tried = lf;
  HFONT font = CreateFontIndirectA(&tried);
  while (font && !TextFitsWidth(dc, font, text, width) && std::abs(tried.lfHeight) >= kMinFittingHeight) {
    tried.lfHeight = tried.lfHeight * 3 / 4;
    HFONT smaller = CreateFontIndirectA(&tried);
    if (!smaller) break;
    DeleteObject(font);
    font = smaller;
  }
  return font;
}
