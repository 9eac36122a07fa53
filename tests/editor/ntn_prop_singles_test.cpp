// The single-item pages of the notation properties sheet without their windows: an untouched page
// writes back what the item had, a changed one writes the change into exactly one item, and the
// pages' rules (key presets and buttons, time signature styles, endings, tempo base, delay).
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/ClefData.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TimeSignatureData.h"
#include "editor/NtnPropData.h"

namespace {

// The item's fields that its page edits, as one text, so that a table row compares them whole.
std::string Fields(const TNotatedItem& item) {
  char s[160];
  switch (item.GetType()) {
    case ntClef: {
      const auto& c = static_cast<const TClefData&>(item);
      std::snprintf(s, sizeof s, "clef %d shift %d", c.GetClef(), c.GetOctaveShift());
      break;
    }
    case ntKey: {
      const auto& k = static_cast<const TKeyData&>(item);
      std::snprintf(s, sizeof s, "flats %02x sharps %02x", k.GetFlatMask(), k.GetSharpMask());
      break;
    }
    case ntTimeSignature: {
      const auto& t = static_cast<const TTimeSignatureData&>(item);
      std::snprintf(s, sizeof s, "%d/%d style %d", t.GetBeats(), t.GetBeatCode(), t.GetStyle());
      break;
    }
    case ntSpecialEnding:
      std::snprintf(s, sizeof s, "endings %x", static_cast<const TSpecialEnding&>(item).GetMask());
      break;
    case ntTempo: {
      const auto& t = static_cast<const TTempoData&>(item);
      std::snprintf(s, sizeof s, "quarter %d base %d text '%s'", int(t.GetQuarterTempo()), t.GetBase(),
                    t.GetText().c_str());
      break;
    }
    case ntTempoVariance: {
      const auto& t = static_cast<const TTempoVariance&>(item);
      std::snprintf(s, sizeof s, "style %d delay %d", t.GetStyle(), t.GetPause());
      break;
    }
    case ntPerformanceStyle:
      std::snprintf(s, sizeof s, "style %d", static_cast<const TPerformanceStyle&>(item).GetStyle());
      break;
    case ntFlowDirection:
      std::snprintf(s, sizeof s, "style %d", static_cast<const TFlowDirection&>(item).GetStyle());
      break;
    default: return "?";
  }
  return s;
}

std::unique_ptr<TNotatedItem> KeyWith(uint16_t flats, uint16_t sharps) {
  auto k = std::make_unique<TKeyData>();
  k->SetMasks(flats, sharps);
  return k;
}

std::unique_ptr<TNotatedItem> TempoWith(int32_t quarter, int base, const std::string& text = "") {
  auto t = std::make_unique<TTempoData>();
  t->SetStored(quarter, base);
  t->SetText(text);
  return t;
}

// Gathers the one item, lets the page change the record, and writes it back.
std::string AfterPage(TNotatedItem& item, const std::function<void(TNtnPropData&)>& page) {
  TNotatedItem* items[] = {&item};
  TNtnPropData d;
  GatherNtnProps(items, false, d);
  EXPECT_TRUE(d.ShowsSingle(item.GetType())) << Fields(item);
  page(d);
  ApplyNtnProps(items, false, d);
  return Fields(item);
}

void Untouched(TNtnPropData&) {}

constexpr uint16_t Bit(int letter) { return uint16_t(1u << letter); }

}  // namespace

TEST(NtnPropSingles, AnUntouchedPageWritesBackWhatTheItemHad) {
  struct Case {
    std::function<std::unique_ptr<TNotatedItem>()> make;
    const char* after;
  };
  const Case cases[] = {
      {[] { return std::make_unique<TClefData>(clBass, osOctaveDown); }, "clef 1 shift 2"},
      {[] { return KeyWith(Bit(ltB) | Bit(ltE), 0); }, "flats 12 sharps 00"},
      // A letter in both sets shows as its flat, and that is what is stored, not a sharp.
      {[] { return KeyWith(Bit(ltF) | Bit(ltB), Bit(ltF)); }, "flats 22 sharps 00"},
      {[] { return std::make_unique<TTimeSignatureData>(6, 3); }, "6/3 style 0"},
      {[] { return std::make_unique<TSpecialEnding>(0x82); }, "endings 82"},
      // 100 quarters shown as 133 dotted eighths would store 99 if written again.
      {[] { return TempoWith(100, TTempoData::tbDottedEighth, "Allegro"); }, "quarter 100 base 1 text 'Allegro'"},
      {[] { return TempoWith(135, TTempoData::tbDottedQuarter); }, "quarter 135 base 3 text ''"},
      {[] { return std::make_unique<TTempoVariance>(TTempoVariance::tvFermata, 12); }, "style 1 delay 12"},
      {[] { return std::make_unique<TTempoVariance>(5, 3); }, "style 5 delay 3"},
      {[] { return std::make_unique<TPerformanceStyle>(7); }, "style 7"},
      {[] { return std::make_unique<TFlowDirection>(TFlowDirection::fdDSAlFine); }, "style 9"},
  };
  for (const Case& c : cases) {
    auto item = c.make();
    EXPECT_EQ(AfterPage(*item, Untouched), c.after);
  }
}

TEST(NtnPropSingles, ChangesReachTheItem) {
  struct Case {
    std::function<std::unique_ptr<TNotatedItem>()> make;
    std::function<void(TNtnPropData&)> page;
    const char* after;
  };
  const Case cases[] = {
      {[] { return std::make_unique<TClefData>(); },
       [](TNtnPropData& d) {
         d.clef.clef = clTenor;
         d.clef.octaveShift = osOctaveUp;
       },
       "clef 3 shift 1"},
      {[] { return KeyWith(0, 0); },
       [](TNtnPropData& d) {
         TKeyButtons b = KeyPresetButtons(4, KeyButtonsOf(d.key.flats, d.key.sharps));  // A major
         b.mark[ltA] = TLetterMark::Flat;
         KeyMasksOf(b, d.key.flats, d.key.sharps);
       },
       "flats 01 sharps 64"},
      {[] { return std::make_unique<TTimeSignatureData>(); },
       [](TNtnPropData& d) {
         d.timeSig.beats = 7;
         d.timeSig.beatCode = 3;
       },
       "7/3 style 0"},
      // Alla breve is 2/2 whatever the page's disabled boxes held.
      {[] { return std::make_unique<TTimeSignatureData>(6, 3); },
       [](TNtnPropData& d) { d.timeSig.style = TTimeSignatureData::tsAllaBreve; }, "2/1 style 2"},
      {[] { return std::make_unique<TTimeSignatureData>(); },
       [](TNtnPropData& d) { d.timeSig.beats = 250; }, "99/2 style 0"},
      {[] { return std::make_unique<TSpecialEnding>(1); }, [](TNtnPropData& d) { d.ending.mask = 0x6; },
       "endings 6"},
      // No ending left checked: nothing is stored (the page refuses OK before).
      {[] { return std::make_unique<TSpecialEnding>(0x3); }, [](TNtnPropData& d) { d.ending.mask = 0; },
       "endings 3"},
      {[] { return TempoWith(120, TTempoData::tbQuarter); },
       [](TNtnPropData& d) {
         d.tempo.tempo = ConvertTempo(d.tempo.tempo, d.tempo.base, TTempoData::tbHalf);
         d.tempo.base = TTempoData::tbHalf;
         d.tempo.text = "Andante";
       },
       "quarter 120 base 4 text 'Andante'"},
      {[] { return TempoWith(120, TTempoData::tbQuarter); }, [](TNtnPropData& d) { d.tempo.tempo = 900; },
       "quarter 750 base 2 text ''"},
      {[] { return TempoWith(120, TTempoData::tbQuarter); },
       [](TNtnPropData& d) { d.tempo.text = std::string(100, 'x'); },
       "quarter 120 base 2 text 'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx'"},
      {[] { return std::make_unique<TTempoVariance>(); }, [](TNtnPropData& d) { d.tempoVariance.delay = 99; },
       "style 0 delay 64"},
      {[] { return std::make_unique<TTempoVariance>(); }, [](TNtnPropData& d) { d.tempoVariance.delay = -3; },
       "style 0 delay 0"},
      // Ritardando has no delay: its box was disabled, the stored one stays.
      {[] { return std::make_unique<TTempoVariance>(TTempoVariance::tvFermata, 8); },
       [](TNtnPropData& d) {
         d.tempoVariance.style = 5;
         d.tempoVariance.delay = 40;
       },
       "style 5 delay 8"},
      {[] { return std::make_unique<TPerformanceStyle>(); }, [](TNtnPropData& d) { d.performanceStyle.style = 22; },
       "style 22"},
      {[] { return std::make_unique<TPerformanceStyle>(3); }, [](TNtnPropData& d) { d.performanceStyle.style = -1; },
       "style 3"},
      {[] { return std::make_unique<TFlowDirection>(); }, [](TNtnPropData& d) { d.flow.style = 4; }, "style 4"},
  };
  for (const Case& c : cases) {
    auto item = c.make();
    const std::string before = Fields(*item);
    EXPECT_EQ(AfterPage(*item, c.page), c.after) << "from " << before;
  }
}

TEST(NtnPropSingles, TwoOfAKindShowNoPageAndTwoKeysChangeNeither) {
  TTempoData t1(100), t2(80);
  TKeyData k1, k2;
  k2.SetMasks(Bit(ltB), 0);
  TNotatedItem* items[] = {&t1, &k1, &t2, &k2};
  TNtnPropData d;
  GatherNtnProps(items, false, d);
  EXPECT_FALSE(d.ShowsSingle(ntTempo));
  EXPECT_TRUE(d.ShowsSingle(ntKey));
  EXPECT_EQ(d.key.flats, Bit(ltB)) << "the last key's values";
  d.tempo.tempo = 60;
  d.key.flats = 0;
  d.key.sharps = Bit(ltF);
  ApplyNtnProps(items, false, d);
  EXPECT_EQ(Fields(t1), "quarter 100 base 2 text ''");
  EXPECT_EQ(Fields(t2), "quarter 80 base 2 text ''");
  EXPECT_EQ(Fields(k1), "flats 00 sharps 00");
  EXPECT_EQ(Fields(k2), "flats 02 sharps 00");
}

TEST(NtnPropSingles, KeyPresetsAndTheSheetsButtonOrder) {
  const TKeyButtons none = KeyButtonsOf(0, 0);
  struct Case {
    int preset;
    const char* name;
    uint16_t flats;
    uint16_t sharps;
  };
  const Case cases[] = {
      {1, "C Major", 0, 0},
      {3, "D Major", 0, Bit(ltF) | Bit(ltC)},
      {8, "C Sharp Major", 0, 0x7F},
      {10, "B Flat Major", Bit(ltB) | Bit(ltE), 0},
      {16, "a minor", 0, 0},
      {30, "a flat minor", 0x7F, 0},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(KeyPresetName(c.preset), c.name);
    uint16_t flats = 1, sharps = 1;
    KeyMasksOf(KeyPresetButtons(c.preset, none), flats, sharps);
    EXPECT_EQ(flats, c.flats) << c.name;
    EXPECT_EQ(sharps, c.sharps) << c.name;
  }
  // "User Defined" keeps the buttons as they stand.
  const TKeyButtons mine = KeyButtonsOf(Bit(ltG), Bit(ltC));
  uint16_t flats = 0, sharps = 0;
  KeyMasksOf(KeyPresetButtons(0, mine), flats, sharps);
  EXPECT_EQ(flats, Bit(ltG));
  EXPECT_EQ(sharps, Bit(ltC));
  // The sheet's page puts the sharp first: radio buttons 100-120, three per letter A to G.
  EXPECT_EQ(KeyPageButton(0, TLetterMark::Sharp), 100);
  EXPECT_EQ(KeyPageButton(0, TLetterMark::Flat), 101);
  EXPECT_EQ(KeyPageButton(0, TLetterMark::Neither), 102);
  EXPECT_EQ(KeyPageButton(6, TLetterMark::Neither), 120);
}

TEST(NtnPropSingles, TimeSignatureStylesFixBeatsAndValue) {
  struct Case {
    int style;
    bool fixes;
    int beats;
    int code;
  };
  const Case cases[] = {{0, false, 5, 3}, {1, true, 4, 2}, {2, true, 2, 1}};
  for (const Case& c : cases) {
    int beats = 5, code = 3;
    EXPECT_EQ(TimeSigStyleFixes(c.style, beats, code), c.fixes) << c.style;
    EXPECT_EQ(beats, c.beats) << c.style;
    EXPECT_EQ(code, c.code) << c.style;
  }
}

TEST(NtnPropSingles, TempoBaseChangeKeepsTheSpeedAndDelayBelongsToPauses) {
  EXPECT_EQ(ConvertTempo(120, TTempoData::tbQuarter, TTempoData::tbEighth), 240);
  EXPECT_EQ(ConvertTempo(90, TTempoData::tbDottedQuarter, TTempoData::tbQuarter), 135);
  EXPECT_EQ(ConvertTempo(60, TTempoData::tbHalf, TTempoData::tbDottedHalf), 40);
  for (int style = 0; style < kTempoVarianceStyles; ++style)
    EXPECT_EQ(TempoVarianceHasDelay(style), style <= TTempoVariance::tvFermata) << style;
  TTempoVariance tv;
  StoreTempoVariance(42, 200, tv);
  EXPECT_EQ(Fields(tv), "style 0 delay 64") << "a style outside the list is a breath mark";
}
