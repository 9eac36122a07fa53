#include "QVKNTN/MusicFontRequests.h"

#include <cstring>

#include "QVKNTN/MusicDrawingMath.h"
#include "QVKNTN/MusicGlyphs.h"

namespace MusicFontRequests {

namespace {

constexpr int kBoldBit = 1;
constexpr int kItalicBit = 2;
constexpr int kInstalledCheckHeight = -10;

FontRequest MusicFontAt(int height) {
  return {MusicGlyphs::kFaceName, height, false, false, 0, kTrueTypePrecision};
}

}  // namespace

FontRequest MusicFont(int spacing) { return MusicFontAt(MusicDrawingMath::MusicFontHeight(spacing)); }

FontRequest TextFont(const TMusicFontsData::Font& record, int spacing, int baseStaffSize) {
  // A face read from a score fills its 32 bytes and need not end in a terminator.
  std::string face(record.face, strnlen(record.face, TMusicFontsData::kFaceSize));
  return {face,
          MusicDrawingMath::TextFontHeight(record.size, spacing, baseStaffSize),
          (record.style & kBoldBit) != 0,
          (record.style & kItalicBit) != 0,
          record.charset,
          0};
}

FontRequest InstalledCheck() { return MusicFontAt(kInstalledCheckHeight); }

}  // namespace MusicFontRequests
