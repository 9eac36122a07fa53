#include "foundation/win32/TextFitting.h"

#include <cstring>
#include <vector>

#include "foundation/TextFitRules.h"

namespace {

constexpr char kEllipsis[] = "...";
constexpr int kEllipsisLength = 3;
constexpr int kMeasuredChars = 128;

int TextWidth(HDC dc, const char* text, int length) {
  SIZE size{};
  if (!GetTextExtentPoint32A(dc, text, length, &size)) return 0;
  return size.cx;
}

// Fonts made from a LOGFONT at different heights, measured on one context.
struct TGdiFontMaker {
  using Handle = HFONT;
  Handle Make(int height) {
    LOGFONTA lf = base;
    lf.lfHeight = height;
    return CreateFontIndirectA(&lf);
  }
  bool Fits(Handle font) const { return TextFitsWidth(dc, font, text, width); }
  void Delete(Handle font) { DeleteObject(font); }

  HDC dc;
  LOGFONTA base;
  const char* text;
  int width;
};

}  // namespace

void TruncateTextWithEllipsis(HDC dc, char* text, int width) {
  if (!text) return;
  const int length = static_cast<int>(std::strlen(text));
  if (length < kEllipsisLength) return;
  if (TextWidth(dc, text, length) < width) return;
  int table[kMeasuredChars];
  if (!GetCharWidthA(dc, 0, kMeasuredChars - 1, table)) return;
  // Characters from 128 up are measured one by one.
  std::vector<int> widths(static_cast<size_t>(length));
  for (int i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    int w = 0;
    widths[static_cast<size_t>(i)] = c < kMeasuredChars ? table[c] : (GetCharWidthA(dc, c, c, &w) ? w : 0);
  }
  const int cut = EllipsisCutIndex(widths.data(), length, width, table[static_cast<unsigned char>('.')]);
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
  TGdiFontMaker maker{dc, lf, text, width};
  return FitFontHeight(maker, lf.lfHeight);
}
