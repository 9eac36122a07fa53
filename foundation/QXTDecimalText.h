// Real numbers as fixed-point text, computed exactly from the float's bits so that every build
// writes the same bytes whatever its C runtime does, and read back into a float.
#pragma once

#include <cstddef>

// Longest text QXTFormatFixed produces: a sign and the 39 integer digits of the largest float.
constexpr int kQXTFixedTextMax = 40;

// Writes value with the given number of decimals ("%01.*f" layout: a negative count means 6,
// halves are rounded away from zero) into out, terminated; answers the text length. When the
// text would exceed kQXTFixedTextMax characters (or outSize - 1), decimals are dropped first.
int QXTFormatFixed(float value, int digits, char* out, size_t outSize);

// Scans text as "%f" does (leading blanks, sign, digits, point, exponent, inf, nan) into the
// nearest float; answers false, with value 0, when nothing scans.
bool QXTScanFloat(const char* text, float& value);
