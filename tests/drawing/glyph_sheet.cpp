// Draws every music glyph and every drawing primitive through GDI onto one sheet and writes it as a
// PNG, for people to look at: glyphs on staves at the positions the notation draws them, clefs,
// signatures, stems and flags, beams, arcs, bar lines, brace, text and the eight staff colours.
//
//   glyph_sheet OUT.png [STAFF_SIZE]
#include <windows.h>
#include <zlib.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/win32/MusicFonts.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "framework/DC.h"
#include "framework/ScreenDC.h"
#include "tests/drawing/PngFile.h"
#include "tests/support/PixelCanvas.h"

namespace {

using namespace MusicGlyphs;

// ---- the sheet ------------------------------------------------------------------------------------

// Where each glyph is shown on its staff, as the notation uses it.
struct Shown {
  int glyph;
  int position;
};
constexpr Shown kShown[] = {
    {0, 0},   {1, 4},   {2, 4},   {3, 4},   {4, 0},   {5, 1},   {6, -1},  {7, 0},   {8, 0},
    {9, 0},   {10, 7},  {11, -4}, {12, -1}, {13, -2}, {14, 0},  {15, 0},  {16, -1}, {17, 1},
    {18, 1},  {19, 3},  {20, -9}, {21, -9}, {22, -9}, {23, 0},  {24, 8},  {25, 8},  {26, -8},
    {27, -8}, {28, -6}, {29, -8}, {30, -6}, {31, 2},  {32, 2},  {33, 0},  {34, 0},  {35, -7},
    {36, -7}, {37, -7}, {38, -8}, {39, -8}, {40, 0},  {41, 3},  {42, -3},
};

void DrawSheet(TMusicFonts& f, int width) {
  const int s = f.GetSpacing();
  const int h = f.GetGlyphWidth(kFilledHead);
  char label[32];

  // Rows 1 and 2: the glyphs, each on a staff with its number above; flags show the stem end
  // they hang from in red.
  int y = 0;
  const std::size_t half = (std::size(kShown) + 1) / 2;
  for (std::size_t row = 0; row < 2; ++row) {
    y += row == 0 ? 8 * s : 12 * s;
    f.SetYOrigin(y);
    f.DrawStaffLines(s, width - s, 5, true);
    int x = 2 * s;
    for (std::size_t i = row * half; i < std::min(std::size(kShown), (row + 1) * half); ++i) {
      const Shown& g = kShown[i];
      int w = f.GetGlyphWidth(g.glyph);
      std::snprintf(label, sizeof label, "%d", g.glyph);
      f.SelectColor(3);
      f.DrawText(5, x, -13, label);
      f.SelectColor(0);
      if (g.glyph == kFlagUpStem || g.glyph == kGraceFlagUpStem || g.glyph == kFlagDownStem ||
          g.glyph == kGraceFlagDownStem) {
        f.SelectColor(4);
        int end = f.PositionToY(g.position);
        f.DrawLine(x - s / 2, end, x + s / 2, end);
        f.SelectColor(0);
      }
      if (g.glyph >= kWholeHead && g.glyph <= kFilledHead) f.DrawLegerLines(x, g.position, w);
      f.DrawGlyph(g.glyph, x, g.position);
      x += std::max(w, 2 * s) + s;
    }
  }

  // Row 3: clefs with octave signs, time signatures, notes with stems and flags.
  y += 14 * s;
  f.SetYOrigin(y);
  f.DrawStaffLines(s, width - s, 5, true);
  int x = 2 * s;
  for (int clef = 0; clef < 4; ++clef) {
    for (int octave = 0; octave < 3; ++octave) x += f.DrawClef(x, clef, octave) + s;
  }
  for (int style = 0; style < 3; ++style) {
    f.DrawTimeSig(style, style ? 4 : 12, 8, x);
    x += f.GetTimeSigWidth(style, style ? 4 : 12, 8) + s;
  }
  for (int flags = 0; flags <= 4; ++flags) {
    f.DrawGlyph(kFilledHead, x, 3);
    x += f.DrawStemUp(x, 3, false, flags, nullptr) + s;
  }
  for (int flags = 0; flags <= 4; ++flags) {
    f.DrawGlyph(kFilledHead, x, -3);
    x += f.DrawStemDown(x, -3, false, flags, nullptr) + s;
  }
  for (int flags = 0; flags <= 2; ++flags) {
    f.DrawGlyph(kGraceHead, x, -1);
    x += f.DrawStemUp(x, -1, true, flags, nullptr) + s / 2;
    f.DrawGlyph(kGraceHead, x, 1);
    x += f.DrawStemDown(x, 1, true, flags, nullptr) + s;
  }

  // Row 4: leger lines, dots, accidentals before notes, a beamed group, ties and slurs, triplets.
  y += 14 * s;
  f.SetYOrigin(y);
  f.DrawStaffLines(s, width - s, 5, true);
  x = 2 * s;
  for (int position : {-10, -7, 7, 10}) {
    f.DrawLegerLines(x - h / 4 - 1, position, h + 2 * (h / 4) + 2);
    f.DrawGlyph(kFilledHead, x, position);
    x += 2 * h;
  }
  for (int accidental = 0; accidental < 5; ++accidental) {
    int glyph = AccidentalGlyph(accidental);
    f.DrawGlyph(glyph, x, accidental - 2);
    x += f.GetAccidentalWidth();
    f.DrawGlyph(kFilledHead, x, accidental - 2);
    f.DrawGlyph(kDot, x + h + f.GetGlyphWidth(kDot) * 6 / 10 + 1, accidental - 2);
    x += 2 * h;
  }
  {
    // A beamed group of four with the beam above: stems run to the beam line.
    int x0 = x, positions[] = {1, 0, -1, -2};
    int first = 0, last = 0;
    for (int i = 0; i < 4; ++i) {
      int xi = x0 + i * 2 * h;
      f.DrawGlyph(kFilledHead, xi, positions[i]);
      int end = f.PositionToY(-8 + i / 2);
      f.DrawStemUp(xi, positions[i], false, 0, &end);
      if (i == 0) first = end;
      last = end;
    }
    int stemOffset = h - 1;
    f.DrawBeamLines(x0 + stemOffset, first, x0 + 6 * h + stemOffset, last, 1, false, 2);
    x += 8 * h + s;
  }
  f.DrawGlyph(kFilledHead, x, 1);
  f.DrawGlyph(kFilledHead, x + 3 * h, 1);
  f.DrawTieArc(x + h / 2, x + 3 * h + h / 2, f.PositionToY(3), 1);
  x += 5 * h;
  f.DrawSlurArc(x, x + 10 * h, f.PositionToY(-7), -1);
  for (int i = 0; i < 3; ++i) f.DrawGlyph(kFilledHead, x + 3 * i * h + h, -3 + i);
  x += 12 * h;
  f.DrawTripletBracket(x, x + 6 * h, f.PositionToY(-8), -1, false);
  f.DrawTripletBracket(x + 8 * h, x + 14 * h, f.PositionToY(-8), -1, true);

  // Row 5: bar lines 0-10 with their widths, a brace, text, tempo labels, boxed numbers.
  y += 14 * s;
  f.SetYOrigin(y);
  f.DrawStaffLines(s, width - s, 5, true);
  x = 2 * s;
  for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 9, 10}) {
    std::snprintf(label, sizeof label, "%d", type);
    f.DrawText(5, x, -8, label);
    f.DrawBarLine(x, type, f.PositionToY(-4), f.PositionToY(4));
    x += f.GetBarLineWidth(type) + 2 * s;
  }
  f.DrawBrace(x, f.PositionToY(-4), f.PositionToY(4) + 8 * s);
  x += 3 * s;
  x += f.DrawTempoLabel("Allegro", 3, 120, x, -10) + s;
  x += f.DrawTempoLabel("", 0, 96, x, -10) + s;
  f.DrawTempoLabel("", 4, 60, x, -10);
  int tx = 2 * s;
  for (int font = 0; font < 3; ++font) tx += f.DrawText(font, tx, 9 + 3 * font, "Staff text 123") + s;
  for (int kind = 1; kind <= 3; ++kind) tx += f.DrawBoxedNumber(tx, 9, kind, 10 + kind) + s;

  // Row 6: the eight staff colours.
  y += 20 * s;
  f.SetYOrigin(y);
  x = 2 * s;
  for (int colour = 0; colour < 8; ++colour) {
    f.SelectColor(colour);
    f.DrawStaffLines(x, x + 6 * s, 5, false);
    f.DrawGlyph(kTrebleClef, x, 4);
    f.DrawGlyph(kFilledHead, x + 4 * s, -1);
    f.DrawStemDown(x + 4 * s, -1, false, 1, nullptr);
    x += 8 * s;
  }
  f.SelectColor(0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: glyph_sheet OUT.png [STAFF_SIZE]\n");
    return 2;
  }
  int staffSize = argc > 2 ? std::atoi(argv[2]) : 20;
  if (!TMusicFonts::IsMusicFontInstalled()) {
    std::fprintf(stderr, "glyph_sheet: the music font DIRU15 is not installed\n");
    return 1;
  }
  TMusicFontsData data;
  TStaffColorHandles colors;
  TMusicFonts fonts(&data, &colors, staffSize);
  const int s = fonts.GetSpacing();
  const int width = 80 * s, height = 98 * s;

  TScreenDC screen;
  TPixelCanvas canvas(width, height);
  if (!canvas.Ok()) {
    std::fprintf(stderr, "glyph_sheet: no bitmap of %d x %d\n", width, height);
    return 1;
  }
  {
    TDC out(canvas.Dc());
    fonts.BeginDraw(out, &screen);
    DrawSheet(fonts, width);
    fonts.EndDraw();
  }
  GdiFlush();
  const bool ok = PngFile::WritePng(argv[1], canvas.Bits(), width, height);
  if (!ok) {
    std::fprintf(stderr, "glyph_sheet: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
