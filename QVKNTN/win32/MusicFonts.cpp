#include "QVKNTN/win32/MusicFonts.h"

#include <algorithm>

#include "QVKNTN/MusicDrawingMath.h"
#include "QVKNTN/MusicFontRequests.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/win32/MusicFontFile.h"
#include "QVKNTN/win32/RequestedFont.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "framework/ScreenDC.h"

namespace M = MusicDrawingMath;
using namespace MusicGlyphs;

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

  const int base = data_->GetStaffSize();
  lyricLineHeight_ = M::LyricLineHeight(data_->GetFont(2).size, base);

  musicFont_.reset();
  musicFont_.emplace(CreateRequestedFont(MusicFontRequests::MusicFont(spacing)), true);
  for (int i = 0; i < kTextFonts; ++i) {
    textFonts_[i].reset();
    textFonts_[i].emplace(CreateRequestedFont(MusicFontRequests::TextFont(data_->GetFont(i), spacing, base)), true);
  }
  int widths[kMeasuredGlyphs];
  MeasureGlyphs(widths);
  SetMetrics(spacing, widths);
}

// Black-box widths: the primitives step by the ink, not by the advance.
void TMusicFonts::MeasureGlyphs(int (&widths)[kMeasuredGlyphs]) {
  TScreenDC screen;
  screen.SelectObject(*musicFont_);
  for (int glyph = 0; glyph < kMeasuredGlyphs; ++glyph) {
    UINT ch = static_cast<unsigned char>(GlyphChar(glyph));
    ABC abc = {};
    widths[glyph] = GetCharABCWidthsA(screen, ch, ch, &abc) ? static_cast<int>(abc.abcB) : 0;
  }
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
  SetYOrigin(0);
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

// ---- GDI under the primitives -------------------------------------------------------------------

int TMusicFonts::MeasureMusicText(const char* text) {
  TDC& dc = Measuring();
  dc.SelectObject(*musicFont_);
  return dc.GetTextExtent(text).cx;
}

MusicTextSize TMusicFonts::MeasureText(int font, const char* text) {
  TDC& dc = Measuring();
  dc.SelectObject(GetTextFont(font));
  SIZE size = dc.GetTextExtent(text);
  return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void TMusicFonts::MusicTextOut(int x, int baseline, const char* text, int length) {
  if (!drawing_) return;
  output_->SelectObject(*musicFont_);
  SetTextAlign(*output_, TA_BASELINE | TA_LEFT);
  output_->TextOut(x, baseline, text, length);
}

void TMusicFonts::TopTextOut(int font, int x, int top, const char* text) {
  if (!drawing_ || !text || !*text) return;
  output_->SelectObject(GetTextFont(font));
  SetTextAlign(*output_, TA_TOP | TA_LEFT);
  output_->TextOut(x, top, text);
}

void TMusicFonts::LineOut(int x1, int y1, int x2, int y2) {
  if (!drawing_) return;
  output_->MoveTo(x1, y1);
  output_->LineTo(x2, y2);
}

namespace {

constexpr int kMaxCurvePoints = 64;

// GDI's POINT from the primitives' points; answers how many fit.
int ToPoints(const MusicPoint* points, int count, POINT (&out)[kMaxCurvePoints]) {
  int n = std::min(count, kMaxCurvePoints);
  for (int i = 0; i < n; ++i) out[i] = {points[i].x, points[i].y};
  return n;
}

}  // namespace

void TMusicFonts::PolylineOut(const MusicPoint* points, int count) {
  if (!drawing_) return;
  POINT gdi[kMaxCurvePoints];
  Polyline(*output_, gdi, ToPoints(points, count, gdi));
}

void TMusicFonts::BezierOut(const MusicPoint* points, int count) {
  if (!drawing_) return;
  POINT gdi[kMaxCurvePoints];
  PolyBezier(*output_, gdi, ToPoints(points, count, gdi));
}

void TMusicFonts::EllipseOut(int left, int top, int right, int bottom) {
  if (!drawing_) return;
  HGDIOBJ old = ::SelectObject(*output_, GetStockObject(NULL_BRUSH));
  Ellipse(*output_, left, top, right, bottom);
  ::SelectObject(*output_, old);
}

void TMusicFonts::RectangleOut(int left, int top, int right, int bottom) {
  if (!drawing_) return;
  HGDIOBJ old = ::SelectObject(*output_, GetStockObject(NULL_BRUSH));
  ::Rectangle(*output_, left, top, right, bottom);
  ::SelectObject(*output_, old);
}
