// The compact font description the score keeps for each text style: face, point size, bold and
// italic, character set; turned into a LOGFONT for a device and read back from one.
#pragma once

#include <windows.h>

#include <cstdint>

struct TFontSpec {
  static constexpr int kFaceSize = 32;
  static constexpr uint8_t kBold = 0x01;
  static constexpr uint8_t kItalic = 0x02;

  char Face[kFaceSize];
  int32_t PointSize;
  uint8_t Style;
  uint8_t CharSet;

  TFontSpec() { SetDefault(); }

  // "Times New Roman", 12 points, no style, character set 0.
  void SetDefault();
  // Only the bold and italic bits of the style are kept.
  void Set(const char* face, int style, int pointSize, int charSet);
  // At most 31 characters are kept.
  void SetFace(const char* face);
  // Sizes below 2 points become 2.
  void SetPointSize(int points);
  bool IsBold() const { return (Style & kBold) != 0; }
  bool IsItalic() const { return (Style & kItalic) != 0; }

  void SetFromLogFont(const LOGFONTA& lf, int pointSize);
  // The point size from the font's height at the context's vertical resolution.
  void SetFromLogFontDC(HDC dc, const LOGFONTA& lf);
  void MakeLogFontDpi(LOGFONTA& lf, int dpi) const;
  void MakeLogFont(HDC dc, LOGFONTA& lf) const;
};
