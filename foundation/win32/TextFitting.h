// Making a text fit a width: cutting it with "...", or shrinking its font.
#pragma once

#include <windows.h>

// Cuts the text in place so that it and a trailing "..." fit the width in the context's font.
// Texts of fewer than 3 characters and texts that fit already stay as they are.
void TruncateTextWithEllipsis(HDC dc, char* text, int width);
// Points at the context's vertical resolution.
int PointsToPixels(HDC dc, int points);
// Whether the text drawn in the font is strictly narrower than the width.
bool TextFitsWidth(HDC dc, HFONT font, const char* text, int width);
// A font from the LOGFONT whose height shrinks by a quarter until the text fits the width or the
// height gets below 5; answers the last font made (the caller owns it), null when none could be
// made. The fonts given up on on the way are deleted.
HFONT CreateFittingFont(HDC dc, const LOGFONTA& lf, const char* text, int width);
