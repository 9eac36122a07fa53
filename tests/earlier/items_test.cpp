// The earlier line's notation items: the defaults it builds them with, its five controller kinds,
// its key transposition, rest positions, chord accidental columns and its coda jump.
#include <gtest/gtest.h>

#include <string>

#include "foundation/VocabularyLists.h"

#include "QVKNTN/ChordData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/ExpressionText.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/KeySignatureCount.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "tests/items/ItemTestSupport.h"

namespace {

static_assert(kEarlierLine, "these tests run against the earlier line's libraries");

TEST(EarlierItems, ExpressionsAreBuiltWide) {
  TTempoData tempo(100, TTempoData::tbHalf);
  EXPECT_TRUE(tempo.IsWide());
  EXPECT_EQ(tempo.GetNameIndex(), 0);
  EXPECT_TRUE(tempo.ShowsValue());
  EXPECT_FALSE(tempo.ShowsName());
  EXPECT_EQ(tempo.GetTempo(TTempoData::tbHalf), 100);
  TDynamicLevelData dynamic(TDynamicLevelData::dynP);
  EXPECT_TRUE(dynamic.IsWide());
  EXPECT_FALSE(dynamic.GetOverride(0));
  EXPECT_FALSE(dynamic.GetOverride(1));
  EXPECT_EQ(dynamic.GetVelocity(), 0);
  EXPECT_EQ(dynamic.GetVolume(), 255);
  TTempoVariance variance;
  EXPECT_EQ(variance.GetPosition(), -8);
  EXPECT_EQ(variance.GetStyle(), 0);
  EXPECT_TRUE(variance.IsWide());
  EXPECT_EQ(variance.GetPause(), 0);
  TDynamicVariance hairpin;
  EXPECT_EQ(hairpin.GetPosition(), 0);
  EXPECT_TRUE(hairpin.IsWide());
  EXPECT_TRUE(TPerformanceStyle(3).IsWide());
  TTextExpression text;
  EXPECT_TRUE(text.IsWide());
  EXPECT_EQ(text.GetFont(), 0);
}

TEST(EarlierItems, TempoWithNeitherValueNorNameIsHidden) {
  TTempoData tempo;
  EXPECT_FALSE(tempo.IsHidden());
  tempo.SetShown(false, false);
  EXPECT_TRUE(tempo.IsHidden());
  tempo.SetShown(false, true);
  EXPECT_FALSE(tempo.IsHidden());
}

TEST(EarlierItems, FiveControllerKindsAndTheirMidiNumbers) {
  EXPECT_EQ(TGenericControl::kControllers, 5);
  const int numbers[] = {-1, 7, 10, 2, -1, -1};
  for (int kind = 0; kind < 6; ++kind) EXPECT_EQ(TGenericControl::MidiControllerOf(kind), numbers[kind]) << kind;
}

TEST(EarlierItems, KeyTranspositionGoesToTheKeyOfTheNewTonic) {
  struct Case {
    int size, semitones, want;
  } cases[] = {
      {-3, 2, -1},  // E flat up a tone: F
      {0, 6, 6},    // C up a tritone: F sharp
      {0, 1, 7},    // C sharp, not D flat
      {2, -2, 0},   // D down a tone: C
      {-7, 1, 0},   // C flat up a semitone: C
      {7, 13, 2},   // C sharp up an octave and a semitone: D
      {5, -14, 3},  // B down an octave and a tone: A
  };
  for (const Case& c : cases) {
    TKeyData key;
    uint16_t flats = 0, sharps = 0;
    NtnKeyMasksFromSize(c.size, flats, sharps);
    key.SetMasks(flats, sharps);
    key.Transpose(c.semitones);
    EXPECT_EQ(key.GetSignedSize(), c.want) << c.size << " by " << c.semitones;
  }
  TKeyData mixed;
  mixed.SetMasks(0x02, 0x20);
  mixed.Transpose(3);
  EXPECT_EQ(mixed.GetFlatMask(), 0x02);
  EXPECT_EQ(mixed.GetSharpMask(), 0x20);
  TKeyData same;
  same.SetMasks(0x13, 0);
  same.Transpose(0);
  EXPECT_EQ(same.GetFlatMask(), 0x13);
}

TEST(EarlierItems, RestPositionsByDuration) {
  const int base[] = {-2, 0, 0, -1, 1, 1, 3};
  for (int code = 0; code <= 6; ++code) {
    for (int offset : {0, -3, 4}) {
      TRestNote rest(code);
      rest.SetVerticalOffset(offset);
      EXPECT_EQ(rest.GetPosition(), offset + base[code]) << code;
      EXPECT_EQ(rest.GetLowPosition(), offset + base[code] - 2) << code;
      EXPECT_EQ(rest.GetHighPosition(), offset + base[code] + 2) << code;
    }
  }
}

TChordData* ChordOf(std::initializer_list<std::pair<int, int>> heads) {
  auto* chord = new TChordData;
  for (auto [position, accidental] : heads) {
    auto* n = new TMusicNote(position, 2, accidental);
    if (!chord->AddNote(n)) delete n;
  }
  return chord;
}

TEST(EarlierItems, ChordAccidentalColumns) {
  struct Case {
    const char* what;
    std::initializer_list<std::pair<int, int>> heads;
    int extra;
    int want;
  } cases[] = {
      {"no accidentals", {{0, acNone}, {2, acNone}}, 0, 0},
      {"one sharp", {{0, acSharp}, {4, acNone}}, 0, 1},
      {"two close accidentals stack", {{0, acSharp}, {2, acFlat}}, 0, 2},
      {"double flat counts two", {{0, acDoubleFlat}, {3, acSharp}}, 0, 3},
      {"far apart share a column", {{-4, acSharp}, {4, acFlat}}, 0, 1},
      {"chord's extra space is added", {{0, acSharp}}, 2, 3},
  };
  for (const Case& c : cases) {
    std::unique_ptr<TChordData> chord(ChordOf(c.heads));
    chord->SetExtraAccidentalSpace(c.extra);
    EXPECT_EQ(chord->GetAccidentalSpace(), c.want) << c.what;
  }
}

TEST(EarlierItems, ChordAccidentalColumnsNeverPassFifteen) {
  // Heads with wide accidental space close together, and a chord with its own extra space: the
  // columns live in a 4-bit field.
  auto* chord = new TChordData;
  for (int position = -4; position <= 4; position += 2) {
    auto* n = new TMusicNote(position, 2, acDoubleFlat);
    n->SetExtraAccidentalSpace(15);
    if (!chord->AddNote(n)) delete n;
  }
  std::unique_ptr<TChordData> owned(chord);
  chord->SetExtraAccidentalSpace(15);
  EXPECT_EQ(chord->GetAccidentalSpace(), 15);
  chord->SetExtraAccidentalSpace(0);
  EXPECT_LE(chord->GetAccidentalSpace(), 15);
}

TEST(EarlierItems, ToCodaIsTakenOncePerJump) {
  // To Coda after the Coda and after the D.C.: without a limit the jump would come back to it
  // for ever.
  TTestStaff s;
  s.Add(new TMusicNote(0));                                    // 1
  s.Add(new TFlowDirection(TFlowDirection::fdCoda));           // 2
  s.Add(new TMusicNote(0));                                    // 3
  s.Add(new TFlowDirection(TFlowDirection::fdToCoda));         // 4
  s.Add(new TFlowDirection(TFlowDirection::fdDCAlCoda));       // 5
  s.Add(new TMusicNote(0));                                    // 6
  TStaffContext c;
  const std::vector<int> order = s.Play(c);
  ASSERT_LT(order.size(), 100u);
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 2, 3, 4, 5, 6, 7}));

  // Without a Coda the jump goes to the item after the D.C., once.
  TTestStaff t;
  t.Add(new TMusicNote(0));                                    // 1
  t.Add(new TFlowDirection(TFlowDirection::fdToCoda));         // 2
  t.Add(new TFlowDirection(TFlowDirection::fdDaCapo));         // 3
  t.Add(new TMusicNote(0));                                    // 4
  TStaffContext d;
  EXPECT_EQ(t.Play(d), (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 4, 5}));
}

// The pieces an expression shows, written out: text as it is, a tempo label as "name|base|tempo",
// a glyph as "#n".
std::string Shown(const TNtnGeneralExpression& e, bool editView) {
  TExpressionText text;
  e.GetText(text, editView);
  std::string out;
  for (int i = 0; i < text.count; ++i) {
    const TExpressionPiece& p = text.pieces[i];
    if (i) out += " ";
    if (p.tempoBase >= 0)
      out += p.text + "|" + std::to_string(p.tempoBase) + "|" + std::to_string(p.tempo);
    else if (p.glyph > 0)
      out += "#" + std::to_string(p.glyph);
    else
      out += p.text;
  }
  return out;
}

TEST(EarlierItems, WhatExpressionsShowOnScreenAndOnPaper) {
  TTempoData named(120, TTempoData::tbQuarter);
  named.SetNameIndex(8);
  named.SetShown(false, true);
  TTempoData hidden(60, TTempoData::tbHalf);
  hidden.SetShown(false, false);
  TTempoData both(90, TTempoData::tbQuarter);
  both.SetNameIndex(13);  // past the list of twelve: the first name
  both.SetShown(true, true);
  TDynamicLevelData velocityOnly(TDynamicLevelData::dynF);
  velocityOnly.SetOverride(0, true);
  velocityOnly.SetVelocity(100);
  TDynamicLevelData hiddenDynamic(TDynamicLevelData::dynP);
  hiddenDynamic.SetVisibility(TNotatedItem::visNever);
  TTempoVariance breath(TTempoVariance::tvBreathMark, 3);
  TTempoVariance fermata(TTempoVariance::tvFermata, 0);
  TGenericControl controller;
  TStaffInstrument instrument{0, 0, 7};
  TPatchData patch(&instrument);
  TFlowDirection toCoda(TFlowDirection::fdToCoda);
  const std::string f = GetListEntry(kVocabDynamicLevelMarks, TDynamicLevelData::dynF);
  const std::string p = GetListEntry(kVocabDynamicLevelMarks, TDynamicLevelData::dynP);
  struct Case {
    const char* what;
    const TNtnGeneralExpression& item;
    std::string screen, paper;
  } cases[] = {
      {"named tempo", named, "Allegro|2|120", "Allegro"},
      {"hidden tempo", hidden, "{ |4|60 }", ""},
      {"tempo with both", both, "Largo|2|90", "Largo|2|90"},
      {"velocity only", velocityOnly, f + " (100,-)", f},
      {"hidden dynamic", hiddenDynamic, "{ " + p + " }", p},
      {"breath with a pause", breath, "#30 :3", "#30"},
      {"fermata without", fermata, "#29", "#29"},
      {"controller", controller, "{mpc}", ""},
      {"patch", patch, "{#007}", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Shown(c.item, true), c.screen) << c.what;
    EXPECT_EQ(Shown(c.item, false), c.paper) << c.what;
  }
  TExpressionText text;
  toCoda.GetText(text, false);
  EXPECT_EQ(text.pieces[0].text, "To Coda");
}

}  // namespace
