// A drawing device that measures with made-up widths and only counts what is drawn: for the
// layout fuzz target and the layout benchmark, where no picture is wanted.
#pragma once

#include <cstring>

#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicPrimitives.h"

class CountingSurface : public TMusicPrimitives {
public:
  explicit CountingSurface(int spacing) {
    int widths[MusicGlyphs::kMeasuredGlyphs];
    for (int g = 0; g < MusicGlyphs::kMeasuredGlyphs; ++g) widths[g] = spacing / 2 + g % 7 + 1;
    SetMetrics(spacing, widths);
  }
  long long count = 0;

protected:
  int MeasureMusicText(const char* text) override { return 5 * static_cast<int>(std::strlen(text)); }
  MusicTextSize MeasureText(int font, const char* text) override {
    return {(4 + font) * static_cast<int>(std::strlen(text)), GetSpacing()};
  }
  void MusicTextOut(int, int, const char*, int) override { ++count; }
  void TopTextOut(int, int, int, const char*) override { ++count; }
  void LineOut(int, int, int, int) override { ++count; }
  void PolylineOut(const MusicPoint*, int) override { ++count; }
  void BezierOut(const MusicPoint*, int) override { ++count; }
  void EllipseOut(int, int, int, int) override { ++count; }
  void RectangleOut(int, int, int, int) override { ++count; }
};
