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

#include "QVKNTN/MusicPrimitives.h"

class TMusicFontsData;
class TStaffColorHandles;

class TMusicFonts : public TMusicPrimitives {
public:
  static constexpr int kTextFonts = 12;

  // For the screen: the staff size in device units, made even and at least 2.
  TMusicFonts(TMusicFontsData* data, TStaffColorHandles* colors, int staffSize);
  // For a device: the spacing follows its vertical resolution and the score's base staff size.
  TMusicFonts(TDC& device, TMusicFontsData* data, TStaffColorHandles* colors);
  // For a device of a known resolution, before or without a context for it.
  static std::unique_ptr<TMusicFonts> ForResolution(int verticalDpi, TMusicFontsData* data,
                                                    TStaffColorHandles* colors);
  ~TMusicFonts() override;
  TMusicFonts(const TMusicFonts&) = delete;
  TMusicFonts& operator=(const TMusicFonts&) = delete;

  void SetStaffSize(int staffSize);  // the screen again, at another zoom
  void Rebuild(TDC& device);

  int GetLyricLineHeight() const override { return lyricLineHeight_; }
  const TFont& GetMusicFont() const { return *musicFont_; }
  const TFont& GetTextFont(int i) const;
  TMusicFontsData* GetData() const { return data_; }
  TStaffColorHandles* GetColors() const { return colors_; }

  // A screen context for measuring text while nothing is drawn; counted, made at the first
  // Begin and deleted at the last End.
  void BeginMeasure();
  void EndMeasure();

  void BeginDraw(TDC& output, TDC* measuring);
  void SelectColor(int i) override;
  int GetColorIndex() const override { return colorIndex_; }
  void EndDraw();
  bool IsDrawing() const { return drawing_ != 0; }

  static bool IsMusicFontInstalled();

private:
  TMusicFonts(TMusicFontsData* data, TStaffColorHandles* colors);
  void Build(int spacing);
  void MeasureGlyphs(int (&widths)[MusicGlyphs::kMeasuredGlyphs]);
  TDC& Measuring();

  // GDI under the primitives: measuring in the measuring context, drawing into the output.
  int MeasureMusicText(const char* text) override;
  MusicTextSize MeasureText(int font, const char* text) override;
  void MusicTextOut(int x, int baseline, const char* text, int length) override;
  void TopTextOut(int font, int x, int top, const char* text) override;
  void LineOut(int x1, int y1, int x2, int y2) override;
  void PolylineOut(const MusicPoint* points, int count) override;
  void BezierOut(const MusicPoint* points, int count) override;
  void EllipseOut(int left, int top, int right, int bottom) override;
  void RectangleOut(int left, int top, int right, int bottom) override;

  TMusicFontsData* data_;
  TStaffColorHandles* colors_;
  int lyricLineHeight_ = 0;
  std::optional<TFont> musicFont_;
  std::optional<TFont> textFonts_[kTextFonts];
  int drawing_ = 0;
  int measureCount_ = 0;
  std::unique_ptr<TDC> measureDC_;
  TDC* output_ = nullptr;
  TDC* drawMeasure_ = nullptr;
  int colorIndex_ = 0;
};
