#include "foundation/win32/FontSpec.h"

#include <cstdlib>
#include <cstring>

#include "foundation/TextUtils.h"

namespace {

constexpr int kMinPointSize = 2;

}  // namespace

void TFontSpec::SetDefault() { Set("Times New Roman", 0, 12, 0); }

void TFontSpec::Set(const char* face, int style, int pointSize, int charSet) {
  SetFace(face);
  Style = static_cast<uint8_t>(style & (kBold | kItalic));
  SetPointSize(pointSize);
  CharSet = static_cast<uint8_t>(charSet);
}

void TFontSpec::SetFace(const char* face) {
  std::memset(Face, 0, sizeof Face);
  StrCopyMax(Face, face ? face : "", sizeof Face);
}

void TFontSpec::SetPointSize(int points) { PointSize = points < kMinPointSize ? kMinPointSize : points; }

void TFontSpec::SetFromLogFont(const LOGFONTA& lf, int pointSize) {
  // lfFaceName need not be terminated inside its 32 bytes.
  char face[LF_FACESIZE + 1] = {};
  std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
  int style = 0;
  if (lf.lfWeight >= FW_BOLD) style |= kBold;
  if (lf.lfItalic) style |= kItalic;
  Set(face, style, pointSize, lf.lfCharSet);
}

void TFontSpec::SetFromLogFontDC(HDC dc, const LOGFONTA& lf) {
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  const int points = dpi > 0 ? MulDiv(std::abs(lf.lfHeight), 72, dpi) : 0;
  SetFromLogFont(lf, points);
}

void TFontSpec::MakeLogFontDpi(LOGFONTA& lf, int dpi) const {
  std::memset(&lf, 0, sizeof lf);
  StrCopyMax(lf.lfFaceName, Face, sizeof lf.lfFaceName);
  lf.lfWeight = IsBold() ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = IsItalic() ? 1 : 0;
  lf.lfCharSet = CharSet;
  const int pixels = MulDiv(PointSize, dpi, 72);
  lf.lfHeight = pixels < kMinPointSize ? -kMinPointSize : -pixels;
}

void TFontSpec::MakeLogFont(HDC dc, LOGFONTA& lf) const { MakeLogFontDpi(lf, GetDeviceCaps(dc, LOGPIXELSY)); }
