#include "tests/score/RichScore.h"

#include <gtest/gtest.h>

#include <cstring>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"

namespace {

template <class T>
T* Styled(T* item) {
  item->SetVisibility(1);
  item->SetColor(2);
  return item;
}

template <class T>
T* Placed(T* e, int position, int justify, int placement, bool wide) {
  e->SetPosition(position);
  e->SetJustify(justify);
  e->SetPlacement(placement);
  e->SetWide(wide);
  return Styled(e);
}

TMusicNote* Note(int position, int code, int accidental) {
  auto* n = new TMusicNote(position, code, accidental);
  return n;
}

// Fills every stored song-note field with something other than its default.
void DecorateSongNote(TSongNote& n) {
  n.SetDurationByte(static_cast<uint8_t>(3 | (1 << 4) | (2 << 6)));
  n.SetGroupByte(static_cast<uint8_t>(1 | (2 << 2) | 0x10));
  n.SetSpacingByte(0x21);
  n.SetAttributeWord(static_cast<uint16_t>((1 << naAccent) | (1 << naDotted) | (1 << naStaccato) | (1 << naSlurOut) |
                                           (1 << naGrace) | (1 << naTieDirGiven) | (1 << naAttribute11)));
}

}  // namespace

std::unique_ptr<TMusicScore> BuildRichScore() {
  auto score = std::make_unique<TMusicScore>();
  TScoreInfoBlock& info = score->Info();
  std::strcpy(info.title, "Rich Title");
  std::strcpy(info.author, "Somebody");
  std::strcpy(info.copyright1, "(c) one");
  std::strcpy(info.copyright2, "(c) two");
  std::strcpy(info.comments, "Line one\r\nLine two");
  score->SetMeasureNumberStyle(2);
  score->SetMeasureStart(5);
  score->SetMargin(0, 1.25f);
  score->SetMargin(1, 0.75f);
  score->SetMargin(2, 0.5f);
  score->SetMargin(3, 2.0f);
  score->SetMirrorMargins(1);
  score->SetZoomIndex(11);
  score->SetPageNumberingFrom(3);
  score->SetStaffLabels(1);
  score->SetExtendLastSystem(true);
  score->SetDurationSpacing(false);
  score->SetAllowLayering(false);
  score->SetTitlePageInfo(false);
  TMusicFontsData& fonts = *score->GetFonts();
  fonts.SetStaffSize(18);
  for (int i = 0; i < TMusicFontsData::kFontCount; ++i) {
    char face[16];
    std::snprintf(face, sizeof face, "Face %d", i);
    fonts.SetFace(i, face);
    fonts.GetFont(i).size = 10 + i;
    fonts.GetFont(i).style = static_cast<unsigned char>(i & 3);
    fonts.GetFont(i).charset = static_cast<unsigned char>(i);
  }

  auto* staff = new TMusicStaff;
  staff->SetName("Violin");
  staff->SetGroupName("Strings");
  staff->SetEndBarStyle(TMusicStaff::kEndDouble);
  staff->SetMuted(1);
  staff->SetChannel(2);
  staff->SetPort(1);
  staff->SetInstrument({1, 200, 41});
  staff->SetStyle(1);
  staff->SetLineCount(6);
  staff->SetVerticalSize(20, -30);
  staff->SetLayerWithNext(1);
  staff->SetTransposition(-12);
  staff->SetVolume(100);
  staff->SetPan(-1);
  staff->SetColor(2);
  score->AppendStaff(staff);

  auto* clef = Styled(new TClefData(clBass, osOctaveDown));
  auto* key = Styled(new TKeyData);
  key->SetMasks(0x12, 0);
  key->SetCancelStyle(2);
  key->SetCancelledMasks(0x40, 0x01);
  auto* bar = Styled(new TBarLineData(TBarLineData::blLocalRepeatClose, 3));
  bar->SetSystemBreak(true);
  auto* ending = Styled(new TSpecialEnding(0x83));
  auto* patch = Placed(new TPatchData, -9, 1, 2, false);
  patch->SetPatch({1, 300, 20});
  auto* time = Styled(new TTimeSignatureData(3, 3, 0));
  auto* tempo = Placed(new TTempoData(90, TTempoData::tbDottedQuarter), -11, 2, 1, true);
  tempo->SetText("Gently");
  auto* dynamic = Placed(new TDynamicLevelData(TDynamicLevelData::dynF), 9, 0, 2, false);
  dynamic->SetOverride(0, true);
  dynamic->SetVelocity(100);
  dynamic->SetVolume(200);
  auto* note = Styled(Note(-3, 3, acFlat));
  DecorateSongNote(*note);
  note->SetTieDown(true);
  note->SetMuted(true);
  note->SetNoLegerLines(true);
  note->SetPitchByte(static_cast<uint8_t>(note->GetPitchByte() | 0x80));
  auto* rest = Styled(new TRestNote(1));
  rest->SetVerticalOffset(-2);
  auto* chord = Styled(new TChordData);
  chord->SetDurationByte(2);
  chord->InsertSorted(Note(2, 2, acSharp));
  chord->InsertSorted(Note(-1, 2, acNone));
  for (int i = 0; i < chord->GetNoteCount(); ++i) chord->GetNote(i)->SetAttribute(naChordMember);
  chord->SyncNotes();
  auto* pedal = Placed(new TSustainPedal(0), 10, 0, 1, true);
  auto* flow = Placed(new TFlowDirection(TFlowDirection::fdDalSegno), -12, 0, 0, false);
  auto* control = Placed(new TGenericControl, -8, 0, 0, true);
  control->SetController(7);
  control->SetSweepMode(1);
  control->SetTimeResolution(3);
  control->SetSweepResolution(5);
  control->SetSetting(0, 0, 10);
  control->SetSetting(2, 4, 90);
  auto* variance = Placed(new TTempoVariance(TTempoVariance::tvFermata, 4), -8, 1, 3, false);
  auto* dynVariance = Placed(new TDynamicVariance(2), 8, 0, 0, true);
  auto* style = Placed(new TPerformanceStyle(7), 8, 0, 0, false);
  auto* text = Placed(new TTextExpression, -6, 1, 0, false);
  text->SetFont(3);
  text->SetText("Hello");
  auto* restChord = Styled(new TRestChord(1));
  restChord->SetVerticalOffset(3);
  restChord->SetChordPart(Note(4, 0, acNatural));
  for (TNotatedItem* item : std::initializer_list<TNotatedItem*>{
           clef, key, bar, ending, patch, time, tempo, dynamic, note, rest, chord, pedal, flow, control, variance,
           dynVariance, style, text, restChord})
    staff->AppendItem(item);

  auto* voice = new TMusicStaff;
  voice->SetName("Voice");
  voice->SetGroupName("Choir");
  auto* lyrics = new TStaffLyrics;
  auto* line = new TLyricText;
  line->ParseTextLine("la-la lee", false, false);
  lyrics->AddLine(line);
  lyrics->AddLine(new TLyricText);
  lyrics->SetFirstSetting(1);
  lyrics->SetOffset(-3);
  voice->SetLyrics(lyrics);
  voice->AppendItem(Note(0, 2, acNone));
  score->AppendStaff(voice);
  score->Selection().SetBit(1, false);
  score->Selection().SetBit(200, true);
  return score;
}

void ExpectRichScore(const TMusicScore& score) {
  EXPECT_STREQ(score.Info().title, "Rich Title");
  EXPECT_STREQ(score.Info().comments, "Line one\r\nLine two");
  EXPECT_EQ(score.GetMeasureNumberStyle(), 2);
  EXPECT_EQ(score.GetMeasureStart(), 5);
  EXPECT_FLOAT_EQ(score.GetMargin(0), 1.25f);
  EXPECT_FLOAT_EQ(score.GetMargin(3), 2.0f);
  EXPECT_EQ(score.GetMirrorMargins(), 1);
  EXPECT_EQ(score.GetZoomIndex(), 11);
  EXPECT_EQ(score.GetPageNumberingFrom(), 3);
  EXPECT_EQ(score.GetStaffLabels(), 1);
  EXPECT_TRUE(score.GetExtendLastSystem());
  EXPECT_FALSE(score.GetDurationSpacing());
  EXPECT_FALSE(score.GetAllowLayering());
  EXPECT_FALSE(score.GetTitlePageInfo());
  EXPECT_TRUE(score.Selection().GetBit(0));
  EXPECT_FALSE(score.Selection().GetBit(1));
  EXPECT_TRUE(score.Selection().GetBit(200));
  EXPECT_EQ(score.GetFonts()->GetStaffSize(), 18);
  EXPECT_STREQ(score.GetFonts()->GetFont(11).face, "Face 11");
  EXPECT_EQ(score.GetFonts()->GetFont(11).size, 21);
  EXPECT_EQ(score.GetFonts()->GetFont(11).charset, 11);
  EXPECT_EQ(score.GetFonts()->GetFont(6).style, 2);

  ASSERT_EQ(score.StaffCount(), 2);
  const TMusicStaff& staff = *score.GetStaff(0);
  EXPECT_STREQ(staff.GetName(), "Violin");
  EXPECT_STREQ(staff.GetGroupName(), "Strings");
  EXPECT_EQ(staff.GetEndBarStyle(), TMusicStaff::kEndDouble);
  EXPECT_EQ(static_cast<const TBarLineData*>(staff.GetItem(staff.LastIndex()))->GetStyle(), TBarLineData::blDouble);
  EXPECT_EQ(staff.IsMuted(), 1);
  EXPECT_EQ(staff.GetChannel(), 2);
  EXPECT_EQ(staff.GetPort(), 1);
  EXPECT_TRUE((staff.GetInstrument() == TStaffInstrument{1, 200, 41}));
  EXPECT_EQ(staff.GetStyle(), 1);
  EXPECT_EQ(staff.GetLineCount(), 6);
  EXPECT_EQ(staff.GetUpperSize(), -30);
  EXPECT_EQ(staff.GetLowerSize(), 20);
  EXPECT_EQ(staff.GetLayerWithNext(), 1);
  EXPECT_EQ(staff.GetTransposition(), -12);
  EXPECT_EQ(staff.GetVolume(), 100);
  EXPECT_EQ(staff.GetPan(), -1);
  EXPECT_EQ(staff.GetColor(), 2);
  ASSERT_EQ(staff.ItemCount(), 21);
  for (int i = 1; i < staff.LastIndex(); ++i) {
    EXPECT_EQ(staff.GetItem(i)->GetType(), i - 1) << i;
    EXPECT_EQ(staff.GetItem(i)->GetVisibility(), 1) << i;
    EXPECT_EQ(staff.GetItem(i)->GetColor(), 2) << i;
  }
  const auto& clef = *static_cast<const TClefData*>(staff.GetItem(1));
  EXPECT_EQ(clef.GetClef(), clBass);
  EXPECT_EQ(clef.GetOctaveShift(), osOctaveDown);
  const auto& key = *static_cast<const TKeyData*>(staff.GetItem(2));
  EXPECT_EQ(key.GetFlatMask(), 0x12);
  EXPECT_EQ(key.GetCancelStyle(), 2);
  EXPECT_EQ(key.GetCancelledFlats(), 0x40);
  EXPECT_EQ(key.GetCancelledSharps(), 0x01);
  const auto& bar = *static_cast<const TBarLineData*>(staff.GetItem(3));
  EXPECT_EQ(bar.GetStyle(), TBarLineData::blLocalRepeatClose);
  EXPECT_TRUE(bar.HasSystemBreak());
  EXPECT_EQ(bar.GetRepeatCount(), 3);
  EXPECT_EQ(static_cast<const TSpecialEnding*>(staff.GetItem(4))->GetMask(), 0x83u);
  const auto& patch = *static_cast<const TPatchData*>(staff.GetItem(5));
  EXPECT_TRUE((patch.GetPatch() == TStaffInstrument{1, 300, 20}));
  EXPECT_EQ(patch.GetPosition(), -9);
  EXPECT_EQ(patch.GetJustify(), 1);
  EXPECT_EQ(patch.GetPlacement(), 2);
  const auto& time = *static_cast<const TTimeSignatureData*>(staff.GetItem(6));
  EXPECT_EQ(time.GetBeats(), 3);
  EXPECT_EQ(time.GetBeatCode(), 3);
  const auto& tempo = *static_cast<const TTempoData*>(staff.GetItem(7));
  EXPECT_EQ(tempo.GetQuarterTempo(), 135);
  EXPECT_EQ(tempo.GetBase(), TTempoData::tbDottedQuarter);
  EXPECT_EQ(tempo.GetText(), "Gently");
  EXPECT_TRUE(tempo.IsWide());
  EXPECT_EQ(tempo.GetPosition(), -11);
  const auto& dynamic = *static_cast<const TDynamicLevelData*>(staff.GetItem(8));
  EXPECT_EQ(dynamic.GetDynamic(), TDynamicLevelData::dynF);
  EXPECT_TRUE(dynamic.GetOverride(0));
  EXPECT_FALSE(dynamic.GetOverride(1));
  EXPECT_EQ(dynamic.GetVelocity(), 100);
  EXPECT_EQ(dynamic.GetVolume(), 200);
  const auto& note = *static_cast<const TMusicNote*>(staff.GetItem(9));
  EXPECT_EQ(note.GetPosition(), -3);
  EXPECT_EQ(note.GetAccidental(), acFlat);
  EXPECT_EQ(note.GetPitchByte() & 0xE8, 0xE8);  // tie down, muted, no leger lines, bit 7
  EXPECT_EQ(note.GetDurationByte(), 3 | (1 << 4) | (2 << 6));
  EXPECT_EQ(note.GetGroupByte(), 1 | (2 << 2) | 0x10);
  EXPECT_EQ(note.GetSpacingByte(), 0x21);
  EXPECT_EQ(note.GetAttributeWord(), (1 << naAccent) | (1 << naDotted) | (1 << naStaccato) | (1 << naSlurOut) |
                                         (1 << naGrace) | (1 << naTieDirGiven) | (1 << naAttribute11));
  const auto& rest = *static_cast<const TRestNote*>(staff.GetItem(10));
  EXPECT_EQ(rest.GetVerticalOffset(), -2);
  EXPECT_EQ(rest.GetDurationCode(), 1);
  EXPECT_FALSE(rest.HasExplicitLength());
  const auto& chord = *static_cast<const TChordData*>(staff.GetItem(11));
  ASSERT_EQ(chord.GetNoteCount(), 2);
  EXPECT_EQ(static_cast<const TNotatedItem&>(chord).GetNote(0)->GetPosition(), 2);
  EXPECT_EQ(static_cast<const TNotatedItem&>(chord).GetNote(1)->GetPosition(), -1);
  EXPECT_EQ(static_cast<const TNotatedItem&>(chord).GetNote(0)->GetAccidental(), acSharp);
  const auto& pedal = *static_cast<const TSustainPedal*>(staff.GetItem(12));
  EXPECT_EQ(pedal.GetState(), 0);
  EXPECT_EQ(pedal.GetPosition(), 10);
  EXPECT_EQ(static_cast<const TFlowDirection*>(staff.GetItem(13))->GetStyle(), TFlowDirection::fdDalSegno);
  const auto& control = *static_cast<const TGenericControl*>(staff.GetItem(14));
  EXPECT_EQ(control.GetController(), 7);
  EXPECT_EQ(control.GetSweepMode(), 1);
  EXPECT_EQ(control.GetTimeResolution(), 3);
  EXPECT_EQ(control.GetSweepResolution(), 5);
  EXPECT_EQ(control.GetSetting(2).present, 1);
  EXPECT_EQ(control.GetSetting(2).offset, 4);
  EXPECT_EQ(control.GetSetting(2).value, 90);
  EXPECT_EQ(control.GetSetting(1).present, 0);
  const auto& variance = *static_cast<const TTempoVariance*>(staff.GetItem(15));
  EXPECT_EQ(variance.GetStyle(), TTempoVariance::tvFermata);
  EXPECT_EQ(variance.GetPause(), 4);
  EXPECT_EQ(variance.GetPlacement(), 3);
  EXPECT_EQ(static_cast<const TDynamicVariance*>(staff.GetItem(16))->GetStyle(), 2);
  EXPECT_EQ(static_cast<const TPerformanceStyle*>(staff.GetItem(17))->GetStyle(), 7);
  const auto& text = *static_cast<const TTextExpression*>(staff.GetItem(18));
  EXPECT_EQ(text.GetFont(), 3);
  EXPECT_EQ(text.GetText(), "Hello");
  EXPECT_EQ(text.GetPosition(), -6);
  const auto& restChord = *static_cast<const TRestChord*>(staff.GetItem(19));
  EXPECT_EQ(restChord.GetVerticalOffset(), 3);
  ASSERT_NE(restChord.GetChordPart(), nullptr);
  EXPECT_EQ(restChord.GetChordPart()->GetType(), ntNote);
  EXPECT_EQ(restChord.GetChordPart()->GetPosition(), 4);
  EXPECT_EQ(restChord.GetChordPart()->GetAccidental(), acNatural);

  const TMusicStaff& voice = *score.GetStaff(1);
  ASSERT_NE(voice.GetLyrics(), nullptr);
  ASSERT_EQ(voice.GetLyrics()->GetLineCount(), 2);
  EXPECT_EQ(voice.GetLyrics()->GetFirstSetting(), 1);
  EXPECT_EQ(voice.GetLyrics()->GetOffset(), -3);
  TLyric syllable(voice.GetLyrics()->GetLine(0), 2);
  EXPECT_STREQ(syllable.Syllable(), "lee");
  EXPECT_EQ(voice.ItemCount(), 3);
  EXPECT_EQ(score.GetStaff(0)->GetLyrics(), nullptr);
}
