// The music font as Wine's GDI sees it: found by its face name, every character the drawing uses
// present, and every glyph standing where the drawing code expects it relative to its baseline.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/win32/MusicFontFile.h"

namespace {

using MusicGlyphs::kFaceName;

// A screen context with "DIRU15" selected at the height the drawing code uses: five spacings.
class MusicFontDC {
public:
  explicit MusicFontDC(int spacing) : dc_(GetDC(nullptr)) {
    font_ = CreateFontA(-5 * spacing, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFaceName);
    old_ = SelectObject(dc_, font_);
  }
  ~MusicFontDC() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
    ReleaseDC(nullptr, dc_);
  }
  HDC dc() const { return dc_; }

private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

std::string DrawnCharacters() {
  return std::string(MusicGlyphs::kGlyphChars) + "0123456789";
}

TEST(MusicFont, IsFoundByFaceNameWithTheFamilyAndCharacterSetOfARealFont) {
  ASSERT_TRUE(IsMusicFontInstalled()) << "run tools/setup: it installs diru15.ttf into the Wine prefix";
  for (int spacing : {8, 34}) {
    MusicFontDC f(spacing);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(f.dc(), sizeof face, face);
    EXPECT_STREQ(face, kFaceName);

    char buffer[1024];
    auto* otm = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer);
    ASSERT_NE(GetOutlineTextMetricsA(f.dc(), sizeof buffer, otm), 0u);
    EXPECT_STREQ(buffer + reinterpret_cast<UINT_PTR>(otm->otmpFamilyName), kFaceName);
    EXPECT_STREQ(buffer + reinterpret_cast<UINT_PTR>(otm->otmpStyleName), "Regular");
    EXPECT_EQ(otm->otmTextMetrics.tmCharSet, ANSI_CHARSET);
    EXPECT_EQ(otm->otmEMSquare, 1250u) << "five staff spaces of 250 units";
  }
}

TEST(MusicFont, HasItsOwnGlyphForEveryCharacterTheDrawingUses) {
  MusicFontDC f(10);
  std::string chars = DrawnCharacters();
  WORD indices[64];
  ASSERT_EQ(GetGlyphIndicesA(f.dc(), chars.c_str(), static_cast<int>(chars.size()), indices,
                             GGI_MARK_NONEXISTING_GLYPHS),
            chars.size());
  for (std::size_t i = 0; i < chars.size(); ++i) {
    EXPECT_NE(indices[i], 0xFFFF) << "missing '" << chars[i] << "'";
    EXPECT_NE(indices[i], 0) << "'" << chars[i] << "' falls back to .notdef";
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(indices[i], indices[j]) << chars[i] << chars[j];
  }
}

// The font's own tables, as the system hands them out: a Unicode (3,1) character map that covers
// every drawn character (and no symbol map, which would make the font a symbol font that a request
// for the ANSI character set passes over), the Latin-1 code page bit, the new family name in every
// name a font is asked for by, and the Noto copyright notices kept.
class FontTable {
public:
  FontTable(HDC dc, const char tag[4]) {
    DWORD t = static_cast<unsigned char>(tag[0]) | static_cast<unsigned char>(tag[1]) << 8 |
              static_cast<unsigned char>(tag[2]) << 16 | static_cast<unsigned>(static_cast<unsigned char>(tag[3])) << 24;
    DWORD size = GetFontData(dc, t, 0, nullptr, 0);
    if (size == GDI_ERROR) return;
    bytes_.resize(size);
    if (GetFontData(dc, t, 0, bytes_.data(), size) != size) bytes_.clear();
  }
  bool Has(std::size_t at, std::size_t n) const { return at + n <= bytes_.size(); }
  unsigned U16(std::size_t at) const { return Has(at, 2) ? bytes_[at] << 8 | bytes_[at + 1] : 0; }
  unsigned long U32(std::size_t at) const { return static_cast<unsigned long>(U16(at)) << 16 | U16(at + 2); }
  std::size_t size() const { return bytes_.size(); }

private:
  std::vector<unsigned char> bytes_;
};

// The glyph a format-4 subtable at `at` gives a character; 0 when it gives none.
unsigned Format4Glyph(const FontTable& cmap, std::size_t at, unsigned ch) {
  if (cmap.U16(at) != 4) return 0;
  const unsigned segments = cmap.U16(at + 6) / 2;
  const std::size_t ends = at + 14, starts = ends + 2 * segments + 2, deltas = starts + 2 * segments,
                    offsets = deltas + 2 * segments;
  for (unsigned i = 0; i < segments; ++i) {
    if (ch > cmap.U16(ends + 2 * i) || ch < cmap.U16(starts + 2 * i)) continue;
    unsigned rangeOffset = cmap.U16(offsets + 2 * i);
    if (rangeOffset == 0) return (ch + cmap.U16(deltas + 2 * i)) & 0xFFFF;
    std::size_t slot = offsets + 2 * i + rangeOffset + 2 * (ch - cmap.U16(starts + 2 * i));
    unsigned glyph = cmap.U16(slot);
    return glyph ? (glyph + cmap.U16(deltas + 2 * i)) & 0xFFFF : 0;
  }
  return 0;
}

std::string NameRecord(const FontTable& name, unsigned id) {
  const unsigned count = name.U16(2), strings = name.U16(4);
  for (unsigned i = 0; i < count; ++i) {
    std::size_t r = 6 + 12 * i;
    if (name.U16(r) != 3 || name.U16(r + 2) != 1 || name.U16(r + 6) != id) continue;
    std::string text;
    for (unsigned k = 0; k < name.U16(r + 8); k += 2) text += static_cast<char>(name.U16(strings + name.U16(r + 10) + k));
    return text;
  }
  return {};
}

TEST(MusicFont, TablesNameItMapItAndKeepTheNotices) {
  MusicFontDC f(10);
  FontTable cmap(f.dc(), "cmap");
  ASSERT_GT(cmap.size(), 4u);
  std::size_t unicode = 0;
  for (unsigned i = 0; i < cmap.U16(2); ++i) {
    std::size_t r = 4 + 8 * i;
    EXPECT_FALSE(cmap.U16(r) == 3 && cmap.U16(r + 2) == 0) << "a (3,0) symbol map";
    if (cmap.U16(r) == 3 && cmap.U16(r + 2) == 1) unicode = cmap.U32(r + 4);
  }
  ASSERT_NE(unicode, 0u) << "no (3,1) Unicode map";
  for (char ch : DrawnCharacters()) {
    EXPECT_NE(Format4Glyph(cmap, unicode, static_cast<unsigned char>(ch)), 0u) << "'" << ch << "'";
  }
  EXPECT_EQ(Format4Glyph(cmap, unicode, 'Q'), 0u) << "only what the drawing uses";

  FontTable os2(f.dc(), "OS/2");
  ASSERT_GE(os2.size(), 86u) << "an OS/2 table with code page ranges";
  EXPECT_EQ(os2.U32(78) & 1u, 1u) << "Latin 1 code page bit";
  EXPECT_EQ(os2.U16(8), 0u) << "installable without restriction";

  FontTable name(f.dc(), "name");
  for (unsigned id : {1u, 4u, 6u}) EXPECT_EQ(NameRecord(name, id), kFaceName) << "name " << id;
  const std::string notice = NameRecord(name, 0);
  EXPECT_NE(notice.find("Copyright 2018 Google Inc."), std::string::npos) << notice;
  EXPECT_NE(notice.find("Copyright 2015 Google LLC."), std::string::npos) << notice;
  EXPECT_NE(NameRecord(name, 13).find("SIL Open Font License"), std::string::npos);
}

// Where each glyph stands, in staff spaces above its baseline (the font is asked for at 100 device
// units per space, so a unit of rounding is a hundredth of a space).
enum class Rule { Centre, Top, Bottom, Span };
struct Anchor {
  char ch;
  Rule rule;
  double at;          // centre, top or bottom; for Span the bottom
  double low, high;   // the height range; for Span the top's range
};

constexpr double kTolerance = 0.04;

constexpr Anchor kAnchors[] = {
#include "tests/font/GlyphAnchors.inc"
};

TEST(MusicFont, EveryGlyphStandsOnItsAnchor) {
  constexpr int kSpace = 100;
  MusicFontDC f(kSpace);
  const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  auto box = [&](unsigned char ch, double& top, double& bottom) {
    GLYPHMETRICS gm;
    ASSERT_NE(GetGlyphOutlineA(f.dc(), ch, GGO_METRICS, &gm, 0, nullptr, &identity), GDI_ERROR);
    top = gm.gmptGlyphOrigin.y / double(kSpace);
    bottom = (gm.gmptGlyphOrigin.y - static_cast<int>(gm.gmBlackBoxY)) / double(kSpace);
  };
  EXPECT_EQ(std::size(kAnchors), std::strlen(MusicGlyphs::kGlyphChars));
  for (const Anchor& a : kAnchors) {
    SCOPED_TRACE(std::string("glyph '") + a.ch + "'");
    double top = 0, bottom = 0;
    box(a.ch, top, bottom);
    double height = top - bottom;
    switch (a.rule) {
      case Rule::Centre:
        EXPECT_NEAR((top + bottom) / 2, a.at, kTolerance);
        break;
      case Rule::Top:
        EXPECT_NEAR(top, a.at, kTolerance);
        break;
      case Rule::Bottom:
        EXPECT_NEAR(bottom, a.at, kTolerance);
        break;
      case Rule::Span:
        EXPECT_NEAR(bottom, a.at, 0.1);
        EXPECT_GE(top, a.low);
        EXPECT_LE(top, a.high);
        continue;
    }
    EXPECT_GE(height, a.low);
    EXPECT_LE(height, a.high);
  }
  // Time-signature digits: two spaces tall, standing on the baseline (round ones overshoot a hair).
  for (char d = '0'; d <= '9'; ++d) {
    SCOPED_TRACE(std::string("digit ") + d);
    double top = 0, bottom = 0;
    box(d, top, bottom);
    EXPECT_NEAR(bottom, 0.0, kTolerance);
    EXPECT_NEAR(top, 2.0, kTolerance);
  }
}

// The drawing code steps by black-box widths and puts an up stem at x + width - 1, so every glyph's
// ink must start at its origin at every size.
TEST(MusicFont, GlyphInkStartsAtTheOriginAtEverySize) {
  for (int spacing : {2, 8, 11, 12, 34}) {
    MusicFontDC f(spacing);
    for (int glyph = 1; glyph < MusicGlyphs::kMeasuredGlyphs; ++glyph) {
      unsigned char ch = static_cast<unsigned char>(MusicGlyphs::GlyphChar(glyph));
      ABC abc;
      ASSERT_TRUE(GetCharABCWidthsA(f.dc(), ch, ch, &abc));
      EXPECT_EQ(abc.abcA, 0) << "glyph " << glyph << " at spacing " << spacing;
      EXPECT_GT(abc.abcB, 0u) << "glyph " << glyph << " at spacing " << spacing;
    }
    ABC zero;
    ASSERT_TRUE(GetCharABCWidthsA(f.dc(), 0, 0, &zero)) << "glyph 0 is measured too";
    EXPECT_GT(zero.abcB, 0u);
  }
}

TEST(MusicFont, HeadWidthAndSpacingScaleTogether) {
  // A filled head is a little over a space wide at every size: the layout's unit of width.
  for (int spacing : {10, 20, 34}) {
    MusicFontDC f(spacing);
    ABC abc;
    ASSERT_TRUE(GetCharABCWidthsA(f.dc(), 'k', 'k', &abc));
    EXPECT_NEAR(abc.abcB / double(spacing), 1.19, 0.1) << spacing;
  }
}

}  // namespace
