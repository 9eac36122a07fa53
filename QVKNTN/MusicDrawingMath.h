// The arithmetic of notation drawing: staff spacing for a screen size or a device resolution, the
// sizes derived from it, and the geometry of stems, leger lines, beams, arcs and bar lines. Pure
// functions, so that drawing on a screen, a printer and a metafile agree to the device unit.
#pragma once

#include <string>

namespace MusicDrawingMath {

// Win32's MulDiv: a * b / c rounded half away from zero, -1 when c is 0 or the result overflows.
int MulDiv(int a, int b, int c);

// Staff spacing (distance between staff lines, device units): always even and at least 2.
int EvenSpacing(int spacing);
int ScreenSpacing(int staffSize);
int DeviceSpacing(int verticalDpi, int baseStaffSize);

constexpr int PenThickness(int spacing) { return spacing / 12 + 1; }
int LyricLineHeight(int lyricFontSize, int baseStaffSize);
// Character heights (negative: the em, as CreateFont takes it).
int TextFontHeight(int fontSize, int spacing, int baseStaffSize);
constexpr int MusicFontHeight(int spacing) { return -5 * spacing; }

// Staff position to y: positions are half spacings, growing downwards, truncated toward zero.
constexpr int PositionToY(int yOrigin, int position, int spacing) {
  return yOrigin + position * spacing / 2;
}

// Stems: the length in positions, where the stem ends (an up stem never stops short of the
// middle line, nor a down stem), and the x at which it stands beside a head at x.
constexpr int StemLength(bool grace, int flags) {
  if (grace) return flags > 0 ? flags + 3 : 4;
  return flags > 0 ? 2 * flags + 5 : 7;
}
constexpr int UpStemEnd(int position, int length) {
  return position - length < 0 ? position - length : 0;
}
constexpr int DownStemEnd(int position, int length) {
  return position + length > 0 ? position + length : 0;
}
constexpr int UpStemX(int x, int headWidth, int pen) {
  return x + headWidth - 1 - (pen > 3 ? (pen - 2) / 2 : 0);
}
constexpr int DownStemX(int x, int pen) { return x + (pen >= 4 ? (pen - 2) / 2 : 0); }
// Flags stack from the stem end toward the head: a space apart, half a space for grace notes.
constexpr int FlagStep(bool grace) { return grace ? 1 : 2; }

// Leger lines for a head at a position: the positions of the lines, from the one nearest the
// staff outward (±6, ±8, ... up to the head's side); answers how many were written.
int LegerLinePositions(int position, int* out, int room);

// Beams: the band of beam i lies between these offsets from the line through the stem ends.
struct BeamBand {
  int from;
  int to;
};
BeamBand BeamOffsets(int beam, int direction, bool grace, int spacing);

// Tie and slur arcs: the height for a span, growing with the span counted in note heads.
int ArcHeight(int span, int headWidth, int spacing);

// Bar lines of types 0-7, 9 and 10 (any other type is drawn as a single line).
int BarLineWidth(int type, int spacing, int pen, int repeatDotsWidth);

// The text around a tempo label's note: "%s (" before it when there is a text, and after it "."
// for a dotted base, "=", the tempo and ")" when there was a text. The note is glyph 20 + base / 2.
struct TempoLabelText {
  std::string before;
  std::string after;
  int glyph;
};
TempoLabelText MakeTempoLabelText(const char* text, int base, int tempo);

}  // namespace MusicDrawingMath
