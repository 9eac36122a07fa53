// The fonts the drawing kit asks the system for, as plain values: the music font "DIRU15" at five
// staff spacings, each of the score's text fonts scaled to the spacing from its record, and the
// small request with which the start-up checks that the music font is installed.
#pragma once

#include <string>

#include "QVKNTN/MusicFontsData.h"

struct FontRequest {
  std::string face;
  int height;        // negative: the character height (the em), in device units
  bool bold;
  bool italic;
  int charset;       // 0: ANSI
  int outPrecision;  // 0: default, 4: TrueType only
};

namespace MusicFontRequests {

constexpr int kTrueTypePrecision = 4;

FontRequest MusicFont(int spacing);
// A record's style byte: bit 0 bold, bit 1 italic. Its size in points (a negative size counts by
// its magnitude) is scaled so the base staff size is four spacings.
FontRequest TextFont(const TMusicFontsData::Font& record, int spacing, int baseStaffSize);
FontRequest InstalledCheck();

}  // namespace MusicFontRequests
