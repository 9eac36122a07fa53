#include "framework/Font.h"
#include <cstring>

TFont::TFont(const char* face, int height, int width, int escapement, int orientation, int weight,
             BYTE pitchAndFamily, BYTE italic, BYTE underline, BYTE strikeout, BYTE charSet,
             BYTE outputPrecision, BYTE clipPrecision, BYTE quality) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfStrikeOut = strikeout;
  lf.lfCharSet = charSet;
  lf.lfOutPrecision = outputPrecision;
  lf.lfClipPrecision = clipPrecision;
  lf.lfQuality = quality;
  lf.lfPitchAndFamily = pitchAndFamily;
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  Reset(CreateFontIndirectA(&lf));
}

int TFont::GetHeight() const {
  LOGFONTA lf{};
  return GetObject(lf) ? lf.lfHeight : 0;
}
