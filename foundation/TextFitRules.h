// Fitting a text to a width, apart from the device: where a text is cut for its "...", and how
// a font is shrunk until the text fits.
#pragma once

#include <cstdlib>

// The number of characters kept before "..." when the text does not fit: the widths are summed
// from the start until the sum reaches width - 3 dots, and at most length - 3 characters stay.
int EllipsisCutIndex(const int* charWidths, int length, int width, int dotWidth);

constexpr int kMinFittingFontHeight = 5;

// Shrinks a font by quarters of its height until the text fits or the height's magnitude is
// below 5, and answers the last font made. Every font given up on is deleted. The maker has
// Handle, Make(height) (null Handle on failure), Fits(Handle) and Delete(Handle).
template <class TMaker>
typename TMaker::Handle FitFontHeight(TMaker& maker, int height) {
  typename TMaker::Handle font = maker.Make(height);
  while (font && !maker.Fits(font) && std::abs(height) >= kMinFittingFontHeight) {
    height = height * 3 / 4;
    typename TMaker::Handle smaller = maker.Make(height);
    if (!smaller) break;
    maker.Delete(font);
    font = smaller;
  }
  return font;
}
