// The music font's glyph numbering: the character of "DIRU15" behind each glyph number, the
// vertical nudge each glyph gets from its staff position, and the glyphs of accidentals and clefs.
#pragma once

namespace MusicGlyphs {

constexpr char kFaceName[] = "DIRU15";
constexpr char kFileName[] = "diru15.ttf";

// Glyph 0 is the byte 0; glyphs 1-42 are these characters in order. Widths are measured for
// glyphs 0-42; kNoGlyph stands for "nothing to draw" (the accidental code none).
constexpr char kGlyphChars[] = "abcijkfdetszlmnopqrHGFJuvxwKyIDEghABCLMNOP";
constexpr int kMeasuredGlyphs = 43;
constexpr int kNoGlyph = 43;

enum Glyph : int {
  kTrebleClef = 1,
  kBassClef = 2,
  kCClef = 3,
  kWholeHead = 4,
  kHalfHead = 5,
  kFilledHead = 6,
  kFlat = 7,
  kSharp = 8,
  kNatural = 9,
  kFlagDownStem = 10,
  kFlagUpStem = 11,
  kDot = 12,
  kWholeRest = 13,  // 13 + duration class, whole to sixty-fourth
  kTempoEighth = 20,
  kTempoQuarter = 21,
  kTempoHalf = 22,
  kRepeatDots = 23,
  kPedalDown = 24,
  kPedalUp = 25,
  kSegno = 26,
  kCoda = 27,
  kFermata = 29,
  kBreath = 30,
  kCommonTime = 31,
  kCutTime = 32,
  kDoubleSharp = 33,
  kDoubleFlat = 34,
  kAccent = 35,
  kTenuto = 37,
  kEditTag = 38,
  kClefOctave = 39,
  kGraceHead = 40,
  kGraceFlagDownStem = 41,
  kGraceFlagUpStem = 42,
};

// The character that draws a glyph; 0 for glyph 0 and for numbers outside the font.
constexpr char GlyphChar(int glyph) {
  return glyph >= 1 && glyph < kMeasuredGlyphs ? kGlyphChars[glyph - 1] : '\0';
}

// How far below its staff position a glyph is drawn, in device units (negative: higher). The font
// puts each glyph's reference point this far above its baseline.
constexpr int GlyphNudge(int glyph, int spacing, int pen) {
  switch (glyph) {
    case kFlagUpStem:
      return 2 * spacing;
    case kDot:
    case kAccent:
    case kAccent + 1:
    case kTenuto:
      return -(spacing / 4);
    case kWholeRest:
      return pen / 3 + 1;
    case kTempoEighth:
    case kTempoQuarter:
    case kTempoHalf:
      return 2 * spacing / 3;
    case kSegno:
    case kGraceFlagUpStem:
      return spacing;
    default:
      return 0;
  }
}

// Accidental codes 0 sharp, 1 flat, 2 natural, 3 double sharp, 4 double flat, 5 none.
constexpr int kAccidentalGlyphs[6] = {kSharp, kFlat, kNatural, kDoubleSharp, kDoubleFlat, kNoGlyph};
constexpr int AccidentalGlyph(int code) {
  return code >= 0 && code < 6 ? kAccidentalGlyphs[code] : kNoGlyph;
}

// Clef types 0 treble, 1 bass, 2 alto, 3 tenor: the glyph, the staff position it is drawn at, and
// where the octave sign goes for "Octave Up" and "Octave Down".
struct ClefPlacement {
  int glyph;
  int position;
  int octaveUpPosition;
  int octaveDownPosition;
};
constexpr ClefPlacement kClefPlacements[4] = {
    {kTrebleClef, 4, -8, 9},
    {kBassClef, 4, -6, 4},
    {kCClef, 4, -6, 6},
    {kCClef, 2, -8, 4},
};
constexpr const ClefPlacement& ClefPlacementOf(int clef) {
  return kClefPlacements[clef >= 0 && clef < 4 ? clef : 0];
}

}  // namespace MusicGlyphs
