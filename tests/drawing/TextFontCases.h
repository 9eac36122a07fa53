// A score's text-font table with a few records changed from their defaults (a face and character
// set, a negative size, an italic user font), and the font each of the 12 records asks for at
// base staff size 16: face, points, bold, italic, character set.
#pragma once

#include "QVKNTN/MusicFontsData.h"

struct ExpectedTextFont {
  const char* face;
  int points;
  bool bold, italic;
  int charset;
};

constexpr int kGreekCharset = 161;

inline void ChangeSomeTextFonts(TMusicFontsData& data) {
  data.SetFace(4, "Arial");
  data.GetFont(4).charset = kGreekCharset;
  data.GetFont(5).size = -12;  // a negative size counts by its magnitude
  data.GetFont(7).style = 2;
}

constexpr ExpectedTextFont kChangedTextFonts[TMusicFontsData::kFontCount] = {
    {"Times New Roman", 10, true, true, 0},  {"Times New Roman", 8, true, false, 0},
    {"Times New Roman", 7, false, false, 0}, {"Times New Roman", 24, true, false, 0},
    {"Arial", 12, false, false, kGreekCharset}, {"Times New Roman", 12, false, false, 0},
    {"Times New Roman", 8, false, false, 0}, {"Times New Roman", 8, false, true, 0},
    {"Times New Roman", 8, false, false, 0}, {"Times New Roman", 8, false, false, 0},
    {"Times New Roman", 8, false, false, 0}, {"Times New Roman", 8, false, false, 0},
};

// The character height for a size in points: four spacings to the base size of 16, rounded.
constexpr int ExpectedTextHeight(int points, int spacing) { return -((points * 4 * spacing + 8) / 16); }
