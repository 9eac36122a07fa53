// The per-view drawing kit: the music font "DIRU15" and the score's 12 text fonts scaled to one
// staff spacing, the measured widths of the 43 music glyphs, and the primitives all notation is
// drawn with on a screen, a printer or a metafile, in the colours of TStaffColorHandles.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "QVKNTN/MusicGlyphs.h"
#include "framework/DC.h"
#include "framework/Font.h"

class TMusicFontsData;
class TStaffColorHandles;

class TMusicFonts {
public:
  static constexpr int kTextFonts = 12;

  // For the screen: the staff size in device units, made even and at least 2.
  TMusicFonts(TMusicFontsData* data, TStaffColorHandles* colors, int staffSize);
  // For a device: the spacing follows its vertical resolution and the score's base staff size.
  TMusicFonts(TDC& device, TMusicFontsData* data, TStaffColorHandles* colors);
  // For a device of a known resolution, before or without a context for it.
  static std::unique_ptr<TMusicFonts> ForResolution(int verticalDpi, TMusicFontsData* data,
                                                    TStaffColorHandles* colors);
  ~TMusicFonts();
  TMusicFonts(const TMusicFonts&) = delete;
  TMusicFonts& operator=(const TMusicFonts&) = delete;

  void SetStaffSize(int staffSize);  // the screen again, at another zoom
  void Rebuild(TDC& device);

  int GetSpacing() const { return spacing_; }
  int GetPenThickness() const { return pen_; }
  int GetLyricLineHeight() const { return lyricLineHeight_; }
  int GetAccidentalWidth() const { return accidentalWidth_; }
  int GetGlyphWidth(int glyph) const;
  const TFont& GetMusicFont() const { return *musicFont_; }
  const TFont& GetTextFont(int i) const;
  TMusicFontsData* GetData() const { return data_; }
  TStaffColorHandles* GetColors() const { return colors_; }

  // A screen context for measuring text while nothing is drawn; counted, made at the first
  // Begin and deleted at the last End.
  void BeginMeasure();
  void EndMeasure();

  void BeginDraw(TDC& output, TDC* measuring);
  void SelectColor(int i);
  int GetColorIndex() const { return colorIndex_; }
  void EndDraw();
  bool IsDrawing() const { return drawing_ != 0; }

  void SetYOrigin(int y) { yOrigin_ = y; }
  int GetYOrigin() const { return yOrigin_; }
  int PositionToY(int position) const;

  static bool IsMusicFontInstalled();

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

  int GetBarLineWidth(int type);
  void DrawBarLine(int x, int type, int y1, int y2);
  void DrawBrace(int x, int y1, int y2);

private:
  TMusicFonts(TMusicFontsData* data, TStaffColorHandles* colors);
  void Build(int spacing);
  void MeasureGlyphs();
  int MusicTextWidth(const char* text);
  void MusicTextOut(int x, int baseline, const char* text, int length = -1);
  // A glyph with its nudge, its staff position already turned into y.
  int DrawGlyphAtY(int glyph, int x, int y);
  TDC& Measuring();
  void DrawArc(int x1, int x2, int y, int direction, int height);
  int DrawStem(int x, int position, bool grace, int flags, int* sharedEnd, bool up);
  int DrawTextTop(const TFont& font, int x, int top, const char* text);

  TMusicFontsData* data_;
  TStaffColorHandles* colors_;
  int spacing_ = 2;
  int lyricLineHeight_ = 0;
  int pen_ = 1;
  int accidentalWidth_ = 0;
  int glyphWidths_[MusicGlyphs::kMeasuredGlyphs] = {};
  std::optional<TFont> musicFont_;
  std::optional<TFont> textFonts_[kTextFonts];
  int drawing_ = 0;
  int measureCount_ = 0;
  std::unique_ptr<TDC> measureDC_;
  TDC* output_ = nullptr;
  TDC* drawMeasure_ = nullptr;
  int yOrigin_ = 0;
  int colorIndex_ = 0;
};
