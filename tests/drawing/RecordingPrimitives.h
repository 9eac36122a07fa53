// A drawing device that records every glyph, line, curve and text the primitives hand it, with
// made-up measures that differ per glyph, digit and font so that a wrong glyph or font shows in the
// numbers. Drawing tests of the primitives and of staff layout share it.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicPrimitives.h"

constexpr int kRecordingOrigin = 300;

struct Drawn {
  enum Kind { kMusic, kText, kLine, kPolyline, kBezier, kEllipse, kRectangle } kind;
  int font;  // text font; -1 for the music font
  int x, y, x2, y2;
  std::string text;
  std::vector<MusicPoint> points;
  int color = 0;  // the colour selected when it was drawn
};

class RecordingPrimitives : public TMusicPrimitives {
public:
  explicit RecordingPrimitives(int spacing) {
    int widths[MusicGlyphs::kMeasuredGlyphs];
    for (int g = 0; g < MusicGlyphs::kMeasuredGlyphs; ++g) widths[g] = GlyphWidthAt(spacing, g);
    SetMetrics(spacing, widths);
    SetYOrigin(kRecordingOrigin);
  }
  static int GlyphWidthAt(int spacing, int glyph) { return spacing + 2 * glyph + 1; }
  static int DigitWidth(int spacing, char d) { return spacing / 2 + (d - '0'); }
  static MusicTextSize TextSize(int spacing, int font, const char* text) {
    return {static_cast<int>(std::strlen(text)) * (4 + font), spacing + 2 * font + 1};
  }

  std::vector<Drawn> Of(Drawn::Kind kind) const {
    std::vector<Drawn> out;
    for (const Drawn& d : drawn) {
      if (d.kind == kind) out.push_back(d);
    }
    return out;
  }
  std::vector<Drawn> drawn;

protected:
  int MeasureMusicText(const char* text) override {
    int w = 0;
    for (const char* p = text; *p; ++p) w += DigitWidth(GetSpacing(), *p);
    return w;
  }
  MusicTextSize MeasureText(int font, const char* text) override {
    return TextSize(GetSpacing(), font, text);
  }
  void MusicTextOut(int x, int baseline, const char* text, int length) override {
    drawn.push_back({Drawn::kMusic, -1, x, baseline, 0, 0,
                     length < 0 ? std::string(text) : std::string(text, length), {}});
    drawn.back().color = GetColorIndex();
  }
  void TopTextOut(int font, int x, int top, const char* text) override {
    drawn.push_back({Drawn::kText, font, x, top, 0, 0, text, {}});
    drawn.back().color = GetColorIndex();
  }
  void LineOut(int x1, int y1, int x2, int y2) override {
    drawn.push_back({Drawn::kLine, 0, x1, y1, x2, y2, {}, {}});
    drawn.back().color = GetColorIndex();
  }
  void PolylineOut(const MusicPoint* points, int count) override {
    drawn.push_back({Drawn::kPolyline, 0, 0, 0, 0, 0, {}, {points, points + count}});
    drawn.back().color = GetColorIndex();
  }
  void BezierOut(const MusicPoint* points, int count) override {
    drawn.push_back({Drawn::kBezier, 0, 0, 0, 0, 0, {}, {points, points + count}});
    drawn.back().color = GetColorIndex();
  }
  void EllipseOut(int left, int top, int right, int bottom) override {
    drawn.push_back({Drawn::kEllipse, 0, left, top, right, bottom, {}, {}});
    drawn.back().color = GetColorIndex();
  }
  void RectangleOut(int left, int top, int right, int bottom) override {
    drawn.push_back({Drawn::kRectangle, 0, left, top, right, bottom, {}, {}});
    drawn.back().color = GetColorIndex();
  }
};

