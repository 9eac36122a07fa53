// What an expression shows, as a short run of pieces: texts in a text font or music-font glyphs,
// some in the hidden-notation colour, some raised. Measuring and drawing walk the same pieces, so
// a width always matches what is drawn.
#pragma once
#include <string>

struct TExpressionPiece {
  int glyph = 0;          // a music-font glyph, or 0 for text
  int font = 0;           // text font of a text piece
  std::string text;
  bool hiddenColor = false;  // drawn in the hidden-notation colour (editing aids)
  int raise = 0;          // positions above the expression's own
  int tempoBase = -1;     // a tempo label (text, note, "=", tempo) when 0 or more
  int tempo = 0;
};

struct TExpressionText {
  static constexpr int kMaxPieces = 4;
  TExpressionPiece pieces[kMaxPieces];
  int count = 0;
  void AddText(int font, const std::string& text, bool hidden = false) {
    if (count < kMaxPieces) pieces[count++] = {0, font, text, hidden, 0, -1, 0};
  }
  void AddGlyph(int glyph, int raise = 0) {
    if (count < kMaxPieces) pieces[count++] = {glyph, 0, {}, false, raise, -1, 0};
  }
  void AddTempo(const std::string& text, int base, int tempo) {
    if (count < kMaxPieces) pieces[count++] = {0, 0, text, false, 0, base, tempo};
  }
};
