// The fonts the drawing kit asks for: the music font by face at five spacings in TrueType only,
// each text font from its record (face, style bits, character set, size scaled so the base staff
// size is four spacings), and the start-up's installed check.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "QVKNTN/MusicDrawingMath.h"
#include "QVKNTN/MusicFontRequests.h"
#include "QVKNTN/MusicFontsData.h"
#include "tests/drawing/TextFontCases.h"

namespace {

namespace R = MusicFontRequests;

TEST(MusicFontRequests, MusicFontAndInstalledCheck) {
  for (int spacing : {2, 16, 34}) {
    FontRequest music = R::MusicFont(spacing);
    EXPECT_EQ(music.face, "DIRU15");
    EXPECT_EQ(music.height, -5 * spacing);
    EXPECT_EQ(music.outPrecision, 4) << "TrueType only";
    EXPECT_EQ(music.charset, 0);
    EXPECT_FALSE(music.bold || music.italic);
  }
  FontRequest check = R::InstalledCheck();
  EXPECT_EQ(check.face, "DIRU15");
  EXPECT_EQ(check.height, -10);
  EXPECT_EQ(check.outPrecision, 4);
}

TEST(MusicFontRequests, TextFontsFromTheirRecords) {
  TMusicFontsData data;  // base staff size 16
  ChangeSomeTextFonts(data);
  for (int spacing : {16, 34}) {
    for (int i = 0; i < TMusicFontsData::kFontCount; ++i) {
      SCOPED_TRACE("spacing " + std::to_string(spacing) + ", text font " + std::to_string(i));
      FontRequest r = R::TextFont(data.GetFont(i), spacing, data.GetStaffSize());
      const ExpectedTextFont& e = kChangedTextFonts[i];
      EXPECT_EQ(r.face, e.face);
      EXPECT_EQ(r.height, ExpectedTextHeight(e.points, spacing));
      EXPECT_EQ(r.bold, e.bold);
      EXPECT_EQ(r.italic, e.italic);
      EXPECT_EQ(r.charset, e.charset);
      EXPECT_EQ(r.outPrecision, 0);
    }
  }
}

TEST(MusicFontRequests, HostileRecordsStayWithinTheirFields) {
  TMusicFontsData::Font record;
  std::memset(record.face, 'F', sizeof record.face);  // no terminator in the 32 bytes
  record.size = INT_MIN;
  record.style = 0xFF;
  record.charset = 2;
  FontRequest r = R::TextFont(record, 34, 16);
  EXPECT_EQ(r.face, std::string(TMusicFontsData::kFaceSize, 'F'));
  EXPECT_LE(r.height, 1) << "no overflow on the most negative size";
  EXPECT_TRUE(r.bold && r.italic);
  EXPECT_EQ(r.charset, 2);
}

}  // namespace
