#include "QVKNTN/MusicPrimitives.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "QVKNTN/MusicDrawingMath.h"

namespace M = MusicDrawingMath;
using namespace MusicGlyphs;

void TMusicPrimitives::SetMetrics(int spacing, const int (&glyphWidths)[kMeasuredGlyphs]) {
  spacing_ = spacing;
  pen_ = M::PenThickness(spacing);
  std::copy(std::begin(glyphWidths), std::end(glyphWidths), glyphWidths_);
  accidentalWidth_ = GetGlyphWidth(kDoubleSharp) * 5 / 4;
}

int TMusicPrimitives::GetGlyphWidth(int glyph) const {
  return glyph >= 0 && glyph < kMeasuredGlyphs ? glyphWidths_[glyph] : 0;
}

int TMusicPrimitives::PositionToY(int position) const {
  return M::PositionToY(yOrigin_, position, spacing_);
}

// ---- glyphs --------------------------------------------------------------------------------------

int TMusicPrimitives::DrawGlyphAtY(int glyph, int x, int y) {
  if (glyph < 0 || glyph >= kMeasuredGlyphs) return 0;
  char ch = GlyphChar(glyph);
  MusicTextOut(x, y + GlyphNudge(glyph, spacing_, pen_), &ch, 1);
  return GetGlyphWidth(glyph);
}

int TMusicPrimitives::DrawGlyph(int glyph, int x, int position) {
  return DrawGlyphAtY(glyph, x, PositionToY(position));
}

int TMusicPrimitives::DrawClef(int x, int clef, int octaveShift) {
  const ClefPlacement& c = ClefPlacementOf(clef);
  int width = DrawGlyph(c.glyph, x, c.position);
  if (octaveShift == 1 || octaveShift == 2) {
    int sign = GetGlyphWidth(kClefOctave);
    DrawGlyph(kClefOctave, x + (width - sign) / 2,
              octaveShift == 1 ? c.octaveUpPosition : c.octaveDownPosition);
  }
  return width;
}

namespace {

struct TimeSigNumbers {
  char numerator[16];
  char denominator[16];
  TimeSigNumbers(int n, int d) {
    std::snprintf(numerator, sizeof numerator, "%d", n);
    std::snprintf(denominator, sizeof denominator, "%d", d);
  }
};

bool IsSymbolStyle(int style) { return style == 1 || style == 2; }

}  // namespace

int TMusicPrimitives::GetTimeSigWidth(int style, int numerator, int denominator) {
  if (IsSymbolStyle(style)) return GetGlyphWidth(kCommonTime);
  TimeSigNumbers text(numerator, denominator);
  return std::max(MeasureMusicText(text.numerator), MeasureMusicText(text.denominator));
}

void TMusicPrimitives::DrawTimeSig(int style, int numerator, int denominator, int x) {
  if (IsSymbolStyle(style)) {
    DrawGlyph(style == 1 ? kCommonTime : kCutTime, x, 2);
    return;
  }
  int width = GetTimeSigWidth(style, numerator, denominator);
  TimeSigNumbers text(numerator, denominator);
  MusicTextOut(x + (width - MeasureMusicText(text.numerator)) / 2, yOrigin_, text.numerator, -1);
  MusicTextOut(x + (width - MeasureMusicText(text.denominator)) / 2, yOrigin_ + 2 * spacing_,
               text.denominator, -1);
}

void TMusicPrimitives::DrawLegerLines(int x, int position, int width) {
  int lines[64];
  int n = M::LegerLinePositions(position, lines, 64);
  for (int i = 0; i < n; ++i) {
    int y = PositionToY(lines[i]);
    DrawLine(x, y, x + width, y);
  }
}

int TMusicPrimitives::DrawStemUp(int x, int position, bool grace, int flags, int* sharedEnd) {
  return DrawStem(x, position, grace, flags, sharedEnd, true);
}

int TMusicPrimitives::DrawStemDown(int x, int position, bool grace, int flags, int* sharedEnd) {
  return DrawStem(x, position, grace, flags, sharedEnd, false);
}

int TMusicPrimitives::DrawStem(int x, int position, bool grace, int flags, int* sharedEnd, bool up) {
  int head = GetGlyphWidth(grace ? kGraceHead : kFilledHead);
  int stemX = up ? M::UpStemX(x, head, pen_) : M::DownStemX(x, pen_);
  int length = M::StemLength(grace, flags);
  int endY = PositionToY(up ? M::UpStemEnd(position, length) : M::DownStemEnd(position, length));
  if (sharedEnd && *sharedEnd != INT_MIN) endY = *sharedEnd;
  if (sharedEnd) *sharedEnd = endY;
  DrawThickLine(stemX, PositionToY(position), stemX, endY);
  // Flags stack from the stem end toward the head, their left edge on the stem's.
  int flag = up ? (grace ? kGraceFlagUpStem : kFlagUpStem) : (grace ? kGraceFlagDownStem : kFlagDownStem);
  int step = (up ? 1 : -1) * M::FlagStep(grace) * spacing_ / 2;
  for (int k = 0; k < flags; ++k) DrawGlyphAtY(flag, stemX - pen_ / 2, endY + k * step);
  return up && flags > 0 ? head + GetGlyphWidth(flag) : head;
}

// ---- lines ---------------------------------------------------------------------------------------

void TMusicPrimitives::DrawVLine(int x, int y1, int y2) { DrawLine(x, y1, x, y2); }

void TMusicPrimitives::DrawLine(int x1, int y1, int x2, int y2) { LineOut(x1, y1, x2, y2); }

void TMusicPrimitives::DrawThickLine(int x1, int y1, int x2, int y2) {
  // pen-thick: parallel one-unit lines, offset across the line's main direction, centred.
  bool steep = std::abs(y2 - y1) >= std::abs(x2 - x1);
  for (int k = 0; k < pen_; ++k) {
    int d = k - pen_ / 2;
    if (steep) DrawLine(x1 + d, y1, x2 + d, y2);
    else DrawLine(x1, y1 + d, x2, y2 + d);
  }
}

void TMusicPrimitives::DrawBar(int n, int x, int y1, int y2) {
  for (int k = 0; k < n; ++k) DrawVLine(x + k, y1, y2);
}

void TMusicPrimitives::DrawStaffLines(int x1, int x2, int lines, bool endBars) {
  for (int k = 0; k < lines; ++k) {
    int y = yOrigin_ + (2 * k - (lines - 1)) * (spacing_ / 2);
    DrawLine(x1, y, x2, y);
  }
  if (endBars) {
    DrawVLine(x1, yOrigin_ - 2 * spacing_, yOrigin_ + 2 * spacing_);
    DrawVLine(x2, yOrigin_ - 2 * spacing_, yOrigin_ + 2 * spacing_);
  }
}

void TMusicPrimitives::DrawBeamLines(int x1, int y1, int x2, int y2, int direction, bool grace, int count) {
  for (int beam = 0; beam < count; ++beam) {
    M::BeamBand band = M::BeamOffsets(beam, direction, grace, spacing_);
    int step = band.to >= band.from ? 1 : -1;
    for (int f = band.from;; f += step) {
      DrawLine(x1, y1 + f, x2, y2 + f);
      if (f == band.to) break;
    }
  }
}

void TMusicPrimitives::DrawArc(int x1, int x2, int y, int direction, int height) {
  if (x2 <= x1) return;
  // A flattened half-ellipse, drawn 2 x pen times one unit apart: the ends meet, the middle is
  // thick, as an engraved tie or slur.
  constexpr int kSegments = 16;
  int sign = direction < 0 ? -1 : 1;
  for (int k = 0; k < 2 * pen_; ++k) {
    MusicPoint points[kSegments + 1];
    int rise = std::max(1, height - k);
    for (int i = 0; i <= kSegments; ++i) {
      double t = double(i) / kSegments;
      points[i].x = x1 + static_cast<int>((x2 - x1) * t + 0.5);
      points[i].y = y + sign * static_cast<int>(rise * 4 * t * (1 - t) + 0.5);
    }
    PolylineOut(points, kSegments + 1);
  }
}

void TMusicPrimitives::DrawTieArc(int x1, int x2, int y, int direction) {
  DrawArc(x1, x2, y, direction, M::ArcHeight(x2 - x1, GetGlyphWidth(kFilledHead), spacing_));
}

void TMusicPrimitives::DrawSlurArc(int x1, int x2, int y, int direction) {
  DrawArc(x1, x2, y, direction,
          M::ArcHeight(x2 - x1, GetGlyphWidth(kFilledHead), spacing_) + spacing_ / 3);
}

void TMusicPrimitives::DrawTripletBracket(int x1, int x2, int y, int direction, bool numberOnly) {
  DrawTripletBracket(x1, y, x2, y, direction, numberOnly);
}

void TMusicPrimitives::DrawTripletBracket(int x1, int y1, int x2, int y2, int direction, bool numberOnly) {
  MusicTextSize size = MeasureText(0, "3");
  const int mid = (x1 + x2) / 2;
  // The line's y at x (a vertical bracket has one y).
  auto at = [&](int x) {
    return x2 == x1 ? y1 : y1 + static_cast<int>(static_cast<long long>(y2 - y1) * (x - x1) / (x2 - x1));
  };
  TopTextOut(0, mid - size.cx / 2, at(mid) - size.cy / 2, "3");
  if (numberOnly) return;
  int gap = size.cx / 2 + spacing_ / 3;
  int hook = (direction < 0 ? 1 : -1) * (spacing_ / 2);
  DrawLine(x1, y1 + hook, x1, y1);
  DrawLine(x1, y1, mid - gap, at(mid - gap));
  DrawLine(mid + gap, at(mid + gap), x2, y2);
  DrawLine(x2, y2, x2, y2 + hook);
}

// ---- text ----------------------------------------------------------------------------------------

int TMusicPrimitives::GetTextWidth(int font, const char* text) {
  if (!text || !*text) return 0;
  return MeasureText(font, text).cx;
}

int TMusicPrimitives::DrawText(int font, int x, int position, const char* text) {
  if (!text || !*text) return 0;
  MusicTextSize size = MeasureText(font, text);
  TopTextOut(font, x, PositionToY(position) - size.cy / 2, text);
  return size.cx;
}

int TMusicPrimitives::GetTempoLabelWidth(const char* text, int base, int tempo) {
  M::TempoLabelText label = M::MakeTempoLabelText(text, base, tempo);
  return GetTextWidth(1, label.before.c_str()) + GetGlyphWidth(label.glyph) +
         GetTextWidth(1, label.after.c_str());
}

int TMusicPrimitives::DrawTempoLabel(const char* text, int base, int tempo, int x, int position) {
  M::TempoLabelText label = M::MakeTempoLabelText(text, base, tempo);
  int start = x;
  x += DrawText(1, x, position, label.before.c_str());
  x += DrawGlyph(label.glyph, x, position);
  x += DrawText(1, x, position, label.after.c_str());
  return x - start;
}

int TMusicPrimitives::DrawBoxedNumber(int x, int position, int kind, int n) {
  char number[16];
  std::snprintf(number, sizeof number, "%d", n);
  MusicTextSize size = MeasureText(1, number);
  bool framed = kind == 2 || kind == 3;
  int margin = framed ? spacing_ / 3 + pen_ : 0;
  int y = PositionToY(position);
  TopTextOut(1, x + margin, y - size.cy / 2, number);
  if (!framed) return size.cx;
  int left = x, top = y - size.cy / 2 - margin;
  int right = x + size.cx + 2 * margin + 1, bottom = y + size.cy / 2 + margin + 1;
  if (kind == 2) EllipseOut(left, top, right, bottom);
  else RectangleOut(left, top, right, bottom);
  return size.cx + 2 * margin;
}

// ---- bar lines and brace -------------------------------------------------------------------------

int TMusicPrimitives::GetBarLineWidth(int type) {
  return M::BarLineWidth(type, spacing_, pen_, GetGlyphWidth(kRepeatDots));
}

void TMusicPrimitives::DrawBarLine(int x, int type, int y1, int y2) {
  const int p = pen_, thick = 2 * spacing_ / 3, dots = GetGlyphWidth(kRepeatDots);
  auto repeatDots = [&](int dx) { DrawGlyphAtY(kRepeatDots, x + dx, (y1 + y2) / 2); };
  switch (type) {
    case 1:  // double: two thin lines
      DrawBar(p, x, y1, y2);
      DrawBar(p, x + 3 * p, y1, y2);
      break;
    case 2:  // section open: thick, then thin
      DrawBar(thick, x, y1, y2);
      DrawBar(p, x + thick + 2 * p, y1, y2);
      break;
    case 3:  // section close: thin, then thick
      DrawBar(p, x, y1, y2);
      DrawBar(thick, x + 3 * p, y1, y2);
      break;
    case 4:  // local repeat open: two thin lines, then the dots
      DrawBar(p, x, y1, y2);
      DrawBar(p, x + 2 * p, y1, y2);
      repeatDots(4 * p);
      break;
    case 5:  // local repeat close: the dots, then two thin lines
      repeatDots(p);
      DrawBar(p, x + dots + 3 * p, y1, y2);
      DrawBar(p, x + dots + 5 * p, y1, y2);
      break;
    case 6:  // master repeat open: thick, thin, dots
      DrawBar(thick, x, y1, y2);
      DrawBar(p, x + thick + 2 * p, y1, y2);
      repeatDots(thick + 4 * p);
      break;
    case 7:  // master repeat close: dots, thin, thick
      repeatDots(p);
      DrawBar(p, x + dots + 2 * p, y1, y2);
      DrawBar(thick, x + dots + 4 * p, y1, y2);
      break;
    case 9:  // the dots alone, where a repeat close meets a repeat open
      repeatDots(p);
      break;
    case 10: {  // a wedge of two lines
      int mid = (y1 + y2) / 2;
      DrawLine(x, y1, x + 2 * spacing_, mid);
      DrawLine(x, y2, x + 2 * spacing_, mid);
      break;
    }
    default:  // single
      DrawBar(p, x, y1, y2);
      break;
  }
}

void TMusicPrimitives::DrawBrace(int x, int y1, int y2) {
  if (y2 <= y1) return;
  // Two mirrored curves meeting in a point at the left, each thickest in its middle: the same
  // Bezier drawn several times with its bulging control points moved one unit at a time.
  const int s = spacing_, mid = (y1 + y2) / 2, right = x + 2 * s;
  const int thickness = std::max(1, s / 3);
  for (int k = 0; k <= thickness; ++k) {
    MusicPoint upper[4] = {{right, y1}, {x + s / 2 + k, y1 + (mid - y1) / 6},
                           {x + 2 * s - k, mid - (mid - y1) / 3}, {x, mid}};
    MusicPoint lower[4] = {{x, mid}, {x + 2 * s - k, mid + (y2 - mid) / 3},
                           {x + s / 2 + k, y2 - (y2 - mid) / 6}, {right, y2}};
    BezierOut(upper, 4);
    BezierOut(lower, 4);
  }
}
