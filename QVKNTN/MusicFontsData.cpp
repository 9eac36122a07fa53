#include "QVKNTN/MusicFontsData.h"

#include <cstdio>

namespace {

// Default size of each text font: numerator and denominator of the base staff size, or a fixed
// point size when the denominator is 0.
struct FontDefault {
  int num;
  int den;
  unsigned char style;
};

constexpr FontDefault kDefaults[TMusicFontsData::kFontCount] = {
    {5, 8, 3},   // Staff Italic
    {1, 2, 1},   // Staff Bold
    {9, 20, 0},  // Staff Lyric
    {24, 0, 1},  // Page Title Text
    {12, 0, 0},  // Page Text
    {8, 0, 0},   // Page Small Text
    {1, 2, 0},   // User 1
    {1, 2, 0},   // User 2
    {1, 2, 0},   // User 3
    {1, 2, 0},   // User 4
    {1, 2, 0},   // User 5
    {1, 2, 0},   // User 6
};

constexpr const char* kDefaultFace = "Times New Roman";

}  // namespace

void TMusicFontsData::ResetDefaults(int staffSize) {
  staffSize_ = staffSize;
  for (int i = 0; i < kFontCount; ++i) {
    const FontDefault& d = kDefaults[i];
    Font& f = fonts_[i];
    SetFace(i, kDefaultFace);
    f.size = d.den ? staffSize * d.num / d.den : d.num;
    f.style = d.style;
    f.charset = 0;
  }
}

void TMusicFontsData::SetFace(int i, const char* face) {
  std::snprintf(fonts_[Clamp(i)].face, kFaceSize, "%s", face ? face : "");
}
