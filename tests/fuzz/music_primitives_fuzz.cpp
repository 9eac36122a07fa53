// Drives every drawing primitive with random spacings, glyph widths and coordinates within the
// 16-bit range layout works in: no undefined arithmetic, only glyphs of the music font drawn, bar
// lines inside their widths, and no more leger lines than the position asks for.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "QVKNTN/MusicDrawingMath.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicPrimitives.h"

namespace {

class Bytes {
public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  int U8() { return at_ < size_ ? data_[at_++] : 0; }
  int I16() { return static_cast<std::int16_t>(U8() | U8() << 8); }

private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

class CheckingPrimitives : public TMusicPrimitives {
public:
  CheckingPrimitives(int spacing, const int (&widths)[MusicGlyphs::kMeasuredGlyphs]) {
    SetMetrics(spacing, widths);
  }
  int lines = 0;
  int minX = INT_MAX, maxX = INT_MIN;
  bool glyphsOnly = false;  // a glyph primitive: only music-font characters may be drawn

protected:
  int MeasureMusicText(const char* text) override { return static_cast<int>(std::strlen(text)) * GetSpacing(); }
  MusicTextSize MeasureText(int font, const char* text) override {
    if (font < 0 || font > 11) std::abort();
    return {static_cast<int>(std::strlen(text)) * 5, GetSpacing()};
  }
  void MusicTextOut(int, int, const char* text, int length) override {
    if (!glyphsOnly) return;
    if (length != 1) std::abort();
    if (text[0] != '\0' && !std::strchr(MusicGlyphs::kGlyphChars, text[0])) std::abort();
  }
  void TopTextOut(int font, int, int, const char*) override {
    if (font < 0 || font > 11) std::abort();
  }
  void LineOut(int x1, int, int x2, int) override {
    ++lines;
    minX = std::min(minX, std::min(x1, x2));
    maxX = std::max(maxX, std::max(x1, x2));
  }
  void PolylineOut(const MusicPoint*, int count) override {
    if (count < 2 || count > 64) std::abort();
  }
  void BezierOut(const MusicPoint*, int count) override {
    if (count != 4) std::abort();
  }
  void EllipseOut(int left, int top, int right, int bottom) override {
    if (right <= left || bottom <= top) std::abort();
  }
  void RectangleOut(int left, int top, int right, int bottom) override {
    if (right <= left || bottom <= top) std::abort();
  }
};

void Run(CheckingPrimitives& f, Bytes& in) {
  const int op = in.U8() % 14;
  const int a = in.I16(), b = in.I16(), c = in.I16(), d = in.I16();
  f.lines = 0;
  f.minX = INT_MAX;
  f.maxX = INT_MIN;
  f.glyphsOnly = false;
  switch (op) {
    case 0:
      f.glyphsOnly = true;
      if (f.DrawGlyph(a % 50, b, c % 128) < 0) std::abort();
      break;
    case 1:
      f.glyphsOnly = true;
      if (f.DrawClef(a, b % 6, c % 4) < 0) std::abort();
      break;
    case 2:
      f.DrawTimeSig(a % 4, b, c, d);
      if (f.GetTimeSigWidth(a % 4, b, c) < 0) std::abort();
      break;
    case 3: {
      int position = b % 128;
      f.DrawLegerLines(a, position, c % 64);
      int most = position < 0 ? -position : position;
      if (f.lines > (most >= 6 ? (most - 6) / 2 + 1 : 0)) std::abort();
      break;
    }
    case 4: {
      f.glyphsOnly = true;
      int shared = d % 2 ? INT_MIN : d;
      int* end = c % 3 == 0 ? nullptr : &shared;
      int flags = (c & 0x7) % 5;
      int head = a % 2 ? f.DrawStemUp(b, c % 128, d % 3 == 0, flags, end)
                       : f.DrawStemDown(b, c % 128, d % 3 == 0, flags, end);
      if (head < 0 || f.lines != f.GetPenThickness()) std::abort();
      break;
    }
    case 5:
      f.DrawStaffLines(a, b, c & 7, d % 2);
      break;
    case 6:
      f.DrawBeamLines(a, b, c, d, in.U8() % 2 ? 1 : -1, in.U8() % 2, in.U8() % 5);
      break;
    case 7:
      f.DrawTieArc(a, b, c, d % 2 ? 1 : -1);
      f.DrawSlurArc(a, b, c, d % 2 ? 1 : -1);
      break;
    case 8:
      f.DrawTripletBracket(a, b, c, d % 2 ? 1 : -1, in.U8() % 2);
      break;
    case 9:
      f.DrawText(in.U8() % 12, a, b % 128, "cresc.");
      break;
    case 10:
      f.DrawTempoLabel(in.U8() % 2 ? "Allegro" : nullptr, a % 8, b, c, d % 128);
      break;
    case 11:
      f.DrawBoxedNumber(a, b % 128, c % 4, d);
      break;
    case 12: {
      int type = a % 12;
      if (type < 0) type = -type;
      int width = f.GetBarLineWidth(type);
      f.DrawBarLine(b, type, c, d);
      if (f.lines && (f.minX < b || f.maxX > b + width)) std::abort();
      break;
    }
    default:
      f.DrawBrace(a, b, c);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in(data, size);
  int widths[MusicGlyphs::kMeasuredGlyphs];
  for (int& w : widths) w = in.U8();
  CheckingPrimitives f(MusicDrawingMath::EvenSpacing(in.U8()), widths);
  f.SetYOrigin(in.I16());
  for (int step = 0; step < 64 && !in.Empty(); ++step) Run(f, in);
  return 0;
}
