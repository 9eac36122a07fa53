#include "QVKNTN/win32/MusicFonts.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "QVKNTN/MusicDrawingMath.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/win32/MusicFontFile.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "framework/Brush.h"
#include "framework/ScreenDC.h"

namespace M = MusicDrawingMath;
using namespace MusicGlyphs;

namespace {

// A text font's style byte: bit 0 bold, bit 1 italic.
constexpr int kBoldBit = 1;
constexpr int kItalicBit = 2;

}  // namespace

TMusicFonts::TMusicFonts(TMusicFontsData* data, TStaffColorHandles* colors)
    : data_(data), colors_(colors) {}

TMusicFonts::TMusicFonts(TMusicFontsData* data, TStaffColorHandles* colors, int staffSize)
    : TMusicFonts(data, colors) {
  SetStaffSize(staffSize);
}

TMusicFonts::TMusicFonts(TDC& device, TMusicFontsData* data, TStaffColorHandles* colors)
    : TMusicFonts(data, colors) {
  Rebuild(device);
}

std::unique_ptr<TMusicFonts> TMusicFonts::ForResolution(int verticalDpi, TMusicFontsData* data,
                                                         TStaffColorHandles* colors) {
  std::unique_ptr<TMusicFonts> fonts(new TMusicFonts(data, colors));
  fonts->Build(M::DeviceSpacing(verticalDpi, data->GetStaffSize()));
  return fonts;
}

TMusicFonts::~TMusicFonts() {
  if (drawing_) EndDraw();
}

void TMusicFonts::SetStaffSize(int staffSize) { Build(M::ScreenSpacing(staffSize)); }

void TMusicFonts::Rebuild(TDC& device) {
  Build(M::DeviceSpacing(device.GetDeviceCaps(LOGPIXELSY), data_->GetStaffSize()));
}

void TMusicFonts::Build(int spacing) {
  // Fonts still selected into a context must not be deleted under it; a measuring context still
  // counted is made again on its next use.
  if (drawing_) EndDraw();
  measureDC_.reset();

  spacing_ = spacing;
  pen_ = M::PenThickness(spacing);
  const int base = data_->GetStaffSize();
  lyricLineHeight_ = M::LyricLineHeight(data_->GetFont(2).size, base);

  musicFont_.reset();
  musicFont_.emplace(kFaceName, M::MusicFontHeight(spacing), 0, 0, 0, FW_NORMAL,
                     DEFAULT_PITCH | FF_DONTCARE, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS);
  for (int i = 0; i < kTextFonts; ++i) {
    const TMusicFontsData::Font& f = data_->GetFont(i);
    char face[TMusicFontsData::kFaceSize + 1];
    std::snprintf(face, sizeof face, "%.*s", TMusicFontsData::kFaceSize, f.face);
    textFonts_[i].reset();
    textFonts_[i].emplace(face, M::TextFontHeight(f.size, spacing, base), 0, 0, 0,
                          (f.style & kBoldBit) ? FW_BOLD : FW_NORMAL, DEFAULT_PITCH | FF_DONTCARE,
                          (f.style & kItalicBit) ? 1 : 0, 0, 0, f.charset);
  }
  MeasureGlyphs();
  accidentalWidth_ = GetGlyphWidth(kDoubleSharp) * 5 / 4;
}

void TMusicFonts::MeasureGlyphs() {
  TScreenDC screen;
  screen.SelectObject(*musicFont_);
  for (int glyph = 0; glyph < kMeasuredGlyphs; ++glyph) {
    UINT ch = static_cast<unsigned char>(GlyphChar(glyph));
    ABC abc = {};
    glyphWidths_[glyph] = GetCharABCWidthsA(screen, ch, ch, &abc) ? static_cast<int>(abc.abcB) : 0;
  }
}

int TMusicFonts::GetGlyphWidth(int glyph) const {
  return glyph >= 0 && glyph < kMeasuredGlyphs ? glyphWidths_[glyph] : 0;
}

const TFont& TMusicFonts::GetTextFont(int i) const {
  return *textFonts_[i >= 0 && i < kTextFonts ? i : 0];
}

bool TMusicFonts::IsMusicFontInstalled() { return ::IsMusicFontInstalled(); }

// ---- contexts ------------------------------------------------------------------------------------

void TMusicFonts::BeginMeasure() {
  ++measureCount_;
  if (!measureDC_) measureDC_ = std::make_unique<TScreenDC>();
}

void TMusicFonts::EndMeasure() {
  if (measureCount_ == 0) return;
  if (--measureCount_ == 0) measureDC_.reset();
}

TDC& TMusicFonts::Measuring() {
  if (drawing_) return *drawMeasure_;
  if (!measureDC_) measureDC_ = std::make_unique<TScreenDC>();
  return *measureDC_;
}

void TMusicFonts::BeginDraw(TDC& output, TDC* measuring) {
  if (drawing_) EndDraw();
  output_ = &output;
  drawMeasure_ = measuring ? measuring : &output;
  output_->SetBkMode(TRANSPARENT);
  drawMeasure_->SetBkMode(TRANSPARENT);
  drawing_ = 1;
  SelectColor(0);
  yOrigin_ = 0;
}

void TMusicFonts::SelectColor(int i) {
  colorIndex_ = i;
  if (!drawing_) return;
  output_->SetTextColor(colors_->GetColor(i));
  output_->SelectObject(colors_->GetPen(i));
}

void TMusicFonts::EndDraw() {
  if (!drawing_) return;
  output_->RestoreObjects();
  if (drawMeasure_ != output_) drawMeasure_->RestoreObjects();
  output_ = nullptr;
  drawMeasure_ = nullptr;
  drawing_ = 0;
}

int TMusicFonts::PositionToY(int position) const {
  return M::PositionToY(yOrigin_, position, spacing_);
}

// ---- glyphs --------------------------------------------------------------------------------------

void TMusicFonts::MusicTextOut(int x, int baseline, const char* text, int length) {
  if (!drawing_) return;
  output_->SelectObject(*musicFont_);
  SetTextAlign(*output_, TA_BASELINE | TA_LEFT);
  output_->TextOut(x, baseline, text, length);
}

int TMusicFonts::DrawGlyphAtY(int glyph, int x, int y) {
  if (glyph < 0 || glyph >= kMeasuredGlyphs) return 0;
  char ch = GlyphChar(glyph);
  MusicTextOut(x, y + GlyphNudge(glyph, spacing_, pen_), &ch, 1);
  return GetGlyphWidth(glyph);
}

int TMusicFonts::DrawGlyph(int glyph, int x, int position) {
  return DrawGlyphAtY(glyph, x, PositionToY(position));
}

int TMusicFonts::DrawClef(int x, int clef, int octaveShift) {
  const ClefPlacement& c = ClefPlacementOf(clef);
  int width = DrawGlyph(c.glyph, x, c.position);
  if (octaveShift == 1 || octaveShift == 2) {
    int sign = GetGlyphWidth(kClefOctave);
    DrawGlyph(kClefOctave, x + (width - sign) / 2,
              octaveShift == 1 ? c.octaveUpPosition : c.octaveDownPosition);
  }
  return width;
}

int TMusicFonts::MusicTextWidth(const char* text) {
  TDC& dc = Measuring();
  dc.SelectObject(*musicFont_);
  return dc.GetTextExtent(text).cx;
}

int TMusicFonts::GetTimeSigWidth(int style, int numerator, int denominator) {
  if (style == 1 || style == 2) return GetGlyphWidth(kCommonTime);
  char num[16], den[16];
  std::snprintf(num, sizeof num, "%d", numerator);
  std::snprintf(den, sizeof den, "%d", denominator);
  return std::max(MusicTextWidth(num), MusicTextWidth(den));
}

void TMusicFonts::DrawTimeSig(int style, int numerator, int denominator, int x) {
  if (style == 1 || style == 2) {
    DrawGlyph(style == 1 ? kCommonTime : kCutTime, x, 2);
    return;
  }
  int width = GetTimeSigWidth(style, numerator, denominator);
  char num[16], den[16];
  std::snprintf(num, sizeof num, "%d", numerator);
  std::snprintf(den, sizeof den, "%d", denominator);
  MusicTextOut(x + (width - MusicTextWidth(num)) / 2, yOrigin_, num);
  MusicTextOut(x + (width - MusicTextWidth(den)) / 2, yOrigin_ + 2 * spacing_, den);
}

void TMusicFonts::DrawLegerLines(int x, int position, int width) {
  int lines[64];
  int n = M::LegerLinePositions(position, lines, 64);
  for (int i = 0; i < n; ++i) {
    int y = PositionToY(lines[i]);
    DrawLine(x, y, x + width, y);
  }
}

int TMusicFonts::DrawStemUp(int x, int position, bool grace, int flags, int* sharedEnd) {
  return DrawStem(x, position, grace, flags, sharedEnd, true);
}

int TMusicFonts::DrawStemDown(int x, int position, bool grace, int flags, int* sharedEnd) {
  return DrawStem(x, position, grace, flags, sharedEnd, false);
}

int TMusicFonts::DrawStem(int x, int position, bool grace, int flags, int* sharedEnd, bool up) {
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

void TMusicFonts::DrawVLine(int x, int y1, int y2) { DrawLine(x, y1, x, y2); }

void TMusicFonts::DrawLine(int x1, int y1, int x2, int y2) {
  if (!drawing_) return;
  output_->MoveTo(x1, y1);
  output_->LineTo(x2, y2);
}

void TMusicFonts::DrawThickLine(int x1, int y1, int x2, int y2) {
  // pen-thick: parallel one-unit lines, offset across the line's main direction, centred.
  bool steep = std::abs(y2 - y1) >= std::abs(x2 - x1);
  for (int k = 0; k < pen_; ++k) {
    int d = k - pen_ / 2;
    if (steep) DrawLine(x1 + d, y1, x2 + d, y2);
    else DrawLine(x1, y1 + d, x2, y2 + d);
  }
}

void TMusicFonts::DrawBar(int n, int x, int y1, int y2) {
  for (int k = 0; k < n; ++k) DrawVLine(x + k, y1, y2);
}

void TMusicFonts::DrawStaffLines(int x1, int x2, int lines, bool endBars) {
  for (int k = 0; k < lines; ++k) {
    int y = yOrigin_ + (2 * k - (lines - 1)) * (spacing_ / 2);
    DrawLine(x1, y, x2, y);
  }
  if (endBars) {
    DrawVLine(x1, yOrigin_ - 2 * spacing_, yOrigin_ + 2 * spacing_);
    DrawVLine(x2, yOrigin_ - 2 * spacing_, yOrigin_ + 2 * spacing_);
  }
}

void TMusicFonts::DrawBeamLines(int x1, int y1, int x2, int y2, int direction, bool grace, int count) {
  for (int beam = 0; beam < count; ++beam) {
    M::BeamBand band = M::BeamOffsets(beam, direction, grace, spacing_);
    int step = band.to >= band.from ? 1 : -1;
    for (int f = band.from;; f += step) {
      DrawLine(x1, y1 + f, x2, y2 + f);
      if (f == band.to) break;
    }
  }
}

void TMusicFonts::DrawArc(int x1, int x2, int y, int direction, int height) {
  if (!drawing_ || x2 <= x1) return;
  // A flattened half-ellipse, drawn 2 x pen times one unit apart: the ends meet, the middle is
  // thick, as an engraved tie or slur.
  constexpr int kSegments = 16;
  int sign = direction < 0 ? -1 : 1;
  for (int k = 0; k < 2 * pen_; ++k) {
    POINT points[kSegments + 1];
    int rise = std::max(1, height - k);
    for (int i = 0; i <= kSegments; ++i) {
      double t = double(i) / kSegments;
      points[i].x = x1 + static_cast<LONG>((x2 - x1) * t + 0.5);
      points[i].y = y + sign * static_cast<LONG>(rise * 4 * t * (1 - t) + 0.5);
    }
    Polyline(*output_, points, kSegments + 1);
  }
}

void TMusicFonts::DrawTieArc(int x1, int x2, int y, int direction) {
  DrawArc(x1, x2, y, direction, M::ArcHeight(x2 - x1, GetGlyphWidth(kFilledHead), spacing_));
}

void TMusicFonts::DrawSlurArc(int x1, int x2, int y, int direction) {
  DrawArc(x1, x2, y, direction,
          M::ArcHeight(x2 - x1, GetGlyphWidth(kFilledHead), spacing_) + spacing_ / 3);
}

void TMusicFonts::DrawTripletBracket(int x1, int x2, int y, int direction, bool numberOnly) {
  const TFont& font = GetTextFont(0);
  TDC& measure = Measuring();
  measure.SelectObject(font);
  SIZE size = measure.GetTextExtent("3");
  int mid = (x1 + x2) / 2;
  DrawTextTop(font, mid - size.cx / 2, y - size.cy / 2, "3");
  if (numberOnly) return;
  int gap = size.cx / 2 + spacing_ / 3;
  int hook = (direction < 0 ? 1 : -1) * (spacing_ / 2);
  DrawLine(x1, y + hook, x1, y);
  DrawLine(x1, y, mid - gap, y);
  DrawLine(mid + gap, y, x2, y);
  DrawLine(x2, y, x2, y + hook);
}

// ---- text ----------------------------------------------------------------------------------------

int TMusicFonts::DrawTextTop(const TFont& font, int x, int top, const char* text) {
  if (!drawing_ || !text || !*text) return 0;
  output_->SelectObject(font);
  SetTextAlign(*output_, TA_TOP | TA_LEFT);
  output_->TextOut(x, top, text);
  return 0;
}

int TMusicFonts::GetTextWidth(int font, const char* text) {
  if (!text || !*text) return 0;
  TDC& dc = Measuring();
  dc.SelectObject(GetTextFont(font));
  return dc.GetTextExtent(text).cx;
}

int TMusicFonts::DrawText(int font, int x, int position, const char* text) {
  if (!text || !*text) return 0;
  TDC& dc = Measuring();
  dc.SelectObject(GetTextFont(font));
  SIZE size = dc.GetTextExtent(text);
  DrawTextTop(GetTextFont(font), x, PositionToY(position) - size.cy / 2, text);
  return size.cx;
}

int TMusicFonts::GetTempoLabelWidth(const char* text, int base, int tempo) {
  M::TempoLabelText label = M::MakeTempoLabelText(text, base, tempo);
  return GetTextWidth(1, label.before.c_str()) + GetGlyphWidth(label.glyph) +
         GetTextWidth(1, label.after.c_str());
}

int TMusicFonts::DrawTempoLabel(const char* text, int base, int tempo, int x, int position) {
  M::TempoLabelText label = M::MakeTempoLabelText(text, base, tempo);
  int start = x;
  x += DrawText(1, x, position, label.before.c_str());
  x += DrawGlyph(label.glyph, x, position);
  x += DrawText(1, x, position, label.after.c_str());
  return x - start;
}

int TMusicFonts::DrawBoxedNumber(int x, int position, int kind, int n) {
  char number[16];
  std::snprintf(number, sizeof number, "%d", n);
  TDC& dc = Measuring();
  dc.SelectObject(GetTextFont(1));
  SIZE size = dc.GetTextExtent(number);
  bool framed = kind == 2 || kind == 3;
  int margin = framed ? spacing_ / 3 + pen_ : 0;
  int y = PositionToY(position);
  DrawTextTop(GetTextFont(1), x + margin, y - size.cy / 2, number);
  if (framed && drawing_) {
    RECT r = {x, y - size.cy / 2 - margin, x + size.cx + 2 * margin + 1, y + size.cy / 2 + margin + 1};
    HGDIOBJ old = ::SelectObject(*output_, GetStockObject(NULL_BRUSH));
    if (kind == 2) Ellipse(*output_, r.left, r.top, r.right, r.bottom);
    else ::Rectangle(*output_, r.left, r.top, r.right, r.bottom);
    ::SelectObject(*output_, old);
  }
  return size.cx + 2 * margin;
}

// ---- bar lines and brace -------------------------------------------------------------------------

int TMusicFonts::GetBarLineWidth(int type) {
  return M::BarLineWidth(type, spacing_, pen_, GetGlyphWidth(kRepeatDots));
}

void TMusicFonts::DrawBarLine(int x, int type, int y1, int y2) {
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

void TMusicFonts::DrawBrace(int x, int y1, int y2) {
  if (!drawing_ || y2 <= y1) return;
  // Two mirrored curves meeting in a point at the left, each thickest in its middle: the same
  // Bezier drawn several times with its bulging control points moved one unit at a time.
  const int s = spacing_, mid = (y1 + y2) / 2, right = x + 2 * s;
  const int thickness = std::max(1, s / 3);
  for (int k = 0; k <= thickness; ++k) {
    POINT upper[4] = {{right, y1}, {x + s / 2 + k, y1 + (mid - y1) / 6},
                      {x + 2 * s - k, mid - (mid - y1) / 3}, {x, mid}};
    POINT lower[4] = {{x, mid}, {x + 2 * s - k, mid + (y2 - mid) / 3},
                      {x + s / 2 + k, y2 - (y2 - mid) / 6}, {right, y2}};
    PolyBezier(*output_, upper, 4);
    PolyBezier(*output_, lower, 4);
  }
}
