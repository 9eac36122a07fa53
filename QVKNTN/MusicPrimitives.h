// The notation drawing primitives (glyphs with their nudges, clefs, time signatures, leger and
// staff lines, stems and flags, beams, arcs, bar lines, brace, text and tempo labels) worked out in
// device units from the staff spacing and the measured glyph widths, and handed to a device through
// a few output operations. TMusicFonts supplies those for GDI; the layout is the same everywhere.
#pragma once

#ifdef _WIN32
// windows.h makes DrawText a macro; every file, this class's own included, must see it under the
// same name.
#include <windows.h>
#endif

#include "QVKNTN/MusicGlyphs.h"

struct MusicPoint {
  int x;
  int y;
};

struct MusicTextSize {
  int cx;
  int cy;
};

class TMusicPrimitives {
public:
  virtual ~TMusicPrimitives() = default;

  int GetSpacing() const { return spacing_; }
  int GetPenThickness() const { return pen_; }
  int GetAccidentalWidth() const { return accidentalWidth_; }
  // The measured width of glyphs 0-42; 0 for any other number (43 is "no glyph").
  int GetGlyphWidth(int glyph) const;

  void SetYOrigin(int y) { yOrigin_ = y; }
  int GetYOrigin() const { return yOrigin_; }
  int PositionToY(int position) const;

  // Glyphs, signatures and notes.
  int DrawGlyph(int glyph, int x, int position);
  int DrawClef(int x, int clef, int octaveShift);
  int GetTimeSigWidth(int style, int numerator, int denominator);
  void DrawTimeSig(int style, int numerator, int denominator, int x);
  void DrawLegerLines(int x, int position, int width);
  // Stems from the head at x. sharedEnd is null or a device y: INT_MIN takes the stem's own end and
  // hands it back; any other value is the end the stem runs to (a beam or a chord's other part).
  // Answer the head width, with the flag's for a flagged up stem.
  int DrawStemUp(int x, int position, bool grace, int flags, int* sharedEnd);
  int DrawStemDown(int x, int position, bool grace, int flags, int* sharedEnd);

  // Lines, in device coordinates.
  void DrawVLine(int x, int y1, int y2);
  void DrawLine(int x1, int y1, int x2, int y2);
  void DrawThickLine(int x1, int y1, int x2, int y2);
  void DrawBar(int n, int x, int y1, int y2);
  void DrawStaffLines(int x1, int x2, int lines, bool endBars);
  // Beams between two stem ends; direction +1 stacks them downward from the line, -1 upward.
  void DrawBeamLines(int x1, int y1, int x2, int y2, int direction, bool grace, int count);
  // Arcs from x1 to x2 at y; direction -1 bulges upward (above the notes), +1 downward.
  void DrawTieArc(int x1, int x2, int y, int direction);
  void DrawSlurArc(int x1, int x2, int y, int direction);
  // "3" in text font 0 centred in a gap of the bracket at y; direction -1 puts the bracket above
  // the notes with its hooks pointing down to them, +1 below with the hooks pointing up.
  void DrawTripletBracket(int x1, int x2, int y, int direction, bool numberOnly);
  // The same along a sloped line from (x1, y1) to (x2, y2).
  void DrawTripletBracket(int x1, int y1, int x2, int y2, int direction, bool numberOnly);

  // Text, vertically centred on a staff position.
  int DrawText(int font, int x, int position, const char* text);
  int GetTextWidth(int font, const char* text);
  int DrawItalicText(int x, int position, const char* text) { return DrawText(0, x, position, text); }
  int DrawBoldText(int x, int position, const char* text) { return DrawText(1, x, position, text); }
  int DrawLyricText(int x, int position, const char* text) { return DrawText(2, x, position, text); }
  int GetItalicTextWidth(const char* text) { return GetTextWidth(0, text); }
  int GetBoldTextWidth(const char* text) { return GetTextWidth(1, text); }
  int GetLyricTextWidth(const char* text) { return GetTextWidth(2, text); }
  int GetTempoLabelWidth(const char* text, int base, int tempo);
  int DrawTempoLabel(const char* text, int base, int tempo, int x, int position);
  int DrawBoxedNumber(int x, int position, int kind, int n);

  // The colour drawing goes on in (0 printer default .. 7 highlight 3); a device without colours
  // only remembers it.
  virtual void SelectColor(int color) { color_ = color; }
  virtual int GetColorIndex() const { return color_; }
  // The distance between two lyric lines in staff positions; a device that knows the score's
  // lyric font answers it.
  virtual int GetLyricLineHeight() const { return 4; }

  int GetBarLineWidth(int type);
  void DrawBarLine(int x, int type, int y1, int y2);
  void DrawBrace(int x, int y1, int y2);

protected:
  // The spacing (even, at least 2) and the widths of glyphs 0-42 measured in the music font made
  // for it; the pen and the accidental column follow from them.
  void SetMetrics(int spacing, const int (&glyphWidths)[MusicGlyphs::kMeasuredGlyphs]);

  // What a device does for the primitives. Measuring works at any time; drawing only between a
  // begin and an end of drawing, and is ignored otherwise.
  virtual int MeasureMusicText(const char* text) = 0;
  virtual MusicTextSize MeasureText(int font, const char* text) = 0;
  // Music-font text with its baseline's left end at (x, baseline).
  virtual void MusicTextOut(int x, int baseline, const char* text, int length) = 0;
  // Text in text font `font` with its top left corner at (x, top).
  virtual void TopTextOut(int font, int x, int top, const char* text) = 0;
  virtual void LineOut(int x1, int y1, int x2, int y2) = 0;
  virtual void PolylineOut(const MusicPoint* points, int count) = 0;
  virtual void BezierOut(const MusicPoint* points, int count) = 0;
  // Hollow frames within the rectangle (right and bottom excluded).
  virtual void EllipseOut(int left, int top, int right, int bottom) = 0;
  virtual void RectangleOut(int left, int top, int right, int bottom) = 0;

private:
  // A glyph with its nudge, its staff position already turned into y.
  int DrawGlyphAtY(int glyph, int x, int y);
  int DrawStem(int x, int position, bool grace, int flags, int* sharedEnd, bool up);
  void DrawArc(int x1, int x2, int y, int direction, int height);

  int spacing_ = 2;
  int pen_ = 1;
  int accidentalWidth_ = 0;
  int glyphWidths_[MusicGlyphs::kMeasuredGlyphs] = {};
  int yOrigin_ = 0;
  int color_ = 0;
};
