// The one-line text form and brief text of every item kind, walked on a real staff so pitches are
// named in the context where the item stands.
#include <gtest/gtest.h>

#include <string>

#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemText.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"
#include "foundation/QXTFlatRamStream.h"

namespace {

std::string Contents(TQXTFlatRamStream& s) {
  std::string out(s.Size(), '\0');
  s.Rewind();
  if (!out.empty()) s.Read(out.data(), static_cast<uint32_t>(out.size()));
  return out;
}

// Appends the item to a staff after the given lead-in and answers its record and brief text.
struct TTexts {
  std::string clip, brief;
};

TTexts TextsOf(TNotatedItem* item, TNotatedItem* leadIn = nullptr) {
  TMusicStaff staff;
  if (leadIn) staff.AppendItem(leadIn);
  staff.AppendItem(item);
  TAuditNtnIdx at(&staff, staff.LastIndex() - 1);
  TQXTFlatRamStream clip(64, 64), brief(64, 64);
  NtnItemClipText(clip, at);
  NtnItemBriefText(brief, at);
  return {Contents(clip), Contents(brief)};
}

TMusicNote* Note(int position, int code, int accidental = acNone) { return new TMusicNote(position, code, accidental); }

TGenericControl* Controller() {
  auto* mpc = new TGenericControl;
  mpc->SetController(2);
  mpc->SetSweepMode(TGenericControl::smLinearSweep);
  mpc->SetTimeResolution(3);
  mpc->SetSweepResolution(5);
  mpc->SetSetting(0, 0, 10);
  mpc->SetSetting(1, 2, 90);
  mpc->SetSetting(3, 1, 5);  // after an absent setting: not written
  return mpc;
}

TNotatedItem* KeyOfBFlatWithFSharp() {
  auto* key = new TKeyData;
  key->SetLetterFlat(ltB);
  key->SetLetterFlat(ltE);
  key->SetLetterSharp(ltF);
  return key;
}

TTempoData* TempoWithText() {
  auto* tempo = new TTempoData(90, TTempoData::tbDottedQuarter);
  tempo->SetText("Allegro");
  return tempo;
}

TDynamicLevelData* OverriddenDynamic() {
  auto* dyn = new TDynamicLevelData(TDynamicLevelData::dynMF);
  dyn->SetOverride(0, true);
  dyn->SetVelocity(99);
  return dyn;
}

TPatchData* BankedPatch() {
  TStaffInstrument instrument;
  instrument.bankSelect = 1;
  instrument.bank = 200;
  instrument.patch = 41;
  return new TPatchData(&instrument);
}

TBarLineData* RepeatWithBreak() {
  auto* bar = new TBarLineData(TBarLineData::blLocalRepeatClose, 3);
  bar->SetSystemBreak(true);
  return bar;
}

TTextExpression* Text(const char* s) {
  auto* text = new TTextExpression;
  text->SetText(s);
  text->SetFont(4);
  return text;
}

struct TKindCase {
  const char* name;
  TNotatedItem* (*make)();
  const char* clip;
  const char* brief;
};

// The expression header of the defaults: below the staff (8) or above (-8), not wide.
const TKindCase kKinds[] = {
    {"clef", [] () -> TNotatedItem* { return new TClefData(clBass, osOctaveDown); },
     "|Clef|Type:Bass Clef|OctaveShift:Octave Down|Visibility:Default", ""},
    {"key", KeyOfBFlatWithFSharp,
     "|Key|Signature:Anat,Bb,Cnat,Dnat,Eb,F#,Gnat|Visibility:Default", ""},
    {"bar", [] () -> TNotatedItem* { return RepeatWithBreak(); },
     "|Bar|Style:Local Repeat Close|Repeat:3|SysBreak:Y|Visibility:Default", ""},
    {"plain bar", [] () -> TNotatedItem* { return new TBarLineData(TBarLineData::blDouble); },
     "|Bar|Style:Double|SysBreak:N|Visibility:Default", ""},
    {"ending", [] () -> TNotatedItem* { return new TSpecialEnding(0x83); },
     "|Ending|Endings:12D|Visibility:Default", ""},
    {"patch", [] () -> TNotatedItem* { return BankedPatch(); },
     "|Instrument|Patch:41|BankSelect:Y|Bank:200|StaffPos:-8|Wide:Y|Justify:Left|Placement:Bottom|Visibility:Default",
     "{#41}"},
    {"patch without bank", [] () -> TNotatedItem* { return new TPatchData; },
     "|Instrument|Patch:0|BankSelect:N|StaffPos:-8|Wide:Y|Justify:Left|Placement:Bottom|Visibility:Default", "{#0}"},
    {"time signature", [] () -> TNotatedItem* { return new TTimeSignatureData(6, 3); },
     "|TimeSig|Signature:6/8|Style:Standard Signature|Visibility:Default", "6/8"},
    {"common time", [] () -> TNotatedItem* { return new TTimeSignatureData(4, 2, TTimeSignatureData::tsCommonTime); },
     "|TimeSig|Signature:4/4|Style:Common Time|Visibility:Default", ""},
    {"tempo", [] () -> TNotatedItem* { return TempoWithText(); },
     "|Tempo|Base:Dotted Quarter|Tempo:90|Text:Allegro|StaffPos:-10|Wide:N|Justify:Left|Placement:Bottom|Visibility:Default",
     "Allegro"},
    {"tempo without text", [] () -> TNotatedItem* { return new TTempoData(120, TTempoData::tbHalf); },
     "|Tempo|Base:Half|Tempo:120|StaffPos:-10|Wide:N|Justify:Left|Placement:Bottom|Visibility:Default", ""},
    {"dynamic", [] () -> TNotatedItem* { return OverriddenDynamic(); },
     "|Dynamic|Style:Mezzo forte|OverrideVelocity:Y|Velocity:99|OverrideVolume:N|StaffPos:8|Wide:N|Justify:Left|"
     "Placement:Bottom|Visibility:Default",
     "mf"},
    {"pedal down", [] () -> TNotatedItem* { return new TSustainPedal(1); },
     "|SustainPedal|Style:Pedal Down|StaffPos:8|Wide:Y|Justify:Left|Placement:Bottom|Visibility:Default", ""},
    {"pedal up", [] () -> TNotatedItem* { return new TSustainPedal(0); },
     "|SustainPedal|Style:Pedal Released|StaffPos:8|Wide:Y|Justify:Left|Placement:Bottom|Visibility:Default", ""},
    {"flow", [] () -> TNotatedItem* { return new TFlowDirection(TFlowDirection::fdDSAlCoda); },
     "|Flow|Style:D.S. al Coda|StaffPos:-8|Wide:Y|Justify:Left|Placement:Bottom|Visibility:Default", "D.S. al Coda"},
    {"controller", [] () -> TNotatedItem* { return Controller(); },
     "|MPC|Controller:Stereo Pan|Style:Linear Sweep|TimeResolution:Eighth|SweepResolution:5|Setting1:0,10|"
     "Setting2:2,90|StaffPos:-8|Wide:Y|Justify:Left|Placement:Bottom|Visibility:Default",
     ""},
    {"fermata", [] () -> TNotatedItem* { return new TTempoVariance(TTempoVariance::tvFermata, 7); },
     "|TempoVariance|Style:Fermata|Pause:7|StaffPos:-8|Wide:N|Justify:Left|Placement:Bottom|Visibility:Default", ""},
    {"ritardando", [] () -> TNotatedItem* { return new TTempoVariance(5); },
     "|TempoVariance|Style:Ritardando|StaffPos:8|Wide:N|Justify:Left|Placement:Bottom|Visibility:Default", "ritard."},
    {"dynamic variance", [] () -> TNotatedItem* { return new TDynamicVariance(2); },
     "|DynamicVariance|Style:Diminuendo|StaffPos:8|Wide:N|Justify:Left|Placement:Bottom|Visibility:Default", "dim."},
    {"performance style", [] () -> TNotatedItem* { return new TPerformanceStyle(7); },
     "|Performance|Style:Legato|StaffPos:8|Wide:N|Justify:Left|Placement:Bottom|Visibility:Default", "legato"},
    {"text", [] () -> TNotatedItem* { return Text("hello"); },
     "|Text|Text:hello|Font:Page Text|StaffPos:-8|Wide:N|Justify:Left|Placement:Bottom|Visibility:Default", "hello"},
};

TEST(ItemText, EveryKindWritesItsRecordAndBriefText) {
  for (const TKindCase& c : kKinds) {
    const TTexts texts = TextsOf(c.make());
    EXPECT_EQ(texts.clip, c.clip) << c.name;
    EXPECT_EQ(texts.brief, c.brief) << c.name;
  }
}

TEST(ItemText, FlowBriefJoinsTheTwoPartsOfTheName) {
  EXPECT_EQ(TextsOf(new TFlowDirection(TFlowDirection::fdToCoda)).brief, "To Coda");
  EXPECT_EQ(TextsOf(new TFlowDirection(TFlowDirection::fdFine)).brief, "Fine ");
}

TEST(ItemText, ExpressionHeaderNamesJustificationPlacementAndVisibility) {
  TTextExpression* text = Text("x");
  text->SetJustify(2);
  text->SetPlacement(1);
  text->SetWide(true);
  text->SetPosition(-3);
  text->SetVisibility(TNotatedItem::visNever);
  EXPECT_EQ(TextsOf(text).clip, "|Text|Text:x|Font:Page Text|StaffPos:-3|Wide:Y|Justify:Right|Placement:Top|Visibility:Never");
}

TEST(ItemText, DottedQuarterTiedOnwardsWithAnUpStem) {
  TMusicNote* note = Note(-2, 2);
  note->SetAttribute(naDotted);
  note->SetAttribute(naTieOut);
  note->SetStemDirection(stUp);
  note->SetVisibility(TNotatedItem::visAlways);
  // Treble clef: position -2 is the D a sixth above middle C, MIDI 74.
  EXPECT_EQ(TextsOf(note).clip, "|Note|Duration:Quarter,Dotted|PitchPos:D 6^@-2|Opts:Stem=Up|Visibility:Always");
}

TEST(ItemText, PitchIsNamedInTheContextWhereTheNoteStands) {
  // Bass clef, key with B flat: position -5 is the B flat below middle C.
  auto* key = new TKeyData;
  key->SetLetterFlat(ltB);
  TMusicStaff staff;
  staff.AppendItem(new TClefData(clBass));
  staff.AppendItem(key);
  staff.AppendItem(Note(-5, 3));
  TAuditNtnIdx at(&staff, 3);
  TQXTFlatRamStream s(64, 64);
  NtnItemClipText(s, at);
  EXPECT_EQ(Contents(s), "|Note|Duration:Eighth|PitchPos:A#4@-5|Visibility:Default");
}

TEST(ItemText, DurationTextListsEveryAttributeInItsOrder) {
  TMusicNote* note = Note(0, 4);
  note->SetAttribute(naDoubleDotted);
  note->SetTripletState(1);
  note->SetAttribute(naGrace);
  note->SetAttribute(naStaccato);
  note->SetAttribute(naSlurOut);
  note->SetAttribute(naAccent);
  EXPECT_EQ(TextsOf(note).clip,
            "|Note|Duration:Sixteenth,DblDotted,Triplet,Grace,Staccato,Slur,Accent|PitchPos:B 5@0|Visibility:Default");
  TMusicNote* tenuto = Note(0, 0);
  tenuto->SetAttribute(naTenuto);
  EXPECT_EQ(TextsOf(tenuto).clip, "|Note|Duration:Whole,Tenuto|PitchPos:B 5@0|Visibility:Default");
}

TEST(ItemText, NoteOptionsInTheirOrder) {
  TMusicNote* note = Note(-7, 3);
  note->SetStemDirection(stDown);
  note->SetBeamState(2);
  note->SetExtraAccidentalSpace(3);
  note->SetExtraNoteSpace(4);
  note->SetNoLegerLines(true);
  note->SetAttribute(naSlurOut);
  note->SetAttribute(naSlurDirGiven);
  note->SetSlurDown(true);
  note->SetAttribute(naTieOut);
  note->SetAttribute(naTieDirGiven);
  note->SetTieDown(false);
  note->SetLyricMode(TSongNote::lyrNever);
  note->SetMuted(true);
  EXPECT_EQ(TextsOf(note).clip,
            "|Note|Duration:Eighth,Slur|PitchPos:B 6^@-7|Opts:Stem=Down,Beam=Middle,XAccSpace=3,XNoteSpace=4,"
            "NoLegerLines,Slur=Downward,Tie=Upward,Lyric=Never,Muted|Visibility:Default");
}

TEST(ItemText, NoLegerLinesOnlyBeyondTheLimitAndDirectionsOnlyWhenGiven) {
  TMusicNote* note = Note(5, 2);
  note->SetNoLegerLines(true);
  note->SetAttribute(naSlurOut);
  note->SetAttribute(naTieOut);
  EXPECT_EQ(TextsOf(note).clip, "|Note|Duration:Quarter,Slur|PitchPos:D 5^@5|Visibility:Default");
}

TEST(ItemText, RestWithOffsetSlurAndLyric) {
  auto* rest = new TRestNote(1);
  rest->SetVerticalOffset(-2);
  rest->SetAttribute(naSlurOut);
  rest->SetAttribute(naSlurDirGiven);
  rest->SetLyricMode(TSongNote::lyrAlways);
  EXPECT_EQ(TextsOf(rest).clip, "|Rest|Duration:Half,Slur|Opts:VertOffset=-2,Slur=Upward,Lyric=Always|Visibility:Default");
  EXPECT_EQ(TextsOf(new TRestNote(3)).clip, "|Rest|Duration:Eighth|Visibility:Default");
}

TEST(ItemText, ChordListsItsHeadsFromTheLowest) {
  auto* chord = new TChordData;
  ASSERT_TRUE(chord->AddNote(Note(2, 2)));
  ASSERT_TRUE(chord->AddNote(Note(0, 2)));
  ASSERT_TRUE(chord->AddNote(Note(-2, 2)));
  chord->GetNote(1)->SetAttribute(naTieOut);
  EXPECT_EQ(TextsOf(chord).clip, "|Chord|Duration:Quarter|PitchPos:G 5@2,B 5^@0,D 6@-2|Visibility:Default");
}

TEST(ItemText, ChordWithSplitStemsWritesBothParts) {
  auto* chord = new TChordData;
  ASSERT_TRUE(chord->AddNote(Note(2, 1)));
  ASSERT_TRUE(chord->AddNote(Note(4, 1)));
  ASSERT_TRUE(chord->AddNote(Note(-3, 2)));
  ASSERT_TRUE(chord->HasSplitStems());
  // The quarter, being the shorter, carries the chord's own (up) stem; the halves are the second part.
  EXPECT_EQ(TextsOf(chord).clip,
            "|Chord|Duration:Quarter|PitchPos:E 6@-3|Opts:Stem=Up|Duration2:Half|PitchPos2:E 5@4,G 5@2|Visibility:Default");
}

TEST(ItemText, RestChordWritesItsNotePart) {
  auto* rest = new TRestChord(3);
  TMusicNote* note = Note(1, 2);
  note->SetStemDirection(stDown);
  ASSERT_TRUE(rest->AddNote(note));
  const std::string clip = TextsOf(rest).clip;
  EXPECT_EQ(clip.rfind("|RestChord|Duration:Eighth|Opts:Stem=Down", 0), 0u) << clip;
  EXPECT_NE(clip.find("|Duration2:Quarter|PitchPos2:A 5@1|Visibility:Default"), std::string::npos) << clip;
  EXPECT_EQ(TextsOf(new TRestChord(2)).clip, "|RestChord|Duration:Quarter|Visibility:Default");
}

TEST(ItemText, LargeChordIsWrittenInFullPieceByPiece) {
  // Forty heads take far more than one 256-byte piece; every head must still be there.
  auto* chord = new TChordData;
  int heads = 0;
  for (int p = 40; p >= -40; p -= 2)
    if (chord->AddNote(Note(p, 2))) ++heads;
  ASSERT_GE(heads, 30);
  const std::string clip = TextsOf(chord).clip;
  EXPECT_GT(clip.size(), 300u);
  int at = 0;
  for (std::size_t i = clip.find('@'); i != std::string::npos; i = clip.find('@', i + 1)) ++at;
  EXPECT_EQ(at, heads);
  EXPECT_NE(clip.find("@-40|Visibility:Default"), std::string::npos) << clip;
}

TEST(ItemText, LongTextIsWrittenWhole) {
  const std::string long_text(700, 'x');
  const TTexts texts = TextsOf(Text(long_text.c_str()));
  EXPECT_EQ(texts.clip, "|Text|Text:" + long_text + "|Font:Page Text|StaffPos:-8|Wide:N|Justify:Left|Placement:Bottom|Visibility:Default");
  EXPECT_EQ(texts.brief, long_text);
}

TEST(ItemText, ValuesPastTheirListReadAsMissing) {
  auto* ending = new TSpecialEnding(0x300);  // only bits past the default ending
  EXPECT_EQ(TextsOf(ending).clip, "|Ending|Endings:|Visibility:Default");
  auto* tv = new TTempoVariance(40);
  EXPECT_EQ(TextsOf(tv).clip, "|TempoVariance|Style:***|StaffPos:8|Wide:N|Justify:Left|Placement:Bottom|Visibility:Default");
}

}  // namespace
